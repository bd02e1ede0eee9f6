// The arithmetic of the rated game and of the numbers the menu shows from the service: the rating
// kept as an average plus a bonus for the number of games, the cycles of 25 games, the menu
// counter's short numbers and the account's line in the club list. Free of Qt.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "network/online_records.h"

namespace kesp {

// A rated game is booked as this loss before it starts, so leaving it costs the player.
inline constexpr int kPreBookedLoss = 500;
// Divisor of the games bonus and length of a cycle.
inline constexpr int kRatingCycle = 25;

// The record to save before a rated game starts: one more game, booked as a loss of 500, with
// the cycle's count and score sent as 0 (the game keeps the record as read).
TZunGame PreBookedRecord(const TZunGame& read);

// The record after a rated game with the result `result` and the running total `total`, from the
// record read back (which holds the pre-booking). `cycleEnded` tells that the 25th game of a cycle
// was played.
struct FinishedRecord {
    TZunGame Record;
    bool CycleEnded = false;
};
FinishedRecord RecordAfterGame(const TZunGame& read, std::int64_t result, std::int64_t total);

// To the nearest integer, a half going to the even neighbour.
std::int64_t RoundRatingHalfEven(double value);

// The menu counter's kind for a minute of the local time: 1..5 or 7 (remainder 5 shows 7 too).
int CounterKind(int minute);

// The counter's number: the digits (a leading '-' for negatives) and the suffix letter ('K', 'M',
// 'G' or none). Above 999 the quotient is cut to thousands, millions or billions. The counter has
// room for six characters, so a number that would be longer is cut the same way by its magnitude.
struct CounterNumber {
    std::string Digits;
    char Suffix = 0;
};
CounterNumber ShortCounterNumber(std::int64_t value, bool cutAboveThousand);

// The share of losses of the people in percent, 0 when there were no games.
std::int64_t IqPercent(std::int64_t wins, std::int64_t losses);

// The account's row of the club list: the nick padded to 20, then in club view 1 the games and score
// of the cycle, in view 2 the games and the rounded rating.
std::string AccountClubLine(std::string_view nick, const TZunGame& game, int clubView);

}  // namespace kesp
