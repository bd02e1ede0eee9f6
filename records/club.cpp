#include "records/club.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "records/atomic_file.h"
#include "records/club_text.h"
#include "records/cp1251.h"

namespace kesp {
namespace {

std::string SixDigits(std::uint64_t value) {
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "%06llu", static_cast<unsigned long long>(value % 1'000'000));
    return buffer;
}

// Positions are 1-based, as the file layout counts them.
std::string_view Field(std::string_view line, std::size_t first, std::size_t last) {
    if (first > line.size()) return {};
    return line.substr(first - 1, last - first + 1);
}

std::int64_t Clamp(std::int64_t v, std::int64_t lo, std::int64_t hi) {
    return std::min(std::max(v, lo), hi);
}

std::size_t ExpectedLength(int line) {
    if (line <= ClubMemberCount) return MemberLineLength;
    if (line < MarkerLine) return TopTenLineLength;
    return MarkerLineLength;
}

std::optional<std::int64_t> TopTenScore(std::string_view line) {
    return ParseInteger(Field(line, 21, 26));
}

}  // namespace

std::string EncodePassword(std::string_view utf8Password) {
    const std::string bytes = LeftAligned(ToFieldBytes(utf8Password), PasswordLength);
    std::string code;
    for (char c : bytes) {
        char group[8];
        std::snprintf(group, sizeof group, "%03d", static_cast<unsigned char>(c) + PasswordCodeOffset);
        code += group;
    }
    return code;
}

std::optional<std::string> DecodePassword(std::string_view code) {
    if (code.size() != 3 * PasswordLength) return std::nullopt;
    std::string bytes;
    for (std::size_t i = 0; i < code.size(); i += 3) {
        const auto value = ParseInteger(code.substr(i, 3));
        if (!value || code[i] < '0' || code[i] > '9') return std::nullopt;
        const std::int64_t byte = *value - PasswordCodeOffset;
        if (byte < 0 || byte > 255) return std::nullopt;
        bytes += static_cast<char>(byte);
    }
    return Cp1251ToUtf8(bytes);
}

bool PasswordMatches(std::string_view typedPassword, std::string_view code) {
    return DecodePassword(code).has_value() && EncodePassword(typedPassword) == code;
}

std::string FormatMemberLine(const ClubMember& m) {
    std::string line = LeftAligned(ToFieldBytes(m.Name), NameLength);
    line += RightAligned(FormatScaled(Clamp(m.Rating, -RatingLimit, RatingLimit), 6), 10);
    line += RightAligned(std::to_string(Clamp(m.Games, 0, 9'999'999)), 7);
    line += ' ';
    line += RightAligned(std::to_string(Clamp(m.Total, -99'999, 999'999)), 6);
    line += LeftAligned(m.PasswordCode, 3 * PasswordLength);
    return line;
}

ClubMember ParseMemberLine(std::string_view line) {
    ClubMember m;
    m.Name = Cp1251ToUtf8(Field(line, 1, 20));
    m.Rating = ParseScaled(Field(line, 21, 30), 6).value_or(0);
    m.Games = ParseInteger(Field(line, 31, 37)).value_or(0);
    m.Total = ParseInteger(Field(line, 39, 44)).value_or(0);
    m.PasswordCode = std::string(Field(line, 45, 59));
    return m;
}

std::string EmptySlotLine() {
    return std::string(37, '#') + ' ' + std::string(21, '#');
}

bool IsEmptySlot(std::string_view line) {
    return line.size() >= 37 && line[36] == '#';
}

std::string FormatTopTenLine(std::string_view utf8Name, std::int64_t score) {
    return LeftAligned(ToFieldBytes(utf8Name), NameLength) +
           RightAligned(std::to_string(Clamp(score, -99'999, 999'999)), 6);
}

