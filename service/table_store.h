// The ten tables and the tournament standings in the database, as the tables requests and the
// game server both use them. Texts are UTF-8.
#pragma once

#include <QSqlDatabase>
#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kesp::service {

inline constexpr int kTableCount = 10;
inline constexpr int kSeatCount = 4;

struct SeatHolder {
    std::string nick, country, city, sex, remote;
    long long score = 0, kon = 0, rating = 0;
};
// Index 0 is seat 1; a free seat holds nothing.
using TableSeats = std::array<std::optional<SeatHolder>, kSeatCount>;

// The seats of every table (index 0 is table 1) and which tables are playing.
struct TablesView {
    std::array<TableSeats, kTableCount> seats;
    std::array<bool, kTableCount> playing{};
};
std::optional<TablesView> ReadTablesView(QSqlDatabase& db);

// Ends the table's game and frees its seats.
bool FreeTable(QSqlDatabase& db, bool postgres, int table);
bool MarkTablePlaying(QSqlDatabase& db, bool postgres, int table);
// Frees the listed seats (1..4) of a table that is not playing, when they were taken before `before`.
bool FreeSeatsTakenBefore(QSqlDatabase& db, bool postgres, int table, const std::vector<int>& seats,
                          long long before);
// Every table free and waiting: no game outlives the game server that ran it.
bool FreeAllTables(QSqlDatabase& db, bool postgres);

// Adds each finished game (nick, result) to the standings: Score + result, Kon + 1, Rating the
// rounded mean.
bool CountTournamentGames(QSqlDatabase& db, bool postgres,
                          const std::vector<std::pair<std::string, long long>>& results);

}  // namespace kesp::service
