#include "windows/end_game_window.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "tests/windows/window_test_support.h"

namespace kesp {
namespace {

using testing::App;
using testing::CountColour;

const QColor kPurple(128, 0, 128);
const QColor kDarkRed(128, 0, 0);
const QColor kNavy(0, 0, 128);
const QColor kGreen(0, 128, 0);

QRect LineBand(int line) {
    return {0, TFormEndGame::LineTop(line), TFormEndGame::PictureTextLeft + TFormEndGame::PictureTextRight,
            40};
}
QRect MedalArea() {
    return {TFormEndGame::MedalAt, QSize(104, 104)};
}

TEST(EndGameWindow, ThreeVariantsByPlace) {
    App();
    const struct {
        int place;
        bool networkMode;
        QString sound;
        std::array<QString, 4> lines;
        QColor colour;  // of lines 1, 2 and 4; line 3 is green
        bool medal;
        QString screenshot;
    } cases[] = {
        {1,
         false,
         "WFiBest",
         {"CONGRATULATIONS!!!", "Your result - the best!", "Result: 120",
          "You become a Master of the Order!"},
         kPurple,
         true,
         "end_game_best"},
        {1,
         true,
         "WFiBest",
         {"CONGRATULATIONS!!!", "Your result - the best!", "Result: 120",
          "You become a Bachelor of the Order!"},
         kPurple,
         true,
         "end_game_best_network"},
        {2,
         false,
         "WFiGood",
         {"CONGRATULATIONS!!!", "Good result!", "Result: 120", "You have hitted in top ten players!"},
         kDarkRed,
         true,
         "end_game_good"},
        {10,
         false,
         "WFiGood",
         {"CONGRATULATIONS!!!", "Good result!", "Result: 120", "You have hitted in top ten players!"},
         kDarkRed,
         true,
         ""},
        {0,
         false,
         "WFiBads",
         {"Our regrets...", "Your result keeps to wish best", "Result: 120",
          "You have not hitted in ten best players..."},
         kNavy,
         false,
         "end_game_bad"},
        {11,
         false,
         "WFiBads",  // no place in the ten counts as none
         {"Our regrets...", "Your result keeps to wish best", "Result: 120",
          "You have not hitted in ten best players..."},
         kNavy,
         false,
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.place);
        Settings settings;
        settings.NetworkMode = c.networkMode;
        TFormEndGame window(settings, c.place, 120);
        QSignalSpy sounds(&window, &TFormEndGame::SoundRequested);
        window.show();
        window.hide();
        window.show();
        ASSERT_EQ(sounds.count(), 1) << "the sound plays once, as the window opens";
        EXPECT_EQ(sounds.at(0).at(0).toString(), c.sound);
        EXPECT_EQ(window.SoundName(), c.sound);
        EXPECT_EQ(window.windowTitle(), "The completion of game");
        for (int i = 0; i < 4; ++i) EXPECT_EQ(window.LineText(i), c.lines[static_cast<std::size_t>(i)]) << i;

        const QImage& picture = window.Picture();
        for (int i : {0, 1, 3}) EXPECT_GT(CountColour(picture, LineBand(i), c.colour), 20) << "line " << i;
        EXPECT_GT(CountColour(picture, LineBand(2), kGreen), 20);
        EXPECT_EQ(CountColour(picture, LineBand(2), c.colour), 0);
        const QColor background = picture.pixelColor(MedalArea().center());
        if (c.medal)
            EXPECT_NE(background, picture.pixelColor(20, MedalArea().center().y())) << "a medal is drawn";
        else
            EXPECT_EQ(background, picture.pixelColor(20, MedalArea().center().y())) << "no medal";
        if (!c.screenshot.isEmpty()) testing::SaveScreenshot(window, c.screenshot);
        QTest::mouseClick(window.OkButton(), Qt::LeftButton);
        EXPECT_FALSE(window.isVisible());
    }
}

TEST(EndGameWindow, TheMedalCarriesThePlace) {
    App();
    Settings settings;
    const QImage second = TFormEndGame(settings, 2, 50).Picture().copy(MedalArea());
    const QImage tenth = TFormEndGame(settings, 10, 50).Picture().copy(MedalArea());
    const QImage secondAgain = TFormEndGame(settings, 2, 70).Picture().copy(MedalArea());
    EXPECT_NE(second, tenth);
    EXPECT_EQ(second, secondAgain);
}

TEST(EndGameWindow, LinesUseTheirFontHeights) {
    App();
    Settings settings;
    // Ink height of a line: rows in its band that hold any of its colour.
    auto inkRows = [](const QImage& picture, int line, QColor colour) {
        int rows = 0;
        const QRect band = LineBand(line);
        for (int y = band.top(); y <= band.bottom(); ++y)
            rows += CountColour(picture, QRect(band.left(), y, band.width(), 1), colour) > 0;
        return rows;
    };
    TFormEndGame best(settings, 1, 77);
    TFormEndGame bad(settings, 0, 77);
    // 32-pixel headings against 22- and 20-pixel closing lines.
    EXPECT_GT(inkRows(best.Picture(), 0, kPurple), inkRows(best.Picture(), 3, kPurple));
    EXPECT_GT(inkRows(bad.Picture(), 0, kNavy), inkRows(bad.Picture(), 3, kNavy));
    // The best result's score line is 28 high, the bad one's 20.
    EXPECT_GT(inkRows(best.Picture(), 2, kGreen), inkRows(bad.Picture(), 2, kGreen));
}

TEST(EndGameWindow, ShowEndOfGameHandsTheSoundToTheCaller) {
    App();
    Settings settings;
    QString played;
    QTimer::singleShot(0, [] {
        if (auto* window = QApplication::activeModalWidget()) QTest::keyClick(window, Qt::Key_Escape);
    });
    ShowEndOfGame(nullptr, settings, TopTenPlace{3, 99}, [&played](const QString& sound) { played = sound; });
    EXPECT_EQ(played, "WFiGood");
}

}  // namespace
}  // namespace kesp
