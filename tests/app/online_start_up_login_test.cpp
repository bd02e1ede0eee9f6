// The start-up login from the saved login in the folder above the program.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QtTest/QTest>

#include "../network/service_process.h"
#include "app/main_window.h"
#include "network/online_requests.h"
#include "network/service_cipher.h"
#include "records/user_file.h"
#include "window_fixture.h"

namespace kesp {
namespace {

using namespace test;

TEST(StartUpLogin, TheSavedLoginLogsInAndTheMenuShowsTheYellowLamp) {
    ServiceProcess service;
    ASSERT_FALSE(service.base().empty());
    {
        ServiceClient client;
        TZunUser user;
        user.Nick = "Olga";
        user.Pw = "ab-cd";
        user.City = "Riga";
        user.Country1 = "Latvia";
        user.Country2 = "1-026";
        user.EMail = "olga@example.org";
        ASSERT_EQ(CreateAccount(client, AddressesUnderBase(service.base()).account, user, "10.12.2026"),
                  CreateResult::Created);
    }
    QTemporaryDir root;
    const std::string program = ProgramFolderBelow(root);
    ASSERT_FALSE(program.empty());
    // The stored password has a blank where the account's has '-'.
    ASSERT_TRUE(WriteUserFile(UserFilePath(program), {"Olga", Encipher("ab cd", CipherKey::UserPassword)}));

    qputenv("KESP_SERVICE", QByteArray::fromStdString(service.base()));
    ModalAnswerer answerer;
    TForm1 window(program);
    qunsetenv("KESP_SERVICE");
    window.show();
    ASSERT_TRUE(WaitFor([&] { return window.CurrentScreen() == TForm1::Screen::Title; }));
    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(300, 300));
    ASSERT_EQ(window.CurrentScreen(), TForm1::Screen::Menu);
    auto* account = window.findChild<QLabel*>("ImAc");
    ASSERT_TRUE(account);
    // The login answers while the menu shows; its picture follows.
    ASSERT_TRUE(WaitFor([&] { return account->toolTip() == "You are logged in to your account!"; }, 20000));
    EXPECT_TRUE(window.Account().LoggedIn());
    EXPECT_EQ(window.Account().User().City, "Riga");
    const QColor lamp = account->pixmap().toImage().pixelColor(36, 12);
    EXPECT_GT(lamp.red(), 150);
    EXPECT_GT(lamp.green(), 150);
    EXPECT_LT(lamp.blue(), 100);
    window.close();
}

}  // namespace
}  // namespace kesp
