// One player of a tournament table in a program window of its own: the program's main window on the
// display (as `kesp` shows it), logged in from its user file, goes to the menu, opens the
// tournament window with its picture, takes its seat there as soon as it can be taken, plays the
// game with the mouse to its end and leaves it with "Exit to menu". It prints the final scores by
// network seat ("settle S1 S2 S3 S4", the same line on every machine of the table) and its
// standing from the reopened tournament window ("standing SCORE GAMES"), and saves pictures of its
// window at the first deal, at the end and of the reopened tournament window.
//
// usage: window_player --service URL --table T --seat S --nick N --password P --folder DIR
//                      --shots DIR [--pace N]
// DIR is a fresh folder: the program folder is made inside it, with the user file beside.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QLabel>
#include <QMessageBox>
#include <array>
#include <cstdio>
#include <memory>

#include "app/main_window.h"
#include "network/service_cipher.h"
#include "own_turn.h"
#include "records/settings.h"
#include "records/user_file.h"
#include "window_fixture.h"
#include "windows/tournament_results_panel.h"

namespace kesp {
namespace {

using namespace test;

struct Options {
    QString service;
    int table = 0;
    int seat = 0;
    QString nick;
    QString password;
    QString folder;
    QString shots;
    int pace = 20;
};
Options options;

constexpr int kLongWaitMs = 60000;

class WindowPlayer : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(options.table >= 1 && options.seat >= 1 && !options.folder.isEmpty())
            << "usage: window_player --service URL --table T --seat S --nick N --password P "
               "--folder DIR --shots DIR [--pace N]";
        QDir().mkpath(options.shots);
    }

    // "My results" has been read from the service (the place says "No Connect" until then); a seat
    // is taken only with them.
    static bool ResultsRead(const TFTour4& lobby) { return lobby.Results().Value(2) != "No Connect"; }

    void SaveShot(QWidget& widget, const char* what) {
        const QString name =
            QStringLiteral("%1/seat%2-%3.png").arg(options.shots).arg(options.seat).arg(what);
        EXPECT_TRUE(widget.grab().save(name)) << name.toStdString();
    }

    // The program folder with the club files and the account's user file above it, and the window
    // on it as the program's main() makes it.
    void StartProgram() {
        QDir().mkpath(options.folder + "/Kesp");
        CopyClubFiles(options.folder + "/Kesp");
        const std::string program = options.folder.toStdString() + "/Kesp/";
        // The player has chosen the fastest card flights.
        Settings settings;
        settings.Speed = 6;
        ASSERT_EQ(SaveSettings(settings, program, false), SettingsSave::kWritten);
        ASSERT_TRUE(WriteUserFile(
            UserFilePath(program),
            {options.nick.toStdString(), Encipher(options.password.toStdString(), CipherKey::UserPassword)}));
        window_ = std::make_unique<TForm1>(program);
        ASSERT_TRUE(window_->Online().UseService(options.service.toStdString()));
        window_->setWindowTitle(window_->windowTitle() + QStringLiteral(" - seat %1").arg(options.seat));
        window_->SetPace(options.pace);
        ASSERT_NO_FATAL_FAILURE(ToMenu(*window_));
        ASSERT_TRUE(WaitFor([&] { return window_->Account().LoggedIn(); }, kLongWaitMs));
    }

    // The tournament picture opens the window; the seat is taken once the seats before it are,
    // with "Refresh" pressed meanwhile as a waiting player would.
    void TakeSeat() {
        QTest::mouseClick(window_->findChild<QLabel*>("ImTR"), Qt::LeftButton);
        TFTour4* lobby = window_->TournamentWindow();
        ASSERT_TRUE(lobby);
        QPushButton* seat = lobby->SeatButton(options.table, options.seat);
        QElapsedTimer waited;
        waited.start();
        while (!(seat->isEnabled() && seat->text() == "Take the place of" && ResultsRead(*lobby))) {
            ASSERT_LT(waited.elapsed(), 2 * kLongWaitMs) << "seat text: " << seat->text().toStdString();
            QTest::qWait(300);
            if (lobby->RefreshButton()->isEnabled())
                QTest::mouseClick(lobby->RefreshButton(), Qt::LeftButton);
        }
        QTest::mouseClick(seat, Qt::LeftButton);
        ASSERT_TRUE(
            WaitFor([&] { return window_->CurrentScreen() == TForm1::Screen::Table; }, 2 * kLongWaitMs));
        ASSERT_EQ(window_->CurrentGame().Setup().OnlineSeat, options.seat);
        ASSERT_TRUE(WaitFor([&] { return !window_->TournamentWindow(); }));
        // The names are read from the tables service once the game has begun.
        EXPECT_TRUE(WaitFor([&] { return !window_->OnlineGame().NameAt(1).isEmpty(); }, 10000));
        SaveShot(*window_, "deal");
    }

