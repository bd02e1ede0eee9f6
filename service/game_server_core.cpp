#include "service/game_server_core.h"

#include <algorithm>

#include "engine/game.h"
#include "engine/game_messages.h"
#include "network/message_check.h"

namespace kesp::service {
namespace {

constexpr int kDrivingSeat = 1;
constexpr long long kLeaverResult = -100;

char SeatDigit(int seat) {
    return static_cast<char>('0' + seat);
}

// The network seat at table position p, as network seat 1 sees the table.
int SeatAtPosition(int p) {
    for (int n = 1; n <= kTableSeats; ++n)
        if (TablePositionOf(kDrivingSeat, n) == p) return n;
    return kDrivingSeat;
}

std::unique_ptr<Game> FollowingGame(int ownSeat) {
    auto game = std::make_unique<Game>();
    TableSetup& setup = game->Setup();
    setup.kind = GameKind::Online;
    setup.OnlineSeat = static_cast<std::uint8_t>(ownSeat);
    setup.InitialScore = 100;
    setup.FlyCards = false;
    setup.Tournament = true;
    return game;
}

// A result field of "o": up to five characters, blanks before an optional '-' and digits.
std::optional<long long> ResultField(std::string_view field) {
    while (!field.empty() && field.front() == ' ') field.remove_prefix(1);
    const bool negative = !field.empty() && field.front() == '-';
    if (negative) field.remove_prefix(1);
    if (field.empty()) return std::nullopt;
    long long value = 0;
    for (const char c : field) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

// A frame's text for the log: printable characters only.
std::string Printable(std::string_view frame) {
    std::string text;
    for (const char c : frame.substr(0, OnlineFrameLength))
        text.push_back(static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) < 0x7f ? c
                                                                                                     : '?');
    return text;
}

}  // namespace

struct GameServerCore::Table {
    explicit Table(int n, const GameServerLimits& limits) : number(n) {
        for (auto& bucket : chat) bucket = TokenBucket(limits.chatBurst, limits.chatInterval);
    }
    int number;
    std::array<ConnectionId, kTableSeats + 1> seat{};
    std::array<std::string, kTableSeats + 1> nick;
    std::array<TokenBucket, kTableSeats + 1> chat{TokenBucket(0, {}), TokenBucket(0, {}), TokenBucket(0, {}),
                                                  TokenBucket(0, {}), TokenBucket(0, {})};
    // The game as network seats 1 and 2 see it: a seat's own messages are checked against the
    // other's view; the local game deals with the engine's shuffle.
    std::unique_ptr<Game> asSeat1, asSeat2, dealer;
    GameTime dueSince{};

