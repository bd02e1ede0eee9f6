// A tournament game through the main window: three kesp-sim players and the window's user sit at a
// table of a real kesp-service, and the game server deals. The window plays its seat with the mouse.
#include <gtest/gtest.h>

#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <memory>

#include "../network/online_players.h"
#include "../network/service_process.h"
#include "app/main_window.h"
#include "network/service_cipher.h"
#include "own_turn.h"
#include "records/user_file.h"
#include "window_fixture.h"

namespace kesp {
namespace {

using namespace test;

constexpr int kTable = 4;
constexpr std::array<const char*, 3> kSimNicks = {"Anna", "Boris", "Clara"};

class TournamentGame : public ::testing::Test {
  protected:
    // The service with the four accounts.
    void StartService() {
        service_ = ServiceWithGameServer();
        ASSERT_TRUE(service_);
        addresses_ = AddressesUnderBase(service_->base());
        for (const char* nick : {"Anna", "Boris", "Clara", "Olga"}) {
            TZunUser user = TablePlayerUser(nick, 'W');
            ASSERT_EQ(CreateAccount(client_, addresses_.account, user, "10.12.2026"), CreateResult::Created);
        }
    }

    // The window, logged in as Olga, with the tournament window open.
    void OpenLobby(const OnlineLimits& limits, int clockSecondMs) {
        const std::string program = ProgramFolderBelow(root_);
        ASSERT_FALSE(program.empty());
        ASSERT_TRUE(
            WriteUserFile(UserFilePath(program), {"Olga", Encipher("secret1", CipherKey::UserPassword)}));
        qputenv("KESP_SERVICE", QByteArray::fromStdString(service_->base()));
        window_ = std::make_unique<TForm1>(program);
        qunsetenv("KESP_SERVICE");
        window_->SetPace(20);
        window_->OnlineGame().Session().SetLimits(limits, clockSecondMs);
        ToMenu(*window_);
        ASSERT_TRUE(WaitFor([&] { return window_->Account().LoggedIn(); }, 20000));
        QTest::mouseClick(window_->findChild<QLabel*>("ImTR"), Qt::LeftButton);
        ASSERT_TRUE(window_->TournamentWindow());
    }

    // Seats the three players, then the window's user takes seat 4 in the tournament window.
    void SitDown(int clockSecondMs = 1000) {
        ASSERT_NO_FATAL_FAILURE(StartService());
        for (int seat = 1; seat <= 3; ++seat) {
            auto sim = std::make_unique<QProcess>();
            sim->start(QStringLiteral(KESP_SIM_BINARY),
                       {"online", "table", "--service", QString::fromStdString(service_->base()), "--table",
                        QString::number(kTable), "--seat", QString::number(seat), "--nick",
                        kSimNicks[seat - 1], "--password", "secret1", "--pace", "5"});
            ASSERT_TRUE(sim->waitForStarted(5000));
            sims_.push_back(std::move(sim));
            // Seats are taken in order: the next one waits until this one holds its seat.
            ASSERT_TRUE(WaitFor(
                [&] {
                    const auto record = ReadSeat(client_, addresses_.tables, kTable, seat);
                    return record && record->Nick == kSimNicks[seat - 1];
                },
                15000));
        }
        ASSERT_NO_FATAL_FAILURE(OpenLobby({}, clockSecondMs));
        TFTour4* lobby = window_->TournamentWindow();
        QPushButton* seat4 = lobby->SeatButton(kTable, 4);
        ASSERT_TRUE(
            WaitFor([&] { return seat4->isEnabled() && seat4->text() == "Take the place of"; }, 20000));
        seat4->click();
        ASSERT_TRUE(WaitFor([&] { return window_->CurrentScreen() == TForm1::Screen::Table; }, 20000));
        EXPECT_EQ(window_->CurrentGame().Setup().kind, GameKind::Online);
        EXPECT_EQ(window_->CurrentGame().Setup().OnlineSeat, 4);
        ASSERT_TRUE(WaitFor([&] { return !window_->TournamentWindow(); }));
        // The names come from the tables service once the game has begun.
        ASSERT_TRUE(WaitFor([&] { return window_->OnlineGame().NameAt(1) == "Anna"; }, 10000));
        EXPECT_EQ(window_->OnlineGame().NameAt(2), "Clara");
        EXPECT_EQ(window_->OnlineGame().NameAt(3), "Boris");
    }

