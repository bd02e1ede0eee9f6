#include "records/history_list.h"

#include <cstdio>

#include "records/atomic_file.h"
#include "records/club_text.h"
#include "records/cp1251.h"

namespace kesp {
namespace {

std::string Cell(std::string_view line, std::size_t first, std::size_t last) {
    return Cp1251ToUtf8(TrimBlanks(line.substr(first - 1, last - first + 1)));
}

}  // namespace

std::vector<HistoryFileItem> ListHistoryFiles(std::string_view programDir,
                                              const std::function<std::string(std::time_t)>& shortDate) {
    std::vector<HistoryFileItem> items;
    for (int number = 1; number <= MaxHistoryFiles; ++number) {
        const HistoryFileCheck check = CheckHistoryFile(programDir, number);
        if (!check.Valid) break;
        char text[24];  // room for any int, as the compiler cannot see the loop's bound here
        std::snprintf(text, sizeof text, "File I%04d ", number);
        items.push_back({number, text + (shortDate ? shortDate(check.Modified) : std::string())});
    }
    return items;
}

int HistoryListWidth(std::size_t items) {
    return items > 16 ? 193 : 180;
}

int ChooseHistoryFile(const std::vector<HistoryFileItem>& items, int lastShown) {
    for (const HistoryFileItem& item : items)
        if (item.Number == lastShown) return lastShown;
    return items.empty() ? 0 : items.back().Number;
}

std::vector<HistoryRow> HistoryRows(std::string_view bytes) {
    std::vector<HistoryRow> rows;
    if (!CheckHistoryText(bytes).Valid) return rows;
    for (std::string_view line : SplitLines(bytes)) {
        if (line.starts_with('$')) break;
        HistoryRow row;
        row.Cells = {Cell(line, 1, 5),   Cell(line, 6, 15),  Cell(line, 16, 66),
                     Cell(line, 67, 69), Cell(line, 70, 79), Cell(line, 80, 89)};
        switch (line[89]) {
            case 'L':
                row.Kind = HistoryKind::Local;
                row.Cells[6] = "Local";
                break;
            case 'N':
                row.Kind = HistoryKind::Network;
                row.Cells[6] = "Net";
                break;
            case 'A':
                row.Kind = HistoryKind::Account;
                row.Cells[6] = "Account";
                break;
            case 'T':
                row.Kind = HistoryKind::Tournament;
                row.Cells[6] = "Tourney";
                break;
            default:
                break;
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<HistoryRow> ReadHistoryRows(std::string_view programDir, int number) {
    const auto bytes = ReadWholeFile(HistoryFilePath(programDir, number));
    return bytes ? HistoryRows(*bytes) : std::vector<HistoryRow>{};
}

}  // namespace kesp
