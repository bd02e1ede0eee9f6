#include <gtest/gtest.h>

#include <set>

#include "network/countries.h"
#include "presentation/country_flags.h"
#include "presentation/word_table.h"
#include "qt_test_app.h"

namespace kesp {
namespace {

TEST(Countries, ListsHaveTheirSizesAndEveryCodeRoundTrips) {
    const int sizes[kContinentCount] = {48, 51, 35, 14, 23, 54};
    std::set<std::string> wires;
    for (int continent = 1; continent <= kContinentCount; ++continent) {
        EXPECT_EQ(CountryCount(continent), sizes[continent - 1]);
        for (int index = 0; index <= CountryCount(continent); ++index) {
            const auto code = CountryCodeText({continent, index});
            ASSERT_TRUE(code);
            EXPECT_EQ(ParseCountryCode(*code), (CountryCode{continent, index}));
            const std::string wire = CountryWireName({continent, index});
            EXPECT_LE(wire.size(), 15u) << wire;
            EXPECT_EQ(wire.find(' '), std::string::npos) << wire;
            if (index > 0) {
                EXPECT_TRUE(wires.insert(wire).second) << "wire name twice: " << wire;
            }
        }
    }
    EXPECT_EQ(CountryCount(0), 0);
    EXPECT_EQ(CountryCount(7), 0);
}

TEST(Countries, NamesWireNamesAndFlags) {
    struct Case {
        const char* code;
        const char* english;
        const char* russian;
        const char* wire;
        const char* iso;
    } cases[] = {
        {"1-001", "Russia", "Россия", "Russia", "ru"},
        {"1-007", "Bosnia & Herzegovina", "Босния и Герцеговина", "Bosnia_Herz.", "ba"},
        {"1-010", "Czech Republic", "Чехия", "Czech_Republic", "cz"},
        {"1-048", "United Kingdom", "Великобритания", "United_Kingdom", "gb"},
        {"1-019", "Guernsey", "Гернси", "Guernsey", ""},
        {"2-048", "United Arab Emirates", "Объединённые Арабские Эмираты", "UAE", "ae"},
        {"3-031", "Saint Vincent and the Grenadines", "Сент-Винсент и Гренадины", "S.V._Grenadines", "vc"},
        {"3-034", "USA", "США", "USA", "us"},
        {"4-013", "Uruquay", "Уругвай", "Uruquay", "uy"},
        {"5-023", "Wallis and Futuna", "Уоллис и Футуна", "Wallis-Futuna", "wf"},
        {"6-012", "Congo Republic", "Республика Конго", "Congo_Republic", "cg"},
        {"6-013", "Congo Democratic Republic", "Демократическая Республика Конго", "Congo_DR", "cd"},
        {"6-024", "Ivory Coast (Cote Divoire)", "Кот-д'Ивуар", "Cote_Divoire", "ci"},
        {"6-054", "Zimbabwe", "Зимбабве", "Zimbabwe", "zw"},
        {"2-000", "Unknown", "Неизвестно", "Unknown", ""},
    };
    for (const Case& c : cases) {
        const auto country = ParseCountryCode(c.code);
        ASSERT_TRUE(country) << c.code;
        EXPECT_EQ(CountryEnglishName(*country), c.english);
        EXPECT_EQ(CountryRussianName(*country), c.russian);
        EXPECT_EQ(CountryWireName(*country), c.wire);
        EXPECT_EQ(CountryIsoCode(*country), c.iso);
        if (country->index > 0) {
            EXPECT_EQ(CountryByWireName(c.wire), country);
        }
        EXPECT_EQ(CountryName(c.code, kEnglish), QString::fromUtf8(c.english));
        EXPECT_EQ(CountryName(c.code, kRussian), QString::fromUtf8(c.russian));
        EXPECT_EQ(CountryName(c.code, 5), QString::fromUtf8(c.english)) << "other languages show English";
    }
}

TEST(Countries, MalformedCodesAreRefusedAndShowUnknown) {
    for (const char* bad :
         {"", "1-01", "1-0011", "0-001", "7-001", "1_001", "1-049", "2-052", "a-001", "1-0a1"}) {
        EXPECT_FALSE(ParseCountryCode(bad)) << bad;
        EXPECT_EQ(CountryName(bad, kEnglish), "Unknown") << bad;
    }
    EXPECT_FALSE(CountryCodeText({1, 49}));
    EXPECT_FALSE(CountryByWireName("Atlantis"));
}

TEST(CountryFlags, EveryCountryWithAnIsoCodeHasItsPackedFlag) {
    test::App();
    for (int continent = 1; continent <= kContinentCount; ++continent)
        for (int index = 1; index <= CountryCount(continent); ++index) {
            const std::string_view iso = CountryIsoCode({continent, index});
            if (iso.empty()) continue;
            EXPECT_FALSE(
                QPixmap(":/flags/" + QString::fromLatin1(iso.data(), int(iso.size())) + ".png").isNull())
                << iso;
        }
}

TEST(CountryFlags, FlagsAreScaledAndUnknownIsNeutral) {
    test::App();
    const QImage russia = CountryFlag("1-001", 22).toImage();
    ASSERT_EQ(russia.size(), QSize(32, 22));
    // White above red.
    EXPECT_GT(qGray(russia.pixel(16, 2)), 200);
    EXPECT_GT(qRed(russia.pixel(16, 19)), 150);
    EXPECT_LT(qGreen(russia.pixel(16, 19)), 100);
    const QImage unknown = CountryFlag("1-000", 22).toImage();
    const QImage guernsey = CountryFlag("1-019", 22).toImage();
    const QImage garbage = CountryFlag("zz", 22).toImage();
    EXPECT_EQ(unknown, guernsey);
    EXPECT_EQ(unknown, garbage);
    EXPECT_NE(unknown, russia);
    EXPECT_EQ(CountryFlag("1-001", 0).height(), 1);
}

}  // namespace
}  // namespace kesp
