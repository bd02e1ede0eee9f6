// The decisions of a local-network game without any socket: reading each connection, the hello
// and seating, the relay of game messages and chat, connections that never say hello, peers that
// do not read or send too much, messages kept while the game is busy, and the end of a running
// game when a player is lost. It works on connection numbers and answers with actions (send these
// bytes to connection c, close c, tell the table that something happened) that the transport
// carries out in order; it never calls out except into the attached game, so it can be driven
// from a test or a fuzzer as well as from the sockets.
#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "network/lan_protocol.h"
#include "network/lan_reader.h"
#include "network/rate_limit.h"

namespace kesp {

class Game;

// Connections are numbered from 1 in the order they come and a number is never used again, so a
// late event of a closed connection finds nothing.
using ConnectionId = std::uint32_t;

// Bounds and time-outs of a session; tests and kesp-sim shorten or loosen them.
struct LanLimits {
    // A connection that has not said hello within this time is let go.
    std::chrono::milliseconds pendingTimeout{5000};
    // Connections waiting for their hello at one time; the oldest goes to make room for another.
    std::size_t maxPending = 8;
    // Bytes written to a connection that the system has not yet taken; a peer over it is dropped.
    std::size_t maxUnsentBytes = 64 * 1024;
    // Chat lines of one seat: this many at once, then one more per interval (0: no limit).
    int chatBurst = 8;
    std::chrono::milliseconds chatInterval{500};
    // Game messages and deals kept while the game is busy; a peer that sends more is dropped.
    std::size_t maxDeferred = 64;
    // Lines about rejected input written per second; the rest are counted.
    int logLinesPerSecond = 5;
};

enum class LanEvent : std::uint8_t {
    SeatsChanged,        // host: a client was seated; client: the names or the number of clients changed
    Seated,              // client: the host seated this machine
    ClientFailed,        // client: the connection failed or broke before seating
    DealReceived,        // client: the host's deal was dealt on the attached game
    GameMessageApplied,  // another machine's game message was applied (bytes: the message)
    ChatReceived,        // a chat line (seat: the sender, bytes: the text without padding)
    ConnectionLost,      // a connection of a seated player went away
    PeerLost,            // a player left a running game; the game is to be broken off
    Log,                 // a line for the log (bytes)
};

struct LanAction {
    enum class Kind : std::uint8_t { Send, Close, Event };
    Kind kind = Kind::Event;
    ConnectionId connection = 0;  // Send, Close
    bool graceful = false;        // Close: let what was written go out first
    LanEvent event = LanEvent::Log;
    int seat = 0;
    std::string bytes;
};

class LanSessionCore {
  public:
    explicit LanSessionCore(const LanLimits& limits = {}) : limits_(limits), log_(limits.logLinesPerSecond) {}

    // Takes effect for what comes next (chat allowances start anew).
    void SetLimits(const LanLimits& limits);
    const LanLimits& Limits() const { return limits_; }

    // The game the other machines' steps are checked against and applied to (see LanSession).
    void AttachGame(Game& game);
    // While `busy()` holds, received game messages and deals are kept in order instead of being
    // checked and applied; DeliverOneDeferred() hands them to the game one at a time.
    void DeferWhile(std::function<bool()> busy) { busy_ = std::move(busy); }

    // Waiting for players as the host (the transport listens) or as a client (the transport
    // connects the returned connection to the host).
    void Host(std::string_view ownName);
    ConnectionId Join(std::string_view ownName);
    // The host could not listen.
    void HostFailed();
    // Every connection closed, LanHandshake 0; what the table has not yet been told is dropped.
    void Close();
    bool BeginGame();
    // After a lost player the host's listening socket is closed at the next tick of the menu.
    bool CloseRequested() const { return closeRequest_; }
    bool TakeCloseRequest() { return std::exchange(closeRequest_, false); }

    // What the transport reports.
    ConnectionId Accepted(LanTime now);
    void Connected(LanTime now);
    std::size_t Room(ConnectionId c) const;
    std::size_t Receive(ConnectionId c, std::string_view bytes);
    // Handles the next complete message of connection c; false when there is none.
    bool Step(ConnectionId c, LanTime now);
    void Disconnected(ConnectionId c, LanTime now);
    // A client's connection failed (an error of its socket).
    void ConnectionFailed(ConnectionId c, LanTime now);
    // The system took `bytes` of what was written to connection c.
    void Written(ConnectionId c, std::size_t bytes);
    void Tick(LanTime now);
    // When Tick has something to do.
    std::optional<LanTime> NextDeadline() const;

