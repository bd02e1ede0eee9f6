// The world statistics of the game: start-ups, likes and the sums of the game results.
#include <ctime>

#include "network/service_text.h"
#include "service/catalogue.h"
#include "service/store.h"
#include "service/validation.h"

namespace kesp::service {
namespace {

constexpr long long kGame = 36;
constexpr long long kLargestResultValue = 1000000;

QVariant Text(const std::string& text) {
    return QString::fromStdString(text);
}
Answer Say(std::string_view marker) {
    return {std::string(marker), {}};
}

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
    if (!IsGame(call.values[0])) return Say(kRefused);
    const auto rows =
        Select(call.db,
               "SELECT s.stat1, s.stat2, s.stat3, s.stat4, s.x1, s.x2, s.x3, s.x4, s.x5, s.x6, s.x7,"
               " s.x8, s.x9, s.x10, s.x11, s.x12, (SELECT COUNT(*) FROM accounts), s.results"
               " FROM statistics s WHERE s.gid = ?",
               {kGame});
    if (!rows) return Say(kRefused);
    std::vector<std::string> values;
    for (int i = 0; i < 18; ++i) {
        if (i == 3) {
            values.push_back(BlankRecordValue(rows->empty() ? "" : (*rows)[0][i].toString().toStdString()));
            continue;
        }
        // No report yet: every counter is 0, the accounts are counted all the same.
        long long value = rows->empty() ? 0 : (*rows)[0][i].toLongLong();
        if (rows->empty() && i == 16) {
            const auto accounts = Select(call.db, "SELECT COUNT(*) FROM accounts");
            if (!accounts) return Say(kRefused);
            value = (*accounts)[0][0].toLongLong();
        }
        values.push_back(std::to_string(value));
    }
    return {ServiceRecord(values, ' ', '*'), {}};
}

Answer PostStartUp(Call& call) {
    const auto first = ParseInteger(call.values[2], 0, 1);
    if (!IsGame(call.values[0]) || call.values[1] != "1" || !first) return Say(kRefused);
    if (!call.limits.Allow(WriteKind::StartUp, call.remote)) return Say(kRefused);
    return Add(call, {{"UPDATE statistics SET stat1 = stat1 + 1, stat2 = stat2 + ? WHERE gid = ?",
                       {*first, kGame}}});
}

std::string Today() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char day[16];
    std::strftime(day, sizeof day, "%Y-%m-%d", &utc);
    return day;
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
        {"read statistics", Address::Statistics, true, {"gid"}, ReadStatistics},
        {"post start-up report", Address::Statistics, false, {"gid", "stat1", "stat2"}, PostStartUp},
        {"post like", Address::Statistics, false, {"gid", "stat3", "stat4"}, PostLike},
        {"post game results", Address::Statistics, false, resultKeys, PostGameResults},
    };
}

}  // namespace kesp::service
