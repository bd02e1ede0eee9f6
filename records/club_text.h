// Fixed-width text of the record files (club and history): fields padded with blanks, integers
// right-aligned, real numbers with a comma as the decimal mark, lines ended by CR LF. Field
// helpers work on code page 1251 bytes, one byte per character.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kesp {

inline constexpr std::string_view CrLf = "\r\n";

// `dir` joined with `name`, with exactly one '/' between them (an empty dir gives the bare name).
std::string JoinPath(std::string_view dir, std::string_view name);

// UTF-8 text as code page 1251 bytes for a positional field: a character the code page lacks, or
// a byte that is not UTF-8, becomes '?', and control characters (line ends among them) become
// blanks, so a field can never break the line layout.
std::string ToFieldBytes(std::string_view utf8);

// Padded with blanks behind, cut to `width`.
std::string LeftAligned(std::string_view text, std::size_t width);
// Padded with blanks in front; when longer than `width`, its first `width` characters.
std::string RightAligned(std::string_view text, std::size_t width);

std::string_view TrimBlanks(std::string_view text);
std::string_view TrimTrailingBlanks(std::string_view text);

// The lines of a text file as a text reader sees them: CR LF, LF or CR ends a line, and a last
// line without a line end still counts.
std::vector<std::string_view> SplitLines(std::string_view bytes);

// An integer with optional blanks around it and an optional sign; nothing for anything else.
std::optional<std::int64_t> ParseInteger(std::string_view field);

// `value` / 10^decimals written with exactly `decimals` decimals and a comma ("-3,500000").
std::string FormatScaled(std::int64_t value, int decimals);
// The reverse, accepting a comma or a point; blanks around are allowed. At most `decimals`
// decimals; nothing for anything else.
std::optional<std::int64_t> ParseScaled(std::string_view field, int decimals);
// A scaled value taken to fewer decimals, halves away from zero (as a printed number rounds).
std::int64_t RescaleRounded(std::int64_t value, int fromDecimals, int toDecimals);

// A real number with two decimals and a comma, for the lists and the history ("0,60").
std::string FormatTwoDecimals(double value);

}  // namespace kesp
