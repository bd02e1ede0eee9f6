#include "windows/top_ten_window.h"

#include <QTest>

#include "tests/windows/window_test_support.h"

namespace kesp {
namespace {

using testing::App;
using testing::CountColour;

const QColor kRed(255, 0, 0);
const QColor kNavy(0, 0, 128);
const QColor kDarkRed(128, 0, 0);

QRect PlaceBand(int place) {
    return {60, TFormTopTen::PlaceTop(place), 330, 28};
}

TEST(TopTenWindow, DrawsTheTenPlacesOfTheClubFileTopThreeInRed) {
    App();
    testing::ClubFolder folder;
    ClubFile club = testing::SampleClub();
    club.Line[7] = FormatTopTenLine("  Padded Name", 120);
    const std::string path = folder.Write(LocalClubFileName, club);
    Settings settings;
    TFormTopTen window(settings, path);
    window.show();

    ASSERT_TRUE(window.ClubRead());
    EXPECT_EQ(window.Rows()[0].Name, "Top1");
    EXPECT_EQ(window.Rows()[0].Score, "150");
    EXPECT_EQ(window.Rows()[1].Name, "Padded Name");
    EXPECT_EQ(window.Rows()[9].Name, "Top10");
    EXPECT_EQ(window.Rows()[9].Score, "30");
    EXPECT_EQ(window.windowTitle(), "Top Ten");

    const QImage& picture = window.Picture();
    EXPECT_GT(CountColour(picture, QRect(0, 85, TFormTopTen::PictureTextWidth, 28), kDarkRed), 20)
        << "the title";
    for (int place = 1; place <= TopTenCount; ++place) {
        const bool top = place <= 3;
        EXPECT_GT(CountColour(picture, PlaceBand(place), top ? kRed : kNavy), 20) << place;
        EXPECT_EQ(CountColour(picture, PlaceBand(place), top ? kNavy : kRed), 0) << place;
        // The score is right-aligned to x 380: ink just left of it, none beyond it.
        const QRect scoreEnd(360, TFormTopTen::PlaceTop(place), 21, 28);
        const QRect beyond(383, TFormTopTen::PlaceTop(place), 60, 28);
        EXPECT_GT(CountColour(picture, scoreEnd, top ? kRed : kNavy), 0) << place;
        EXPECT_EQ(CountColour(picture, beyond, top ? kRed : kNavy), 0) << place;
    }
    // The built-in animations play: the cup and the local club's emblem.
    EXPECT_EQ(window.RunningAnimations(), 2);
    testing::SaveScreenshot(window, "top_ten_local");
}

TEST(TopTenWindow, ALongNameDoesNotRunIntoTheScore) {
    App();
    testing::ClubFolder folder;
    ClubFile club = testing::SampleClub();
    club.Line[10] = FormatTopTenLine("WWWWWWWWWWWWWWWWWWWW", 80);
    Settings settings;
    settings.NetworkMode = true;
    TFormTopTen window(settings, folder.Write(NetworkClubFileName, club));
    window.show();
    EXPECT_EQ(CountColour(window.Picture(), QRect(306, TFormTopTen::PlaceTop(5), 40, 28), kNavy), 0);
    testing::SaveScreenshot(window, "top_ten_network");
}

TEST(TopTenWindow, AClubThatCannotBeReadShowsEmptyPlaces) {
    App();
    testing::ClubFolder folder;
    ClubFile damaged = testing::SampleClub();
    std::string bytes = ClubFileBytes(damaged);
    bytes[3] = 'x';  // a name changed without new checksums
    const std::string path = folder.Dir() + "Kesp.clb";
    ASSERT_TRUE(WriteFileAtomically(path, bytes));
    for (const std::string& file : {path, folder.Dir() + "missing.clb"}) {
        Settings settings;
        TFormTopTen window(settings, file);
        window.show();
        EXPECT_FALSE(window.ClubRead());
        for (const TopTenRow& row : window.Rows()) EXPECT_TRUE(row.Name.empty());
        EXPECT_EQ(window.Rows()[9].Place, 10);
    }
}

TEST(TopTenWindow, OkAndEscapeClose) {
    App();
    testing::ClubFolder folder;
    const std::string path = folder.Write(LocalClubFileName, testing::SampleClub());
    Settings settings;
    TFormTopTen byOk(settings, path);
    byOk.show();
    QTest::mouseClick(byOk.OkButton(), Qt::LeftButton);
    EXPECT_FALSE(byOk.isVisible());

    TFormTopTen byEscape(settings, path);
    byEscape.show();
    QTest::keyClick(&byEscape, Qt::Key_Escape);
    EXPECT_FALSE(byEscape.isVisible());
}

}  // namespace
}  // namespace kesp
