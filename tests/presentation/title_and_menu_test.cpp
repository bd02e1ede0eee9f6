#include <gtest/gtest.h>

#include "qt_test_app.h"

#include <QApplication>
#include <QDir>

#include "presentation/card_art.h"
#include "presentation/menu_clock.h"
#include "presentation/menu_layout.h"
#include "presentation/menu_painter.h"
#include "presentation/title_screen.h"
#include "presentation/words.h"

namespace kesp {
using test::App;
using test::ScreenshotDir;
namespace {

TEST(TitleScreen, LettersStartBy13PerLetterAndWideOrNarrowLettersShift) {
    EXPECT_EQ(TitleScreen::LetterPositions(QStringLiteral("KESP")), (std::vector<int>{329, 355, 381, 407}));
    EXPECT_EQ(TitleScreen::LetterPositions(QStringLiteral("ABCDEFGHJK")).front(), 251);
    // W moves the start 5 left and pushes what follows 8 right; I moves it 6 right and pulls 12.
    EXPECT_EQ(TitleScreen::LetterPositions(QStringLiteral("WIK")), (std::vector<int>{343, 377, 391}));
    // Q: 4 and 6; "-": 6 and 10; the Cyrillic wide letters like W.
    EXPECT_EQ(TitleScreen::LetterPositions(QStringLiteral("Q-A")), (std::vector<int>{344, 376, 392}));
    EXPECT_EQ(TitleScreen::LetterPositions(QString::fromUtf8("ЖА")), (std::vector<int>{350, 384}));
    // Longer names are cut to ten letters; an empty name draws nothing.
    EXPECT_EQ(TitleScreen::LetterPositions(QStringLiteral("ABCDEFGHJKLMN")).size(), 10u);
    EXPECT_TRUE(TitleScreen::LetterPositions(QString()).empty());
}

TEST(TitleScreen, ColoursMoveOnEveryTenTicksAndSuitsRunRound) {
    EXPECT_EQ(TitleScreen::LetterColour(0, 0), QColor(128, 0, 128));
    EXPECT_EQ(TitleScreen::LetterColour(2, 9), QColor(255, 128, 64));
    EXPECT_EQ(TitleScreen::LetterColour(1, 10), QColor(128, 0, 128))
        << "the first colour moved to the second letter";
    EXPECT_EQ(TitleScreen::LetterColour(0, 10), QColor(0, 255, 0)) << "lime came round to the first letter";
    EXPECT_EQ(TitleScreen::LetterColour(9, 100), TitleScreen::LetterColour(9, 0));

    EXPECT_EQ(TitleScreen::SuitPosition(0, 0), QPoint(155, 68));
    EXPECT_EQ(TitleScreen::SuitPosition(1, 0), QPoint(550, 68));
    EXPECT_EQ(TitleScreen::SuitPosition(2, 0), QPoint(550, 362));
    EXPECT_EQ(TitleScreen::SuitPosition(3, 0), QPoint(155, 362));
    EXPECT_EQ(TitleScreen::SuitPosition(0, 1), QPoint(156, 68));
    EXPECT_EQ(TitleScreen::SuitPosition(1, 10), QPoint(550, 78));
    EXPECT_EQ(TitleScreen::SuitPosition(2, 10), QPoint(540, 362));
    EXPECT_EQ(TitleScreen::SuitPosition(3, 294), QPoint(155, 68));
    EXPECT_EQ(TitleScreen::SuitPosition(0, 1378), QPoint(155, 68)) << "once round the whole way";
}

TEST(TitleScreen, FramePaintsTheNameAndTheSuitsMove) {
    App();
    Settings settings;
    CardArt art(settings, "/nonexistent/");
    art.LoadFaceDeck();
    const CardArtPictures pictures(art);
    TitleTexts texts{GameNameUpper(kEnglish), ReleaseDate(kEnglish), QStringLiteral("Kesp team"),
                     QStringLiteral("V 5.7f")};
    TitleScreen title(pictures, texts, {760, 500});
    const QImage first = title.Frame();
    EXPECT_EQ(first.size(), QSize(760, 500));
    EXPECT_EQ(first.pixel(5, 5), qRgb(0, 0, 0));
    // The first letter is purple.
    int purple = 0;
    for (int y = 175; y < 225; ++y)
        for (int x = 329; x < 355; ++x) purple += first.pixel(x, y) == qRgb(128, 0, 128) ? 1 : 0;
    EXPECT_GT(purple, 30);
    first.save(ScreenshotDir() + "/title.png");
    for (int i = 0; i < 25; ++i) title.Tick();
    const QImage later = title.Frame();
    EXPECT_NE(later.copy(155, 68, 60, 20), first.copy(155, 68, 60, 20));
    // A suit leaves no trail: where suit 0 started, after 25 ticks, the frame shows what it shows
    // there when no suit is near.
    TitleScreen far(pictures, texts, {760, 500});
    for (int i = 0; i < 200; ++i) far.Tick();
    EXPECT_EQ(later.copy(155, 68, 25, 20), far.Frame().copy(155, 68, 25, 20));
    // A tick reports the places the suits left and took.
    TitleScreen ticking(pictures, texts, {760, 500});
    const QRegion changed = ticking.Tick();
    EXPECT_TRUE(changed.contains(QRect(155, 68, 21, 20)));
    EXPECT_FALSE(changed.intersects(QRect(300, 240, 100, 80))) << "the still texts are not repainted";
    // A larger window shows the same picture centred.
    TitleScreen large(pictures, texts, {1520, 1000});
    EXPECT_EQ(large.Origin(), QPoint(380, 250));
    EXPECT_EQ(large.Frame().copy(380, 250, 760, 500), first);
}

TEST(MainMenu, SmallWindowGeometry) {
    const MenuGeometry m = LayoutMainMenu({}, window_size::Small, {760, 500}, false);
    EXPECT_EQ(m.caption, QRect(180, 12, 400, 70));
    EXPECT_EQ(m.header, QRect(205, 183, 350, 40));
    EXPECT_EQ(m.titlePicture, QRect(230, 85, 300, 90));
    EXPECT_EQ(m.clubHeader, QRect(180, 225, 400, 30));
    EXPECT_EQ(m.clubRows[0], QRect(180, 265, 400, 30));
    EXPECT_EQ(m.clubRows[4], QRect(180, 385, 400, 30));
    EXPECT_EQ(m.newPlayer, QRect(280, 425, 200, 30));
    EXPECT_EQ(m.topTen, QRect(40, 225, 100, 30));
    EXPECT_EQ(m.mode, QRect(620, 255, 100, 30));
    EXPECT_EQ(m.exit, QRect(330, 465, 100, 30));
    EXPECT_EQ(m.animatedRight, QRect(592, 290, 160, 200));
    EXPECT_EQ(m.sideLeft, QRect(60, 30, 100, 200));
    EXPECT_EQ(m.tickSymbols[4], QRect(641, 31, 20, 30));
    EXPECT_FALSE(m.panelsShown);
    const MenuGeometry calendar = LayoutMainMenu({}, window_size::Small, {760, 500}, true);
    EXPECT_EQ(calendar.sideLeft.x(), 40);
    EXPECT_EQ(calendar.sideRight.x(), 620);
    EXPECT_EQ(calendar.calendarRight, QRect(550, 95, 60, 100));
}

TEST(MainMenu, ClockAndCounterOnlyInLargeWindows) {
    EXPECT_FALSE(MenuPanelsShown(window_size::Average1, {990, 650}));
    EXPECT_TRUE(MenuPanelsShown(window_size::Average2, {1290, 850}));
    EXPECT_TRUE(MenuPanelsShown(window_size::Large, {1520, 1000}));
    EXPECT_TRUE(MenuPanelsShown(window_size::FullScreen, {1920, 1080}));
    EXPECT_FALSE(MenuPanelsShown(window_size::FullScreen, {1290, 850}));
    EXPECT_FALSE(MenuPanelsShown(window_size::FullScreen, {1366, 768}));
    // The largest window: the side picture at (170, 160), "Top Ten" below it at y 450, so the free
    // height is 90 and the clock's top 160 + 200 + 45 - 36.
    const MenuGeometry m =
        LayoutMainMenu(ScalesFor(window_size::Large, {}), window_size::Large, {1520, 1000}, false);
    EXPECT_EQ(m.sideLeft, QRect(170, 160, 100, 200));
    EXPECT_EQ(m.clock, QRect(163, 369, 115, 64));
    EXPECT_EQ(m.counter.x(), m.sideRight.x() - 7);
    EXPECT_EQ(m.exit, QRect(660, 930, 200, 60));
}

// In every window that shows them, the clock and the counter lie inside the window and clear of
// every button.
TEST(MainMenu, ClockAndCounterClearOfTheButtons) {
    const std::pair<int, QSize> windows[] = {{window_size::Average2, {1290, 850}},
                                             {window_size::Large, {1520, 1000}},
                                             {window_size::FullScreen, {1920, 1080}},
                                             {window_size::FullScreen, {1920, 1200}},
                                             {window_size::FullScreen, {2560, 1440}}};
    for (const auto& [size, client] : windows) {
        const MenuGeometry m = LayoutMainMenu(ScalesFor(size, client), size, client, false);
        ASSERT_TRUE(m.panelsShown && m.counterShown) << client.width();
        for (const QRect& panel : {m.clock, m.counter}) {
            EXPECT_TRUE(QRect(QPoint(0, 0), client).contains(panel)) << client.width();
            for (const QRect& button :
                 {m.topTen, m.history, m.options, m.mode, m.clubHeader, m.newPlayer, m.exit})
                EXPECT_FALSE(panel.intersects(button)) << client.width() << ": " << panel.y();
            for (const QRect& row : m.clubRows) EXPECT_FALSE(panel.intersects(row)) << client.width();
        }
    }
}

TEST(MainMenu, ButtonColoursByKindAndDesign) {
    const QColor yellow(255, 255, 0);
    EXPECT_EQ(MenuButtonColours(MenuButtonKind::ClubRow, false, false, false),
              (ButtonColours{TColorSB::DNavy, 0, QColor(0, 255, 255), yellow}));
    EXPECT_EQ(MenuButtonColours(MenuButtonKind::OwnRow, false, false, false).scheme, TColorSB::DNavy);
    EXPECT_EQ(MenuButtonColours(MenuButtonKind::OwnRow, false, false, true).scheme, TColorSB::DRed);
    EXPECT_EQ(MenuButtonColours(MenuButtonKind::Command, false, false, false),
              (ButtonColours{TColorSB::DRed, 0, QColor(255, 255, 255), yellow}));
    EXPECT_EQ(MenuButtonColours(MenuButtonKind::ClubHeader, false, true, false).text, QColor(0, 0, 255));
    EXPECT_EQ(MenuButtonColours(MenuButtonKind::ClubHeader, false, false, false).text, QColor(200, 255, 255));
    EXPECT_FALSE(MenuButtonColours(MenuButtonKind::ClubHeader, false, false, false).hoverText.isValid());
    EXPECT_EQ(MenuButtonColours(MenuButtonKind::ClubHeader, true, false, false),
              (ButtonColours{TColorSB::DCards, 50, QColor(128, 50, 50), QColor()}));
    EXPECT_EQ(MenuButtonColours(MenuButtonKind::Command, true, false, false, QColor(10, 20, 30)),
              (ButtonColours{TColorSB::DCards, 0, QColor(10, 20, 30), yellow}));
}

TEST(MainMenu, ClockColonBlinksInTheSecondHalfOfEachSecond) {
    EXPECT_FALSE(ClockColonShown(QTime(12, 34, 5, 0)));
    EXPECT_FALSE(ClockColonShown(QTime(12, 34, 5, 500)));
    EXPECT_TRUE(ClockColonShown(QTime(12, 34, 5, 501)));
    EXPECT_FALSE(ClockColonShown(QTime()));
    // The clock sleeps until its picture changes: at millisecond 501 and at the next whole second.
    EXPECT_EQ(MenuClock::MsecToNextChange(QTime(12, 34, 5, 0)), 501);
    EXPECT_EQ(MenuClock::MsecToNextChange(QTime(12, 34, 5, 500)), 1);
    EXPECT_EQ(MenuClock::MsecToNextChange(QTime(12, 34, 5, 501)), 499);
    EXPECT_EQ(MenuClock::MsecToNextChange(QTime(12, 34, 5, 999)), 1);
    App();
    Settings settings;
    CardArt art(settings, "/nonexistent/");
    const CardArtPictures pictures(art);
    const QImage bg(115, 64, QImage::Format_ARGB32_Premultiplied);
    const QImage withColon = DrawClockPanel(pictures, bg, QTime(9, 5, 0, 900));
    const QImage without = DrawClockPanel(pictures, bg, QTime(9, 5, 0, 100));
    EXPECT_NE(withColon.copy(55, 24, 5, 16), without.copy(55, 24, 5, 16));
    EXPECT_EQ(withColon.copy(0, 0, 50, 64), without.copy(0, 0, 50, 64));
    // Hour tens are left out when 0: 09:05 and 19:05 differ there.
    EXPECT_NE(DrawClockPanel(pictures, bg, QTime(19, 5)).copy(14, 15, 18, 34),
              DrawClockPanel(pictures, bg, QTime(9, 5)).copy(14, 15, 18, 34));
}

TEST(MainMenu, BackgroundScreenshots) {
    App();
    for (const int size : {window_size::Small, window_size::Large}) {
        Settings settings;
        CardArt art(settings, "/nonexistent/");
        const QSize client = ClientSizeFor(size, {});
        const WindowScales scales = ScalesFor(size, {});
        art.SetWindow(size, scales.s, client);
        art.LoadBackground(false);
        const CardArtPictures pictures(art);
        const MenuGeometry m = LayoutMainMenu(scales, size, client, false);
        MenuPictures banners{pictures.Picture(LocalisedResourceName(u"Cap", kEnglish).toStdString()),
                             pictures.Picture(LocalisedResourceName(u"Elite", kEnglish).toStdString())};
        const QImage menu = PaintMenuBackground(pictures, m, client, banners);
        EXPECT_EQ(menu.size(), client);
        menu.save(ScreenshotDir() + (size == window_size::Small ? "/menu_small.png" : "/menu_large.png"));
    }
}

}  // namespace
}  // namespace kesp
