#include "tools/sim/online_player.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <ostream>

#include "engine/game.h"
#include "network/online_requests.h"
#include "network/online_session.h"
#include "network/online_tables.h"
#include "network/service_addresses.h"
#include "network/service_client.h"
#include "tools/sim/replay.h"
#include "tools/sim/seat_player.h"

namespace kesp::sim {
namespace {

enum ExitStatus { kDone = 0, kNoSeat = 1, kGameLost = 3 };

// A refused seat is asked for again after 100 ms, then twice as long each time up to 1.6 s.
constexpr int kFirstSeatRetryMs = 100;
constexpr int kLongestSeatRetryMs = 1600;
// After a game the service frees the table; the seat is taken anew a moment later.
constexpr int kNextGameDelayMs = 200;
// Nothing moved at the table for this long: the server (which times a silent player out after a
// minute) is gone too.
constexpr int kStallMs = 90000;

class OnlinePlayer : public TableEvents {
  public:
    OnlinePlayer(const OnlinePlayerOptions& options, std::ostream& out, std::ostream& err)
        : options_(options), out_(out), err_(err), game_(*this) {
        game_.Setup().FlyCards = false;
        OnlineLimits limits;
        limits.dealWait = std::chrono::milliseconds(options_.dealWaitMs);
        session_.SetLimits(limits);
        session_.AttachGame(game_);
        QObject::connect(&session_, &OnlineSession::dealArrived, [this] { Track(); });
        QObject::connect(&session_, &OnlineSession::gameMessageApplied, [this] { Track(); });
        QObject::connect(&session_, &OnlineSession::chatReceived, [this](int seat, const QByteArray& text) {
            err_ << "kesp-sim: chat from seat " << seat << ": " << text.toStdString() << std::endl;
        });
        QObject::connect(&session_, &OnlineSession::gameEnded, [this] {
            ended_ = true;
            Act();
        });
        const auto lost = [this](const char* what) {
            return [this, what](int position = 0) {
                err_ << "kesp-sim: " << what;
                if (position != 0) err_ << " (table position " << position << ")";
                err_ << std::endl;
                Quit(kGameLost);
            };
        };
        QObject::connect(&session_, &OnlineSession::playerLeft, lost("a player interrupted the game"));
        QObject::connect(&session_, &OnlineSession::playerTimedOut, lost("a player's time is up"));
        QObject::connect(&session_, &OnlineSession::ownTimeUp, [lost] { lost("own time is up")(); });
        QObject::connect(&session_, &OnlineSession::connectionLost,
                         [lost] { lost("lost connection with the server")(); });
        QObject::connect(&session_, &OnlineSession::connectionError, [this] {
            err_ << "kesp-sim: server connection error" << std::endl;
            Quit(gamesDone_ > 0 ? kGameLost : kNoSeat);
        });
        QObject::connect(&session_, &OnlineSession::noDeal, [this] {
            err_ << "kesp-sim: no deal within " << options_.dealWaitMs << " ms at table " << options_.table
                 << ": the other players did not come" << std::endl;
            FreeOwnSeat();
            Quit(kGameLost);
        });
        QObject::connect(&timer_, &QTimer::timeout, [this] { Act(); });
        stall_.setSingleShot(true);
        stall_.setInterval(kStallMs);
        QObject::connect(&stall_, &QTimer::timeout, [this] {
            err_ << "kesp-sim: nothing moved at the table for " << kStallMs << " ms" << std::endl;
            Quit(kGameLost);
        });
        seatRetry_.setSingleShot(true);
        QObject::connect(&seatRetry_, &QTimer::timeout, [this] { TryTakeSeat(); });
    }

    int Run(QCoreApplication& app) {
        app_ = &app;
        addresses_ = AddressesUnderBase(options_.service);
        user_.Nick = options_.nick;
        user_.Pw = options_.password;
        if (!ReadAccount(client_, addresses_.account, user_)) {
            err_ << "kesp-sim: the account did not log in" << std::endl;
            return kNoSeat;
        }
        timer_.start(options_.paceMs);
        QTimer::singleShot(0, [this] { BeginSeating(); });  // an early Quit needs the running loop
        return app.exec();
    }

    void Announce(std::string_view message) override { session_.Announce(message); }
    std::optional<bool> AskYesNo(WordId, WordId, std::string_view) override { return true; }
    void LeaveTable(LeaveReason reason) override { left_ = reason == LeaveReason::Finished; }

  private:
    // The seat is asked for until it is given or the seat wait is over: the service gives seat s
    // only once seats 1..s-1 are taken, and the players of a table come back in any order after
    // a game.
    void BeginSeating() {
        ended_ = false;
        seatDelayMs_ = kFirstSeatRetryMs;
        seatRefusals_ = 0;
        seating_.start();
        TryTakeSeat();
    }