    // This machine's steps and chat.
    void Announce(std::string_view message);
    void SendChat(std::string_view text);
    // Hands the oldest kept message to the game; false when none is kept or the game is busy.
    bool DeliverOneDeferred(LanTime now);
    std::size_t DeferredCount() const { return deferred_.size(); }
    // After the table has been told of a lost player: the attached game is broken off.
    void FinishBreakOff();

    bool HasAction() const { return !outbox_.empty(); }
    LanAction TakeAction();

    std::uint8_t LanRole() const { return lanRole_; }
    int LanClientIndex() const { return lanClientIndex_; }
    std::uint8_t LanHandshake() const { return lanHandshake_; }
    const SeatNames& Names() const { return names_; }
    bool ClientFailure() const { return clientFailure_; }
    bool StartFlag() const { return startFlag_; }
    // Changes whenever a new session is set up.
    std::uint64_t SessionNo() const { return sessionNo_; }
    bool IsOpen(ConnectionId c) const { return Find(c) != nullptr; }
    std::size_t PendingConnections() const;
    std::size_t Unsent(ConnectionId c) const;

  private:
    struct Connection {
        ConnectionId id = 0;
        LanReader reader{LanReaderSide::Host};
        int index = -1;  // host: 0..2 once seated
        LanTime since{};
        std::size_t unsent = 0;
        bool overflowed = false;
    };
    struct Kept {
        ConnectionId from = 0;
        int sender = 0;  // host: the sender's network seat
        LanMessageKind kind = LanMessageKind::Game;
        std::string text;
    };

    Connection* Find(ConnectionId c);
    const Connection* Find(ConnectionId c) const;
    void Reset(std::uint8_t role, std::string_view ownName);
    void CloseAll();
    void DropEvents();
    void Push(LanEvent event, std::string bytes = {}, int seat = 0);
    void CloseConnection(ConnectionId c, bool graceful);
    void Drop(ConnectionId c);
    void DropOverflowed();
    void Send(Connection& connection, std::string_view bytes);
    void SendTo(unsigned connections, std::string_view bytes);
    void HostMessage(ConnectionId c, int index, LanMessageKind kind, const std::string& text);
    void ClientMessage(ConnectionId c, LanMessageKind kind, const std::string& text);
    void HandleHello(ConnectionId c, int index, std::string_view text);
    void SeatClient(ConnectionId c, const SeatName& name);
    void HandleSeating(std::string_view message);
    void HandleChat(std::string_view message, int index);
    void Offer(Kept kept);
    void Handle(const Kept& kept);
    void HandleGameMessage(std::string_view message, int sender);
    void HandleDeal(std::string_view message);
    void LosePlayer();
    bool GameIsRunning() const;
    bool Busy() const { return busy_ && busy_(); }
    void SyncSetup();
    void Note(std::string_view line);  // a log line, at a bounded rate
    void Log(std::string_view line);   // a log line as it is (nothing for an empty one)
    void Reject(std::string_view what, std::string_view message);

    LanLimits limits_;
    Game* game_ = nullptr;
    std::function<bool()> busy_;
    std::uint8_t lanRole_ = 0;
    int lanClientIndex_ = -1;
    std::uint8_t lanHandshake_ = 0;
    SeatNames names_;
    std::array<SeatName, 5> byNetworkSeat_{};
    SeatName ownName_ = ComputerSeatName;
    bool clientFailure_ = false;
    bool startFlag_ = false;
    bool begun_ = false;         // the game has begun: seating is over
    bool closeRequest_ = false;  // close the listening socket at the next menu tick
    bool helloSent_ = false;
    bool breakOffDue_ = false;
    std::uint64_t sessionNo_ = 0;
    std::uint64_t generation_ = 0;  // changes whenever every connection is closed

    ConnectionId nextId_ = 1;
    std::vector<Connection> connections_;
    std::deque<Kept> deferred_;
    std::array<TokenBucket, 5> chatAllowance_ = MakeAllowances();  // by network seat 1..4
    LogLimiter log_;
    LanTime now_{};
    std::deque<LanAction> outbox_;

    std::array<TokenBucket, 5> MakeAllowances() const;
};

}  // namespace kesp
