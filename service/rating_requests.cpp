// The account's record of this game and the ranking of the accounts by rating.
#include "network/service_text.h"
#include "service/access.h"
#include "service/catalogue.h"
#include "service/standings.h"
#include "service/store.h"
#include "service/validation.h"

namespace kesp::service {
namespace {

constexpr long long kMostGames = 1000000000;
constexpr double kLargestRating = 1e9;

std::optional<double> Rating(std::string_view text) {
    const auto rating = ParseServiceReal(text);
    if (!rating || *rating > kLargestRating || *rating < -kLargestRating) return std::nullopt;
    return rating;
}

Answer ReadGameRecord(Call& call) {
    const auto nick = ValidNick(call.values[0]);
    if (!nick || call.values[2] != "0" || !MaySpeakFor(call, *nick, call.values[1])) return Say(kRefused);
    const auto rows = Select(
        call.db, "SELECT kon, best, rating, sessions, konl, score, r1, r2 FROM accounts WHERE nick = ?",
        {Text(*nick)});
    if (!rows || rows->empty()) return Say(kRefused);
    const Row& row = (*rows)[0];
    std::vector<std::string> values;
    for (int i : {0, 1}) values.push_back(std::to_string(row[i].toLongLong()));
    values.push_back(FormatServiceReal(row[2].toDouble()));
    for (int i : {3, 4, 5, 6}) values.push_back(std::to_string(row[i].toLongLong()));
    values.push_back(BlankRecordValue(String(row[7])));
    return {ServiceRecord(values, ' ', '$'), {}};
}

Answer SaveGameRecord(Call& call) {
    const auto& v = call.values;
    const auto nick = ValidNick(v[0]);
    const auto kon = ParseInteger(v[2], 0, kMostGames);
    const auto best = ParseInteger(v[3], -kMostGames, kMostGames);
    const auto rating = Rating(v[4]);
    const auto sessions = ParseInteger(v[5], 0, kMostGames);
    const auto konl = ParseInteger(v[6], 0, kMostGames);
    const auto score = ParseInteger(v[7], -kMostGames, kMostGames);
    const auto r1 = ParseInteger(v[8], -kMostGames, kMostGames);
    const auto r2 = CleanText(v[9], 0, 20);
    if (!nick || !kon || !best || !rating || !sessions || !konl || !score || !r1 || !r2) return Say(kRefused);
    if (!MaySpeakFor(call, *nick, v[1])) return Say(kRefused);
    const bool saved = ExecuteCommitted(
        call.db, call.postgres,
        "UPDATE accounts SET kon = ?, best = ?, rating = ?, sessions = ?, konl = ?, score = ?, r1 = ?,"
        " r2 = ? WHERE nick = ?",
        {*kon, *best, *rating, *sessions, *konl, *score, *r1, Text(r2->empty() ? "#" : *r2), Text(*nick)});
    return Say(saved ? kDone : kRefused);
}

Answer ReadPlace(Call& call) {
    const auto rating = Rating(call.values[0]);
    if (!rating) return Say(kRefused);
    const auto rows =
        Select(call.db, "SELECT COUNT(*) FROM accounts WHERE kon > 0 AND rating > ?", {*rating});
    if (!rows) return Say(kRefused);
    return Number((*rows)[0][0].toLongLong() + 1);
}

Answer ReadTopTen(Call& call) {
    if (call.values[0] != "0") return Say(kRefused);
    const auto accounts = AccountTopTen(call.db);
    if (!accounts) return Say(kRefused);
    std::string text;
    int place = 0;
    for (const RankedAccount& account : *accounts)
        text += ServiceRecord(
            {std::to_string(++place), BlankRecordValue(account.nick), BlankRecordValue(account.city),
             BlankRecordValue(account.country1), BlankRecordValue(account.country2),
             BlankRecordValue(account.sex), FormatServiceReal(account.rating)},
            ' ', '*');
    return {text, {}};
}

}  // namespace

std::vector<Operation> RatingOperations() {
    return {
        {"read game record", Address::Account, true, {"nick", "pw", "crdkespbest"}, ReadGameRecord},
        {"save game record",
         Address::Account,
         false,
         {"nick", "pw", "crdkespkon", "crdkespbest", "crdkesprating", "crdkespses", "crdkespkonl",
          "crdkespscore", "crdkespR1", "crdkespR2"},
         SaveGameRecord,
         0,
         kAccountsTopic},
        {"read place by rating", Address::Account, false, {"crdkesprating"}, ReadPlace, kAccountsTopic},
        {"read account top ten", Address::Account, true, {"crdkespkon"}, ReadTopTen, kAccountsTopic},
    };
}

}  // namespace kesp::service
