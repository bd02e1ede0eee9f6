#include "service/access.h"

#include "service/secrets.h"
#include "service/store.h"

namespace kesp::service {
namespace {

constexpr long long kSessionLifetimeSeconds = 30LL * 24 * 3600;

}  // namespace

std::optional<std::string> StartSession(Call& call, const std::string& nick) {
    const std::string token = NewSessionToken();
    const long long now = NowSeconds();
    if (!Execute(call.db, "DELETE FROM sessions WHERE created < ?", {now - kSessionLifetimeSeconds}) ||
        !Execute(call.db, "INSERT INTO sessions (token_hash, nick, created, remote) VALUES (?, ?, ?, ?)",
                 {Text(SessionTokenHash(token)), Text(nick), now, Text(call.remote)}))
        return std::nullopt;
    return token;
}

std::optional<std::string> PasswordHashOf(Call& call, const std::string& nick) {
    const auto rows = Select(call.db, "SELECT pw_hash FROM accounts WHERE nick = ?", {Text(nick)});
    if (!rows || rows->empty()) return std::nullopt;
    return (*rows)[0][0].toString().toStdString();
}

std::optional<std::string> SessionNick(Call& call) {
    if (call.sessionToken.empty()) return std::nullopt;
    const auto rows =
        Select(call.db, "SELECT nick FROM sessions WHERE token_hash = ? AND created >= ?",
               {Text(SessionTokenHash(call.sessionToken)), NowSeconds() - kSessionLifetimeSeconds});
    if (!rows || rows->empty()) return std::nullopt;
    return String((*rows)[0][0]);
}

bool HasSessionFrom(QSqlDatabase& db, const std::string& nick, const std::string& remote) {
    const auto rows =
        Select(db, "SELECT COUNT(*) FROM sessions WHERE nick = ? AND remote = ? AND created >= ?",
               {Text(nick), Text(remote), NowSeconds() - kSessionLifetimeSeconds});
    return rows && !rows->empty() && (*rows)[0][0].toLongLong() > 0;
}

bool MaySpeakFor(Call& call, const std::string& nick, std::optional<std::string_view> password) {
    if (SessionNick(call) == nick) return true;
    if (!password || password->empty()) return false;
    if (!call.mayHashPasswords) throw PasswordCheckDeferred{};
    const auto hash = PasswordHashOf(call, nick);
    return hash && PasswordMatches(*hash, *password);
}

}  // namespace kesp::service
