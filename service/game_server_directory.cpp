#include "service/game_server_directory.h"

#include <cstdio>

#include "service/access.h"
#include "service/catalogue.h"
#include "service/table_store.h"

namespace kesp::service {

bool GameServerDirectory::FreeAllTables() {
    bool freed = false;
    store_.Use(
        [&](QSqlDatabase& db) { freed = db.isOpen() && service::FreeAllTables(db, store_.IsPostgres()); });
    return freed;
}

std::optional<std::string> GameServerDirectory::HolderOf(int table, int seat, const std::string& address) {
    std::optional<std::string> holder;
    store_.Use([&](QSqlDatabase& db) {
        if (!db.isOpen()) return;
        const auto view = ReadTablesView(db);
        if (!view) return;
        const auto& seated =
            view->seats[static_cast<std::size_t>(table - 1)][static_cast<std::size_t>(seat - 1)];
        if (seated && HasSessionFrom(db, seated->nick, address)) holder = seated->nick;
    });
    return holder;
}

void GameServerDirectory::GameStarted(int table) {
    store_.Use([&](QSqlDatabase& db) {
        if (!db.isOpen() || !MarkTablePlaying(db, store_.IsPostgres(), table))
            std::fprintf(stderr, "game server: table %d could not be marked as playing\n", table);
    });
}

void GameServerDirectory::GameEnded(int table,
                                    const std::vector<std::pair<std::string, long long>>& counted) {
    store_.Use([&](QSqlDatabase& db) {
        const bool done = db.isOpen() && CountTournamentGames(db, store_.IsPostgres(), counted) &&
                          FreeTable(db, store_.IsPostgres(), table);
        if (!done) std::fprintf(stderr, "game server: the game of table %d could not be recorded\n", table);
    });
}

void GameServerDirectory::FreeUnconnectedSeats(int table, const std::array<bool, 4>& connected,
                                               std::chrono::seconds grace) {
    std::vector<int> seats;
    for (int s = 1; s <= kTableSeats; ++s)
        if (!connected[static_cast<std::size_t>(s - 1)]) seats.push_back(s);
    if (seats.empty()) return;
    store_.Use([&](QSqlDatabase& db) {
        if (!db.isOpen() ||
            !FreeSeatsTakenBefore(db, store_.IsPostgres(), table, seats, NowSeconds() - grace.count()))
            std::fprintf(stderr, "game server: the unconnected seats of table %d could not be freed\n",
                         table);
    });
}

}  // namespace kesp::service
