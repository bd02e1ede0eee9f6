// The two body forms of the game's form posts to the online service. Both carry the bytes of code
// page 1251; texts come in as UTF-8.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kesp {

// A form field: its name and its value, both UTF-8.
using FormField = std::pair<std::string, std::string>;
using FormFields = std::vector<FormField>;

// The key prefix of the fields that belong to this game ("crdkesp" + "best" and so on).
inline constexpr std::string_view kGameKeyPrefix = "crdkesp";
// The game's number, and the list numbers derived from it.
inline constexpr int kGameIdentifier = 36;
inline constexpr int kWindowsList = kGameIdentifier;
inline constexpr int kAndroidList = kGameIdentifier + 100;
inline constexpr int kAccountList = kGameIdentifier + 300;
inline constexpr int kChatList = 100;

// List form: every name and value percent-encoded, the fields joined by "&&" in the order given.
// A line break inside a value would split the field, so line breaks are dropped.
std::string ListFormBody(const FormFields& fields);

// Text form: "name=value" joined by '&', the values inserted as they are (the service splits the
// body by its known field names, so '&' or '=' inside a value survive).
std::string TextFormBody(const FormFields& fields);

// Every byte but letters, digits and "-._~" as '%' and two hex digits.
std::string PercentEncoded(std::string_view bytes);

// UTF-8 text as code page 1251 bytes, each character the code page lacks written as '?'.
std::string ToCp1251Lossy(std::string_view utf8);

}  // namespace kesp
