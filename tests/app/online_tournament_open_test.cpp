// The menu's tournament picture opens the tournament window once the account is logged in.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QtTest/QTest>

#include "../network/online_players.h"
#include "../network/service_process.h"
#include "app/main_window.h"
#include "network/service_cipher.h"
#include "records/user_file.h"
#include "window_fixture.h"

namespace kesp {
namespace {

using namespace test;

TEST(TournamentOpen, TheTournamentPictureOpensTheWindowWhenLoggedIn) {
    const auto service = ServiceWithGameServer();
    ASSERT_TRUE(service);
    {
        ServiceClient client;
        TZunUser user = TablePlayerUser("Olga", 'W');
        ASSERT_EQ(CreateAccount(client, AddressesUnderBase(service->base()).account, user, "10.12.2026"),
                  CreateResult::Created);
    }
    QTemporaryDir root;
    const std::string program = ProgramFolderBelow(root);
    ASSERT_FALSE(program.empty());
    ASSERT_TRUE(WriteUserFile(UserFilePath(program), {"Olga", Encipher("secret1", CipherKey::UserPassword)}));

    qputenv("KESP_SERVICE", QByteArray::fromStdString(service->base()));
    TForm1 window(program);
    qunsetenv("KESP_SERVICE");
    window.show();
    ASSERT_TRUE(WaitFor([&] { return window.CurrentScreen() == TForm1::Screen::Title; }));
    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(300, 300));
    ASSERT_EQ(window.CurrentScreen(), TForm1::Screen::Menu);
    ASSERT_TRUE(WaitFor([&] { return window.Account().LoggedIn(); }, 20000));

    auto* tournament = window.findChild<QLabel*>("ImTR");
    ASSERT_TRUE(tournament);
    QTest::mouseClick(tournament, Qt::LeftButton);
    TFTour4* lobby = window.TournamentWindow();
    ASSERT_TRUE(lobby);
    EXPECT_TRUE(lobby->isVisible());
    EXPECT_EQ(lobby->windowModality(), Qt::WindowModal);
    ASSERT_TRUE(WaitFor([&] { return lobby->SeatButton(1, 1)->text() == "Take the place of"; }, 20000));
    ASSERT_TRUE(WaitFor([&] { return lobby->OwnRecord().IP == "127.0.0.1"; }, 20000));
    EXPECT_EQ(lobby->OwnRecord().Nick, "Olga");
    EXPECT_EQ(lobby->OwnRecord().Country, "1-049");
    QTest::mouseClick(tournament, Qt::LeftButton);  // a second click raises the same window
    EXPECT_EQ(window.TournamentWindow(), lobby);
    lobby->CloseButton()->click();
    ASSERT_TRUE(WaitFor([&] { return !window.TournamentWindow(); }));
    window.close();
}

}  // namespace
}  // namespace kesp
