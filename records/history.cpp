#include "records/history.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>

#include "records/atomic_file.h"
#include "records/club_text.h"

namespace kesp {
namespace {

std::string Digits(std::uint64_t value, int width) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%0*llu", width, static_cast<unsigned long long>(value));
    return buffer;
}

char KindLetter(HistoryKind kind) {
    switch (kind) {
        case HistoryKind::Account:
            return 'A';
        case HistoryKind::Tournament:
            return 'T';
        case HistoryKind::Network:
            return 'N';
        case HistoryKind::Local:
            break;
    }
    return 'L';
}

bool MatchesTotal(std::string_view field, std::uint64_t sum) {
    const auto value = ParseInteger(field);
    return value && *value >= 0 && static_cast<std::uint64_t>(*value) == sum;
}

// The lines of a valid file before its end line, or nothing when the file is not valid.
std::optional<std::vector<std::string_view>> ValidRecordLines(std::string_view bytes) {
    const auto lines = SplitLines(bytes);
    Checksums totals;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (line.size() < HistoryLineLength) return std::nullopt;
        totals += HistoryLineSums(line);
        if (line[0] != '$') continue;
        if (i + 1 >= lines.size()) return std::nullopt;
        const std::string_view sums = lines[i + 1];
        if (sums.size() < HistoryTotalsLength || !MatchesTotal(sums.substr(0, 10), totals.A) ||
            !MatchesTotal(sums.substr(10, 10), totals.B) || !MatchesTotal(sums.substr(20, 10), totals.C))
            return std::nullopt;
        return std::vector<std::string_view>(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(i));
    }
    return std::nullopt;
}

bool MakeFolder(const std::string& path) {
    if (mkdir(path.c_str(), 0755) == 0) return true;
    struct stat st {};
    return errno == EEXIST && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

std::string HistoryPlayers(std::span<const std::string> namesFromOwnSeatDown) {
    std::string players;
    for (const std::string& name : namesFromOwnSeatDown) {
        if (!players.empty()) players += '/';
        players += TrimTrailingBlanks(name);
    }
    return players;
}

std::string HistoryFilePath(std::string_view programDir, int number) {
    return JoinPath(
        JoinPath(programDir, HistoryFolder),
        std::string(HistoryBaseName) + "_I" + Digits(static_cast<std::uint64_t>(number), 4) + ".hst");
}

Checksums HistoryLineSums(std::string_view line) {
    return ComputeChecksums(line.substr(0, HistoryDataLength));
}

std::string WithLineSums(std::string data) {
    data = LeftAligned(data, HistoryDataLength);
    const Checksums sums = ComputeChecksums(data);
    return data + Digits(sums.A, 5) + Digits(sums.B, 5) + Digits(sums.C, 5);
}

std::string HistoryRecordLine(const HistoryEntry& entry, std::string_view timeText,
                              std::string_view dateText) {
    // Every number is held to what its field can show, so the line never changes length.
    const double rating =
        std::isfinite(entry.Rating) ? std::clamp(entry.Rating, -999'999.99, 9'999'999.99) : 0;
    std::string data = RightAligned(ToFieldBytes(timeText), 5);
    // A line starting with "$" would read as the end line.
    if (data[0] == '$') data[0] = ' ';
    data += RightAligned(ToFieldBytes(dateText), 10);
    data += LeftAligned(ToFieldBytes(entry.Players), HistoryPlayersLength);
    data += RightAligned(std::to_string(std::clamp<std::int64_t>(entry.Games, 0, 999)), 3);
    data +=
        RightAligned(std::to_string(std::clamp<std::int64_t>(entry.Result, -999'999'999, 9'999'999'999)), 10);
    data += RightAligned(FormatTwoDecimals(rating), 10);
    data += KindLetter(entry.Kind) + std::string(9, '#');
    return WithLineSums(std::move(data));
}

std::string HistoryEndLine() {
    return WithLineSums("$\x88}" + std::string(HistoryDataLength - 3, '#'));
}

std::string HistoryTotalsLine(const Checksums& totals) {
    return Digits(totals.A, 10) + Digits(totals.B, 10) + Digits(totals.C, 10);
}

HistoryCheck CheckHistoryText(std::string_view bytes) {
    const auto records = ValidRecordLines(bytes);
    if (!records) return {};
    return {true, static_cast<int>(records->size())};
}

HistoryFileCheck CheckHistoryFile(std::string_view programDir, int number) {
    HistoryFileCheck check;
    const std::string path = HistoryFilePath(programDir, number);
    const auto bytes = ReadWholeFile(path);
    struct stat st {};
    if (!bytes || stat(path.c_str(), &st) != 0) return check;
    const HistoryCheck text = CheckHistoryText(*bytes);
    check.Valid = text.Valid;
    check.Records = text.Records;
    check.Modified = st.st_mtime;
    return check;
}

std::optional<RecordMessage> WriteHistory(std::string_view programDir, std::span<const HistoryEntry> entries,
                                          std::string_view timeText, std::string_view dateText) {
    const RecordMessage failed{RecordMessageKind::CantSaveHistory, {}};
    if (entries.empty()) return std::nullopt;
    if (entries.size() > 4) entries = entries.first(4);

    // The first file that is not full: appended to when valid, started anew when not.
    std::string path;
    std::vector<std::string> lines;
    for (int number = 1; number <= MaxHistoryFiles && path.empty(); ++number) {
        const std::string candidate = HistoryFilePath(programDir, number);
        const auto bytes = ReadWholeFile(candidate);
        const auto records = bytes ? ValidRecordLines(*bytes) : std::nullopt;
        if (records && records->size() >= static_cast<std::size_t>(HistoryFileCapacity)) continue;
        path = candidate;
        if (records) lines.assign(records->begin(), records->end());
    }
    if (path.empty() || !MakeFolder(JoinPath(programDir, HistoryFolder))) return failed;

    for (const HistoryEntry& entry : entries) lines.push_back(HistoryRecordLine(entry, timeText, dateText));
    lines.push_back(HistoryEndLine());
    // The totals are the sums the check recomputes, whatever sums an older line carries.
    Checksums totals;
    std::string bytes;
    for (const std::string& line : lines) {
        totals += HistoryLineSums(line);
        bytes += line;
        bytes += CrLf;
    }
    bytes += HistoryTotalsLine(totals);
    bytes += CrLf;
    if (!WriteFileAtomically(path, bytes)) return failed;
    return std::nullopt;
}

}  // namespace kesp
