// The club files: five members ranked by rating and a top ten of cycle totals, in "Kesp.clb"
// (games against the computer) and "Kesp.net" (local-network games). A club file is 17 fixed
// lines of code page 1251 text protected by three checksums; the program never creates one, it
// only verifies and rewrites the supplied files. Every operation reads and writes the file whole.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/game_state.h"
#include "records/checksums.h"
#include "records/club_messages.h"

namespace kesp {

inline constexpr std::string_view LocalClubFileName = "Kesp.clb";
inline constexpr std::string_view NetworkClubFileName = "Kesp.net";

inline constexpr int ClubLineCount = 17;
inline constexpr int ClubMemberCount = 5;  // lines 1..5
inline constexpr int TopTenFirstLine = 6;  // lines 6..15
inline constexpr int TopTenCount = 10;
inline constexpr int MarkerLine = 16;
inline constexpr int ControlLine = 17;
inline constexpr std::size_t MemberLineLength = 59;
inline constexpr std::size_t TopTenLineLength = 26;
inline constexpr std::size_t MarkerLineLength = 28;
inline constexpr std::size_t NameLength = 20;
inline constexpr std::size_t PasswordLength = 5;
// Line 16 starts with the game number 36 plus 100 and "}".
inline constexpr std::string_view ClubMarker = "\x88}";
inline constexpr int CycleLength = 25;

// Each password byte is stored as its value plus this offset, in three decimal digits.
inline constexpr int PasswordCodeOffset = 347;

// Ratings are kept in millionths, as the file writes them (six decimals).
inline constexpr std::int64_t RatingUnit = 1'000'000;
inline constexpr std::int64_t RatingLimit = 99'990'000;

// Who is playing (`CurrentMember`): a club member 1..5, or one of these.
namespace member {
inline constexpr std::uint8_t NewPlayer = 6;
inline constexpr std::uint8_t Account = 7;
inline constexpr std::uint8_t Tournament = 8;
}  // namespace member

// One member line.
struct ClubMember {
    std::string Name;         // UTF-8; written padded with blanks or cut to 20 characters
    std::int64_t Rating = 0;  // millionths
    std::int64_t Games = 0;
    std::int64_t Total = 0;    // the running total of the current cycle
    std::string PasswordCode;  // 15 digits, see EncodePassword

    friend bool operator==(const ClubMember&, const ClubMember&) = default;
};

// The password padded with blanks (or cut) to 5 characters, each byte written as its value plus
// PasswordCodeOffset in three digits.
std::string EncodePassword(std::string_view utf8Password);
// The 5 characters of a code (UTF-8, padding included); nothing when the code is malformed.
std::optional<std::string> DecodePassword(std::string_view code);
// The login check: the typed password, padded the same way, against the stored code.
bool PasswordMatches(std::string_view typedPassword, std::string_view code);

// The 59 bytes of a member line. Numbers that would not fit their field are held at its limit,
// so the line never changes length.
std::string FormatMemberLine(const ClubMember& m);
// Reads a member line; fields that do not parse read as 0.
ClubMember ParseMemberLine(std::string_view line);
// The empty slot: 37 "#", a blank and 21 "#".
std::string EmptySlotLine();
bool IsEmptySlot(std::string_view line);  // character 37 is "#"
// The 26 bytes of a top-ten line.
std::string FormatTopTenLine(std::string_view utf8Name, std::int64_t score);

// The mean result over all games of the player divided by 20, after game `gameNo` with the
// settled result `result`: rounded to six decimals (halves to even) and held to -99.99..99.99.
std::int64_t UpdateRating(std::int64_t oldRating, std::int64_t gameNo, std::int64_t result);

// The lines of a club file, code page 1251 bytes without line ends.
struct ClubFile {
    Slots<std::string, 1, ClubLineCount> Line;
};

// The lines when the file has the right shape (17 lines of 59 x 5, 26 x 10, 28, 28).
std::optional<ClubFile> ParseClubShape(std::string_view bytes);
// The sums over lines 1..16 joined without line ends.
Checksums ClubChecksums(const ClubFile& club);
// The stored checksums match and line 16 starts with the marker.
bool IsSoundClub(const ClubFile& club);
// The file's bytes with the checksums of line 17 recomputed (characters 1..10 kept).
std::string ClubFileBytes(const ClubFile& club);

// Member k (1..5) leaves: the members below move up and line 5 becomes an empty slot. Any other
// k changes nothing.
void RemoveMember(ClubFile& club, int k);

struct TopTenPlace {
    int Place = 0;  // 1..10, or 0 when the cycle total did not enter the top ten
    std::int64_t Score = 0;
};

// The record enters the club, ranked by rating (ties to the newcomer); the fifth member leaves
// to make room. When the cycle is complete its total first enters the top ten (ties to the
// newcomer again) and the record's total starts again from 0.
TopTenPlace StoreMember(ClubFile& club, ClubMember record, bool cycleComplete);

// ---- The files ----

std::string ClubFilePath(std::string_view programDir, bool networkMode);

// Read-only (the user may not write the file, or it has no write permission at all) or hidden
// (the name begins with '.'); there is no system attribute.
bool HasRestrictedAttributes(const std::string& path);

struct ClubCheckResult {
    bool Ok = false;                      // false: the program closes
    bool RussianInterface = false;        // line 17 of "Kesp.clb" starts with "1"
    std::string Tag;                      // characters 7..9 of line 17 of the file checked last
    bool ClubWritable = true;             // the mark of the file checked last
    std::vector<RecordMessage> Messages;  // to show in this order

    // The start-up statistics post is made unless the tag is "idd".
    bool StartReportAllowed() const { return Tag != "idd"; }
};

// The start-up check of "Kesp.clb" and then "Kesp.net" in `programDir`.
ClubCheckResult CheckClubFiles(std::string_view programDir);

// A sound club file, or the message that says why there is none.
struct LoadedClub {
    std::optional<ClubFile> File;
    std::optional<RecordMessage> Message;
};
LoadedClub LoadClubFile(const std::string& path);

// Writes the club (nothing when the club is not writable). A read-only file or a failed write
// gives "Error of disk writing!" and leaves the old file whole.
std::optional<RecordMessage> SaveClubFile(const std::string& path, const ClubFile& club, bool clubWritable);

// Member k (1..5) of the file; nothing for an empty slot or a missing or damaged file.
std::optional<ClubMember> ReadMember(const std::string& path, int k);

// The file-level steps: read the file, change it, write it back. A damaged file is left as it is.
std::optional<RecordMessage> RemoveMember(const std::string& path, int k, bool clubWritable);

struct StoreResult {
    TopTenPlace Place;
    std::optional<RecordMessage> Message;
};
StoreResult StoreMember(const std::string& path, const ClubMember& record, bool cycleComplete,
                        bool clubWritable);

}  // namespace kesp
