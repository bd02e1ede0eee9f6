// The main menu's world top ten picture: where it sits and which list it opens.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QtTest/QTest>

#include "app/main_window.h"
#include "presentation/message_window.h"
#include "records/settings.h"
#include "window_fixture.h"
#include "windows/world_top_ten_window.h"

namespace kesp {
namespace {

using namespace test;

TFormWorldTopTen* OpenedList(TForm1& window) {
    TFormWorldTopTen* list = nullptr;
    WaitFor([&] { return (list = window.findChild<TFormWorldTopTen*>()) && list->isVisible(); });
    return list;
}

void CloseList(TForm1& window, TFormWorldTopTen* list) {
    list->close();
    ASSERT_TRUE(WaitFor([&] { return !window.findChild<TFormWorldTopTen*>(); }));
}

// The picture's place for every window size, with and without the calendar: clear of the
// buttons, the side pictures, the calendar and the menu clocks.
TEST(MenuWorldTopTen, PictureFindsAFreePlaceInEveryWindowSize) {
    for (int size = 1; size <= 5; ++size)
        for (bool calendar : {false, true}) {
            const QSize client = ClientSizeFor(size, QSize(1900, 1150));
            const WindowScales scales = ScalesForClient(client);
            QWidget menu;
            menu.resize(client);
            Localisation words;
            MenuAccountPictures pictures(menu, words);
            pictures.Show(scales, LoginState::LoggedOut);
            const QRect picture = pictures.WorldTopTenLabel()->geometry();
            const MenuGeometry m = LayoutMainMenu(scales, size, client, calendar);
            EXPECT_TRUE(QRect(QPoint(0, 0), client).contains(picture)) << size;
            std::vector<QRect> taken = {m.caption,
                                        m.options,
                                        m.mode,
                                        m.exit,
                                        m.newPlayer,
                                        m.animatedRight,
                                        pictures.TournamentLabel()->geometry()};
            // The side pictures, the calendar and the clocks show only in the large windows.
            if (m.panelsShown) taken.insert(taken.end(), {m.sideRight, m.calendarRight, m.clock, m.counter});
            for (const QRect& other : taken)
                EXPECT_FALSE(picture.intersects(other)) << "size " << size << " calendar " << calendar;
        }
}

TEST(MenuWorldTopTen, PictureStaysClearOfTheMenuAndOpensTheLastCycleList) {
    QTemporaryDir dir;
    TForm1 window(ProgramFolder(dir).toStdString());
    ToMenu(window);

    auto* picture = window.findChild<QLabel*>("ImageAdvR2");
    ASSERT_TRUE(picture && picture->isVisible());
    EXPECT_EQ(picture->pixmap().size(), QSize(48, 48));
    EXPECT_FALSE(picture->geometry().intersects(window.MenuLayout().clock));
    EXPECT_FALSE(picture->geometry().intersects(window.MenuLayout().counter));
    for (QWidget* other : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (other != picture && other->isVisible()) {
            EXPECT_FALSE(picture->geometry().intersects(other->geometry()))
                << other->objectName().toStdString();
        }
    }
    window.grab().save(QStringLiteral(KESP_BUILD_DIR "/screenshot-menu-world-top-ten.png"));

    // Until the configuration document cleared the pause, only the message shows.
    ASSERT_TRUE(window.Online().WorldTopTenPaused());
    QTest::mouseClick(picture, Qt::LeftButton);
    TMessageWindow* message = nullptr;
    ASSERT_TRUE(
        WaitFor([&] { return (message = window.findChild<TMessageWindow*>()) && message->isVisible(); }));
    QStringList lines;
    for (QLabel* line : message->findChildren<QLabel*>()) lines << line->text();
    EXPECT_TRUE(lines.contains("World Top Ten Tournament is temporarily unavailable!"))
        << lines.join('|').toStdString();
    EXPECT_FALSE(window.findChild<TFormWorldTopTen*>());
    message->close();
    // A document that cannot be read pauses nothing.
    bool configured = false;
    window.Online().ReadConfiguration([&] { configured = true; });
    ASSERT_TRUE(WaitFor([&] { return configured; }, 30000));
    ASSERT_FALSE(window.Online().WorldTopTenPaused());

    // First opening: the Windows list; a cycle list chosen there is opened again, a club list is not.
    QTest::mouseClick(picture, Qt::LeftButton);
    TFormWorldTopTen* list = OpenedList(window);
    ASSERT_TRUE(list);
    EXPECT_EQ(list->List(), kWindowsCycleList);
    list->ShowList(kAccountCycleList);
    CloseList(window, list);
    QTest::mouseClick(picture, Qt::LeftButton);
    ASSERT_TRUE(list = OpenedList(window));
    EXPECT_EQ(list->List(), kAccountCycleList);
    QTest::mouseClick(list->ListButton(kLocalClubList), Qt::LeftButton);
    CloseList(window, list);
    QTest::mouseClick(picture, Qt::LeftButton);
    ASSERT_TRUE(list = OpenedList(window));
    EXPECT_EQ(list->List(), kWindowsCycleList);
    CloseList(window, list);
    ModalAnswerer answerer;  // the closing question
    window.close();
}

// With the library design "Top Ten" opens the local club's list of the world top ten window.
TEST(MenuWorldTopTen, TopTenWithTheLibraryDesignOpensTheClubList) {
    QTemporaryDir dir;
    const std::string folder = ProgramFolder(dir).toStdString();
    Settings stored;
    stored.LibraryDesign = true;
    SaveSettings(stored, folder, false);
    auto startUpAnswerer = std::make_unique<ModalAnswerer>();  // messages of the start-up, if any
    TForm1 window(folder);
    ToMenu(window);
    startUpAnswerer.reset();
    ASSERT_TRUE(window.CurrentSettings().LibraryDesign);
    auto* topTen = window.findChild<QPushButton*>("Button9");
    ASSERT_TRUE(topTen);
    topTen->click();
    TFormWorldTopTen* list = OpenedList(window);
    ASSERT_TRUE(list);
    EXPECT_EQ(list->List(), kLocalClubList);
    EXPECT_EQ(list->Panel().Content().Lines.size(), 10u);
    CloseList(window, list);
    ModalAnswerer answerer;
    window.close();
}

}  // namespace
}  // namespace kesp
