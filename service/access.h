// Who may write for a nick: a session that logged in as it, or its password in the request.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "service/catalogue.h"

namespace kesp::service {

// The name of the session cookie that a successful log-in sets.
inline constexpr std::string_view kSessionCookie = "kesp_session";

// Starts a session for `nick` inside the caller's transaction; its token, or nothing.
std::optional<std::string> StartSession(Call& call, const std::string& nick);

// Thrown where a password would have to be checked on a call that may not hash passwords. The
// answer so far has written nothing (its transaction, if any, rolls back) and is given again on the
// password connections.
struct PasswordCheckDeferred {};

// `password` is the raw field of the request, or nothing for requests that carry none.
bool MaySpeakFor(Call& call, const std::string& nick, std::optional<std::string_view> password);

// The nick of the caller's session, when it has a live one.
std::optional<std::string> SessionNick(Call& call);

// Whether `nick` has a live session that logged in from `remote`.
bool HasSessionFrom(QSqlDatabase& db, const std::string& nick, const std::string& remote);

// The password hash of `nick`'s account, when there is one.
std::optional<std::string> PasswordHashOf(Call& call, const std::string& nick);

}  // namespace kesp::service
