// The ten tables of the online tournament: the list, the game server's state, a seat, taking,
// freeing and clearing seats, and the tournament standings, places and top ten.
#include <array>
#include <fstream>

#include "network/service_text.h"
#include "service/access.h"
#include "service/catalogue.h"
#include "service/standings.h"
#include "service/store.h"
#include "service/table_store.h"
#include "service/validation.h"

namespace kesp::service {
namespace {

constexpr long long kRecentLeavingSeconds = 30;
constexpr std::size_t kLongestNotice = 80;
constexpr std::size_t kLongestSeatField = 64;
constexpr const char* kDefaultNotice = "The tournament tables are open";

std::optional<int> TableNumber(std::string_view text) {
    const auto table = ParseInteger(text, 1, kTableCount);
    return table ? std::optional<int>(static_cast<int>(*table)) : std::nullopt;
}

bool IsGame(std::string_view text) {
    return ParseInteger(text, 0, 999) == kGameNumber;
}

// A seat's eight values: nick, score, kon, rating, country, city, sex, address; "X" and 0 when free.
std::vector<std::string> SeatValues(const std::optional<SeatHolder>& holder) {
    if (!holder) return {"X", "0", "0", "0", "X", "X", "X", "X"};
    return {BlankRecordValue(holder->nick), std::to_string(holder->score),     std::to_string(holder->kon),
            std::to_string(holder->rating), BlankRecordValue(holder->country), BlankRecordValue(holder->city),
            BlankRecordValue(holder->sex),  BlankRecordValue(holder->remote)};
}

bool IsWildcard(const std::string& host) {
    return host.empty() || host == "0.0.0.0" || host == "::" || host == "[::]";
}

Answer ReadTables(Call& call) {
    if (!IsGame(call.values[0]) || !IsGame(call.values[1])) return Say(kRefused);
    const auto view = ReadTablesView(call.db);
    if (!view) return Say(kRefused);
    const GameServerPlace& place = *call.gameServer;
    const std::string host = IsWildcard(place.host) ? call.local : place.host;
    std::string text;
    for (int t = kTableCount; t >= 1; --t) {
        const TableSeats& seats = view->seats[t - 1];
        int free = 0;
        for (const auto& seat : seats) free += seat ? 0 : 1;
        std::vector<std::string> values{
            std::to_string(t),    BlankRecordValue(host),           std::to_string(place.portBase + t),
            std::to_string(free), view->playing[t - 1] ? "1" : "0", "#"};
        for (const auto& seat : seats)
            for (std::string& value : SeatValues(seat)) values.push_back(std::move(value));
        text += ServiceRecord(values, ' ', '*');
    }
    return {text, {}};
}

// The operator's notice: the first line of the notice file, or a greeting.
std::string Notice(const GameServerPlace& place) {
    std::ifstream in(place.noticeFile);
    std::string line;
    if (!in || !std::getline(in, line)) return kDefaultNotice;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > kLongestNotice) line.resize(kLongestNotice);
    return line;
}

Answer ReadGameServer(Call& call) {
    if (call.values[0] != "0" || !IsGame(call.values[1])) return Say(kRefused);
    const GameServerPlace& place = *call.gameServer;
    return {ServiceRecord({place.open ? "Y" : "N", BlankRecordValue(Notice(place))}, ' ', '$'), {}};
}

Answer ReadSeat(Call& call, int seat) {
    const auto table = TableNumber(call.values[2]);
    if (call.values[0] != "0" || !IsGame(call.values[1]) || !table) return Say(kRefused);
    const auto view = ReadTablesView(call.db);
    if (!view) return Say(kRefused);
    return {ServiceRecord(SeatValues(view->seats[*table - 1][seat - 1]), ' ', '$'), {}};
}

// Whether the caller may clear `seat`: he sits there or lower at the table (after a connection
// error the game clears its own seat and those after it), or left a lower seat there lately.
bool MayClear(Call& call, const std::string& nick, int table, int seat) {
    const auto rows = Select(
        call.db,
        "SELECT (SELECT COUNT(*) FROM table_seats WHERE table_no = ? AND seat <= ? AND nick = ?) +"
        " (SELECT COUNT(*) FROM seat_leavings WHERE table_no = ? AND seat < ? AND nick = ? AND left_at >= ?)",
        {table, seat, Text(nick), table, seat, Text(nick), NowSeconds() - kRecentLeavingSeconds});
    return rows && !rows->empty() && (*rows)[0][0].toLongLong() > 0;
}

Answer TakeSeat(Call& call, const std::string& nick, int table, int seat) {
    Transaction transaction(call.db, call.postgres);
    const auto view = transaction.Began() ? ReadTablesView(call.db) : std::nullopt;
    if (!view) return Say(kRefused);
    const TableSeats& seats = view->seats[table - 1];
    if (seats[seat - 1]) return Say(seats[seat - 1]->nick == nick ? kDone : kExists);
    for (const TableSeats& other : view->seats)
        for (const auto& holder : other)
            if (holder && holder->nick == nick) return Say(kRefused);
    for (int lower = 1; lower < seat; ++lower)
        if (!seats[lower - 1]) return Say(kRefused);
    const bool taken = Execute(
        call.db, "INSERT INTO table_seats (table_no, seat, nick, remote, taken) VALUES (?, ?, ?, ?, ?)",
        {table, seat, Text(nick), Text(call.remote), NowSeconds()});
    return Say(taken && transaction.Commit() ? kDone : kRefused);
}

// Frees `seat` and notes who left it, so that he may clear the seats above it for a while.
bool Vacate(Call& call, int table, int seat, const std::string& nick) {
    const long long now = NowSeconds();
    return Execute(call.db, "DELETE FROM seat_leavings WHERE left_at < ?", {now - kRecentLeavingSeconds}) &&
           Execute(call.db, "DELETE FROM table_seats WHERE table_no = ? AND seat = ?", {table, seat}) &&
           Execute(call.db, "INSERT INTO seat_leavings (table_no, seat, nick, left_at) VALUES (?, ?, ?, ?)",
                   {table, seat, Text(nick), now});
}

Answer FreeOwnSeat(Call& call, const std::string& nick, int table, int seat) {
    // The last seat fills the table and starts its game.
    if (seat == kSeatCount) return Say(kRefused);
    Transaction transaction(call.db, call.postgres);
    const auto view = transaction.Began() ? ReadTablesView(call.db) : std::nullopt;
    if (!view || view->playing[table - 1]) return Say(kRefused);
    const auto& holder = view->seats[table - 1][seat - 1];
    if (!holder || holder->nick != nick) return Say(kRefused);
    const bool freed = Vacate(call, table, seat, nick);
    return Say(freed && transaction.Commit() ? kDone : kRefused);
}

Answer ClearSeat(Call& call, const std::optional<std::string>& nick, int table, int seat) {
    Transaction transaction(call.db, call.postgres);
    const auto view = transaction.Began() ? ReadTablesView(call.db) : std::nullopt;
    if (!view) return Say(kRefused);
    // With the game server off nobody can play at the table: anyone may clear it. Otherwise,
    // before its game even seat 4 may be cleared: a table must not wait for a player who could
    // not connect.
    if (call.gameServer->open && (view->playing[table - 1] || !nick || !MayClear(call, *nick, table, seat)))
        return Say(kRefused);
    const auto& holder = view->seats[table - 1][seat - 1];
    const bool own = holder && nick && holder->nick == *nick;
    const bool cleared =
        own ? Vacate(call, table, seat, *nick)
            : Execute(call.db, "DELETE FROM table_seats WHERE table_no = ? AND seat = ?", {table, seat});
    return Say(cleared && transaction.Commit() ? kDone : kRefused);
}

Answer ChangeSeat(Call& call, int seat) {
    const auto& v = call.values;
    const auto table = TableNumber(v[2]);
    const auto change = ParseInteger(v[3], 0, 2);
    if (v[0] != "0" || !IsGame(v[1]) || !table || !change) return Say(kRefused);
    for (std::size_t i = 4; i < v.size(); ++i)
        if (v[i].size() > kLongestSeatField) return Say(kRefused);
    const auto sessionNick = SessionNick(call);
    if (*change == 0) return ClearSeat(call, sessionNick, *table, seat);
    // Taking and freeing speak for the nick of the caller's session.
    const auto nick = *change == 1 ? ValidNick(v[4]) : sessionNick;
    if (!nick || sessionNick != nick) return Say(kRefused);
    return *change == 1 ? TakeSeat(call, *nick, *table, seat) : FreeOwnSeat(call, *nick, *table, seat);
}

template <int Seat>
Answer ReadSeatOf(Call& call) {
    return ReadSeat(call, Seat);
}
template <int Seat>
Answer ChangeSeatOf(Call& call) {
    return ChangeSeat(call, Seat);
}

Answer ReadStanding(Call& call) {
    const auto nick = ValidNick(call.values[1]);
    if (call.values[0] != "0" || !nick) return Say(kRefused);
    const auto rows =
        Select(call.db, "SELECT score, rating, kon FROM tournament_standings WHERE nick = ?", {Text(*nick)});
    if (!rows) return Say(kRefused);
    if (rows->empty()) return {ServiceRecord({"-1", "0", "0"}, ' ', '$'), {}};
    const Row& row = (*rows)[0];
    return {ServiceRecord({std::to_string(row[0].toLongLong()), std::to_string(row[1].toLongLong()),
                           std::to_string(row[2].toLongLong())},
                          ' ', '$'),
            {}};
}

// The standings' column of each measure: 's' score, 'r' rating, 'k' games.
QString MeasureColumn(char measure) {
    return measure == 's' ? "score" : measure == 'r' ? "rating" : "kon";
}

Answer ReadPlace(Call& call, char measure) {
    const auto value = ParseInteger(call.values[1], -1000000000, 1000000000);
    if (call.values[0] != "0" || !value) return Say(kRefused);
    const auto rows = Select(
        call.db,
        "SELECT COUNT(*) FROM tournament_standings WHERE kon > 0 AND " + MeasureColumn(measure) + " > ?",
        {*value});
    if (!rows) return Say(kRefused);
    return Number((*rows)[0][0].toLongLong() + 1);
}

// Records in the world list layout: place, '#', the measure, nick, country, city, sex, '#' x 3.
Answer ReadTopTen(Call& call, char measure) {
    if (call.values[0] != "0") return Say(kRefused);
    const QString column = MeasureColumn(measure);
    const auto rows = Select(call.db, "SELECT t." + column +
                                          ", t.nick, a.country2, a.city, a.sex FROM tournament_standings t"
                                          " LEFT JOIN accounts a ON a.nick = t.nick WHERE t.kon > 0"
                                          " ORDER BY t." +
                                          column + " DESC, t.score DESC, t.kon DESC, t.nick ASC LIMIT 10");
    if (!rows) return Say(kRefused);
    std::string text;
    int place = 0;
    for (const Row& row : *rows)
        text +=
            ServiceRecord({std::to_string(++place), "#", std::to_string(row[0].toLongLong()),
                           BlankRecordValue(String(row[1])), BlankRecordValue(String(row[2])),
                           BlankRecordValue(String(row[3])), BlankRecordValue(String(row[4])), "#", "#", "#"},
                          ' ', '*');
    return {text, {}};
}

template <char Measure>
Answer ReadPlaceBy(Call& call) {
    return ReadPlace(call, Measure);
}
template <char Measure>
Answer ReadTopTenBy(Call& call) {
    return ReadTopTen(call, Measure);
}

// The per-seat and per-measure keys, kept alive for the operations' views.
const std::array<std::array<std::string, 10>, kSeatCount>& SeatKeys() {
    static const auto keys = [] {
        std::array<std::array<std::string, 10>, kSeatCount> all;
        for (int s = 1; s <= kSeatCount; ++s) {
            const std::string d = std::to_string(s);
            all[s - 1] = {"readclient" + d, "client4on" + d, "nick" + d, "score" + d, "kon" + d,
                          "rating" + d,     "country" + d,   "city" + d, "sex" + d,   "ip" + d};
        }
        return all;
    }();
    return keys;
}

}  // namespace

