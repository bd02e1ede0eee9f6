// Reading the two body forms of the game's form posts against an operation's known field order.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kesp::service {

// List form: name=value pairs split at '&' (the game sends "&&"), each percent-decoded; the names
// must be exactly `keys` in order. The values come back as the bytes the game encoded.
std::optional<std::vector<std::string>> ReadListForm(std::string_view body,
                                                     const std::vector<std::string_view>& keys);

// Text form: "key1=value1&key2=value2..." with the values taken literally, so a value may hold '&',
// '=', '+' or '%': a value ends only where "&" + the next key + "=" follows.
std::optional<std::vector<std::string>> ReadTextForm(std::string_view body,
                                                     const std::vector<std::string_view>& keys);

}  // namespace kesp::service