    // Plays to the end; the final scores by network seat.
    std::optional<std::array<std::int64_t, 4>> PlayToTheEnd() {
        QPushButton* action = Child(*window_, "Button7");
        QPushButton* second = Child(*window_, "Button8");
        const GameState& gs = window_->CurrentGame().State();
        std::optional<std::array<std::int64_t, 4>> settled;
        QElapsedTimer clock;
        clock.start();
        qint64 reported = 0;
        while (window_->CurrentScreen() == TForm1::Screen::Table && clock.elapsed() < 5 * kLongWaitMs) {
            if (clock.elapsed() - reported > 5000) {  // where a stalled game stands
                reported = clock.elapsed();
                std::fprintf(
                    stderr, "seat %d: phase %d deal %d waiting %d, '%s' %d, '%s' %d, session %d\n",
                    options.seat, int(gs.Phase), int(gs.DealNo), int(window_->CurrentGame().Waiting()),
                    action->text().toUtf8().constData(), int(action->isVisible() && action->isEnabled()),
                    second->text().toUtf8().constData(), int(second->isVisible() && second->isEnabled()),
                    int(window_->OnlineGame().Session().State()));
            }
            if (QMessageBox* notice = window_->OnlineGame().Notice()) {
                ADD_FAILURE() << notice->text().toStdString() << " in phase " << int(gs.Phase) << " of deal "
                              << gs.DealNo;
                return std::nullopt;
            }
            if (PressNext(*window_, action)) continue;
            if (second->isVisible() && second->isEnabled() && gs.GameOver) {
                std::array<std::int64_t, 4> bySeat{};
                for (int seat = 1; seat <= 4; ++seat)
                    bySeat[static_cast<std::size_t>(seat - 1)] =
                        gs.Score[TablePositionOf(options.seat, seat)];
                settled = bySeat;
                SaveShot(*window_, "end");
                QTest::mouseClick(second, Qt::LeftButton);  // "Exit to menu"
            }
        }
        EXPECT_EQ(window_->CurrentScreen(), TForm1::Screen::Menu) << "the game did not end in time";
        return settled;
    }

    std::unique_ptr<TForm1> window_;
};

TEST_F(WindowPlayer, TakesItsSeatFromTheTournamentWindowAndPlaysTheGameToItsEnd) {
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    ASSERT_NO_FATAL_FAILURE(TakeSeat());
    const auto settled = PlayToTheEnd();
    ASSERT_TRUE(settled);
    std::printf("settle %lld %lld %lld %lld\n", static_cast<long long>((*settled)[0]),
                static_cast<long long>((*settled)[1]), static_cast<long long>((*settled)[2]),
                static_cast<long long>((*settled)[3]));

    // The tournament window comes back with the standing that counts this game.
    ASSERT_TRUE(WaitFor([&] { return window_->TournamentWindow() != nullptr; }, kLongWaitMs));
    TFTour4* lobby = window_->TournamentWindow();
    ASSERT_TRUE(WaitFor([&] { return ResultsRead(*lobby); }, kLongWaitMs));
    ASSERT_TRUE(WaitFor([&] { return lobby->SeatButton(options.table, 1)->text() == "Take the place of"; },
                        kLongWaitMs));
    SaveShot(*lobby, "lobby");
    // As "My results" shows it: the score and the games.
    std::printf("standing %s %s\n", lobby->Results().Value(1).toUtf8().constData(),
                lobby->Results().Value(4).toUtf8().constData());
    std::fflush(stdout);
    lobby->CloseButton()->click();
    window_->close();
}

}  // namespace
}  // namespace kesp

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kesp"));
    ::testing::InitGoogleTest(&argc, argv);
    QCommandLineParser parser;
    const QList<QCommandLineOption> named = {
        {"service", "", "URL"}, {"table", "", "T"},    {"seat", "", "S"},    {"nick", "", "N"},
        {"password", "", "P"},  {"folder", "", "DIR"}, {"shots", "", "DIR"}, {"pace", "", "N"}};
    parser.addOptions(named);
    QStringList arguments;  // what GoogleTest left of the command line
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    parser.process(arguments);
    kesp::Options& o = kesp::options;
    o.service = parser.value("service");
    o.table = parser.value("table").toInt();
    o.seat = parser.value("seat").toInt();
    o.nick = parser.value("nick");
    o.password = parser.value("password");
    o.folder = parser.value("folder");
    o.shots = parser.value("shots");
    if (parser.isSet("pace")) o.pace = parser.value("pace").toInt();
    return RUN_ALL_TESTS();
}
