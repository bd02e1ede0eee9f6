// The decisions of the game server of the ten tables, without any socket: greetings checked
// against the tables service, the deal, each table's game followed with the engine so that only a
// seat's legal move is forwarded, chat, the end of a game, lost players and silent ones. It takes
// connection events and bytes and answers with actions (send these bytes, close, log) that the
// transport carries out in order, so a test or a fuzzer can drive it as well as the sockets.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "network/bounded_buffer.h"
#include "network/online_frame.h"
#include "network/rate_limit.h"

namespace kesp {
class Game;
}

namespace kesp::service {

using GameClock = std::chrono::steady_clock;
using GameTime = GameClock::time_point;
// Numbered by the transport in the order connections come; a number is never used again.
using ConnectionId = std::uint32_t;

inline constexpr int kServerTables = 10;
inline constexpr int kTableSeats = 4;

struct GameServerLimits {
    // A connection that has not greeted within this time is closed.
    std::chrono::milliseconds greetingTimeout{5000};
    // A player silent this long while a move is due from him is timed out.
    std::chrono::milliseconds moveTimeout{60000};
    // How often the seats of waiting tables without a connection are handed back to the tables
    // service (whose holder crashed or never connected), and how long such a seat is kept.
    std::chrono::milliseconds seatSweepInterval{30000};
    std::chrono::seconds unconnectedSeatGrace{120};
    // Connections of one table waiting for their greeting.
    std::size_t maxWaitingPerTable = 8;
    // Frames of one connection: this many at once, then one more per interval; past it, dropped.
    int frameBurst = 200;
    std::chrono::milliseconds frameInterval{5};
    // Chat lines of one seat: this many at once, then one more per interval; the rest are dropped.
    int chatBurst = 5;
    std::chrono::milliseconds chatInterval{1000};
    int logLinesPerSecond = 20;
};

// What the game server asks of the tables service.
class TableDirectory {
  public:
    virtual ~TableDirectory() = default;
    // The nick holding `seat` of `table`, when that nick has a session from `address`.
    virtual std::optional<std::string> HolderOf(int table, int seat, const std::string& address) = 0;
    virtual void GameStarted(int table) = 0;
    // The games that count (nick, result); the table's seats are then free.
    virtual void GameEnded(int table, const std::vector<std::pair<std::string, long long>>& counted) = 0;
    // Frees the seats of a waiting table that have had no connection since `grace` after they were
    // taken; `connected[s - 1]` tells seat s has one.
    virtual void FreeUnconnectedSeats(int table, const std::array<bool, 4>& connected,
                                      std::chrono::seconds grace) = 0;
};

struct GameServerAction {
    enum class Kind : std::uint8_t { Send, Close, Log };
    Kind kind = Kind::Log;
    ConnectionId connection = 0;
    bool graceful = false;  // Close: what was sent before goes out first
    std::string bytes;
};

class GameServerCore {
  public:
    GameServerCore(TableDirectory& directory, const GameServerLimits& limits);
    ~GameServerCore();
    GameServerCore(const GameServerCore&) = delete;
    GameServerCore& operator=(const GameServerCore&) = delete;

    // A connection came on table `table`'s port (1..10) from `address`.
    void Connected(ConnectionId id, int table, const std::string& address, GameTime now);
    void Received(ConnectionId id, std::string_view bytes, GameTime now);
    // The peer went away or the connection failed.
    void Closed(ConnectionId id, GameTime now);
    // Time-outs; call at NextDeadline.
    void Tick(GameTime now);
    std::optional<GameTime> NextDeadline() const;

    std::vector<GameServerAction> TakeActions();

    // For tests and the fuzzer: the table's game as the server follows it (nothing while none runs).
    const Game* TableGame(int table) const;
    std::size_t ConnectionCount() const { return connections_.size(); }

  private:
    struct Connection {
        int table = 0;
        std::string address;
        int seat = 0;  // 0 until greeted
        GameTime since;
        // Players send only 50-character frames ("bnext" too), unlike the server's deal.
        BoundedBuffer reader{4 * OnlineFrameLength};
        TokenBucket frames;
    };
    struct Table;

    bool Handle(ConnectionId id, std::string_view frame, GameTime now);
    bool Greet(ConnectionId id, std::string_view frame, GameTime now);
    void HandleGameMessage(Table& table, int seat, std::string_view frame, GameTime now);
    void HandleResults(Table& table, std::string_view frame);
    void StartGame(Table& table, GameTime now);
    void Deal(Table& table, bool newGame, GameTime now);
    void EndGame(Table& table, std::string_view frameToOthers, int concerned,
                 std::vector<std::pair<std::string, long long>> counted);
    int DueSeat(const Table& table) const;
    void SweepSeats(GameTime now);
    void SendToOthers(const Table& table, int seat, const std::string& bytes);
    void Send(ConnectionId id, std::string bytes);
    void Drop(ConnectionId id, const std::string& why);
    // The seat's player is gone during the game: 'a' to the others, his game counts as lost.
    void LoseSeat(Table& table, int seat);
    void Unseat(ConnectionId id);
    void Log(const std::string& line, GameTime now);

    TableDirectory& directory_;
    GameServerLimits limits_;
    std::map<ConnectionId, Connection> connections_;
    std::array<std::unique_ptr<Table>, kServerTables> tables_;
    LogLimiter log_;
    std::vector<GameServerAction> actions_;
    GameTime now_{};
    std::optional<GameTime> lastSweep_;
};

}  // namespace kesp::service
