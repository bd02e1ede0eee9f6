// The main window's world statistics against a real kesp-service: the start-up report with its
// first-start mark, the club tag that stops it, the results of a finished game and the menu's
// statistics picture.
#include <gtest/gtest.h>

#include <QLabel>
#include <QtTest/QTest>
#include <optional>

#include "../network/service_process.h"
#include "app/main_window.h"
#include "network/online_requests.h"
#include "own_turn.h"
#include "records/atomic_file.h"
#include "records/club.h"
#include "records/settings.h"
#include "window_fixture.h"
#include "windows/statistics_window.h"

namespace kesp {
namespace {

using namespace test;

// A program folder and the service the window is told to use.
struct StatisticsRun {
    StatisticsRun() {
        EXPECT_FALSE(service.base().empty());
        folder = ProgramFolder(dir).toStdString();
    }
    std::unique_ptr<TForm1> OpenWindow() {
        qputenv("KESP_SERVICE", QByteArray::fromStdString(service.base()));
        auto window = std::make_unique<TForm1>(folder);
        qunsetenv("KESP_SERVICE");
        window->show();
        EXPECT_TRUE(WaitFor([&] { return window->CurrentScreen() == TForm1::Screen::Title; }));
        return window;
    }
    TZunStat Statistics() {
        ServiceClient client;
        const auto stat = ReadStatistics(client, AddressesUnderBase(service.base()).statistics);
        EXPECT_TRUE(stat);
        return stat.value_or(TZunStat{});
    }

