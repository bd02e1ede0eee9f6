// The decisions of the connection to the online game server, without any socket: the greeting,
// the frames that come in (deals, other players' steps, chat, the server's end of a game, a
// player who left or ran out of time), the own steps and chat that go out, the move clock, and
// what a connection error or a drop means for the game. It answers with actions (send these
// bytes, close the connection, tell the table something) that the transport carries out in
// order, so it can be driven from a test or a fuzzer as well as from a socket.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "network/online_frame.h"
#include "network/rate_limit.h"

namespace kesp {

class Game;

// 0 not seated, 1 connecting (greet when writable), 2 greeted, 10 the game is over or broken off.
enum class OnlineState : std::uint8_t { Idle = 0, Connecting = 1, Greeted = 2, Finished = 10 };

struct OnlineLimits {
    // A connection not writable within this time counts as failed.
    std::chrono::milliseconds connectTimeout{10000};
    // A seat whose connection brings no deal within this time of connecting is given up: the
    // other players did not come. Within a game the server times out a silent player.
    std::chrono::milliseconds dealWait{std::chrono::minutes(30)};
    // Frames kept while the game is busy; a server that sends more is let go.
    std::size_t maxDeferred = 64;
    // Bytes written and not yet taken by the system; over it the connection is let go.
    std::size_t maxUnsentBytes = 64 * 1024;
    // Chat lines received: this many at once, then one more per interval.
    int chatBurst = 8;
    std::chrono::milliseconds chatInterval{500};
    int logLinesPerSecond = 5;
};

enum class OnlineEvent : std::uint8_t {
    Greeted,             // the greeting went out
    DealArrived,         // a deal was dealt on the game (seat: 1 when it began a new game)
    GameMessageApplied,  // another player's step was applied (bytes: the message)
    ChatReceived,        // seat: the sender's online seat, bytes: the text
    GameEnded,           // the server ended the game ('e')
    PlayerLeft,          // seat: the table position of the player who left ('a')
    PlayerTimedOut,      // seat: the table position of the player whose time ran out ('T')
    OwnTimeUp,           // the own move clock ran out: "TOut" went out
    ConnectionLost,      // the connection dropped during the game
    ConnectionError,     // the connection failed or dropped before the game
    NoDeal,              // no deal came in time: "disA" went out and the connection closed
    ClockChanged,        // the move clock was restarted, ticked or stopped
    Log,                 // a line for the log (bytes)
};

struct OnlineAction {
    enum class Kind : std::uint8_t { Send, Close, Event };
    Kind kind = Kind::Event;
    OnlineEvent event = OnlineEvent::Log;
    int seat = 0;
    std::string bytes;
};

// The move clock: seconds left for the move that is due, and the table position whose clock runs.
struct MoveClock {
    static constexpr int Seconds = 26;
    int countdown = 0;
    int position = 0;
    bool running = false;
};

// The table position whose player must act in the game's phase: the seat on turn while it decides,
// discards or plays, otherwise the table's first seat, who presses the buttons that move the
// game on. A seat that passed the deal moves automatically from the first seat's machine, so
// its turns count as the first seat's.
int ClockPosition(const Game& game);
// The tick's sound on the own clock: "STimerA" above 7 seconds, "STimerB" for the last seven;
// empty on another seat's clock.
std::string_view ClockSound(const MoveClock& clock);

class OnlineSessionCore {
  public:
    explicit OnlineSessionCore(const OnlineLimits& limits = {})
        : limits_(limits),
          chatAllowance_(limits.chatBurst, limits.chatInterval),
          log_(limits.logLinesPerSecond) {}

    // Takes effect for what comes next.
    void SetLimits(const OnlineLimits& limits) {
        limits_ = limits;
        chatAllowance_ = TokenBucket(limits.chatBurst, limits.chatInterval);
        log_ = LogLimiter(limits.logLinesPerSecond);
    }
    void AttachGame(Game& game) { game_ = &game; }
    // While `busy()` holds, received deals and steps are kept in order; DeliverOneDeferred hands
    // them to the game one at a time.
    void DeferWhile(std::function<bool()> busy) { busy_ = std::move(busy); }

    // Seated at seat 1..4: the transport connects now; greeting once it is writable.
    void Connect(int seat, LanTime now);
    void Writable();
    // Leaving the seat before the game: "disA", then the connection closes.
    void Leave();
    // What the transport reports.
    std::size_t Room() const { return reader_.Room(); }
    // Takes what fits and handles every whole frame.
    std::size_t Receive(std::string_view bytes, LanTime now);
    void Written(std::size_t bytes) { unsent_ -= std::min(bytes, unsent_); }
    void Failed();
    void Disconnected();
    // The connect and deal time-outs and the log's summaries.
    void Tick(LanTime now);

    // The own steps (game messages, "bnext", the results) and chat.
    void Announce(std::string_view message);
    void SendChat(std::string_view text);
    // The one-second tick of the move clock.
    void ClockSecond();
    bool DeliverOneDeferred(LanTime now);
    std::size_t DeferredCount() const { return deferred_.size(); }

    OnlineState State() const { return state_; }
    int Seat() const { return seat_; }
    const MoveClock& Clock() const { return clock_; }
    bool ConnectionError() const { return connectionError_; }
    bool TakeConnectionError() { return std::exchange(connectionError_, false); }
    std::size_t Unsent() const { return unsent_; }

    bool HasAction() const { return !outbox_.empty(); }
    OnlineAction TakeAction();

  private:
    void Send(std::string_view message);
    void Close();
    void Push(OnlineEvent event, std::string bytes = {}, int seat = 0);
    void Handle(const std::string& frame);
    void HandleDeal(std::string_view frame);
    void HandleGameMessage(std::string_view frame);
    void HandleChat(std::string_view frame);
    void EndedByServer();
    void StopEarly(OnlineEvent event, int seat);
    void RestartClock();
    void StopClock();
    bool Busy() const { return busy_ && busy_(); }
    bool Playing() const;
    void Reject(std::string_view what, std::string_view frame);

    OnlineLimits limits_;
    Game* game_ = nullptr;
    std::function<bool()> busy_;
    OnlineState state_ = OnlineState::Idle;
    int seat_ = 0;
    bool open_ = false;       // the transport has a connection (or is making one)
    bool gameBegun_ = false;  // the first deal since the greeting has come
    bool connectionError_ = false;
    LanTime connectSince_{};
    std::size_t unsent_ = 0;
    OnlineReader reader_;
    std::deque<std::string> deferred_;
    MoveClock clock_;
    TokenBucket chatAllowance_;
    LogLimiter log_;
    LanTime now_{};
    std::deque<OnlineAction> outbox_;
};

}  // namespace kesp
