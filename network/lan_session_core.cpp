#include "network/lan_session_core.h"

#include <algorithm>

#include "engine/game.h"
#include "engine/game_messages.h"
#include "network/message_check.h"
#include "network/printable_bytes.h"

namespace kesp {
namespace {

constexpr unsigned kEveryConnection = (1u << MaxLanClients) - 1;
constexpr std::string_view kLogHead = "kesp: network";

}  // namespace

std::array<TokenBucket, 5> LanSessionCore::MakeAllowances() const {
    const TokenBucket one(limits_.chatBurst, limits_.chatInterval);
    return {one, one, one, one, one};
}

void LanSessionCore::SetLimits(const LanLimits& limits) {
    limits_ = limits;
    log_ = LogLimiter(limits.logLinesPerSecond);
    chatAllowance_ = MakeAllowances();
}

LanSessionCore::Connection* LanSessionCore::Find(ConnectionId c) {
    for (Connection& connection : connections_)
        if (connection.id == c) return &connection;
    return nullptr;
}

const LanSessionCore::Connection* LanSessionCore::Find(ConnectionId c) const {
    for (const Connection& connection : connections_)
        if (connection.id == c) return &connection;
    return nullptr;
}

std::size_t LanSessionCore::PendingConnections() const {
    return static_cast<std::size_t>(std::count_if(connections_.begin(), connections_.end(),
                                                  [](const Connection& c) { return c.index < 0; }));
}

std::size_t LanSessionCore::Unsent(ConnectionId c) const {
    const Connection* connection = Find(c);
    return connection != nullptr ? connection->unsent : 0;
}

LanAction LanSessionCore::TakeAction() {
    LanAction action = std::move(outbox_.front());
    outbox_.pop_front();
    return action;
}

void LanSessionCore::Push(LanEvent event, std::string bytes, int seat) {
    LanAction action;
    action.event = event;
    action.seat = seat;
    action.bytes = std::move(bytes);
    outbox_.push_back(std::move(action));
}

void LanSessionCore::DropEvents() {
    std::erase_if(outbox_, [](const LanAction& a) { return a.kind == LanAction::Kind::Event; });
}

void LanSessionCore::Note(std::string_view line) {
    std::string summary;
    const bool allowed = log_.Allow(now_, summary);
    Log(summary);
    if (allowed) Log(line);
}

void LanSessionCore::Log(std::string_view line) {
    if (!line.empty()) Push(LanEvent::Log, std::string(kLogHead) + ": " + std::string(line));
}

void LanSessionCore::Reject(std::string_view what, std::string_view message) {
    Note("message ignored (" + std::string(what) + "): " + PrintableBytes(message));
}

// Setup and teardown.

void LanSessionCore::AttachGame(Game& game) {
    game_ = &game;
    SyncSetup();
}

void LanSessionCore::SyncSetup() {
    if (game_ == nullptr || lanRole_ == 0) return;
    TableSetup& setup = game_->Setup();
    setup.kind = lanRole_ == 1 ? GameKind::LanHost : GameKind::LanClient;
    setup.LanRole = lanRole_;
    setup.LanClientIndex = lanClientIndex_;
}

void LanSessionCore::Reset(std::uint8_t role, std::string_view ownName) {
    DropEvents();
    CloseAll();
    ++sessionNo_;
    closeRequest_ = false;
    breakOffDue_ = false;
    lanRole_ = role;
    lanClientIndex_ = -1;
    lanHandshake_ = 1;
    startFlag_ = false;
    helloSent_ = false;
    chatAllowance_ = MakeAllowances();
    ownName_ = MakeSeatName(ownName);
    byNetworkSeat_.fill(ComputerSeatName);
    byNetworkSeat_[1] = ownName_;
    names_ = NamesByPosition(byNetworkSeat_, 1);
    SyncSetup();
}

void LanSessionCore::Host(std::string_view ownName) {
    Reset(1, ownName);
    clientFailure_ = false;
}

ConnectionId LanSessionCore::Join(std::string_view ownName) {
    Reset(2, ownName);
    // Set until the host seats this machine: a client the host does not answer hears that there
    // are no accessible games.
    clientFailure_ = true;
    Connection host;
    host.id = nextId_++;
    host.reader = LanReader(LanReaderSide::Client);
    host.index = 0;
    connections_.push_back(std::move(host));
    return connections_.back().id;
}

void LanSessionCore::HostFailed() {
    CloseAll();
}

void LanSessionCore::Close() {
    DropEvents();
    CloseAll();
}

void LanSessionCore::CloseAll() {
    for (const Connection& c : connections_) {
        LanAction close;
        close.kind = LanAction::Kind::Close;
        close.connection = c.id;
        close.graceful = true;
        outbox_.push_back(std::move(close));
    }
    connections_.clear();
    deferred_.clear();
    lanHandshake_ = 0;
    begun_ = false;
    ++generation_;
    Log(log_.Flush(now_, true));
}

void LanSessionCore::CloseConnection(ConnectionId c, bool graceful) {
    std::erase_if(connections_, [c](const Connection& x) { return x.id == c; });
    LanAction close;
    close.kind = LanAction::Kind::Close;
    close.connection = c;
    close.graceful = graceful;
    outbox_.push_back(std::move(close));
}

bool LanSessionCore::BeginGame() {
    if (lanRole_ != 1 || lanHandshake_ != 1 || lanClientIndex_ < 0) return false;
    std::vector<ConnectionId> pending;
    for (const Connection& c : connections_)
        if (c.index < 0) pending.push_back(c.id);
    for (ConnectionId c : pending) CloseConnection(c, false);
    lanHandshake_ = 2;
    begun_ = true;
    startFlag_ = true;
    SyncSetup();
    return true;
}

// What the transport reports.

ConnectionId LanSessionCore::Accepted(LanTime now) {
    now_ = now;
    const ConnectionId id = nextId_++;
    if (lanRole_ != 1 || lanHandshake_ != 1) {
        CloseConnection(id, false);
        return id;
    }
    if (PendingConnections() >= limits_.maxPending) {
        // Connections that say nothing must not keep a player out: the oldest of them goes.
        const auto oldest = std::find_if(connections_.begin(), connections_.end(),
                                         [](const Connection& c) { return c.index < 0; });
        const ConnectionId gone = oldest->id;
        Note("a connection without a hello let go for a newer one");
        CloseConnection(gone, false);
    }
    Connection connection;
    connection.id = id;
    connection.since = now;
    connections_.push_back(std::move(connection));
    return id;
}

void LanSessionCore::Connected(LanTime now) {
    now_ = now;
    if (lanRole_ > 1 && lanHandshake_ == 1 && !helloSent_ && !connections_.empty()) {
        helloSent_ = true;
        Send(connections_.front(), MakeHello(ownName_));
        DropOverflowed();
    }
}

std::size_t LanSessionCore::Room(ConnectionId c) const {
    const Connection* connection = Find(c);
    return connection != nullptr ? connection->reader.Room() : 0;
}

std::size_t LanSessionCore::Receive(ConnectionId c, std::string_view bytes) {
    Connection* connection = Find(c);
    return connection != nullptr ? connection->reader.Feed(bytes) : 0;
}

bool LanSessionCore::Step(ConnectionId c, LanTime now) {
    now_ = now;
    Connection* connection = Find(c);
    LanMessage message;
    if (connection == nullptr || !connection->reader.Next(message)) return false;
    // Handling may close connections: nothing of the connection is used beyond this point.
    const std::string text(message.text);
    const LanMessageKind kind = message.kind;
    const int index = connection->index;
    if (lanRole_ == 1)
        HostMessage(c, index, kind, text);
    else
        ClientMessage(c, kind, text);
    DropOverflowed();
    return true;
}

void LanSessionCore::Disconnected(ConnectionId c, LanTime now) {
    now_ = now;
    Drop(c);
    DropOverflowed();
}

void LanSessionCore::ConnectionFailed(ConnectionId c, LanTime now) {
    now_ = now;
    if (lanRole_ < 2 || Find(c) == nullptr) return;
    if (startFlag_) return;  // a seated client learns of the loss from the disconnection
    clientFailure_ = true;
    CloseConnection(c, false);
    Push(LanEvent::ConnectionLost);
    Push(LanEvent::ClientFailed);
}

void LanSessionCore::Written(ConnectionId c, std::size_t bytes) {
    if (Connection* connection = Find(c)) connection->unsent -= std::min(bytes, connection->unsent);
}

void LanSessionCore::Tick(LanTime now) {
    now_ = now;
    std::vector<ConnectionId> expired;
    for (const Connection& c : connections_)
        if (c.index < 0 && lanRole_ == 1 && now - c.since >= limits_.pendingTimeout) expired.push_back(c.id);
    for (ConnectionId c : expired) {
        Note("a connection without a hello in time closed");
        CloseConnection(c, false);
    }
    Log(log_.Flush(now));
}

std::optional<LanTime> LanSessionCore::NextDeadline() const {
    std::optional<LanTime> next;
    const auto consider = [&next](LanTime t) {
        if (!next || t < *next) next = t;
    };
    if (lanRole_ == 1)
        for (const Connection& c : connections_)
            if (c.index < 0) consider(c.since + limits_.pendingTimeout);
    if (log_.HasSuppressed()) consider(log_.WindowEnd());
    return next;
}

// Losing connections.

// A connection that went away or is let go for its behaviour: a seated player's loss breaks a
// running game off, as does the loss of the host.
void LanSessionCore::Drop(ConnectionId c) {
    const Connection* connection = Find(c);
    if (connection == nullptr) return;
    const bool seated = connection->index >= 0;
    CloseConnection(c, false);
    if (lanRole_ == 1) {
        if (!seated) return;
        Push(LanEvent::ConnectionLost);
        // Before the game begins a seated client that leaves breaks the table up too: the others'
        // seats and names were given with it.
        if (GameIsRunning() || lanHandshake_ == 1) LosePlayer();
        return;
    }
    Push(LanEvent::ConnectionLost);
    if (GameIsRunning()) {
        LosePlayer();
    } else if (!startFlag_) {
        clientFailure_ = true;
        Push(LanEvent::ClientFailed);
    }
}

void LanSessionCore::DropOverflowed() {
    for (;;) {
        const auto it = std::find_if(connections_.begin(), connections_.end(),
                                     [](const Connection& c) { return c.overflowed; });
        if (it == connections_.end()) return;
        const ConnectionId c = it->id;
        Note("a peer that does not take what is sent dropped");
        Drop(c);
    }
}

void LanSessionCore::LosePlayer() {
    if (lanHandshake_ == 0) return;
    if (lanRole_ == 1) {
        if (lanClientIndex_ >= 1) SendTo(RelayTargets(NobodySeat, lanClientIndex_), AbortMessage);
        closeRequest_ = true;
    }
    breakOffDue_ = startFlag_ && game_ != nullptr;
    CloseAll();
    startFlag_ = false;
    Push(LanEvent::PeerLost);
}

void LanSessionCore::FinishBreakOff() {
    if (!std::exchange(breakOffDue_, false) || game_ == nullptr) return;
    game_->BreakOff();
}

bool LanSessionCore::GameIsRunning() const {
    if (!begun_) return false;
    return game_ == nullptr || !game_->State().GameOver;
}

// Sending.

void LanSessionCore::Send(Connection& connection, std::string_view bytes) {
    if (connection.overflowed) return;
    if (connection.unsent + bytes.size() > limits_.maxUnsentBytes) {
        connection.overflowed = true;  // dropped once the step at hand is over
        return;
    }
    connection.unsent += bytes.size();
    LanAction send;
    send.kind = LanAction::Kind::Send;
    send.connection = connection.id;
    send.bytes.assign(bytes);
    outbox_.push_back(std::move(send));
}

void LanSessionCore::SendTo(unsigned targets, std::string_view bytes) {
    for (Connection& c : connections_)
        if (c.index >= 0 && (targets & (1u << c.index)) != 0) Send(c, bytes);
}

void LanSessionCore::Announce(std::string_view message) {
    if (message.empty() || lanHandshake_ == 0) return;
    if (lanRole_ == 1) {
        if (message[0] == 'b' && message.size() == DealMessageLength) {
            SendTo(kEveryConnection, message);
            lanHandshake_ = 3;
        } else if (message[0] == 'h') {
            SendTo(RelayTargets(1, lanClientIndex_), message);
        }
    } else if (lanRole_ > 1 && message[0] == 'h' && !connections_.empty()) {
        Send(connections_.front(), message);
    }
    DropOverflowed();
}

void LanSessionCore::SendChat(std::string_view text) {
    text = text.substr(0, ChatTextLimit);
    if (text.empty() || lanRole_ == 0 || lanHandshake_ == 0) return;
    if (lanRole_ == 1)
        SendTo(kEveryConnection, MakeChat(1, text));
    else if (!connections_.empty())
        Send(connections_.front(), MakeChat(lanRole_, text));
    DropOverflowed();
}

// Receiving.

void LanSessionCore::HostMessage(ConnectionId c, int index, LanMessageKind kind, const std::string& text) {
    switch (kind) {
        case LanMessageKind::Hello:
            return HandleHello(c, index, text);
        case LanMessageKind::Chat:
            return HandleChat(text, index);
        case LanMessageKind::Game:
            if (index < 0) return Reject("from a connection without a seat", text);
            return Offer({c, ConnectionSeat(index), kind, text});
        default:
            return Reject("not a message", text);
    }
}

void LanSessionCore::ClientMessage(ConnectionId c, LanMessageKind kind, const std::string& text) {
    switch (kind) {
        case LanMessageKind::Chat:
            return HandleChat(text, -1);
        case LanMessageKind::Abort:
            return LosePlayer();
        case LanMessageKind::Seating:
            return HandleSeating(text);
        case LanMessageKind::Deal:
        case LanMessageKind::Game:
            return Offer({c, 0, kind, text});
        default:
            return Reject("not a message", text);
    }
}

void LanSessionCore::HandleHello(ConnectionId c, int index, std::string_view text) {
    const std::optional<SeatName> name = ParseHello(text);
    if (!name) return Reject("a hello for another game", text);
    if (lanHandshake_ != 1 || index >= 0) return Reject("a hello out of time", text);
    if (lanClientIndex_ + 1 >= MaxLanClients) {
        // The table is full: the late client hears nothing and is let go.
        Reject("a hello at a full table", text);
        return CloseConnection(c, false);
    }
    SeatClient(c, *name);
}

void LanSessionCore::SeatClient(ConnectionId c, const SeatName& name) {
    const int index = ++lanClientIndex_;
    Find(c)->index = index;
    byNetworkSeat_[static_cast<std::size_t>(ConnectionSeat(index))] = name;
    names_ = NamesByPosition(byNetworkSeat_, 1);
    const auto seating = SeatingMessages(index, byNetworkSeat_);
    for (int n = 0; n <= index; ++n) SendTo(1u << n, seating[static_cast<std::size_t>(n)]);
    SyncSetup();
    Push(LanEvent::SeatsChanged);
}

void LanSessionCore::HandleSeating(std::string_view message) {
    const std::optional<Seating> seating = ParseSeating(message, lanRole_, lanHandshake_);
    if (!seating) return Reject("a seating message out of time", message);
    byNetworkSeat_ = seating->byNetworkSeat;
    lanClientIndex_ = seating->lanClientIndex;
    if (seating->ownSeat) {
        lanRole_ = static_cast<std::uint8_t>(seating->networkSeat);
        lanHandshake_ = 2;
        startFlag_ = true;
        begun_ = true;
        clientFailure_ = false;
    }
    names_ = NamesByPosition(byNetworkSeat_, lanRole_);
    SyncSetup();
    if (seating->ownSeat) Push(LanEvent::Seated);
    Push(LanEvent::SeatsChanged);
}

void LanSessionCore::HandleChat(std::string_view message, int index) {
    const std::optional<ChatLine> chat = ParseChat(message);
    if (!chat) return Reject("a broken chat line", message);
    if (lanRole_ == 1) {
        if (index < 0 || chat->seat != ConnectionSeat(index))
            return Reject("a chat line under another seat", message);
    } else if (!startFlag_) {
        return Reject("a chat line before seating", message);
    } else if (chat->seat == lanRole_) {
        return Reject("a chat line under the own seat", message);
    }
    if (!chatAllowance_[static_cast<std::size_t>(chat->seat)].Take(now_))
        return Reject("chat lines too fast", message);
    if (lanRole_ == 1) SendTo(RelayTargets(chat->seat, lanClientIndex_), message);
    Push(LanEvent::ChatReceived, chat->text, chat->seat);
}

// A game message or deal is handled at once, or kept while the game is busy (and while older
// ones are kept, so that the order holds).
void LanSessionCore::Offer(Kept kept) {
    while (DeliverOneDeferred(now_)) {
    }
    if (!Busy() && deferred_.empty()) return Handle(kept);
    if (deferred_.size() >= limits_.maxDeferred) {
        Reject("too many messages while the game is busy, connection dropped", kept.text);
        return Drop(kept.from);
    }
    deferred_.push_back(std::move(kept));
}

bool LanSessionCore::DeliverOneDeferred(LanTime now) {
    now_ = now;
    if (deferred_.empty() || Busy()) return false;
    const Kept kept = std::move(deferred_.front());
    deferred_.pop_front();
    if (IsOpen(kept.from)) Handle(kept);
    DropOverflowed();
    return true;
}

void LanSessionCore::Handle(const Kept& kept) {
    if (game_ == nullptr || !begun_) return Reject("no game is running", kept.text);
    if (kept.kind == LanMessageKind::Deal) return HandleDeal(kept.text);
    HandleGameMessage(kept.text, kept.sender);
}

void LanSessionCore::HandleGameMessage(std::string_view message, int sender) {
    if (lanRole_ != 1) {
        sender = message[4] - '0';
        if (sender < 1 || sender > lanClientIndex_ + 2) return Reject("from an empty seat", message);
    }
    const MessageVerdict verdict = CheckGameMessage(*game_, message, sender);
    if (verdict != MessageVerdict::Ok) return Reject(VerdictText(verdict), message);
    if (lanRole_ == 1) SendTo(RelayTargets(sender, lanClientIndex_), message);
    const std::uint64_t generation = generation_;
    game_->ApplyGameMessage(message);
    if (generation == generation_) Push(LanEvent::GameMessageApplied, std::string(message));
}

void LanSessionCore::HandleDeal(std::string_view message) {
    const MessageVerdict verdict = CheckDealMessage(*game_, message);
    if (verdict != MessageVerdict::Ok) return Reject(VerdictText(verdict), message);
    SyncSetup();
    const std::uint64_t generation = generation_;
    if (!game_->ReceiveDeal(message)) return Reject("a deal that cannot be dealt", message);
    if (generation == generation_) Push(LanEvent::DealReceived);
}

}  // namespace kesp
