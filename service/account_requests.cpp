// Accounts and profiles: create, log in, member count, read and save the profile.
#include <array>

#include "network/service_text.h"
#include "service/access.h"
#include "service/catalogue.h"
#include "service/secrets.h"
#include "service/store.h"
#include "service/validation.h"

namespace kesp::service {
namespace {

// A country code: continent digit 1..6, '-', three digits.
bool IsCountryCode(std::string_view code) {
    return code.size() == 5 && code[0] >= '1' && code[0] <= '6' && code[1] == '-' &&
           ParseInteger(code.substr(2), 0, 999) && code.substr(2).find('-') == std::string_view::npos;
}

Answer CreateAccount(Call& call) {
    const auto& v = call.values;
    const auto nick = ValidNick(v[0]);
    const auto city = CleanText(v[2], 2, 15);
    const auto country1 = CleanText(v[3], 1, 20);
    const auto email = CleanText(v[6], 2, 30);
    const auto dater = CleanText(v[7], 0, 10);
    std::array<std::optional<std::string>, 3> reservedTexts{CleanText(v[8], 0, 10), CleanText(v[9], 0, 10),
                                                            CleanText(v[10], 0, 10)};
    std::array<std::optional<long long>, 3> reservedNumbers{ParseInteger(v[11], -1000000, 1000000),
                                                            ParseInteger(v[12], -1000000, 1000000),
                                                            ParseInteger(v[13], -1000000, 1000000)};
    const bool passwordOk = v[1].size() >= 4 && v[1].size() <= 12 && CleanText(v[1], 4, 12);
    if (!nick || !passwordOk || !city || !country1 || !IsCountryCode(v[4]) || (v[5] != "M" && v[5] != "W") ||
        !email || !dater || !reservedTexts[0] || !reservedTexts[1] || !reservedTexts[2] ||
        !reservedNumbers[0] || !reservedNumbers[1] || !reservedNumbers[2])
        return Say(kRefused);
    if (!call.limits.Allow(WriteKind::CreateAccount, call.remote)) return Say(kRefused);
    const auto taken =
        Select(call.db, "SELECT COUNT(*) FROM accounts WHERE nick_key = ?", {Text(NickKey(*nick))});
    if (!taken) return Say(kRefused);
    if ((*taken)[0][0].toLongLong() > 0) return Say(kExists);
    const auto hash = HashPassword(v[1]);
    if (!hash) return Say(kRefused);
    const bool inserted = ExecuteCommitted(
        call.db, call.postgres,
        "INSERT INTO accounts (nick, nick_key, pw_hash, city, country1, country2, sex, email, dater, r01,"
        " r02, r03, r04, r05, r06, created) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
        {Text(*nick), Text(NickKey(*nick)), Text(*hash), Text(*city), Text(*country1), Text(v[4]), Text(v[5]),
         Text(*email), Text(*dater), Text(*reservedTexts[0]), Text(*reservedTexts[1]),
         Text(*reservedTexts[2]), *reservedNumbers[0], *reservedNumbers[1], *reservedNumbers[2],
         NowSeconds()});
    if (inserted) return Say(kDone);
    // Another post took the nick in the meantime.
    const auto takenNow =
        Select(call.db, "SELECT COUNT(*) FROM accounts WHERE nick_key = ?", {Text(NickKey(*nick))});
    return Say(takenNow && !takenNow->empty() && (*takenNow)[0][0].toLongLong() > 0 ? kExists : kRefused);
}

Answer ReadAccount(Call& call) {
    const auto nick = ValidNick(call.values[0]);
    if (!nick || call.values[2] != "0" || call.values[1].size() > 64) return Say(kRefused);
    if (!call.limits.Allow(WriteKind::LogIn, call.remote)) return Say(kRefused);
    const auto hash = PasswordHashOf(call, *nick);
    if (!hash || !PasswordMatches(*hash, call.values[1])) return Say(kRefused);
    const auto rows =
        Select(call.db,
               "SELECT city, country1, country2, sex, email, dater, r01, r02, r03, r04, r05, r06"
               " FROM accounts WHERE nick = ?",
               {Text(*nick)});
    if (!rows || rows->empty()) return Say(kRefused);
    std::vector<std::string> values;
    for (const QVariant& value : (*rows)[0]) values.push_back(BlankRecordValue(String(value)));
    Transaction transaction(call.db, call.postgres);
    const auto token = transaction.Began() ? StartSession(call, *nick) : std::nullopt;
    if (!token || !transaction.Commit()) return Say(kRefused);
    return {ServiceRecord(values, ' ', '$'), *token};
}

Answer ReadMemberCount(Call& call) {
    if (call.values[0] != "0") return Say(kRefused);
    const auto rows = Select(call.db, "SELECT COUNT(*) FROM accounts");
    if (!rows) return Say(kRefused);
    return Number((*rows)[0][0].toLongLong());
}

// The profile's fields as the save request names them, with their longest lengths.
constexpr std::array<std::pair<const char*, std::size_t>, 14> kProfileFields{{
    {"name1", 20},
    {"name2", 20},
    {"about", 50},
    {"telephone", 20},
    {"emailo", 50},
    {"website", 50},
    {"skype", 50},
    {"ok", 50},
    {"vk", 50},
    {"telegram", 50},
    {"facebook", 60},
    {"twitter", 50},
    {"instagramm", 50},
    {"youtube", 50},
}};

QString ProfileColumns() {
    QString columns;
    for (const auto& field : kProfileFields)
        columns += (columns.isEmpty() ? "p_" : ", p_") + QString::fromLatin1(field.first);
    return columns;
}

Answer ReadProfile(Call& call) {
    const auto nick = ValidNick(call.values[0]);
    if (!nick || call.values[1] != "0") return Say(kRefused);
    const auto rows =
        Select(call.db, "SELECT " + ProfileColumns() + " FROM accounts WHERE nick = ?", {Text(*nick)});
    if (!rows || rows->empty()) return Say(kRefused);
    std::vector<std::string> values;
    for (const QVariant& value : (*rows)[0]) values.push_back(ProfileRecordValue(String(value)));
    return {ServiceRecord(values, '~', '$'), {}};
}

Answer SaveProfile(Call& call) {
    const auto nick = ValidNick(call.values[0]);
    if (!nick || call.values[1] != "0") return Say(kRefused);
    std::vector<QVariant> texts;
    QString assignments;
    for (std::size_t i = 0; i < kProfileFields.size(); ++i) {
        const auto text = CleanText(call.values[2 + i], 0, kProfileFields[i].second);
        if (!text) return Say(kRefused);
        texts.push_back(Text(*text));
        assignments += (i == 0 ? "p_" : ", p_") + QString::fromLatin1(kProfileFields[i].first) + " = ?";
    }
    if (!MaySpeakFor(call, *nick, std::nullopt)) return Say(kRefused);
    texts.push_back(Text(*nick));
    const bool saved = ExecuteCommitted(call.db, call.postgres,
                                        "UPDATE accounts SET " + assignments + " WHERE nick = ?", texts);
    return Say(saved ? kDone : kRefused);
}

}  // namespace

std::vector<Operation> AccountOperations() {
    std::vector<Operation> operations{
        {"create account",
         Address::Account,
         false,
         {"nick", "pw", "city", "country1", "country2", "sex", "email", "dater", "R01", "R02", "R03", "R04",
          "R05", "R06"},
         CreateAccount,
         0,
         kAccountsTopic,
         true},
        {"read account", Address::Account, true, {"nick", "pw", "label0"}, ReadAccount, 0, 0, true},
        {"read member count", Address::Account, false, {"label1"}, ReadMemberCount, kAccountsTopic},
        {"read profile", Address::Account, true, {"nick", "labelinforead"}, ReadProfile, kAccountsTopic},
    };
    Operation save{
        "save profile", Address::Account, false, {"nick", "labelinfosave", "namei"}, SaveProfile, 0,
        kAccountsTopic};
    // The first name goes out as "namei"; the other fields under their own names.
    for (std::size_t i = 1; i < kProfileFields.size(); ++i) save.keys.push_back(kProfileFields[i].first);
    operations.push_back(save);
    return operations;
}

}  // namespace kesp::service
