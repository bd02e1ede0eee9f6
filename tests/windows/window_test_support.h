// Shared pieces of the window tests: one application object, a club file in a fresh folder and
// screenshots in the build folder.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QWidget>
#include <filesystem>
#include <string>

#include "records/atomic_file.h"
#include "records/club.h"

namespace kesp::testing {

// The application lives until the process ends: destroying it among the static objects at exit
// would outlive the test tool's own input devices.
inline QApplication& App() {
    static int argc = 1;
    static char name[] = "kesp-window-test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// A sound club: members Alice..Dave (password "pw", ratings 4..1), an empty fifth slot, and a top
// ten of 150, 120, 100, ... by Top1..Top10.
inline ClubFile SampleClub() {
    ClubFile club;
    const char* names[] = {"Alice", "Bob", "Carol", "Dave"};
    for (int i = 1; i <= 4; ++i)
        club.Line[i] =
            FormatMemberLine({names[i - 1], (5 - i) * RatingUnit, 7 * i, 10 * i, EncodePassword("pw")});
    club.Line[5] = EmptySlotLine();
    const int scores[] = {150, 120, 100, 90, 80, 70, 60, 50, 40, 30};
    for (int i = 0; i < 10; ++i)
        club.Line[6 + i] = FormatTopTenLine("Top" + std::to_string(i + 1), scores[i]);
    club.Line[16] = std::string(ClubMarker) + std::string(26, '#');
    club.Line[17] = "0     abc" + std::string(19, '0');
    return club;
}

// A folder of its own for each test, removed afterwards.
class ClubFolder {
  public:
    ClubFolder() {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string("kesp-windows-") + std::to_string(getpid()) + "-" +
                           test->test_suite_name() + "-" + test->name();
        for (char& c : name)
            if (c == '/') c = '_';
        dir_ = std::filesystem::temp_directory_path() / name;
        std::filesystem::create_directories(dir_);
    }
    ~ClubFolder() { std::filesystem::remove_all(dir_); }

    std::string Dir() const { return dir_.string() + "/"; }
    std::string Write(std::string_view fileName, const ClubFile& club) const {
        const std::string path = (dir_ / fileName).string();
        EXPECT_TRUE(WriteFileAtomically(path, ClubFileBytes(club)));
        return path;
    }

  private:
    std::filesystem::path dir_;
};

// Saves what the window shows as a PNG in the build folder's screenshots.
inline void SaveScreenshot(QWidget& window, const QString& name) {
    QDir().mkpath(KESP_SCREENSHOT_DIR);
    EXPECT_TRUE(window.grab().save(QString(KESP_SCREENSHOT_DIR) + "/" + name + ".png"));
}

// How many pixels of `area` have exactly `colour`.
inline int CountColour(const QImage& image, const QRect& area, QColor colour) {
    int count = 0;
    const QRect box = area.intersected(image.rect());
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x) count += image.pixelColor(x, y).rgb() == colour.rgb();
    return count;
}

}  // namespace kesp::testing