    bool Playing() const { return asSeat1 != nullptr; }
    int Greeted() const {
        return static_cast<int>(
            std::count_if(seat.begin() + 1, seat.end(), [](ConnectionId c) { return c != 0; }));
    }
};

GameServerCore::GameServerCore(TableDirectory& directory, const GameServerLimits& limits)
    : directory_(directory), limits_(limits), log_(limits.logLinesPerSecond) {
    for (int t = 1; t <= kServerTables; ++t) tables_[t - 1] = std::make_unique<Table>(t, limits_);
}

GameServerCore::~GameServerCore() = default;

std::vector<GameServerAction> GameServerCore::TakeActions() {
    return std::exchange(actions_, {});
}

const Game* GameServerCore::TableGame(int table) const {
    if (table < 1 || table > kServerTables) return nullptr;
    return tables_[table - 1]->asSeat1.get();
}

void GameServerCore::Log(const std::string& line, GameTime now) {
    std::string summary;
    const bool allowed = log_.Allow(now, summary);
    if (!summary.empty())
        actions_.push_back({GameServerAction::Kind::Log, 0, false, "game server: " + summary});
    if (allowed) actions_.push_back({GameServerAction::Kind::Log, 0, false, "game server: " + line});
}

void GameServerCore::Send(ConnectionId id, std::string bytes) {
    actions_.push_back({GameServerAction::Kind::Send, id, false, std::move(bytes)});
}

void GameServerCore::SendToOthers(const Table& table, int seat, const std::string& bytes) {
    for (int s = 1; s <= kTableSeats; ++s)
        if (s != seat && table.seat[s] != 0) Send(table.seat[s], bytes);
}

void GameServerCore::Unseat(ConnectionId id) {
    const auto it = connections_.find(id);
    if (it == connections_.end() || it->second.seat == 0) return;
    Table& table = *tables_[it->second.table - 1];
    table.seat[it->second.seat] = 0;
    table.nick[it->second.seat].clear();
    it->second.seat = 0;
}

// A player let go during a game is lost to it as if his connection had broken: the others are
// told at once instead of waiting for his silence to time him out.
void GameServerCore::Drop(ConnectionId id, const std::string& why) {
    const auto it = connections_.find(id);
    if (it == connections_.end()) return;
    Log("table " + std::to_string(it->second.table) + " " + it->second.address + ": " + why + ", closed",
        now_);
    actions_.push_back({GameServerAction::Kind::Close, id, false, {}});
    const int seat = it->second.seat;
    Table& table = *tables_[it->second.table - 1];
    if (seat != 0 && table.Playing()) return LoseSeat(table, seat);
    Unseat(id);
    connections_.erase(it);
}

void GameServerCore::LoseSeat(Table& table, int seat) {
    connections_.erase(table.seat[seat]);
    table.seat[seat] = 0;
    EndGame(table, OnlineFrame("abort" + std::string(1, SeatDigit(seat)), seat), seat,
            {{table.nick[seat], kLeaverResult}});
}

void GameServerCore::Connected(ConnectionId id, int table, const std::string& address, GameTime now) {
    now_ = now;
    if (table < 1 || table > kServerTables || connections_.count(id)) {
        actions_.push_back({GameServerAction::Kind::Close, id, false, {}});
        return;
    }
    const std::size_t waiting = static_cast<std::size_t>(std::count_if(
        connections_.begin(), connections_.end(),
        [table](const auto& entry) { return entry.second.table == table && entry.second.seat == 0; }));
    connections_.emplace(id, Connection{table, address, 0, now, BoundedBuffer(4 * OnlineFrameLength),
                                        TokenBucket(limits_.frameBurst, limits_.frameInterval)});
    if (waiting >= limits_.maxWaitingPerTable) Drop(id, "too many connections waiting for their greeting");
}

void GameServerCore::Received(ConnectionId id, std::string_view bytes, GameTime now) {
    now_ = now;
    while (!bytes.empty()) {
        const auto it = connections_.find(id);
        if (it == connections_.end()) return;
        const std::size_t taken = it->second.reader.Feed(bytes.substr(0, it->second.reader.Room()));
        bytes.remove_prefix(taken);
        // Each frame may close the connection, which ends its reader.
        while (connections_.count(id) && connections_.at(id).reader.Front().size() >= OnlineFrameLength) {
            BoundedBuffer& reader = connections_.at(id).reader;
            const std::string frame(reader.Front().substr(0, OnlineFrameLength));
            reader.Consume(OnlineFrameLength);
            if (!Handle(id, frame, now)) return;
        }
        if (taken == 0 && connections_.count(id)) {
            Drop(id, "unreadable bytes");
            return;
        }
    }
}

bool GameServerCore::Handle(ConnectionId id, std::string_view frame, GameTime now) {
    Connection& connection = connections_.at(id);
    if (!connection.frames.Take(now)) {
        Drop(id, "floods");
        return false;
    }
    if (connection.seat == 0) return Greet(id, frame, now);
    Table& table = *tables_[connection.table - 1];
    const int seat = connection.seat;
    if (frame.size() != OnlineFrameLength || OnlineFrameSender(frame) != seat) {
        Drop(id, "a frame that is not seat " + std::to_string(seat) + "'s");
        return false;
    }
    if (frame[0] == 'h') {
        HandleGameMessage(table, seat, frame, now);
    } else if (frame[0] == 's') {
        if (table.chat[seat].Take(now))
            SendToOthers(table, seat, std::string(frame));
        else
            Log("table " + std::to_string(table.number) + " seat " + std::to_string(seat) +
                    ": chat over its rate",
                now);
    } else if (frame.starts_with("bnext")) {
        const Game* game = table.asSeat1.get();
        if (seat == kDrivingSeat && game && game->State().Phase == phase::DealScored &&
            !game->State().GameOver)
            Deal(table, false, now);
        else
            Log("table " + std::to_string(table.number) + " seat " + std::to_string(seat) +
                    ": no next deal now",
                now);
    } else if (frame[0] == 'o') {
        if (seat == kDrivingSeat && table.Playing() && table.asSeat1->State().Phase == phase::GameOverPhase)
            HandleResults(table, frame);
        else
            Log("table " + std::to_string(table.number) + " seat " + std::to_string(seat) +
                    ": results not due",
                now);
    } else if (frame.starts_with("TOut") || frame.starts_with("disA")) {
        if (table.Playing()) {
            const std::string text =
                frame[0] == 'T' ? std::string("T") : "abort" + std::string(1, SeatDigit(seat));
            EndGame(table, OnlineFrame(text, seat), seat, {{table.nick[seat], kLeaverResult}});
        } else if (frame[0] == 'd') {
            // Leaving before the game: the seat itself is freed through the tables service.
            Unseat(id);
            connections_.erase(id);
            actions_.push_back({GameServerAction::Kind::Close, id, true, {}});
            return false;
        }
    } else if (!frame.starts_with("connect")) {
        Drop(id, "an unknown frame \"" + Printable(frame) + "\"");
        return false;
    }
    return connections_.count(id) > 0;
}

bool GameServerCore::Greet(ConnectionId id, std::string_view frame, GameTime now) {
    Connection& connection = connections_.at(id);
    Table& table = *tables_[connection.table - 1];
    const int seat = frame.size() == OnlineFrameLength && frame.starts_with("connect") ? frame[7] - '0' : 0;
    if (seat < 1 || seat > kTableSeats || OnlineFrameSender(frame) != seat) {
        Drop(id, "no greeting");
        return false;
    }
    if (table.Playing() || table.seat[seat] != 0) {
        Drop(id, "seat " + std::to_string(seat) + " is connected already");
        return false;
    }
    const auto nick = directory_.HolderOf(table.number, seat, connection.address);
    if (!nick) {
        Drop(id, "seat " + std::to_string(seat) + " is not held from this address");
        return false;
    }
    connection.seat = seat;
    table.seat[seat] = id;
    table.nick[seat] = *nick;
    Log("table " + std::to_string(table.number) + " seat " + std::to_string(seat) + ": " + *nick + " greeted",
        now);
    if (table.Greeted() == kTableSeats) StartGame(table, now);
    return connections_.count(id) > 0;
}

void GameServerCore::StartGame(Table& table, GameTime now) {
    // Seats may have been freed since their greeting.
    for (int s = 1; s <= kTableSeats; ++s) {
        const Connection& connection = connections_.at(table.seat[s]);
        if (directory_.HolderOf(table.number, s, connection.address) != table.nick[s]) {
            Drop(table.seat[s], "seat " + std::to_string(s) + " is no longer held");
            return;
        }
    }
    directory_.GameStarted(table.number);
    table.asSeat1 = FollowingGame(1);
    table.asSeat2 = FollowingGame(2);
    table.dealer = std::make_unique<Game>();
    table.dealer->Setup().AllComputer = true;
    Deal(table, true, now);
}

void GameServerCore::Deal(Table& table, bool newGame, GameTime now) {
    table.dealer->StartDeal(true);
    const GameState& dealt = table.dealer->State();
    for (Game* game : {table.asSeat1.get(), table.asSeat2.get()}) {
        game->State().Deck = dealt.Deck;
        game->State().DeckValue = dealt.DeckValue;
        game->StartDeal(newGame);
    }
    const std::string frame(MakeOnlineDealMessage(dealt).view());
    SendToOthers(table, 0, frame);
    table.dueSince = now;
}

void GameServerCore::HandleGameMessage(Table& table, int seat, std::string_view frame, GameTime now) {
    if (!table.Playing()) {
        Log("table " + std::to_string(table.number) + ": a game message before the deal", now);
        return;
    }
    // The sender's digit inside a message is '0' online; the server knows the sender.
    std::string message(frame.substr(0, GameMessageLength));
    message[4] = SeatDigit(seat);
    const Game& view = seat == kDrivingSeat ? *table.asSeat2 : *table.asSeat1;
    const MessageVerdict verdict = CheckGameMessage(view, message, seat);
    if (verdict != MessageVerdict::Ok) {
        Log("table " + std::to_string(table.number) + " seat " + std::to_string(seat) + ": " +
                Printable(frame) + " dropped, " + VerdictText(verdict),
            now);
        return;
    }
    table.asSeat1->ApplyGameMessage(message);
    table.asSeat2->ApplyGameMessage(message);
    SendToOthers(table, seat, std::string(frame));
    table.dueSince = now;
}

void GameServerCore::HandleResults(Table& table, std::string_view frame) {
    Game& game = *table.asSeat1;
    game.Settle(false);
    std::vector<std::pair<std::string, long long>> counted;
    bool agrees = true;
    for (int n = 1; n <= kTableSeats; ++n) {
        const long long own = game.State().Score[TablePositionOf(kDrivingSeat, n)];
        agrees = agrees && ResultField(frame.substr(1 + 5 * (n - 1), 5)) == own;
        counted.emplace_back(table.nick[n], own);
    }
    if (!agrees)
        Log("table " + std::to_string(table.number) + ": seat 1's results \"" +
                Printable(frame.substr(0, 21)) + "\" differ from the server's; the server's count",
            now_);
    EndGame(table, OnlineFrame("e", 0), 0, std::move(counted));
}

// Tells everyone (`frameToOthers` to all but `concerned`), counts the games, frees the table and
// lets its connections go once what was sent has gone out.
void GameServerCore::EndGame(Table& table, std::string_view frameToOthers, int concerned,
                             std::vector<std::pair<std::string, long long>> counted) {
    SendToOthers(table, concerned, std::string(frameToOthers));
    directory_.GameEnded(table.number, counted);
    for (int s = 1; s <= kTableSeats; ++s) {
        const ConnectionId id = table.seat[s];
        table.seat[s] = 0;
        table.nick[s].clear();
        if (id == 0) continue;
        connections_.erase(id);
        actions_.push_back({GameServerAction::Kind::Close, id, true, {}});
    }
    table.asSeat1.reset();
    table.asSeat2.reset();
    table.dealer.reset();
}

int GameServerCore::DueSeat(const Table& table) const {
    const GameState& gs = table.asSeat1->State();
    const int p = gs.Phase;
    if (phase::IsDecision(p)) return SeatAtPosition(p);
    // A seat that passed moves through the driving seat.
    const int mover = phase::IsDiscard(p) ? p - phase::DiscardBase
                      : phase::IsPlay(p)  ? p - phase::PlayBase
                                          : 0;
    if (mover != 0 && gs.Plays[mover]) return SeatAtPosition(mover);
    return kDrivingSeat;
}

void GameServerCore::Closed(ConnectionId id, GameTime now) {
    now_ = now;
    const auto it = connections_.find(id);
    if (it == connections_.end()) return;
    const int seat = it->second.seat;
    Table& table = *tables_[it->second.table - 1];
    if (seat != 0 && table.Playing()) {
        Log("table " + std::to_string(table.number) + " seat " + std::to_string(seat) + ": connection lost",
            now);
        return LoseSeat(table, seat);
    }
    Unseat(id);
    connections_.erase(id);
}

void GameServerCore::Tick(GameTime now) {
    now_ = now;
    std::vector<ConnectionId> late;
    for (const auto& [id, connection] : connections_)
        if (connection.seat == 0 && now - connection.since >= limits_.greetingTimeout) late.push_back(id);
    for (const ConnectionId id : late) Drop(id, "no greeting in time");
    for (auto& table : tables_) {
        if (!table->Playing() || now - table->dueSince < limits_.moveTimeout) continue;
        const int seat = DueSeat(*table);
        Log("table " + std::to_string(table->number) + " seat " + std::to_string(seat) + ": timed out", now);
        EndGame(*table, OnlineFrame("T", seat), seat, {{table->nick[seat], kLeaverResult}});
    }
    SweepSeats(now);
}

void GameServerCore::SweepSeats(GameTime now) {
    if (lastSweep_ && now - *lastSweep_ < limits_.seatSweepInterval) return;
    lastSweep_ = now;
    for (const auto& table : tables_) {
        if (table->Playing()) continue;
        std::array<bool, kTableSeats> connected{};
        for (int s = 1; s <= kTableSeats; ++s) connected[s - 1] = table->seat[s] != 0;
        directory_.FreeUnconnectedSeats(table->number, connected, limits_.unconnectedSeatGrace);
    }
}

std::optional<GameTime> GameServerCore::NextDeadline() const {
    std::optional<GameTime> next;
    const auto consider = [&next](GameTime at) {
        if (!next || at < *next) next = at;
    };
    for (const auto& [id, connection] : connections_)
        if (connection.seat == 0) consider(connection.since + limits_.greetingTimeout);
    for (const auto& table : tables_)
        if (table->Playing()) consider(table->dueSince + limits_.moveTimeout);
    return next;
}

}  // namespace kesp::service