    void TryTakeSeat() {
        const SeatResult result = TakeSeat();
        if (result == SeatResult::Done) return;
        const qint64 left = options_.seatWaitMs - seating_.elapsed();
        if (left <= 0) {
            err_ << "kesp-sim: seat " << options_.seat << " of table " << options_.table
                 << " not taken within " << options_.seatWaitMs << " ms (" << seatRefusals_
                 << " refusals, last " << SeatResultText(result) << ")" << std::endl;
            return Quit(kNoSeat);
        }
        if (seatRefusals_++ == 0)
            err_ << "kesp-sim: seat " << options_.seat << " of table " << options_.table << " "
                 << SeatResultText(result) << ", asking again" << std::endl;
        seatRetry_.start(static_cast<int>(std::min<qint64>(seatDelayMs_, left)));
        seatDelayMs_ = std::min(seatDelayMs_ * 2, kLongestSeatRetryMs);
    }

    static const char* SeatResultText(SeatResult result) {
        switch (result) {
            case SeatResult::Done:
                return "taken";
            case SeatResult::Refused:
                return "refused";
            case SeatResult::Taken:
                return "held by another player";
            case SeatResult::NoAnswer:
                return "not answered";
        }
        return "?";
    }

    // Reads the tables, takes the seat and connects to the table's game server.
    SeatResult TakeSeat() {
        const std::optional<TableList> tables = ReadTables(client_, addresses_.tables);
        if (!tables) return SeatResult::NoAnswer;
        TZunClient own;
        own.Nick = user_.Nick;
        own.Country = user_.Country2.empty() ? "X" : user_.Country2;
        own.City = user_.City.empty() ? "X" : user_.City;
        own.Sex = std::string(1, user_.Sex);
        own.IP = "127.0.0.1";
        const SeatResult taken =
            ChangeSeat(client_, addresses_.tables, options_.table, options_.seat, SeatChange::Take, own);
        if (taken != SeatResult::Done) return taken;
        const GameServerAddress server = GameServerOf(*tables);
        err_ << "kesp-sim: seated at table " << options_.table << " seat " << options_.seat << ", server "
             << server.host << ":" << server.PortOf(options_.table) << std::endl;
        session_.Connect(QString::fromStdString(server.host),
                         static_cast<quint16>(server.PortOf(options_.table)), options_.seat);
        return taken;
    }

    // Leaving before the game: seats 1..3 are handed back (the last seat cannot be freed; the
    // game server hands an unconnected one back after a while).
    void FreeOwnSeat() {
        if (options_.seat == kOnlineSeats) return;
        const SeatResult freed = ChangeSeat(client_, addresses_.tables, options_.table, options_.seat,
                                            SeatChange::FreeOwn, VacantSeatRecord());
        if (freed != SeatResult::Done)
            err_ << "kesp-sim: seat " << options_.seat << " of table " << options_.table << " not freed ("
                 << SeatResultText(freed) << ")" << std::endl;
    }

    // One tick: the own move, a button that is this machine's, or seat 1's automatic moves; a
    // game the server ended is summed up and left.
    void Act() {
        const GameState& gs = game_.State();
        if (!gs.DealRunning) return;
        Track();
        if (!PlayOwnSeat(game_)) {
            if (game_.View().action.enabled)
                game_.ActionButton();
            else if (game_.TimerRunning())
                game_.GameTick();
        }
        Track();
        // Seat 1 stays until the server has ended the game after its results.
        if (gs.Phase == phase::GameSettled && ended_ && game_.View().second.enabled) game_.SecondButton();
        Track();
        if (left_) {
            left_ = false;
            GameLeft();
        }
    }

    void GameLeft() {
        ++gamesDone_;
        stall_.stop();
        if (gamesDone_ >= options_.games) return Quit(kDone);
        // The service frees the table after a game: the seat is taken anew for the next one.
        QTimer::singleShot(kNextGameDelayMs, [this] { BeginSeating(); });
    }

    // Traces what changed; every change during a game restarts the stall watch.
    void Track() {
        if (game_.State() == last_) return;
        if (game_.State().DealRunning) stall_.start();
        TraceChange(last_, game_.State(), out_);
    }

    void Quit(int status) {
        timer_.stop();
        stall_.stop();
        seatRetry_.stop();
        out_.flush();
        if (app_ != nullptr) app_->exit(status);
    }

    OnlinePlayerOptions options_;
    std::ostream& out_;
    std::ostream& err_;
    Game game_;
    OnlineSession session_;
    ServiceClient client_;
    ServiceAddresses addresses_;
    TZunUser user_;
    QTimer timer_;
    QTimer stall_;
    QTimer seatRetry_;
    QElapsedTimer seating_;
    int seatDelayMs_ = kFirstSeatRetryMs;
    int seatRefusals_ = 0;
    QCoreApplication* app_ = nullptr;
    GameState last_;
    long long gamesDone_ = 0;
    bool left_ = false;
    bool ended_ = false;  // the server ended the game
};

}  // namespace

int RunOnlinePlayer(int& argc, char** argv, const OnlinePlayerOptions& options, std::ostream& out,
                    std::ostream& err) {
    QCoreApplication app(argc, argv);
    OnlinePlayer player(options, out, err);
    return player.Run(app);
}

}  // namespace kesp::sim