std::vector<Operation> TableOperations() {
    std::vector<Operation> operations{
        {"read tables", Address::Tables, true, {"readtable410", "gid"}, ReadTables},
        {"read game server", Address::Tables, true, {"serverinforead", "gid"}, ReadGameServer},
        {"read tournament standing", Address::Tables, false, {"readrating36", "nick"}, ReadStanding},
        {"read tournament place", Address::Tables, false, {"places36", "score1"}, ReadPlaceBy<'s'>},
        {"read tournament place", Address::Tables, false, {"placer36", "rating1"}, ReadPlaceBy<'r'>},
        {"read tournament place", Address::Tables, false, {"placek36", "kon1"}, ReadPlaceBy<'k'>},
        {"read tournament top ten", Address::Tables, true, {"top10s36", "nick"}, ReadTopTenBy<'s'>},
        {"read tournament top ten", Address::Tables, true, {"top10r36", "nick"}, ReadTopTenBy<'r'>},
        {"read tournament top ten", Address::Tables, true, {"top10k36", "nick"}, ReadTopTenBy<'k'>},
    };
    constexpr Answer (*kReads[kSeatCount])(Call&) = {ReadSeatOf<1>, ReadSeatOf<2>, ReadSeatOf<3>,
                                                     ReadSeatOf<4>};
    constexpr Answer (*kChanges[kSeatCount])(Call&) = {ChangeSeatOf<1>, ChangeSeatOf<2>, ChangeSeatOf<3>,
                                                       ChangeSeatOf<4>};
    for (int s = 0; s < kSeatCount; ++s) {
        const auto& k = SeatKeys()[s];
        operations.push_back({"read seat", Address::Tables, true, {k[0], "gid", "num"}, kReads[s]});
        operations.push_back({"change seat",
                              Address::Tables,
                              false,
                              {k[1], "gid", "num", "can", k[2], k[3], k[4], k[5], k[6], k[7], k[8], k[9]},
                              kChanges[s]});
    }
    return operations;
}

}  // namespace kesp::service
