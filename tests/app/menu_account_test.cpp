// The main menu's account and tournament pictures.
#include <gtest/gtest.h>

#include <QLabel>
#include <QtTest/QTest>

#include "app/main_window.h"
#include "window_fixture.h"

namespace kesp {
namespace {

using namespace test;

TEST(MenuAccount, AccountPictureShowsTheLampAndOpensTheWindowTournamentAsksForALogin) {
    QTemporaryDir dir;
    const std::string folder = ProgramFolder(dir).toStdString();
    Settings purple;  // the library's design, but no graphics library beside the program
    purple.LibraryDesign = true;
    purple.WindowDesign = 3;
    ASSERT_EQ(SaveSettings(purple, folder, false), SettingsSave::kWritten);
    ModalAnswerer answerer;
    TForm1 window(folder);
    ToMenu(window);

    auto* account = window.findChild<QLabel*>("ImAc");
    auto* tournament = window.findChild<QLabel*>("ImTR");
    ASSERT_TRUE(account && tournament);
    ASSERT_TRUE(account->isVisible() && tournament->isVisible());
    EXPECT_EQ(account->toolTip(), "You are not logged in to your account!");
    // Logged out: the red lamp in the picture's upper right quarter.
    const QImage picture = account->pixmap().toImage();
    ASSERT_EQ(picture.size(), QSize(48, 48));
    const QColor lamp = picture.pixelColor(36, 12);
    EXPECT_GT(lamp.red(), 150);
    EXPECT_LT(lamp.green(), 100);
    window.grab().save(QStringLiteral(KESP_BUILD_DIR "/screenshot-menu-account.png"));
    EXPECT_NE(MenuAccountPictures::AccountPicture(LoginState::LoggedIn).toImage(), picture);

    QTest::mouseClick(tournament, Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] { return answerer.windows.contains("kesp::TMessageWindow"); }));
    QTest::mouseClick(account, Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] { return answerer.windows.contains("kesp::TFormAccount"); }));
    EXPECT_FALSE(window.CurrentSettings().LibraryDesign);  // the account window's background is missing
    EXPECT_EQ(window.CurrentSettings().WindowDesign, 2);
    ASSERT_TRUE(WaitFor([&] { return !QApplication::activeModalWidget(); }));
    EXPECT_EQ(window.CurrentScreen(), TForm1::Screen::Menu);
    EXPECT_TRUE(account->isVisible());
    window.close();
}

}  // namespace
}  // namespace kesp
