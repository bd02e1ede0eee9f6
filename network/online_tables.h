// The requests of the online tables: the ten tables and their seats, the game server's state, the
// tournament standings and top ten. Each blocks until its reply or its failure, on the shared
// client, like the other requests of the service.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "network/online_records.h"
#include "network/service_client.h"

namespace kesp {

inline constexpr int kOnlineTables = 10;
inline constexpr int kOnlineSeats = 4;

// The ten tables; Tables[0] is table 1. Tables the reply names no record for keep the preset
// values (address all zero, texts "X", sex "M"). Nothing when the read got no answer.
using TableList = std::array<TZunTable4, kOnlineTables>;
std::optional<TableList> ReadTables(ServiceClient& client, const std::string& tablesAddress);

// Where table t's game server listens: table 1's address, on table 1's port - 1 + t.
struct GameServerAddress {
    std::string host;
    int basePort = 0;
    int PortOf(int table) const { return basePort + table; }
};
GameServerAddress GameServerOf(const TableList& tables);

// The game server's state: open ('Y') and the notice, '_' already turned into blanks. Nothing when
// unanswered or when the reply holds no record.
struct GameServerInfo {
    bool open = false;
    std::string notice;
};
std::optional<GameServerInfo> ReadGameServerInfo(ServiceClient& client, const std::string& tablesAddress);

// The player on seat 1..4 of table 1..10 (a free seat's preset when the reply names none); nothing
// when unanswered.
std::optional<TZunClient> ReadSeat(ServiceClient& client, const std::string& tablesAddress, int table,
                                   int seat);

enum class SeatChange { Take = 1, FreeOwn = 2, Clear = 0 };
enum class SeatResult { Done = 0, Refused = 1, Taken = 2, NoAnswer = 3 };
// Takes, frees or clears a seat; `player` is sent as the seat's record (for freeing and clearing
// the record of texts "X", numbers 0 and sex 'X', see VacantSeatRecord).
SeatResult ChangeSeat(ServiceClient& client, const std::string& tablesAddress, int table, int seat,
                      SeatChange change, const TZunClient& player);
TZunClient VacantSeatRecord();

// The tournament standing of `nick`; Score -1 when none, nothing when unanswered.
std::optional<TZunStanding> ReadStanding(ServiceClient& client, const std::string& tablesAddress,
                                         const std::string& nick);

// The tournament's measures: 's' score, 'r' rating, 'k' games.
enum class TournamentMeasure : char { Score = 's', Rating = 'r', Games = 'k' };
// The place of `value` by the measure; -1 when none, nothing when unanswered.
std::optional<int> ReadTournamentPlace(ServiceClient& client, const std::string& tablesAddress,
                                       TournamentMeasure measure, long long value);
// Up to ten records in the world list layout, Score the measure's value and R07 the sex.
std::optional<std::vector<TZunRecord>> ReadTournamentTopTen(ServiceClient& client,
                                                            const std::string& tablesAddress,
                                                            TournamentMeasure measure);

}  // namespace kesp
