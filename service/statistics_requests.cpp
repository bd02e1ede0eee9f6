// The world statistics of the game: start-ups, likes and the sums of the game results.

#include "network/service_text.h"
#include "service/catalogue.h"
#include "service/standings.h"
#include "service/store.h"
#include "service/validation.h"

namespace kesp::service {
namespace {

constexpr long long kGame = kGameNumber;
constexpr long long kLargestResultValue = 1000000;

bool IsGame(std::string_view text) {
    return ParseInteger(text, kGame, kGame).has_value();
}

// Runs `statements` in one transaction after making sure the game's row exists.
Answer Add(Call& call, const std::vector<std::pair<QString, std::vector<QVariant>>>& statements) {
    Transaction transaction(call.db, call.postgres);
    if (!transaction.Began() ||
        !Execute(call.db, "INSERT INTO statistics (gid) VALUES (?) ON CONFLICT DO NOTHING", {kGame}))
        return Say(kRefused);
    for (const auto& [sql, values] : statements)
        if (!Execute(call.db, sql, values)) return Say(kRefused);
    return Say(transaction.Commit() ? kDone : kRefused);
}

Answer ReadStatistics(Call& call) {
    const auto statistics = IsGame(call.values[0]) ? ReadWorldStatistics(call.db) : std::nullopt;
    if (!statistics) return Say(kRefused);
    std::vector<std::string> values{
        std::to_string(statistics->startUps), std::to_string(statistics->firstStartUps),
        std::to_string(statistics->likes), BlankRecordValue(statistics->lastLike)};
    for (const long long sum : statistics->resultSums) values.push_back(std::to_string(sum));
    values.push_back(std::to_string(statistics->accounts));
    values.push_back(std::to_string(statistics->results));
    return {ServiceRecord(values, ' ', '*'), {}};
}

Answer PostStartUp(Call& call) {
    const auto first = ParseInteger(call.values[2], 0, 1);
    if (!IsGame(call.values[0]) || call.values[1] != "1" || !first) return Say(kRefused);
    if (!call.limits.Allow(WriteKind::StartUp, call.remote)) return Say(kRefused);
    return Add(call, {{"UPDATE statistics SET stat1 = stat1 + 1, stat2 = stat2 + ? WHERE gid = ?",
                       {*first, kGame}}});
}

// Likes are counted by the day in UTC.
std::string Today() {
    return UtcNow("%Y-%m-%d");
}

Answer PostLike(Call& call) {
    const auto nick = CleanText(call.values[2], 1, 12);
    if (!IsGame(call.values[0]) || call.values[1] != "1" || !nick) return Say(kRefused);
    if (!call.limits.Allow(WriteKind::Like, call.remote)) return Say(kRefused);
    // One like a nick a day; a repeated like is answered but not counted again.
    Transaction transaction(call.db, call.postgres);
    const auto seen = transaction.Began()
                          ? Select(call.db, "SELECT COUNT(*) FROM likes WHERE nick = ? AND day = ?",
                                   {Text(*nick), Text(Today())})
                          : std::nullopt;
    if (!seen) return Say(kRefused);
    if ((*seen)[0][0].toLongLong() > 0) return Say(kDone);
    const bool counted =
        Execute(call.db, "INSERT INTO statistics (gid) VALUES (?) ON CONFLICT DO NOTHING", {kGame}) &&
        Execute(call.db, "INSERT INTO likes (nick, day) VALUES (?, ?)", {Text(*nick), Text(Today())}) &&
        Execute(call.db, "UPDATE statistics SET stat3 = stat3 + 1, stat4 = ? WHERE gid = ?",
                {Text(*nick), kGame}) &&
        transaction.Commit();
    return Say(counted ? kDone : kRefused);
}

Answer PostGameResults(Call& call) {
    if (!IsGame(call.values[0])) return Say(kRefused);
    QString sums;
    std::vector<QVariant> values;
    for (int i = 1; i <= 12; ++i) {
        const auto value = ParseInteger(call.values[i], 0, kLargestResultValue);
        if (!value) return Say(kRefused);
        sums += QStringLiteral("x%1 = x%1 + ?, ").arg(i);
        values.push_back(*value);
    }
    values.push_back(kGame);
    if (!call.limits.Allow(WriteKind::GameResults, call.remote)) return Say(kRefused);
    return Add(call, {{"UPDATE statistics SET " + sums + "results = results + 1 WHERE gid = ?", values}});
}

}  // namespace

std::vector<Operation> StatisticsOperations() {
    std::vector<std::string_view> resultKeys{"gid"};
    static const std::vector<std::string> resultNames = [] {
        std::vector<std::string> names;
        for (int i = 1; i <= 12; ++i) names.push_back("R" + std::to_string(i));
        return names;
    }();
    for (const std::string& name : resultNames) resultKeys.push_back(name);
    return {
        {"read statistics",
         Address::Statistics,
         true,
         {"gid"},
         ReadStatistics,
         kStatisticsTopic | kAccountsTopic},
        {"post start-up report",
         Address::Statistics,
         false,
         {"gid", "stat1", "stat2"},
         PostStartUp,
         0,
         kStatisticsTopic},
        {"post like", Address::Statistics, false, {"gid", "stat3", "stat4"}, PostLike, 0, kStatisticsTopic},
        {"post game results", Address::Statistics, false, resultKeys, PostGameResults, 0, kStatisticsTopic},
    };
}

}  // namespace kesp::service
