// Password hashes and session tokens, through libsodium.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kesp::service {

// Each hash takes 64 MiB for a moment: at most this many are made at once, so a burst of log-ins
// cannot exhaust memory; the service gives password work as many database connections.
inline constexpr std::size_t kConcurrentPasswordHashes = 2;

// Must run once before the others.
bool InitialiseSecrets();

// A salted slow hash in libsodium's own text form; nothing when memory ran out.
std::optional<std::string> HashPassword(std::string_view password);
bool PasswordMatches(const std::string& hash, std::string_view password);

// A fresh random session token (64 hex digits) and the hash under which it is stored.
std::string NewSessionToken();
std::string SessionTokenHash(std::string_view token);

}  // namespace kesp::service
