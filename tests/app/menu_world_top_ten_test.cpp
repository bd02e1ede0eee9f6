// The main menu's world top ten picture: where it sits and which list it opens.
#include <gtest/gtest.h>

#include <QLabel>
#include <QtTest/QTest>

#include "app/main_window.h"
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

TEST(MenuWorldTopTen, PictureStaysClearOfTheMenuAndOpensTheLastCycleList) {
    QTemporaryDir dir;
    TForm1 window(ProgramFolder(dir).toStdString());
    window.show();
    ASSERT_TRUE(WaitFor([&] { return window.CurrentScreen() == TForm1::Screen::Title; }));
    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(300, 300));
    ASSERT_EQ(window.CurrentScreen(), TForm1::Screen::Menu);

    auto* picture = window.findChild<QLabel*>("ImageAdvR2");
    ASSERT_TRUE(picture && picture->isVisible());
    EXPECT_EQ(picture->pixmap().size(), QSize(48, 48));
    EXPECT_FALSE(picture->geometry().intersects(window.MenuLayout().clock));
    EXPECT_FALSE(picture->geometry().intersects(window.MenuLayout().counter));
    for (QWidget* other : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (other != picture && other->isVisible())
            EXPECT_FALSE(picture->geometry().intersects(other->geometry()))
                << other->objectName().toStdString();
    window.grab().save(QStringLiteral(KESP_BUILD_DIR "/screenshot-menu-world-top-ten.png"));

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
    window.close();
}

}  // namespace
}  // namespace kesp
