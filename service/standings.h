// The standings as the game's requests and the public web page both show them: the account top
// ten, the world lists and the statistics. Texts are UTF-8.
#pragma once

#include <QSqlDatabase>
#include <array>
#include <optional>
#include <string>
#include <vector>

namespace kesp::service {

inline constexpr long long kGameNumber = 36;
inline constexpr long long kChatList = 100;

struct RankedAccount {
    std::string nick, city, country1, country2, sex;
    double rating = 0;
};
// Accounts with a rated game, by rating, then more games, then the older account.
std::optional<std::vector<RankedAccount>> AccountTopTen(QSqlDatabase& db);

struct WorldEntry {
    long long place = 0, id = 0, score = 0;
    std::string nick, country, city, r7, r8, r9, r10;
};
// The ten best entries of a world list, or the ten newest messages of the chat (list 100).
std::optional<std::vector<WorldEntry>> WorldTopTen(QSqlDatabase& db, long long list);

// A player's ten best entries of a list, each with its place in the whole list.
std::optional<std::vector<WorldEntry>> OwnEntries(QSqlDatabase& db, long long list, const std::string& nick,
                                                  const std::string& city);
// The place in its list of the newest entry of `nick` with `score`.
std::optional<long long> PlaceOfNewestEntry(QSqlDatabase& db, long long list, const std::string& nick,
                                            long long score);

struct WorldStatistics {
    long long startUps = 0, firstStartUps = 0, likes = 0;
    std::string lastLike;
    std::array<long long, 12> resultSums{};
    long long accounts = 0, results = 0;
};
std::optional<WorldStatistics> ReadWorldStatistics(QSqlDatabase& db);

}  // namespace kesp::service
