// The game history: every finished game is one 114-character line of a history file
// "History/Kesp_I0001.hst", "Kesp_I0002.hst", ... beside the program. A file holds at most 840
// games and ends with an end line and a totals line; a file whose totals do not match is
// ignored by the viewer and replaced by the writer.
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "records/checksums.h"
#include "records/club_messages.h"

namespace kesp {

inline constexpr std::string_view HistoryFolder = "History";
inline constexpr std::string_view HistoryBaseName = "Kesp";  // the club file's name without ".clb"
inline constexpr int HistoryFileCapacity = 840;
inline constexpr int MaxHistoryFiles = 9999;
inline constexpr std::size_t HistoryDataLength = 99;
inline constexpr std::size_t HistoryLineLength = 114;
inline constexpr std::size_t HistoryTotalsLength = 30;
inline constexpr std::size_t HistoryPlayersLength = 51;

enum class HistoryKind : std::uint8_t { Local = 0, Account = 1, Tournament = 2, Network = 3 };

struct HistoryEntry {
    std::string Players;  // UTF-8; written padded or cut to 51 characters
    std::int64_t Games = 1;
    std::int64_t Result = 0;
    double Rating = 0;
    HistoryKind Kind = HistoryKind::Local;
};

// The players of a network or tournament game: the seats' names from the own seat down to
// seat 1, trailing blanks removed, joined by "/".
std::string HistoryPlayers(std::span<const std::string> namesFromOwnSeatDown);

// "<ProgramDir>History/Kesp_I0001.hst" for number 1.
std::string HistoryFilePath(std::string_view programDir, int number);

// The sums of a history line: over its bytes 1..99.
Checksums HistoryLineSums(std::string_view line);
// 99 characters of data followed by the line's sums in five digits each.
std::string WithLineSums(std::string data);

// A record line. The time ("hh:nn") and the date (the system's short date format) are given as
// text; they are right-aligned in 5 and 10 and cut to their first 5 and 10 characters.
std::string HistoryRecordLine(const HistoryEntry& entry, std::string_view timeText,
                              std::string_view dateText);
// "$", the byte 136, "}" and "#" up to 99 characters, with the line sums.
std::string HistoryEndLine();
// Three ten-digit totals.
std::string HistoryTotalsLine(const Checksums& totals);

struct HistoryCheck {
    bool Valid = false;
    int Records = 0;
};
// Checks the bytes of a history file.
HistoryCheck CheckHistoryText(std::string_view bytes);

struct HistoryFileCheck {
    bool Valid = false;
    int Records = 0;
    std::time_t Modified = 0;  // the window shows it in the system's short date format
};
HistoryFileCheck CheckHistoryFile(std::string_view programDir, int number);

// Appends the entries (one per game; at most four) to the first history file that is not full,
// replacing an invalid file. Gives "Cann`t save history!" when the file cannot be written.
std::optional<RecordMessage> WriteHistory(std::string_view programDir, std::span<const HistoryEntry> entries,
                                          std::string_view timeText, std::string_view dateText);

}  // namespace kesp
