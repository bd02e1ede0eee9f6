// What the windows show of a club file: the main menu's club list (header, five member rows and
// the best three of the top ten), the top-ten window's places and the end-of-game window's texts.
// All texts are UTF-8; the windows only draw them.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "records/club.h"

namespace kesp {

// `ClubView` 1 shows games in the cycle and totals, 2 all games and ratings.
inline constexpr int ClubViewScore = 1;
inline constexpr int ClubViewRating = 2;

// The header panel ("Mode" list entry of the view).
std::string_view ClubListHeader(int clubView);

// A row of the list: the 20 characters of the name and what follows it (code page 1251 bytes,
// so that a character is a byte when the name is shortened).
struct ClubRow {
    std::string Name;
    std::string Rest;

    std::string Text() const;  // UTF-8
};

// Member line (1..5) of the club as a row of the view; an empty slot shows its "#" characters.
ClubRow MemberRow(std::string_view memberLine, int clubView);
// Top-ten line as a row of a panel: name, 2 blanks, score.
ClubRow TopTenPanelRow(std::string_view topTenLine);

// The row as drawn in a place of limited width: while it does not fit, characters are taken from
// the end of the name (never fewer than 4 left); when any of them was neither a blank nor "#",
// the last three remaining characters of the name become "...".
std::string FittedRow(const ClubRow& row, const std::function<bool(std::string_view utf8)>& fits);

struct ClubListTexts {
    std::string Header;
    std::array<ClubRow, ClubMemberCount> Members;
    std::array<ClubRow, 3> TopTen;
};
ClubListTexts ClubList(const ClubFile& club, int clubView);

// The top-ten window.
std::string_view TopTenTitle(bool networkMode);
struct TopTenRow {
    int Place;
    std::string Name;  // UTF-8, blanks trimmed
    std::string Score;
};
std::array<TopTenRow, TopTenCount> TopTenRows(const ClubFile& club);

// The end-of-game window for the place p (0..10) and score s of a completed cycle.
enum class EndOfGameColour { Purple, DarkRed, Navy, Green };
struct EndOfGameLine {
    std::string Text;
    int Height;  // font height in pixels
    EndOfGameColour Colour;
};
struct EndOfGameView {
    std::string_view Sound;
    std::string_view Animation;
    bool AnimationLoops;
    int StillFrame;                   // the frame shown when animations are off
    std::optional<int> PlacePicture;  // "GPlace01".."GPlace10" over "GMedal"
    std::array<EndOfGameLine, 4> Lines;
};
EndOfGameView EndOfGame(int place, std::int64_t score, bool networkMode);

}  // namespace kesp
