// What the history window shows: the list of valid history files and the games of one file as
// grid rows. The window formats dates in the system's short date format and draws the rows.
#pragma once

#include <array>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "records/history.h"

namespace kesp {

inline constexpr std::string_view NoHistoryFiles = "No History Files";
inline constexpr std::array<std::string_view, 7> HistoryHeadings = {"Time",   "Date",   "Player", "Games",
                                                                    "Result", "Rating", "Type"};
inline constexpr std::array<int, 7> HistoryColumnWidths = {45, 65, 210, 45, 55, 55, 80};

struct HistoryFileItem {
    int Number;
    std::string Text;  // "File I0001 " + the file's date
};

// The valid files 1, 2, ... up to the first invalid or missing one. When there is none the list
// shows NoHistoryFiles and is disabled.
std::vector<HistoryFileItem> ListHistoryFiles(std::string_view programDir,
                                              const std::function<std::string(std::time_t)>& shortDate);

// The list's width in pixels: wider when a scroll bar is needed.
int HistoryListWidth(std::size_t items);

// The file to show: the one shown last during the run while it is listed, otherwise the newest;
// 0 when the list is empty.
int ChooseHistoryFile(const std::vector<HistoryFileItem>& items, int lastShown);

struct HistoryRow {
    std::array<std::string, 7> Cells;  // UTF-8, blanks trimmed
    std::optional<HistoryKind> Kind;   // nothing for an unknown type letter
};

// One row per game of a valid file; nothing for an invalid or missing file.
std::vector<HistoryRow> ReadHistoryRows(std::string_view programDir, int number);
std::vector<HistoryRow> HistoryRows(std::string_view bytes);

}  // namespace kesp
