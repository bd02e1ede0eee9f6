// The main menu's counter against a real kesp-service: the figure of each minute's kind with its
// picture and hint, "00" and the "NO CONNECT" hints when the service is gone, the refresh once a
// minute at second 01 on a clock that runs fast, and no answer taken after the menu was left.
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest/QTest>

#include "app/main_window.h"
#include "network/online_requests.h"
#include "network/service_form.h"
#include "tests/network/service_process.h"
#include "window_fixture.h"

namespace kesp {
using namespace test;

namespace {

QDateTime At(int hour, int minute, int second, int msec = 0) {
    return QDateTime(QDate(2026, 12, 11), QTime(hour, minute, second, msec));
}

// The main window in window size 4 on its menu, talking to the service at `base`.
struct MenuWindow {
    QTemporaryDir dir;
    std::string program = ProgramFolder(dir).toStdString();
    std::unique_ptr<TForm1> window;

    MenuWindow(const std::string& base, int windowSize, QDateTime now) {
        Settings settings;
        settings.WindowSize = windowSize;
        EXPECT_EQ(SaveSettings(settings, program, false), SettingsSave::kWritten);
        qputenv("KESP_SERVICE", QByteArray::fromStdString(base));
        window = std::make_unique<TForm1>(program);
        qunsetenv("KESP_SERVICE");
        Counter().SetClock([now] { return now; });
        window->show();
        EXPECT_TRUE(WaitFor([&] { return window->CurrentScreen() == TForm1::Screen::Title; }));
        QTest::mouseClick(window.get(), Qt::LeftButton, {}, QPoint(300, 300));
        EXPECT_EQ(window->CurrentScreen(), TForm1::Screen::Menu);
    }
    MenuCounter& Counter() { return window->Counter(); }