    void TearDown() override {
        for (auto& sim : sims_)
            if (sim->state() != QProcess::NotRunning) {
                sim->kill();
                sim->waitForFinished(5000);
            }
        if (window_) window_->close();
    }

    // The message shown over the table, once it is there.
    QMessageBox* WaitForNotice(int milliseconds) {
        WaitFor([&] { return window_->OnlineGame().Notice() != nullptr; }, milliseconds);
        return window_->OnlineGame().Notice();
    }

    void ExpectSimsEnd(int status, const QString& said) {
        for (auto& sim : sims_) {
            ASSERT_TRUE(WaitFor([&] { return sim->state() == QProcess::NotRunning; }, 30000));
            EXPECT_EQ(sim->exitCode(), status);
            EXPECT_TRUE(QString::fromUtf8(sim->readAllStandardError()).contains(said));
        }
    }

    // The window as the player sees it, for looking at after the run.
    void SaveShot(const char* name) {
        const QString shots = QStringLiteral(KESP_BUILD_DIR) + "/screenshots";
        QDir().mkpath(shots);
        window_->grab().save(shots + "/" + name);
    }

    // What the players wrote on their error output, for a failure's message.
    std::string PlayersSaid() {
        std::string said;
        for (auto& sim : sims_)
            said += sim->readAllStandardError().toStdString() + "  ..." +
                    sim->readAllStandardOutput().right(300).toStdString() + "\n";
        return said + "service: " + service_->TakeLog().right(3000).toStdString();
    }

    std::unique_ptr<ServiceProcess> service_;
    ServiceAddresses addresses_;
    ServiceClient client_;
    std::vector<std::unique_ptr<QProcess>> sims_;
    QTemporaryDir root_;
    std::unique_ptr<TForm1> window_;
};

TEST_F(TournamentGame, TheWindowPlaysAGameToItsEndLikeThePlayersAndTheStandingsTakeIt) {
    ASSERT_NO_FATAL_FAILURE(SitDown());
    MoveClockFace* runningClock = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] {
            for (int position = 1; position <= 4; ++position)
                if (MoveClockFace* face =
                        window_->findChild<MoveClockFace*>(QStringLiteral("MoveClock%1").arg(position));
                    face && face->isVisible())
                    runningClock = face;
            return runningClock != nullptr;
        },
        10000));
    EXPECT_GE(runningClock->Countdown(), 1);
    EXPECT_LE(runningClock->Countdown(), MoveClock::Seconds);
    SaveShot("online-table.png");

    QPushButton* action = Child(*window_, "Button7");
    QPushButton* second = Child(*window_, "Button8");
    const GameState& gs = window_->CurrentGame().State();
    std::optional<std::array<std::int64_t, 4>> settled;
    for (int steps = 0; window_->CurrentScreen() == TForm1::Screen::Table && steps < 200000; ++steps) {
        ASSERT_FALSE(window_->OnlineGame().Notice())
            << window_->OnlineGame().Notice()->text().toStdString() << " in phase " << int(gs.Phase)
            << " of deal " << gs.DealNo << "\n"
            << PlayersSaid();
        if (PressNext(*window_, action)) continue;
        if (second->isVisible() && second->isEnabled() && gs.GameOver) {
            settled = {gs.Score[1], gs.Score[2], gs.Score[3], gs.Score[4]};
            SaveShot("online-table-end.png");
            QTest::mouseClick(second, Qt::LeftButton);  // "Exit to menu"
        }
    }
    ASSERT_TRUE(settled);
    EXPECT_TRUE(WaitFor([&] { return window_->CurrentScreen() == TForm1::Screen::Menu; }));

    // Every player's trace ends with the same four results as the window's table.
    std::array<std::int64_t, 4> ours = *settled;
    std::sort(ours.begin(), ours.end());
    for (auto& sim : sims_) {
        ASSERT_TRUE(WaitFor([&] { return sim->state() == QProcess::NotRunning; }, 60000));
        EXPECT_EQ(sim->exitCode(), 0) << sim->readAllStandardError().toStdString();
        const QString trace = QString::fromUtf8(sim->readAllStandardOutput());
        const auto last = QRegularExpression(R"(^settle (-?\d+) (-?\d+) (-?\d+) (-?\d+)$)",
                                             QRegularExpression::MultilineOption)
                              .globalMatch(trace);
        QRegularExpressionMatch match;
        for (auto it = last; it.hasNext();) match = it.next();
        ASSERT_TRUE(match.hasMatch());
        std::array<std::int64_t, 4> theirs{};
        for (int i = 0; i < 4; ++i) theirs[static_cast<std::size_t>(i)] = match.captured(i + 1).toLongLong();
        std::sort(theirs.begin(), theirs.end());
        EXPECT_EQ(theirs, ours);
    }
    const auto standing = ReadStanding(client_, addresses_.tables, "Olga");
    ASSERT_TRUE(standing);
    EXPECT_EQ(standing->Kon, 1);
    EXPECT_EQ(standing->Score, (*settled)[3]);
    // The tournament window comes back for the next game.
    EXPECT_TRUE(WaitFor([&] { return window_->TournamentWindow() != nullptr; }, 20000));
}

