// Checks of the values that arrive in form posts: every text is Windows-1251 from the game and is
// kept as UTF-8 in the database.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kesp::service {

// A free text of `minLength`..`maxLength` characters without control characters; '$', '*' and '~'
// are removed first, since they separate reply values. UTF-8 on success.
std::optional<std::string> CleanText(std::string_view cp1251, std::size_t minLength, std::size_t maxLength);

// A nick: 2..12 characters, no control character, no blank at either end, none of / \ $ * ~.
std::optional<std::string> ValidNick(std::string_view cp1251);
// The same check for a nick that arrives as UTF-8 (an avatar address).
std::optional<std::string> ValidNickUtf8(std::string_view utf8);
// The nick in lower case, under which no second account may be created.
std::string NickKey(const std::string& utf8Nick);

// A whole number in [min, max] written as an optional '-' and digits.
std::optional<long long> ParseInteger(std::string_view text, long long min, long long max);

}  // namespace kesp::service
