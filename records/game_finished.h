// The records' part of the end of a game, run when the user leaves a settled game: the player's
// new rating and record, the history line, the sound, and the club update
// with the top ten at the end of a cycle of 25 games. The window does the rest (taking the table
// off, the end-of-game and world top-ten windows, the menu) from what this returns.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/game_state.h"
#include "records/club.h"
#include "records/club_messages.h"
#include "records/history.h"

namespace kesp {

struct FinishedGame {
    std::uint8_t CurrentMember = member::NewPlayer;  // 1..5 club member, 6 new, 7 account, 8 tournament
    bool NetworkMode = false;
    std::int64_t Result = 0;  // R: the settled result of the own seat
    // The player's record as read when the game started (name, rating and password code); for a
    // new player the typed name, rating 0 and the code of the typed password.
    ClubMember StartRecord;
    // The history's players for a local-network or tournament game (HistoryPlayers); empty for
    // the player's own name.
    std::string Players;
    double AccountRating = 0;           // rated online game: the account's rating after the game
    std::int64_t TournamentResult = 0;  // tournament: the change of the tournament score
    double TournamentRating = 0;
};

struct GameFinishedOutcome {
    std::optional<ClubMember> Record;  // the record of the game (none in a tournament)
    bool CycleComplete = false;        // the end-of-game window is due
    TopTenPlace Place;                 // the cycle's place and score in the club's top ten
    std::string_view Sound;            // "WKoGood", "WKoBads" or nothing
    std::vector<RecordMessage> Messages;
};

// `gs` gives `GameNo` and `ProvisionalTotal`; the time ("hh:nn") and the short date are the
// texts for the history line. Club changes are written only when `clubWritable`; the club file
// is read, changed and written once, so a failed write leaves it as it was.
GameFinishedOutcome GameFinished(std::string_view programDir, bool clubWritable, const GameState& gs,
                                 const FinishedGame& game, std::string_view timeText,
                                 std::string_view dateText);

}  // namespace kesp
