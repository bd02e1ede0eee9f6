// Conversion between the code page 1251 bytes of the game's files and messages and UTF-8 text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kesp {

// Every byte of code page 1251 but 0x98 has a character; that one becomes U+FFFD.
std::string Cp1251ToUtf8(std::string_view bytes);

// Nothing when the text holds a character code page 1251 cannot write, or is not UTF-8.
std::optional<std::string> Utf8ToCp1251(std::string_view text);

}  // namespace kesp
