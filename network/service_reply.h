// Reading the online service's replies: markers, records, numbers and reals. Free of Qt and of the
// transport, so the game, kesp-sim and the fuzzers read replies with the same code.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kesp {

// "ok" done, "is" already exists or taken, "no" refused or not found. A marker is looked for only
// in the part of the reply before its first '$', so a record that holds "Reno" or "nobody@" never
// reads as a marker.
bool HasMarker(std::string_view reply, std::string_view marker);

// The values of one record: the text after a '$' up to `terminator` or the end, split at every
// `separator` (value 1 is the first, empty values between two separators are kept).
using ServiceRecordValues = std::vector<std::string>;

// The first record of the reply; nothing when the reply holds no '$'.
std::optional<ServiceRecordValues> ReadFirstRecord(std::string_view reply, char terminator, char separator);

// Up to `maxRecords` records, each starting at a '$' after the end of the previous one.
std::vector<ServiceRecordValues> ReadRecords(std::string_view reply, char terminator, char separator,
                                             std::size_t maxRecords = 10);

// The number after the last '$': its digits up to the first non-digit or the end. Nothing when
// there is no '$' or no valid integer follows it (an earlier '$' is not tried).
std::optional<long long> ReadLastNumber(std::string_view reply);

// Value `index` (1-based) of a record, or `fallback` when the record is shorter.
std::string RecordValue(const ServiceRecordValues& values, std::size_t index,
                        std::string_view fallback = "#");
// An integer value; `fallback` when missing or not a number.
long long RecordInteger(const ServiceRecordValues& values, std::size_t index, long long fallback = 0);
// A real value: the text up to its first character that is neither a blank, '-' nor a digit is the
// whole part, the digits after that character the fraction. Empty leaves `fallback`; nothing when
// the text does not convert.
std::optional<double> ReadServiceReal(std::string_view text, double fallback);

// '_' back to blanks (the service writes blanks of blank-separated records as '_'); "#" is empty.
std::string RecordText(std::string_view value);

}  // namespace kesp
