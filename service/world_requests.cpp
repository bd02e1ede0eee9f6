// The world top ten lists (36 Windows, 136 Android, 336 accounts) and the games chat (list 100):
// every post is an entry, ranked by score, the earlier entry first on a tie.
#include "network/service_text.h"
#include "service/catalogue.h"
#include "service/standings.h"
#include "service/store.h"
#include "service/validation.h"

namespace kesp::service {
namespace {

constexpr long long kAccountList = 336;
constexpr long long kLargestScore = 1000000000;
constexpr int kChatNumberTries = 5;

std::optional<long long> List(std::string_view text) {
    const auto list = ParseInteger(text, 0, 999);
    if (!list || (*list != 36 && *list != 136 && *list != kAccountList && *list != kChatList))
        return std::nullopt;
    return list;
}

// Records of entries: place, entry number, score, nick, country, city, R07..R10.
Answer EntryRecords(const std::optional<std::vector<WorldEntry>>& entries) {
    if (!entries) return Say(kRefused);
    std::string text;
    for (const WorldEntry& e : *entries)
        text += ServiceRecord(
            {std::to_string(e.place), std::to_string(e.id), std::to_string(e.score), BlankRecordValue(e.nick),
             BlankRecordValue(e.country), BlankRecordValue(e.city), BlankRecordValue(e.r7),
             BlankRecordValue(e.r8), BlankRecordValue(e.r9), BlankRecordValue(e.r10)},
            ' ', '*');
    return {text, {}};
}

Answer ReadRecordCount(Call& call) {
    const auto list = List(call.values[0]);
    if (!list) return Say(kRefused);
    const auto rows =
        Select(call.db, "SELECT CAST(COALESCE(SUM(entries), 0) AS BIGINT) FROM world_scores WHERE list = ?",
               {*list});
    if (!rows) return Say(kRefused);
    return Number((*rows)[0][0].toLongLong());
}

Answer ReadRecords(Call& call) {
    const auto list = List(call.values[0]);
    if (!list) return Say(kRefused);
    return EntryRecords(WorldTopTen(call.db, *list));
}

Answer ReadOwnRecords(Call& call) {
    const auto list = List(call.values[0]);
    const auto nick = CleanText(call.values[1], 1, 12);
    const auto city = CleanText(call.values[2], 0, 15);
    if (!list || !nick || !city) return Say(kRefused);
    return EntryRecords(OwnEntries(call.db, *list, *nick, *city));
}

Answer PostRecord(Call& call) {
    const auto& v = call.values;
    const auto list = List(v[0]);
    const auto nick = ValidNick(v[1]);
    const auto city = CleanText(v[2], 1, 15);
    const auto country = CleanText(v[3], 1, 20);
    const auto score = ParseInteger(v[4], -kLargestScore, kLargestScore);
    const auto version = CleanText(v[6], 0, 10);
    const bool chat = list && *list == kChatList;
    const auto text = CleanText(v[7], 0, chat ? 80 : 50);
    const auto stamp = CleanText(v[8], 0, 60);
    if (!list || !nick || !city || !country || !score || (v[5] != "M" && v[5] != "W") || !version || !text ||
        !stamp)
        return Say(kRefused);
    if (!call.limits.Allow(chat ? WriteKind::Chat : WriteKind::WorldRecord, call.remote))
        return Say(kRefused);
    if (*list == kAccountList) {
        const auto account = Select(call.db, "SELECT COUNT(*) FROM accounts WHERE nick = ?", {Text(*nick)});
        if (!account || (*account)[0][0].toLongLong() == 0) return Say(kRefused);
    }
    // The chat's numbers are the service's: the next after the newest. Two posts at once may pick the
    // same number; the unique index refuses the second, which then tries again.
    for (int attempt = 0; attempt < kChatNumberTries; ++attempt) {
        Transaction transaction(call.db, call.postgres);
        if (!transaction.Began()) return Say(kRefused);
        long long entryScore = *score;
        if (chat) {
            const auto newest = Select(
                call.db, "SELECT COALESCE(MAX(score), 0) FROM world_entries WHERE list = ?", {kChatList});
            if (!newest) return Say(kRefused);
            entryScore = (*newest)[0][0].toLongLong() + 1;
        }
        if (!Execute(call.db,
                     "INSERT INTO world_entries (list, nick, city, country, score, r7, r8, r9, r10, posted)"
                     " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                     {*list, Text(*nick), Text(*city), Text(*country), entryScore, Text(v[5]), Text(*version),
                      Text(*text), Text(*stamp), NowSeconds()})) {
            if (chat) continue;
            return Say(kRefused);
        }
        if (!Execute(
                call.db,
                "INSERT INTO world_scores (list, score, entries) VALUES (?, ?, 1) ON CONFLICT (list, score)"
                " DO UPDATE SET entries = world_scores.entries + 1",
                {*list, entryScore}))
            return Say(kRefused);
        const auto place = PlaceOfNewestEntry(call.db, *list, *nick, entryScore);
        if (!place || !transaction.Commit()) return Say(kRefused);
        return Number(chat ? entryScore : *place);
    }
    return Say(kRefused);
}

}  // namespace

std::vector<Operation> WorldOperations() {
    return {
        {"read record count", Address::WorldTopTen, true, {"rgid"}, ReadRecordCount, kWorldListsTopic},
        {"read records", Address::WorldTopTen, true, {"gid"}, ReadRecords, kWorldListsTopic},
        {"read own records",
         Address::WorldTopTen,
         false,
         {"gid", "nick", "city"},
         ReadOwnRecords,
         kWorldListsTopic},
        {"post record",
         Address::WorldTopTen,
         false,
         {"gid", "nick", "city", "country", "score", "R7", "R8", "R9", "R10"},
         PostRecord,
         0,
         kWorldListsTopic},
    };
}

}  // namespace kesp::service
