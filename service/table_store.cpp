#include "service/table_store.h"

#include <cmath>

#include "service/catalogue.h"
#include "service/store.h"

namespace kesp::service {

std::optional<TablesView> ReadTablesView(QSqlDatabase& db) {
    const auto seats = Select(db,
                              "SELECT s.table_no, s.seat, s.nick, s.remote, a.country2, a.city, a.sex,"
                              " t.score, t.kon, t.rating FROM table_seats s"
                              " LEFT JOIN accounts a ON a.nick = s.nick"
                              " LEFT JOIN tournament_standings t ON t.nick = s.nick");
    const auto playing = Select(db, "SELECT table_no FROM tables_playing");
    if (!seats || !playing) return std::nullopt;
    TablesView view;
    for (const Row& row : *seats) {
        const long long table = row[0].toLongLong(), seat = row[1].toLongLong();
        if (table < 1 || table > kTableCount || seat < 1 || seat > kSeatCount) continue;
        view.seats[table - 1][seat - 1] =
            SeatHolder{String(row[2]), String(row[4]),      String(row[5]),      String(row[6]),
                       String(row[3]), row[7].toLongLong(), row[8].toLongLong(), row[9].toLongLong()};
    }
    for (const Row& row : *playing) {
        const long long table = row[0].toLongLong();
        if (table >= 1 && table <= kTableCount) view.playing[table - 1] = true;
    }
    return view;
}

bool FreeTable(QSqlDatabase& db, bool postgres, int table) {
    Transaction transaction(db, postgres);
    return transaction.Began() && Execute(db, "DELETE FROM table_seats WHERE table_no = ?", {table}) &&
           Execute(db, "DELETE FROM tables_playing WHERE table_no = ?", {table}) && transaction.Commit();
}

bool FreeAllTables(QSqlDatabase& db, bool postgres) {
    Transaction transaction(db, postgres);
    return transaction.Began() && Execute(db, "DELETE FROM table_seats") &&
           Execute(db, "DELETE FROM tables_playing") && transaction.Commit();
}

bool FreeSeatsTakenBefore(QSqlDatabase& db, bool postgres, int table, const std::vector<int>& seats,
                          long long before) {
    Transaction transaction(db, postgres);
    if (!transaction.Began()) return false;
    for (const int seat : seats)
        if (!Execute(db,
                     "DELETE FROM table_seats WHERE table_no = ? AND seat = ? AND taken < ? AND NOT EXISTS"
                     " (SELECT 1 FROM tables_playing WHERE table_no = ?)",
                     {table, seat, before, table}))
            return false;
    return transaction.Commit();
}

bool MarkTablePlaying(QSqlDatabase& db, bool postgres, int table) {
    Transaction transaction(db, postgres);
    return transaction.Began() && Execute(db, "DELETE FROM tables_playing WHERE table_no = ?", {table}) &&
           Execute(db, "INSERT INTO tables_playing (table_no, started) VALUES (?, ?)",
                   {table, NowSeconds()}) &&
           transaction.Commit();
}

bool CountTournamentGames(QSqlDatabase& db, bool postgres,
                          const std::vector<std::pair<std::string, long long>>& results) {
    Transaction transaction(db, postgres);
    if (!transaction.Began()) return false;
    for (const auto& [nick, result] : results) {
        const auto rows =
            Select(db, "SELECT score, kon FROM tournament_standings WHERE nick = ?", {Text(nick)});
        if (!rows) return false;
        const long long score = (rows->empty() ? 0 : (*rows)[0][0].toLongLong()) + result;
        const long long kon = (rows->empty() ? 0 : (*rows)[0][1].toLongLong()) + 1;
        const auto rating = static_cast<long long>(std::llround(static_cast<double>(score) / kon));
        const bool written =
            rows->empty()
                ? Execute(db,
                          "INSERT INTO tournament_standings (nick, score, kon, rating, updated)"
                          " VALUES (?, ?, ?, ?, ?)",
                          {Text(nick), score, kon, rating, NowSeconds()})
                : Execute(db,
                          "UPDATE tournament_standings SET score = ?, kon = ?, rating = ?, updated = ?"
                          " WHERE nick = ?",
                          {score, kon, rating, NowSeconds(), Text(nick)});
        if (!written) return false;
    }
    return transaction.Commit();
}

}  // namespace kesp::service
