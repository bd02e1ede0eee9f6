// The wait window of a local-network game: its lines, which of OK and Cancel may close it, and the
// one-second tick that tells a client there is no game.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QtTest/QTest>

#include "app/wait_window.h"

namespace kesp {
namespace {

TEST(WaitWindow, TheHostSeesEachSeatedPlayerAndMayStartButNoLongerCancel) {
    Localisation words;
    FontRoles fonts;
    WaitWindow wait(fonts, words, [] { return false; });
    QSignalSpy confirmed(&wait, &WaitWindow::Confirmed);
    QSignalSpy cancelled(&wait, &WaitWindow::Cancelled);
    wait.Begin(WordKey::WaitingForOtherPlayers);
    wait.show();
    EXPECT_EQ(wait.Line(1)->text(), "Expectation of connection of other players...");
    for (int n = 2; n <= 4; ++n) EXPECT_FALSE(wait.Line(n)->isVisible());
    EXPECT_FALSE(wait.OkButton()->isEnabled());
    wait.accept();  // Enter while nobody is seated
    EXPECT_TRUE(wait.isVisible());
    EXPECT_EQ(confirmed.count(), 0);

    wait.ShowSeated(2);
    EXPECT_TRUE(wait.Line(2)->isVisible());
    EXPECT_EQ(wait.Line(3)->text(), "The third player was connected...");
    EXPECT_TRUE(wait.Line(3)->isVisible());
    EXPECT_FALSE(wait.Line(4)->isVisible());
    EXPECT_FALSE(wait.CancelButton()->isEnabled());
    QTest::keyClick(&wait, Qt::Key_Escape);  // Cancel is off: Esc keeps the seated players
    EXPECT_TRUE(wait.isVisible());
    EXPECT_EQ(cancelled.count(), 0);

    QTest::mouseClick(wait.OkButton(), Qt::LeftButton);
    EXPECT_FALSE(wait.isVisible());
    EXPECT_TRUE(wait.StartFlag());
    EXPECT_EQ(confirmed.count(), 1);
}

TEST(WaitWindow, AClientWithoutAGameIsToldOnTheNextTickAndMayCancel) {
    Localisation words;
    FontRoles fonts;
    bool failed = false;
    WaitWindow wait(fonts, words, [&] { return failed; });
    QSignalSpy cancelled(&wait, &WaitWindow::Cancelled);
    wait.Begin(WordKey::ExpectationOfGame);
    wait.show();
    failed = true;
    EXPECT_EQ(wait.Line(1)->text(), "Expectation of game...");
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return wait.Line(1)->text() == "There are no accessible games"; }, 2500));
    QTest::keyClick(&wait, Qt::Key_Escape);
    EXPECT_FALSE(wait.isVisible());
    EXPECT_FALSE(wait.StartFlag());
    EXPECT_EQ(cancelled.count(), 1);
}

}  // namespace
}  // namespace kesp