std::int64_t UpdateRating(std::int64_t oldRating, std::int64_t gameNo, std::int64_t result) {
    // In millionths the new rating is exactly numerator / gameNo, so the rounding is exact too.
    gameNo = Clamp(gameNo, 1, 99'999'999);
    oldRating = Clamp(oldRating, -RatingLimit, RatingLimit);
    result = Clamp(result, -1'000'000'000, 1'000'000'000);
    const std::int64_t numerator = (gameNo - 1) * oldRating + result * (RatingUnit / 20);
    const std::int64_t magnitude = numerator < 0 ? -numerator : numerator;
    std::int64_t quotient = magnitude / gameNo;
    const std::int64_t twiceRest = 2 * (magnitude % gameNo);
    if (twiceRest > gameNo || (twiceRest == gameNo && quotient % 2 == 1)) ++quotient;
    return Clamp(numerator < 0 ? -quotient : quotient, -RatingLimit, RatingLimit);
}

std::optional<ClubFile> ParseClubShape(std::string_view bytes) {
    const auto lines = SplitLines(bytes);
    if (lines.size() != static_cast<std::size_t>(ClubLineCount)) return std::nullopt;
    ClubFile club;
    for (int i = 1; i <= ClubLineCount; ++i) {
        const auto line = lines[static_cast<std::size_t>(i - 1)];
        if (line.size() != ExpectedLength(i)) return std::nullopt;
        club.Line[i] = std::string(line);
    }
    return club;
}

Checksums ClubChecksums(const ClubFile& club) {
    std::string joined;
    for (int i = 1; i < ControlLine; ++i) joined += club.Line[i];
    return ComputeChecksums(joined);
}

bool IsSoundClub(const ClubFile& club) {
    const std::string& control = club.Line[ControlLine];
    if (control.size() != MarkerLineLength || !club.Line[MarkerLine].starts_with(ClubMarker)) return false;
    const auto a = ParseInteger(Field(control, 11, 16));
    const auto b = ParseInteger(Field(control, 17, 22));
    const auto c = ParseInteger(Field(control, 23, 28));
    const Checksums sums = ClubChecksums(club);
    return a && b && c && static_cast<std::uint64_t>(*a) == sums.A &&
           static_cast<std::uint64_t>(*b) == sums.B && static_cast<std::uint64_t>(*c) == sums.C;
}

std::string ClubFileBytes(const ClubFile& club) {
    const Checksums sums = ClubChecksums(club);
    std::string bytes;
    for (int i = 1; i < ControlLine; ++i) {
        bytes += club.Line[i];
        bytes += CrLf;
    }
    bytes +=
        LeftAligned(club.Line[ControlLine], 10) + SixDigits(sums.A) + SixDigits(sums.B) + SixDigits(sums.C);
    bytes += CrLf;
    return bytes;
}

void RemoveMember(ClubFile& club, int k) {
    if (k < 1 || k > ClubMemberCount) return;
    for (int i = k; i < ClubMemberCount; ++i) club.Line[i] = club.Line[i + 1];
    club.Line[ClubMemberCount] = EmptySlotLine();
}

TopTenPlace StoreMember(ClubFile& club, ClubMember record, bool cycleComplete) {
    TopTenPlace place;
    if (cycleComplete) {
        // The record's line is what the club keeps, so the score is the total as written there.
        place.Score = ParseMemberLine(FormatMemberLine(record)).Total;
        for (int i = TopTenFirstLine; i < TopTenFirstLine + TopTenCount; ++i) {
            // A score that does not read as a number ranks below every result.
            const auto score = TopTenScore(club.Line[i]);
            if (score && *score > place.Score) continue;
            for (int j = TopTenFirstLine + TopTenCount - 1; j > i; --j) club.Line[j] = club.Line[j - 1];
            club.Line[i] = FormatTopTenLine(record.Name, place.Score);
            place.Place = i - TopTenFirstLine + 1;
            break;
        }
        record.Total = 0;
    }

    const std::string line = FormatMemberLine(record);
    const std::int64_t rating = ParseMemberLine(line).Rating;
    club.Line[ClubMemberCount] = EmptySlotLine();
    for (int i = 1; i <= ClubMemberCount; ++i) {
        if (!IsEmptySlot(club.Line[i]) && ParseMemberLine(club.Line[i]).Rating > rating) continue;
        for (int j = ClubMemberCount; j > i; --j) club.Line[j] = club.Line[j - 1];
        club.Line[i] = line;
        break;
    }
    return place;
}

