#include "network/online_tables.h"

#include "network/online_requests.h"
#include "network/online_tables_reply.h"

namespace kesp {
namespace {

const std::string kGid = std::to_string(kGameIdentifier);

bool IsTableSeat(int table, int seat) {
    return table >= 1 && table <= kOnlineTables && seat >= 1 && seat <= kOnlineSeats;
}

// The key of a tournament request for this game: "place" + 's' + "36" and the like.
std::string TournamentKey(std::string_view request, TournamentMeasure measure) {
    return std::string(request) + static_cast<char>(measure) + kGid;
}

}  // namespace

std::optional<TableList> ReadTables(ServiceClient& client, const std::string& tablesAddress) {
    const auto reply =
        ListRead(client, tablesAddress, FormKind::List, {{"readtable410", kGid}, {"gid", kGid}});
    if (!reply) return std::nullopt;
    return TablesFromReply(*reply);
}

std::optional<GameServerInfo> ReadGameServerInfo(ServiceClient& client, const std::string& tablesAddress) {
    const auto reply = client.Post(tablesAddress, FormKind::List, {{"serverinforead", "0"}, {"gid", kGid}});
    if (!reply) return std::nullopt;
    return GameServerInfoFromReply(*reply);
}

std::optional<TZunClient> ReadSeat(ServiceClient& client, const std::string& tablesAddress, int table,
                                   int seat) {
    if (!IsTableSeat(table, seat)) return std::nullopt;
    const auto reply = client.Post(
        tablesAddress, FormKind::List,
        {{"readclient" + std::to_string(seat), "0"}, {"gid", kGid}, {"num", std::to_string(table)}});
    if (!reply) return std::nullopt;
    return SeatFromReply(*reply);
}

SeatResult ChangeSeat(ServiceClient& client, const std::string& tablesAddress, int table, int seat,
                      SeatChange change, const TZunClient& player) {
    if (!IsTableSeat(table, seat)) return SeatResult::Refused;
    const std::string s = std::to_string(seat);
    const auto reply = client.Post(tablesAddress, FormKind::Text,
                                   {{"client4on" + s, "0"},
                                    {"gid", kGid},
                                    {"num", std::to_string(table)},
                                    {"can", std::to_string(static_cast<int>(change))},
                                    {"nick" + s, player.Nick},
                                    {"score" + s, std::to_string(player.Score)},
                                    {"kon" + s, std::to_string(player.Kon)},
                                    {"rating" + s, std::to_string(player.Rating)},
                                    {"country" + s, player.Country},
                                    {"city" + s, player.City},
                                    {"sex" + s, player.Sex},
                                    {"ip" + s, player.IP}});
    if (!reply) return SeatResult::NoAnswer;
    return SeatChangeFromReply(*reply);
}

TZunClient VacantSeatRecord() {
    TZunClient vacant;
    vacant.Nick = vacant.Country = vacant.City = vacant.IP = "X";
    vacant.Score = vacant.Kon = vacant.Rating = 0;
    vacant.Sex = "X";
    return vacant;
}

std::optional<TZunStanding> ReadStanding(ServiceClient& client, const std::string& tablesAddress,
                                         const std::string& nick) {
    const auto reply =
        client.Post(tablesAddress, FormKind::Text, {{"readrating" + kGid, "0"}, {"nick", nick}});
    if (!reply) return std::nullopt;
    return StandingFromReply(*reply);
}

std::optional<int> ReadTournamentPlace(ServiceClient& client, const std::string& tablesAddress,
                                       TournamentMeasure measure, long long value) {
    const char* valueKey = measure == TournamentMeasure::Score    ? "score1"
                           : measure == TournamentMeasure::Rating ? "rating1"
                                                                  : "kon1";
    const auto reply =
        client.Post(tablesAddress, FormKind::Text,
                    {{TournamentKey("place", measure), "0"}, {valueKey, std::to_string(value)}});
    if (!reply) return std::nullopt;
    return TournamentPlaceFromReply(*reply);
}

std::optional<std::vector<TZunRecord>> ReadTournamentTopTen(ServiceClient& client,
                                                            const std::string& tablesAddress,
                                                            TournamentMeasure measure) {
    const auto reply =
        client.Post(tablesAddress, FormKind::List, {{TournamentKey("top10", measure), "0"}, {"nick", "z"}});
    if (!reply) return std::nullopt;
    return TournamentTopTenFromReply(*reply);
}

}  // namespace kesp
