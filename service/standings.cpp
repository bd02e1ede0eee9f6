#include "service/standings.h"

#include "service/store.h"

namespace kesp::service {
namespace {

// The place of entry e: 1 for the best, the earlier entry first on a tie. The entries above are
// counted by score in world_scores, and one by one only among those with e's own score.
const QString kPlaceOf =
    "CAST((SELECT COALESCE(SUM(s.entries), 0) FROM world_scores s WHERE s.list = e.list AND"
    " s.score > e.score) AS BIGINT) + (SELECT COUNT(*) FROM world_entries b WHERE b.list = e.list AND"
    " b.score = e.score AND b.id < e.id) + 1";

// Rows of: place, id, score, nick, country, city, r7..r10.
std::vector<WorldEntry> Entries(const Rows& rows) {
    std::vector<WorldEntry> entries;
    for (const Row& row : rows)
        entries.push_back({row[0].toLongLong(), row[1].toLongLong(), row[2].toLongLong(), String(row[3]),
                           String(row[4]), String(row[5]), String(row[6]), String(row[7]), String(row[8]),
                           String(row[9])});
    return entries;
}

}  // namespace

std::optional<std::vector<RankedAccount>> AccountTopTen(QSqlDatabase& db) {
    const auto rows = Select(db,
                             "SELECT nick, city, country1, country2, sex, rating FROM accounts WHERE kon > 0"
                             " ORDER BY rating DESC, kon DESC, id ASC LIMIT 10");
    if (!rows) return std::nullopt;
    std::vector<RankedAccount> accounts;
    for (const Row& row : *rows)
        accounts.push_back({String(row[0]), String(row[1]), String(row[2]), String(row[3]), String(row[4]),
                            row[5].toDouble()});
    return accounts;
}

std::optional<std::vector<WorldEntry>> WorldTopTen(QSqlDatabase& db, long long list) {
    const QString order = list == kChatList ? "score DESC, id DESC" : "score DESC, id ASC";
    const auto rows = Select(db,
                             "SELECT 0, id, score, nick, country, city, r7, r8, r9, r10 FROM world_entries"
                             " WHERE list = ? ORDER BY " +
                                 order + " LIMIT 10",
                             {list});
    if (!rows) return std::nullopt;
    auto entries = Entries(*rows);
    // Numbered in the order shown: for the chat, 1 is the newest message.
    for (std::size_t i = 0; i < entries.size(); ++i) entries[i].place = static_cast<long long>(i + 1);
    return entries;
}

std::optional<std::vector<WorldEntry>> OwnEntries(QSqlDatabase& db, long long list, const std::string& nick,
                                                  const std::string& city) {
    const auto rows =
        Select(db,
               "SELECT " + kPlaceOf +
                   ", id, score, nick, country, city, r7, r8, r9, r10 FROM world_entries e"
                   " WHERE list = ? AND nick = ? AND city = ? ORDER BY score DESC, id ASC LIMIT 10",
               {list, Text(nick), Text(city)});
    if (!rows) return std::nullopt;
    return Entries(*rows);
}

std::optional<long long> PlaceOfNewestEntry(QSqlDatabase& db, long long list, const std::string& nick,
                                            long long score) {
    const auto rows = Select(db,
                             "SELECT " + kPlaceOf +
                                 " FROM world_entries e WHERE e.id = (SELECT MAX(id) FROM world_entries"
                                 " WHERE list = ? AND nick = ? AND score = ?)",
                             {list, Text(nick), score});
    if (!rows || rows->empty()) return std::nullopt;
    return (*rows)[0][0].toLongLong();
}

std::optional<WorldStatistics> ReadWorldStatistics(QSqlDatabase& db) {
    const auto accounts = Select(db, "SELECT COUNT(*) FROM accounts");
    const auto rows =
        Select(db,
               "SELECT stat1, stat2, stat3, stat4, x1, x2, x3, x4, x5, x6, x7, x8, x9, x10, x11, x12,"
               " results FROM statistics WHERE gid = ?",
               {kGameNumber});
    if (!accounts || !rows) return std::nullopt;
    WorldStatistics statistics;
    statistics.accounts = (*accounts)[0][0].toLongLong();
    // Before the first report every counter is 0.
    if (rows->empty()) return statistics;
    const Row& row = (*rows)[0];
    statistics.startUps = row[0].toLongLong();
    statistics.firstStartUps = row[1].toLongLong();
    statistics.likes = row[2].toLongLong();
    statistics.lastLike = String(row[3]);
    for (int i = 0; i < 12; ++i) statistics.resultSums[i] = row[4 + i].toLongLong();
    statistics.results = row[16].toLongLong();
    return statistics;
}

}  // namespace kesp::service