    ServiceProcess service;
    QTemporaryDir dir;
    std::string folder;
    std::optional<ModalAnswerer> answerer{std::in_place};  // the new player's login
};

// Waits until every request queued so far, and every request their answers queued, has answered.
bool Drain(TForm1& window) {
    for (int round = 0; round < 2; ++round) {
        bool done = false;
        window.Online().Queue().Run<int>(
            &window, [](ServiceClient&) { return 0; }, [&done](int) { done = true; });
        if (!WaitFor([&] { return done; }, 30000)) return false;
    }
    return true;
}

TEST(WorldStatistics, AFreshInstallationReportsItsFirstStartOnce) {
    StatisticsRun run;
    {
        const auto window = run.OpenWindow();
        ASSERT_TRUE(Drain(*window));
        Settings saved;
        ASSERT_EQ(LoadSettings(saved, run.folder), SettingsLoad::kReadThrough) << "saved after the report";
        EXPECT_TRUE(saved.StartReportSent);
        window->close();
    }
    TZunStat stat = run.Statistics();
    EXPECT_EQ(stat.Stat1, 1);
    EXPECT_EQ(stat.Stat2, 1);

    const auto again = run.OpenWindow();
    ASSERT_TRUE(Drain(*again));
    stat = run.Statistics();
    EXPECT_EQ(stat.Stat1, 2);
    EXPECT_EQ(stat.Stat2, 1) << "the second start is not a first start";
    again->close();
}

TEST(WorldStatistics, AClubTaggedIddReportsNoStart) {
    StatisticsRun run;
    // The tag sits outside the checksums, in characters 7..9 of the control line of "Kesp.net".
    const std::string path = ClubFilePath(run.folder, true);
    auto club = LoadClubFile(path);
    ASSERT_TRUE(club.File);
    club.File->Line[ControlLine].replace(6, 3, "idd");
    ASSERT_TRUE(WriteFileAtomically(path, ClubFileBytes(*club.File)));

    const auto window = run.OpenWindow();
    ASSERT_TRUE(Drain(*window));
    EXPECT_EQ(run.Statistics().Stat1, 0);
    Settings saved;
    EXPECT_EQ(LoadSettings(saved, run.folder), SettingsLoad::kDefaults) << "nothing to save yet";
    window->close();
}

TEST(WorldStatistics, AFinishedGameAgainstTheComputerAddsToTheCounters) {
    StatisticsRun run;
    Settings settings;
    settings.Speed = 6;
    settings.FlyCards = false;
    settings.StartReportSent = true;
    ASSERT_EQ(SaveSettings(settings, run.folder, false), SettingsSave::kWritten);

    const auto window = run.OpenWindow();
    window->CurrentGame().SeedShuffle(TestSeed());
    window->SetPace(20);
    QTest::mouseClick(window.get(), Qt::LeftButton, {}, QPoint(380, 250));
    ASSERT_EQ(window->CurrentScreen(), TForm1::Screen::Menu);
    QTest::mouseClick(Child(*window, "Button6"), Qt::LeftButton);  // "New Player"
    ASSERT_TRUE(WaitFor([&] { return window->CurrentScreen() == TForm1::Screen::Table; }));
    const auto result = PlayToTheMenu(*window);
    ASSERT_TRUE(result);
    ASSERT_TRUE(WaitFor([&] { return window->CurrentScreen() == TForm1::Screen::Menu; }));
    ASSERT_TRUE(Drain(*window));

    const TZunStat stat = run.Statistics();
    EXPECT_EQ(stat.Stat1, 1);
    EXPECT_EQ(stat.Stat2, 0) << "this installation had reported its first start before";
    EXPECT_EQ(stat.StatX[0], 1) << "a game against the computer";
    EXPECT_EQ(stat.StatX[1], 0) << "the first game ends no cycle";
    EXPECT_EQ(stat.StatX[2], *result > 0 ? *result : 0);
    EXPECT_EQ(stat.StatX[3], *result < 0 ? -*result : 0);
    EXPECT_EQ(stat.StatX[4] + stat.StatX[5], 0);

    // The menu's statistics picture opens the window on what the service now holds.
    auto* picture = window->findChild<QLabel*>("ImageAdvR3");
    ASSERT_TRUE(picture);
    ASSERT_TRUE(picture->isVisible());
    EXPECT_FALSE(picture->pixmap().isNull());
    run.answerer.reset();  // it would close the statistics window at once
    QTest::mouseClick(picture, Qt::LeftButton);
    auto* statistics = window->findChild<TFormStatistics*>();
    ASSERT_TRUE(statistics);
    EXPECT_TRUE(statistics->isModal());
    ASSERT_TRUE(WaitFor([&] { return statistics->ValueLabel(4)->text() == "1"; }, 20000));
    statistics->close();
    window->close();
}

TEST(WorldStatistics, TheMenuPictureStandsClearOfTheOtherControls) {
    for (const int size : {window_size::Small, window_size::Average2}) {
        QTemporaryDir dir;
        const std::string folder = ProgramFolder(dir).toStdString();
        Settings settings;
        settings.WindowSize = size;
        settings.StartReportSent = true;
        ASSERT_EQ(SaveSettings(settings, folder, false), SettingsSave::kWritten);
        ModalAnswerer answerer;
        TForm1 window(folder);
        ToMenu(window);
        auto* picture = window.findChild<QLabel*>("ImageAdvR3");
        ASSERT_TRUE(picture && picture->isVisible());
        EXPECT_TRUE(window.rect().contains(picture->geometry()));
        const MenuGeometry& menu = window.MenuLayout();
        for (const QRect& panel :
             {menu.counter, menu.sideRight, menu.animatedRight, menu.options, menu.clubRows[0]})
            EXPECT_FALSE(picture->geometry().intersects(panel)) << size;
        for (QWidget* other : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (other == picture || !other->isVisible() || other->isWindow()) continue;
            EXPECT_FALSE(picture->geometry().intersects(other->geometry()))
                << size << " " << other->objectName().toStdString();
        }
        window.grab().save(QStringLiteral(KESP_BUILD_DIR "/screenshot-menu-statistics-%1.png").arg(size));
        window.close();
    }
}

}  // namespace
}  // namespace kesp
