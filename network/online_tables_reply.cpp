#include "network/online_tables_reply.h"

#include "network/service_form.h"
#include "network/service_reply.h"
#include "network/world_records_reply.h"

namespace kesp {
namespace {

constexpr std::size_t kSeatValues = 8;
constexpr std::size_t kHeadValues = 6;

std::string FirstCharacterOr(const std::string& text, const std::string& preset) {
    return text.empty() ? preset : text.substr(0, 1);
}

// Reads the eight values of a seat from value `first` on, keeping the preset of missing ones.
TZunClient SeatFrom(const ServiceRecordValues& v, std::size_t first) {
    TZunClient seat;
    seat.Nick = RecordValue(v, first, seat.Nick);
    seat.Score = static_cast<int>(RecordInteger(v, first + 1, seat.Score));
    seat.Kon = static_cast<int>(RecordInteger(v, first + 2, seat.Kon));
    seat.Rating = static_cast<int>(RecordInteger(v, first + 3, seat.Rating));
    seat.Country = RecordValue(v, first + 4, seat.Country);
    seat.City = RecordValue(v, first + 5, seat.City);
    seat.Sex = FirstCharacterOr(RecordValue(v, first + 6, seat.Sex), seat.Sex);
    seat.IP = RecordValue(v, first + 7, seat.IP);
    return seat;
}

TZunTable4 TableFrom(const ServiceRecordValues& v) {
    TZunTable4 table;
    table.Head.IP = RecordValue(v, 2, table.Head.IP);
    table.Head.Port = static_cast<int>(RecordInteger(v, 3, table.Head.Port));
    table.Head.Free = RecordValue(v, 4, table.Head.Free);
    table.Head.R1 = static_cast<int>(RecordInteger(v, 5, table.Head.R1));
    table.Head.R2 = RecordValue(v, 6, table.Head.R2);
    for (std::size_t s = 0; s < table.Seats.size(); ++s)
        table.Seats[s] = SeatFrom(v, kHeadValues + 1 + s * kSeatValues);
    return table;
}

// A '$' that ends the reply starts no record of its own.
std::string_view WithoutTrailingRecordStart(std::string_view reply) {
    if (reply.empty() || reply.back() != '$') return reply;
    const std::size_t lastEnd = reply.rfind('*', reply.size() - 1);
    const std::size_t from = lastEnd == std::string_view::npos ? 0 : lastEnd;
    const std::size_t firstStart = reply.find('$', from);
    return firstStart == reply.size() - 1 ? reply.substr(0, reply.size() - 1) : reply;
}

}  // namespace

TableList TablesFromReply(std::string_view reply) {
    TableList tables;
    const auto records = ReadRecords(WithoutTrailingRecordStart(reply), '*', ' ', kOnlineTables);
    for (std::size_t i = 0; i < records.size(); ++i) tables[kOnlineTables - 1 - i] = TableFrom(records[i]);
    return tables;
}

GameServerAddress GameServerOf(const TableList& tables) {
    const TZunTour& first = tables.front().Head;
    GameServerAddress server;
    server.host = first.IP;
    // A port that leaves no room for the ten tables names no game server.
    if (first.Port >= 1 && first.Port <= 65536 - kOnlineTables) server.basePort = first.Port - 1;
    return server;
}

std::optional<GameServerInfo> GameServerInfoFromReply(std::string_view reply) {
    const auto v = ReadFirstRecord(reply, '$', ' ');
    if (!v) return std::nullopt;
    GameServerInfo info;
    info.open = RecordValue(*v, 1) == "Y";
    info.notice = RecordText(RecordValue(*v, 2, ""));
    return info;
}

TZunClient SeatFromReply(std::string_view reply) {
    const auto v = ReadFirstRecord(reply, '$', ' ');
    return v ? SeatFrom(*v, 1) : TZunClient{};
}

SeatResult SeatChangeFromReply(std::string_view reply) {
    // "ok" first, then "is": the later match wins.
    SeatResult result = SeatResult::Refused;
    if (HasMarker(reply, "ok")) result = SeatResult::Done;
    if (HasMarker(reply, "is")) result = SeatResult::Taken;
    return result;
}

TZunStanding StandingFromReply(std::string_view reply) {
    TZunStanding standing;
    const auto v = ReadFirstRecord(reply, '$', ' ');
    if (!v) return standing;
    standing.Score = static_cast<int>(RecordInteger(*v, 1, standing.Score));
    standing.Rating = static_cast<int>(RecordInteger(*v, 2, standing.Rating));
    standing.Kon = static_cast<int>(RecordInteger(*v, 3, standing.Kon));
    return standing;
}

int TournamentPlaceFromReply(std::string_view reply) {
    const auto place = ReadLastNumber(reply);
    return place && *place <= 1'000'000'000 ? static_cast<int>(*place) : -1;
}

std::vector<TZunRecord> TournamentTopTenFromReply(std::string_view reply) {
    return WorldRecordsOf(reply, kGameIdentifier);
}

std::string OwnAddressFromEcho(std::string_view page) {
    return std::string(page.substr(0, page.find_first_of("\r\n")));
}

}  // namespace kesp
