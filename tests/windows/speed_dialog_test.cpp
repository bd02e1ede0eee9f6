#include "windows/speed_dialog.h"

#include <QTest>

#include "tests/windows/window_test_support.h"

namespace kesp {
namespace {

using testing::App;

TEST(SpeedDialog, EveryMoveSetsSpeedAndTheCloseBoxKeepsIt) {
    App();
    Settings settings;
    settings.Speed = 2;
    TFormSpeed dialog(settings);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Choice of speed");
    EXPECT_EQ(dialog.Text(), "Select a flight speed of cards:");
    EXPECT_EQ(dialog.TrackBar()->minimum(), 1);
    EXPECT_EQ(dialog.TrackBar()->maximum(), 6);
    EXPECT_EQ(dialog.TrackBar()->value(), 2);
    testing::SaveScreenshot(dialog, "speed_start");

    dialog.TrackBar()->setFocus();
    QTest::keyClick(dialog.TrackBar(), Qt::Key_Right);
    EXPECT_EQ(settings.Speed, 3);  // at once, before the dialog closes
    QTest::keyClick(dialog.TrackBar(), Qt::Key_End);
    EXPECT_EQ(settings.Speed, 6);
    testing::SaveScreenshot(dialog, "speed_six");

    dialog.close();  // the window's close box
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(settings.Speed, 6);
}

TEST(SpeedDialog, ADamagedSpeedStartsAtTheNearestEndAndOkCloses) {
    App();
    Settings settings;
    settings.Speed = 40;
    TFormSpeed dialog(settings);
    dialog.show();
    EXPECT_EQ(dialog.TrackBar()->value(), 6);
    QTest::keyClick(dialog.TrackBar(), Qt::Key_Home);
    EXPECT_EQ(settings.Speed, 1);
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(settings.Speed, 1);
}

TEST(SpeedDialog, TheIconsFrameIntervalFollowsTheSpeed) {
    const int expected[] = {110, 95, 80, 65, 40, 25};
    for (int speed = 1; speed <= 6; ++speed) EXPECT_EQ(SpeedFrameInterval(speed), expected[speed - 1]);
    EXPECT_EQ(SpeedFrameInterval(0), 110);
    EXPECT_EQ(SpeedFrameInterval(99), 25);
}

}  // namespace
}  // namespace kesp