TEST_F(TournamentGame, APlayerKilledMidDealInterruptsTheGameAndExitToMenuLeavesIt) {
    ASSERT_NO_FATAL_FAILURE(SitDown());
    sims_[1]->kill();  // Boris, network seat 2
    QMessageBox* notice = WaitForNotice(20000);
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->windowTitle(), "You won!");
    EXPECT_EQ(notice->text(), "Player Boris interrupted the game!");
    notice->accept();
    QPushButton* second = Child(*window_, "Button8");
    ASSERT_TRUE(WaitFor([&] { return second->isVisible() && second->isEnabled(); }));
    EXPECT_EQ(second->text(), "Exit to menu");
    EXPECT_FALSE(window_->TableChatBox().Field()->isEnabled());
    QTest::mouseClick(second, Qt::LeftButton);
    EXPECT_TRUE(WaitFor([&] { return window_->CurrentScreen() == TForm1::Screen::Menu; }));
    EXPECT_FALSE(window_->CurrentGame().State().DealRunning);
    EXPECT_EQ(window_->OnlineGame().Session().State(), OnlineState::Idle);
}

TEST_F(TournamentGame, TheOwnClockRunningOutSendsTimeOutAndLosesTheGame) {
    ASSERT_NO_FATAL_FAILURE(SitDown(/*clockSecondMs=*/20));
    // The user does not move: his clock runs out at his first turn.
    QMessageBox* notice = WaitForNotice(30000);
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->windowTitle(), "You lose!");
    EXPECT_EQ(notice->text(), "Your time is up!");
    EXPECT_EQ(window_->OnlineGame().Session().State(), OnlineState::Finished);
    // The server passed the time-out on: every other player learns that a player's time is up.
    ExpectSimsEnd(3, "a player's time is up");
    notice->accept();
    QPushButton* second = Child(*window_, "Button8");
    ASSERT_TRUE(WaitFor([&] { return second->isEnabled(); }));
    QTest::mouseClick(second, Qt::LeftButton);
    EXPECT_TRUE(WaitFor([&] { return window_->CurrentScreen() == TForm1::Screen::Menu; }));
}

TEST_F(TournamentGame, ASeatNobodyJoinsIsGivenUpAndFreedAfterTheDealWait) {
    ASSERT_NO_FATAL_FAILURE(StartService());
    OnlineLimits limits;
    limits.dealWait = std::chrono::milliseconds(1500);
    ASSERT_NO_FATAL_FAILURE(OpenLobby(limits, 1000));
    TFTour4* lobby = window_->TournamentWindow();
    QPushButton* seat1 = lobby->SeatButton(kTable, 1);
    ASSERT_TRUE(WaitFor([&] { return seat1->isEnabled() && seat1->text() == "Take the place of"; }, 20000));
    seat1->click();
    ASSERT_TRUE(
        WaitFor([&] { return window_->OnlineGame().Session().State() == OnlineState::Greeted; }, 10000));
    // Nobody else comes: the seat is given up, and the service holds it no longer.
    ASSERT_TRUE(WaitFor([&] { return window_->OnlineGame().Session().State() == OnlineState::Idle; }, 10000));
    EXPECT_TRUE(WaitFor(
        [&] {
            const auto record = ReadSeat(client_, addresses_.tables, kTable, 1);
            return record && record->Nick != "Olga";
        },
        10000));
    EXPECT_TRUE(WaitFor([&] { return seat1->isEnabled() && seat1->text() == "Take the place of"; }, 15000));
    EXPECT_EQ(window_->CurrentScreen(), TForm1::Screen::Menu);
}

}  // namespace
}  // namespace kesp
