#include "tools/sim/lan_player.h"

#include <QCoreApplication>
#include <QTimer>
#include <chrono>
#include <ostream>
#include <string>

#include "engine/game.h"
#include "network/lan_session.h"
#include "presentation/word_table.h"
#include "tools/sim/replay.h"
#include "tools/sim/seat_player.h"

namespace kesp::sim {
namespace {

enum ExitStatus { kDone = 0, kNoGame = 1, kPlayerLost = 3 };

std::string English(WordKey key) {
    return std::string(WordOf(key)[kEnglish]);
}

class LanPlayer : public TableEvents {
  public:
    LanPlayer(const LanPlayerOptions& options, std::ostream& out, std::ostream& err)
        : options_(options), out_(out), err_(err), game_(*this) {
        TableSetup& setup = game_.Setup();
        setup.InitialScore = options.initialScore;
        setup.FlyCards = false;
        game_.State().RunningTotal = 0;
        QObject::connect(&session_, &LanSession::gameMessageApplied, [this] { AfterMessage(); });
        QObject::connect(&session_, &LanSession::dealReceived, [this] { Track(); });
        QObject::connect(&session_, &LanSession::seatsChanged, [this] { SeatsChanged(); });
        QObject::connect(&session_, &LanSession::chatReceived, [this](int seat, const QByteArray& text) {
            err_ << "kesp-sim: chat from network seat " << seat << ": " << text.toStdString() << std::endl;
        });
        QObject::connect(&session_, &LanSession::seated, [this] {
            err_ << "kesp-sim: seated at network seat " << int(session_.LanRole()) << std::endl;
        });
        QObject::connect(&session_, &LanSession::clientFailed, [this] {
            err_ << "kesp-sim: " << English(WordKey::ThereAreNoAccessibleGames) << "\n";
            Quit(kNoGame);
        });
        QObject::connect(&session_, &LanSession::peerLost, [this] {
            lost_ = true;
            err_ << "kesp-sim: " << English(WordKey::OneOfPlayer) << " "
                 << English(WordKey::HasInterruptedGame) << "\n\r" << English(WordKey::PressOkForExitToMenu)
                 << std::endl;
            Quit(kPlayerLost);
        });
        QObject::connect(&session_, &LanSession::connectionLost, [this] {
            // A lost player is told right after; a table closed after its games is the end.
            QTimer::singleShot(0, [this] {
                if (!lost_ && !game_.State().DealRunning) Quit(gamesDone_ > 0 ? kDone : kNoGame);
            });
        });
        QObject::connect(&timer_, &QTimer::timeout, [this] { Act(); });
    }

    int Run(QCoreApplication& app) {
        app_ = &app;
        LanLimits limits;
        if (options_.pendingTimeoutMs)
            limits.pendingTimeout = std::chrono::milliseconds(*options_.pendingTimeoutMs);
        if (options_.chatIntervalMs)
            limits.chatInterval = std::chrono::milliseconds(*options_.chatIntervalMs);
        if (options_.sendLimit) limits.maxUnsentBytes = static_cast<std::size_t>(*options_.sendLimit);
        session_.SetLimits(limits);
        session_.AttachGame(game_);
        if (options_.host) {
            if (!session_.Host(options_.port, options_.name)) {
                err_ << "kesp-sim: cannot listen on port " << options_.port << ": "
                     << session_.ErrorText().toStdString() << "\n";
                return kNoGame;
            }
            err_ << "kesp-sim: listening on port " << session_.ListeningPort() << std::endl;
        } else {
            session_.Join(QString::fromStdString(options_.address), options_.port, options_.name);
        }
        timer_.start(options_.paceMs);
        return app.exec();
    }

    // The engine's side.
    void Announce(std::string_view message) override {
        if (chatsSaid_ < options_.chatLines) session_.SendChat("hi " + std::to_string(++chatsSaid_));
        session_.Announce(message);
    }
    std::optional<bool> AskYesNo(WordId, WordId, std::string_view) override { return true; }
    void LeaveTable(LeaveReason reason) override { left_ = reason == LeaveReason::Finished; }

  private:
    void SeatsChanged() {
        if (!options_.host || session_.SeatedClients() < options_.waitClients || session_.LanHandshake() != 1)
            return;
        QTimer::singleShot(0, [this] {
            if (session_.BeginGame()) StartGame();
        });
    }

    void StartGame() {
        game_.State().GameNo = static_cast<std::int32_t>(gamesDone_ + 1);
        game_.StartDeal(true);
        Track();
    }

    // One tick of the game timer: the own seat's move, a button that is this machine's to press,
    // or the driving machine's automatic move.
    void Act() {
        const GameState& gs = game_.State();
        if (!gs.DealRunning || FinishIfOver()) return;
        if (!PlayOwnSeat(game_)) {
            if (game_.View().action.enabled)
                game_.ActionButton();
            else if (game_.TimerRunning())
                game_.GameTick();
        }
        Track();
        FinishIfOver();
    }

    // A finished game is summed up and left at once, on every machine its own way, before the
    // host's next deal can arrive.
    bool FinishIfOver() {
        const GameState& gs = game_.State();
        if (!gs.DealRunning || !gs.GameOver) return false;
        if (gs.Phase == phase::GameOverPhase && game_.View().action.enabled) {
            game_.ActionButton();
            Track();
        }
        if (gs.Phase == phase::GameSettled && game_.View().second.enabled) {
            game_.SecondButton();
            Track();
        }
        if (left_) {
            left_ = false;
            GameLeft();
        }
        return true;
    }

    void GameLeft() {
        ++gamesDone_;
        if (!options_.host) return;
        if (gamesDone_ < options_.games) {
            QTimer::singleShot(0, [this] { StartGame(); });
        } else {
            session_.Close();
            Quit(kDone);
        }
    }

    void AfterMessage() {
        Track();
        FinishIfOver();
    }

    // Writes the trace of whatever changed since the last look.
    void Track() { TraceChange(last_, game_.State(), out_); }

    void Quit(int status) {
        timer_.stop();
        out_.flush();
        if (app_ != nullptr) app_->exit(status);
    }

    LanPlayerOptions options_;
    std::ostream& out_;
    std::ostream& err_;
    Game game_;
    LanSession session_;
    QTimer timer_;
    QCoreApplication* app_ = nullptr;
    GameState last_;
    long long gamesDone_ = 0;
    bool left_ = false;
    bool lost_ = false;
    int chatsSaid_ = 0;
};

}  // namespace

int RunLanPlayer(int& argc, char** argv, const LanPlayerOptions& options, std::ostream& out,
                 std::ostream& err) {
    QCoreApplication app(argc, argv);
    LanPlayer player(options, out, err);
    return player.Run(app);
}

}  // namespace kesp::sim
