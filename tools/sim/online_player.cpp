#include "tools/sim/online_player.h"

#include <QCoreApplication>
#include <QTimer>
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

class OnlinePlayer : public TableEvents {
  public:
    OnlinePlayer(const OnlinePlayerOptions& options, std::ostream& out, std::ostream& err)
        : options_(options), out_(out), err_(err), game_(*this) {
        game_.Setup().FlyCards = false;
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
        QObject::connect(&timer_, &QTimer::timeout, [this] { Act(); });
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
        if (!TakeSeat()) return kNoSeat;
        ended_ = false;
        timer_.start(options_.paceMs);
        return app.exec();
    }

    void Announce(std::string_view message) override { session_.Announce(message); }
    std::optional<bool> AskYesNo(WordId, WordId, std::string_view) override { return true; }
    void LeaveTable(LeaveReason reason) override { left_ = reason == LeaveReason::Finished; }

  private:
    // Reads the tables, takes the seat and connects to the table's game server.
    bool TakeSeat() {
        const std::optional<TableList> tables = ReadTables(client_, addresses_.tables);
        if (!tables) {
            err_ << "kesp-sim: the tables did not answer" << std::endl;
            return false;
        }
        TZunClient own;
        own.Nick = user_.Nick;
        own.Country = user_.Country2.empty() ? "X" : user_.Country2;
        own.City = user_.City.empty() ? "X" : user_.City;
        own.Sex = std::string(1, user_.Sex);
        own.IP = "127.0.0.1";
        const SeatResult taken =
            ChangeSeat(client_, addresses_.tables, options_.table, options_.seat, SeatChange::Take, own);
        if (taken != SeatResult::Done) {
            err_ << "kesp-sim: seat " << options_.seat << " of table " << options_.table << " not taken ("
                 << static_cast<int>(taken) << ")" << std::endl;
            return false;
        }
        const GameServerAddress server = GameServerOf(*tables);
        err_ << "kesp-sim: seated at table " << options_.table << " seat " << options_.seat << ", server "
             << server.host << ":" << server.PortOf(options_.table) << std::endl;
        session_.Connect(QString::fromStdString(server.host),
                         static_cast<quint16>(server.PortOf(options_.table)), options_.seat);
        return true;
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
        if (gamesDone_ >= options_.games) return Quit(kDone);
        // The service frees the table after a game: the seat is taken anew for the next one.
        QTimer::singleShot(200, [this] {
            ended_ = false;
            if (!TakeSeat()) Quit(kNoSeat);
        });
    }

    void Track() { TraceChange(last_, game_.State(), out_); }

    void Quit(int status) {
        timer_.stop();
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
