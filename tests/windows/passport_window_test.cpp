#include "windows/passport_window.h"

#include <QTest>

#include "tests/windows/window_test_support.h"

namespace kesp {
namespace {

using testing::App;

Settings Passport(const std::string& nick, const std::string& city) {
    Settings settings;
    settings.WorldNick = nick;
    settings.WorldCity = city;
    settings.WorldSex = "M";
    settings.WorldCountry = "1-001";
    return settings;
}

TEST(PassportWindow, RefusesKeysOutsideTheFieldSetAndStoresOnOk) {
    App();
    Settings settings = Passport("Incognito", "Moscow");
    TFormPassport window(settings, Localisation(kEnglish));
    window.open();
    EXPECT_EQ(window.windowTitle(), "Passport");
    window.NickEdit()->clear();
    QTest::keyClicks(window.NickEdit(), "Ivan #1*");  // the blank, '#' and '*' are refused
    EXPECT_EQ(window.NickEdit()->text(), "Ivan1");
    QTest::keyClicks(window.NickEdit(), "ABCDEFGHIJ");  // twelve characters at most
    EXPECT_EQ(window.NickEdit()->text(), "Ivan1ABCDEFG");
    window.CityEdit()->setText(QString::fromUtf8("Тверь"));
    window.FemaleButton()->setChecked(true);
    window.ContinentBox()->setCurrentIndex(1);  // Asia, on its first country
    window.CountryBox()->setCurrentIndex(3);
    testing::SaveScreenshot(window, "passport_en");
    QTest::mouseClick(window.OkButton(), Qt::LeftButton);
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(settings.WorldNick, "Ivan1ABCDEFG");
    EXPECT_EQ(settings.WorldCity, "Тверь");
    EXPECT_EQ(settings.WorldSex, "W");
    EXPECT_EQ(settings.WorldCountry, "2-003");
}

TEST(PassportWindow, StaysOpenWhileAFieldIsInvalidAndFocusesIt) {
    App();
    Settings settings = Passport("Incognito", "Moscow");
    settings.CurrentLanguage = kRussian;
    TFormPassport window(settings, Localisation(kRussian));
    window.show();
    window.CityEdit()->setText("M");
    EXPECT_FALSE(window.OkButton()->isEnabled());
    window.NickEdit()->setFocus();
    window.close();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.focusWidget(), window.CityEdit());
    window.CityEdit()->setText("Minsk");
    EXPECT_TRUE(window.OkButton()->isEnabled());
    testing::SaveScreenshot(window, "passport_ru");
    window.close();  // closing without OK keeps the stored passport
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(settings.WorldCity, "Moscow");
    EXPECT_EQ(settings.WorldCountry, "1-001");
}

}  // namespace
}  // namespace kesp