std::string ClubFilePath(std::string_view programDir, bool networkMode) {
    return JoinPath(programDir, networkMode ? NetworkClubFileName : LocalClubFileName);
}

namespace {

bool IsHiddenName(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const std::string_view name = std::string_view(path).substr(slash == std::string::npos ? 0 : slash + 1);
    return name.starts_with('.');
}

bool IsReadOnly(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) return false;
    return (st.st_mode & 0222) == 0 || access(path.c_str(), W_OK) != 0;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0;
}

}  // namespace

bool HasRestrictedAttributes(const std::string& path) {
    return IsHiddenName(path) || IsReadOnly(path);
}

ClubCheckResult CheckClubFiles(std::string_view programDir) {
    ClubCheckResult result;
    for (const bool network : {false, true}) {
        const std::string path = ClubFilePath(programDir, network);
        const auto bytes = ReadWholeFile(path);
        if (!FileExists(path)) {
            result.Messages.push_back({RecordMessageKind::CantFindFile, path});
            return result;
        }
        const auto club = bytes ? ParseClubShape(*bytes) : std::nullopt;
        if (!network && club && club->Line[ControlLine].starts_with('1')) result.RussianInterface = true;
        if (!club || !IsSoundClub(*club)) {
            result.Messages.push_back({RecordMessageKind::IncorrectFile, path});
            return result;
        }
        result.Tag = std::string(Field(club->Line[ControlLine], 7, 9));
        result.ClubWritable = !HasRestrictedAttributes(path);
        if (!result.ClubWritable) result.Messages.push_back({RecordMessageKind::IncorrectAttributes, path});
    }
    result.Ok = true;
    return result;
}

LoadedClub LoadClubFile(const std::string& path) {
    LoadedClub loaded;
    const auto bytes = ReadWholeFile(path);
    if (!FileExists(path)) {
        loaded.Message = RecordMessage{RecordMessageKind::CantFindFile, path};
        return loaded;
    }
    auto club = bytes ? ParseClubShape(*bytes) : std::nullopt;
    if (!club || !IsSoundClub(*club)) {
        loaded.Message = RecordMessage{RecordMessageKind::IncorrectFile, path};
        return loaded;
    }
    loaded.File = std::move(club);
    return loaded;
}

std::optional<RecordMessage> SaveClubFile(const std::string& path, const ClubFile& club, bool clubWritable) {
    if (!clubWritable) return std::nullopt;
    // Replacing the file by renaming would get round its permissions, so a file the user may not
    // write is refused here.
    if (IsReadOnly(path) || !WriteFileAtomically(path, ClubFileBytes(club)))
        return RecordMessage{RecordMessageKind::DiskWriting, path};
    return std::nullopt;
}

std::optional<ClubMember> ReadMember(const std::string& path, int k) {
    if (k < 1 || k > ClubMemberCount) return std::nullopt;
    const LoadedClub loaded = LoadClubFile(path);
    if (!loaded.File || IsEmptySlot(loaded.File->Line[k])) return std::nullopt;
    return ParseMemberLine(loaded.File->Line[k]);
}

std::optional<RecordMessage> RemoveMember(const std::string& path, int k, bool clubWritable) {
    if (k < 1 || k > ClubMemberCount) return std::nullopt;
    LoadedClub loaded = LoadClubFile(path);
    if (!loaded.File) return loaded.Message;
    RemoveMember(*loaded.File, k);
    return SaveClubFile(path, *loaded.File, clubWritable);
}

StoreResult StoreMember(const std::string& path, const ClubMember& record, bool cycleComplete,
                        bool clubWritable) {
    StoreResult result;
    LoadedClub loaded = LoadClubFile(path);
    if (!loaded.File) {
        result.Message = loaded.Message;
        return result;
    }
    result.Place = StoreMember(*loaded.File, record, cycleComplete);
    result.Message = SaveClubFile(path, *loaded.File, clubWritable);
    return result;
}

}  // namespace kesp
