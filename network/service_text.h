// The texts the online service and the game exchange inside replies and form fields: reals in plain
// decimals, record values that never split a record, and the reply's record framing.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kesp {

// '.' as the decimal point, never an exponent, at most 15 significant digits; "0" below 0.00001.
std::string FormatServiceReal(double value);
// A real as FormatServiceReal writes it (an optional '-', digits, an optional '.' and digits).
std::optional<double> ParseServiceReal(std::string_view text);

// A value of a blank-separated record: '_' for a blank, '#' when empty, '$', '*' and '~' removed.
std::string BlankRecordValue(std::string_view value);
// A value of a '~'-separated profile record: blanks kept, '#' when empty, '$', '*' and '~' removed.
std::string ProfileRecordValue(std::string_view value);

// "$" + values joined by `separator` + `terminator` (a terminator of '\0' writes none).
std::string ServiceRecord(const std::vector<std::string>& values, char separator, char terminator);

}  // namespace kesp
