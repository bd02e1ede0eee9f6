#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QtTest/QTest>

#include "app/main_window.h"
#include "records/club.h"
#include "window_fixture.h"

namespace kesp {
using namespace test;

namespace {
QAction* Item(TForm1& window, const char* name) {
    return window.findChild<QAction*>(QString::fromLatin1(name));
}
}  // namespace

TEST(TableMenu, ItemsFollowTheGameAndTheRenameStoresTheMemberAgain) {
    QTemporaryDir dir;
    const QString folder = ProgramFolder(dir);
    const std::string club = (folder + "Kesp.clb").toStdString();
    ClubMember anna{"Anna", 2 * RatingUnit, 7, 40, EncodePassword("pw")};
    ASSERT_FALSE(StoreMember(club, anna, false, true).Message.has_value());

    ModalAnswerer answerer(QStringLiteral("Rita"), QStringLiteral("new"));  // the rename's login

    TForm1 window(folder.toStdString());
    window.show();
    ASSERT_TRUE(WaitFor([&] { return window.CurrentScreen() == TForm1::Screen::Title; }));
    EXPECT_FALSE(Item(window, "Quit")->isEnabled());
    EXPECT_FALSE(Item(window, "ChangeName")->isEnabled());

    const auto member = ReadMember(club, 1);
    ASSERT_TRUE(member.has_value());
    window.StartGame(1, *member);
    EXPECT_TRUE(Item(window, "Quit")->isEnabled());
    EXPECT_TRUE(Item(window, "GenCount")->isEnabled());
    ASSERT_TRUE(Item(window, "ChangeName")->isEnabled());

    Item(window, "ChangeName")->trigger();
    const auto renamed = ReadMember(club, 1);
    ASSERT_TRUE(renamed.has_value());
    EXPECT_TRUE(renamed->Name.starts_with("Rita"));
    EXPECT_EQ(renamed->Games, 7);
    EXPECT_EQ(renamed->Total, 40);
    EXPECT_EQ(renamed->Rating, 2 * RatingUnit);
    EXPECT_TRUE(PasswordMatches("new", renamed->PasswordCode));

    Item(window, "GenCount")->trigger();
    Item(window, "MSpeed")->trigger();
    EXPECT_TRUE(answerer.windows.contains("kesp::TFormCount")) << answerer.windows.join(",").toStdString();
    EXPECT_TRUE(answerer.windows.contains("kesp::TFormSpeed")) << answerer.windows.join(",").toStdString();

    Item(window, "Quit")->trigger();  // leaving the game costs the member his place
    ASSERT_TRUE(WaitFor([&] { return window.CurrentScreen() == TForm1::Screen::Menu; }));
    EXPECT_FALSE(ReadMember(club, 1).has_value());
    EXPECT_FALSE(Item(window, "Quit")->isEnabled());
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("BHistory")), Qt::LeftButton);
    EXPECT_TRUE(answerer.windows.contains("kesp::TFHistory")) << answerer.windows.join(",").toStdString();
    window.close();
}

}  // namespace kesp