    // The menu is drawn again at `now`; the face it then shows.
    const CounterFace* RefreshAt(QDateTime now) {
        QSignalSpy changed(&Counter(), &MenuCounter::FaceChanged);
        Counter().SetClock([now] { return now; });
        Counter().ShowAt(window->MenuLayout().counter, true);
        if (!WaitFor([&] { return changed.count() == 1; }, 10000)) return nullptr;
        return Counter().Face();
    }
    const CounterFace* FirstFace() {
        WaitFor([&] { return Counter().Face() != nullptr; }, 10000);
        return Counter().Face();
    }
};

// Pixels of the digits' area in the kind's colour: the digit pictures were drawn.
int DigitPixels(const QImage& panel, const std::function<bool(QColor)>& colour) {
    int count = 0;
    for (int y = 15; y < 43; ++y)
        for (int x = 27; x < 88; ++x) count += colour(panel.pixelColor(x, y)) ? 1 : 0;
    return count;
}

}  // namespace

TEST(MenuCounterWidget, ShowsEachKindsFigureWithItsPictureAndHint) {
    ServiceProcess service;
    ASSERT_FALSE(service.base().empty());
    const ServiceAddresses addresses = AddressesUnderBase(service.base());
    ServiceClient client;
    // People won 30 and lost 10 in two games with the PC: 25 percent.
    ASSERT_TRUE(PostGameResults(client, addresses.statistics, {1, 0, 30, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    ASSERT_TRUE(PostGameResults(client, addresses.statistics, {1, 0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0}));

    MenuWindow menu(service.base(), window_size::Average2, At(10, 7, 30));
    const CounterFace* face = menu.FirstFace();
    ASSERT_TRUE(face);
    EXPECT_TRUE(menu.Counter().isVisible());
    EXPECT_EQ(menu.Counter().geometry(), menu.window->MenuLayout().counter);
    EXPECT_EQ(menu.Counter().size(), QSize(115, 64));
    EXPECT_EQ(face->Kind, 1);
    EXPECT_EQ(face->Digits, "25");
    EXPECT_EQ(menu.Counter().toolTip(), "Dynamic IQ for Windows (percent)");
    const QImage iq = menu.Counter().grab().toImage();
    EXPECT_GT(DigitPixels(iq, [](QColor c) { return c.red() > 200 && c.green() < 120; }), 40);

    face = menu.RefreshAt(At(10, 8, 30));
    ASSERT_TRUE(face);
    EXPECT_EQ(face->Kind, 2);
    EXPECT_EQ(face->Digits, "2");
    EXPECT_EQ(menu.Counter().toolTip(), "Games played with PC");

    face = menu.RefreshAt(At(10, 2, 30));  // the Windows list is still empty
    ASSERT_TRUE(face);
    EXPECT_EQ(face->Kind, 3);
    EXPECT_EQ(face->Digits, "0");
    EXPECT_TRUE(face->FlagCountry.empty());
    EXPECT_EQ(menu.Counter().toolTip(), "Best Windows Player: No");

    TZunRecord record;
    record.GID = kWindowsList;
    record.Nick = "Tess";
    record.City = "Omsk";
    record.Country = "1-022";
    record.Score = 1234;
    record.R07 = "W";
    record.R08 = "5.7f";
    ASSERT_GT(PostRecord(client, addresses.worldTopTen, record), 0);
    face = menu.RefreshAt(At(10, 2, 31));
    ASSERT_TRUE(face);
    EXPECT_EQ(face->Digits, "1234");
    EXPECT_EQ(face->FlagCountry, "1-022");
    EXPECT_EQ(menu.Counter().toolTip(), "Best Windows Player: Tess");
    const QImage best = menu.Counter().grab().toImage();
    EXPECT_GT(DigitPixels(best, [](QColor c) { return c.green() > 200 && c.red() < 150; }), 40);

    TZunUser user;
    user.Nick = "Tess";
    user.Pw = "secret1";
    user.City = "Omsk";
    user.Country1 = "Russia";
    user.Country2 = "1-022";
    user.Sex = 'W';
    user.EMail = "tess@example.org";
    ASSERT_EQ(CreateAccount(client, addresses.account, user, "11.12.2026"), CreateResult::Created);
    face = menu.RefreshAt(At(10, 5, 0));
    ASSERT_TRUE(face);
    EXPECT_EQ(face->Kind, 7);
    EXPECT_EQ(face->Digits, "1");
    EXPECT_EQ(menu.Counter().toolTip(), "Club members: ");
}

TEST(MenuCounterWidget, ShowsDoubleZeroAndNoConnectWhenTheServiceIsGone) {
    ServiceProcess service;
    ASSERT_FALSE(service.base().empty());
    const std::string base = service.base();
    service.Kill();
    MenuWindow menu(base, window_size::Large, At(10, 7, 30));
    struct Case {
        int minute;
        int kind;
        const char* hint;
    };
    const Case cases[] = {
        {7, 1, "Dynamic IQ for Windows (percent): NO CONNECT"},
        {8, 2, "Games played with PC: NO CONNECT"},
        {9, 3, "Best Windows Player: NO CONNECT"},
        {10, 4, "Best Android Player: NO CONNECT"},
        {11, 5, "The best player of games from under the account: NO CONNECT"},
        {12, 7, "Club members:  NO CONNECT"},
    };
    for (const Case& c : cases) {
        const CounterFace* face = menu.RefreshAt(At(10, c.minute, 30));
        ASSERT_TRUE(face) << c.minute;
        EXPECT_EQ(face->Kind, c.kind);
        EXPECT_EQ(face->Digits, "00");
        EXPECT_EQ(menu.Counter().toolTip(), c.hint);
    }
    menu.window->SetLanguage(2);  // the menu is drawn again in German
    ASSERT_TRUE(WaitFor([&] { return menu.Counter().toolTip().startsWith("Clubmitglieder"); }, 10000));
    EXPECT_EQ(menu.Counter().toolTip(), "Clubmitglieder:  KEINE VERBINDUNG");
}

TEST(MenuCounterWidget, RefreshesOnceAMinuteAtSecondOne) {
    ServiceProcess service;
    ASSERT_FALSE(service.base().empty());
    // The counter's clock runs 10 times faster than the real one, from 10:06:59.600 on.
    constexpr int kPace = 10;
    const QDateTime start = At(10, 6, 59, 600);
    MenuWindow menu(service.base(), window_size::Average2, start);
    QElapsedTimer elapsed;
    elapsed.start();
    menu.Counter().SetClock([&] { return start.addMSecs(elapsed.elapsed() * kPace); }, kPace);
    menu.Counter().ShowAt(menu.window->MenuLayout().counter, true);  // the timer on the fast clock
    ASSERT_TRUE(WaitFor([&] { return menu.Counter().Face() && menu.Counter().Face()->Kind == 1; }, 10000));
    const int reads = menu.Counter().Reads();
    // 10:07:01 refreshed once; nothing more until 10:08:01.
    QTest::qWait(500);  // 5 seconds on the counter's clock
    EXPECT_EQ(menu.Counter().Reads(), reads);
    ASSERT_TRUE(WaitFor([&] { return menu.Counter().Reads() == reads + 1; }, 10000));
    ASSERT_TRUE(WaitFor([&] { return menu.Counter().Face()->Kind == 2; }, 10000));
}

TEST(MenuCounterWidget, WaitsUntilTheNextSecondOne) {
    const std::pair<QTime, int> cases[] = {
        {QTime(10, 7, 0, 0), 1000},    {QTime(10, 7, 0, 999), 1},   {QTime(10, 7, 1, 0), 60000},
        {QTime(10, 7, 1, 500), 59500}, {QTime(10, 7, 59, 0), 2000},
    };
    for (const auto& [now, wait] : cases)
        EXPECT_EQ(MenuCounter::MsecToNextRefresh(now), wait) << now.toString().toStdString();
}

TEST(MenuCounterWidget, TakesNoAnswerAfterTheMenuWasLeft) {
    ServiceProcess service;
    ASSERT_FALSE(service.base().empty());
    MenuWindow menu(service.base(), window_size::Average2, At(10, 7, 30));
    ASSERT_TRUE(menu.FirstFace());
    QSignalSpy changed(&menu.Counter(), &MenuCounter::FaceChanged);
    // The menu is drawn at 10:08 and left before the answer comes back.
    menu.Counter().SetClock([] { return At(10, 8, 30); });
    menu.Counter().ShowAt(menu.window->MenuLayout().counter, true);
    menu.Counter().Rest();
    ASSERT_TRUE(WaitFor([&] { return menu.window->Online().Queue().Pending() == 0; }, 10000));
    QTest::qWait(50);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(menu.Counter().Face()->Kind, 1);
    EXPECT_FALSE(menu.Counter().isVisible());
}

TEST(MenuCounterWidget, StaysHiddenAndReadsNothingInTheSmallerWindows) {
    ServiceProcess service;
    ASSERT_FALSE(service.base().empty());
    MenuWindow menu(service.base(), window_size::Average1, At(10, 7, 30));
    EXPECT_FALSE(menu.Counter().isVisible());
    EXPECT_EQ(menu.Counter().Reads(), 0);
}

}  // namespace kesp
