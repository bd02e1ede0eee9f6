#include "network/account_rating.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "network/field_checks.h"

namespace kesp {
namespace {

std::string RightAligned(std::int64_t value, std::size_t width) {
    std::string text = std::to_string(value);
    if (text.size() < width) text.insert(0, width - text.size(), ' ');
    return text;
}

}  // namespace

TZunGame PreBookedRecord(const TZunGame& read) {
    TZunGame booked = read;
    const double n = read.Kon;
    booked.Kon = read.Kon + 1;
    booked.Rating =
        (n * (read.Rating - n / kRatingCycle) - kPreBookedLoss) / (n + 1) + (n + 1) / kRatingCycle;
    booked.KonL = 0;
    booked.Score = 0;
    return booked;
}

FinishedRecord RecordAfterGame(const TZunGame& read, std::int64_t result, std::int64_t total) {
    FinishedRecord finished{read, false};
    TZunGame& game = finished.Record;
    // A record that never got its pre-booking counts this game as its first.
    const double a = std::max(read.Kon, 1);
    game.Kon = static_cast<int>(a);
    game.Rating = (kPreBookedLoss + a * (read.Rating - a / kRatingCycle) + static_cast<double>(result)) / a +
                  a / kRatingCycle;
    if (read.KonL + 1 > kRatingCycle - 1) {
        if (total > game.Best) game.Best = static_cast<int>(total);
        game.Sessions = read.Sessions + 1;
        game.KonL = 0;
        game.Score = 0;
        finished.CycleEnded = true;
    } else {
        game.KonL = read.KonL + 1;
        game.Score = static_cast<int>(total);
    }
    return finished;
}

std::int64_t RoundRatingHalfEven(double value) {
    if (!std::isfinite(value)) return 0;
    const double floor = std::floor(value);
    const double rest = value - floor;
    auto whole = static_cast<std::int64_t>(floor);
    if (rest > 0.5 || (rest == 0.5 && whole % 2 != 0)) ++whole;
    return whole;
}

int CounterKind(int minute) {
    const int remainder = ((minute % 7) + 7) % 7;
    return remainder == 5 ? 7 : remainder + 1;
}

CounterNumber ShortCounterNumber(std::int64_t value, bool cutAboveThousand) {
    constexpr std::int64_t kSteps[] = {1'000'000'000, 1'000'000, 1'000};
    constexpr char kSuffixes[] = {'G', 'M', 'K'};
    CounterNumber number{std::to_string(value), 0};
    if (!cutAboveThousand && number.Digits.size() <= 6) return number;
    const std::int64_t magnitude = value < 0 ? -value : value;
    for (int i = 0; i < 3; ++i) {
        if (magnitude > kSteps[i] - 1) {
            number.Digits = std::to_string(value / kSteps[i]);  // the quotient is cut
            number.Suffix = kSuffixes[i];
            break;
        }
    }
    return number;
}

std::int64_t IqPercent(std::int64_t wins, std::int64_t losses) {
    if (losses < 0 || wins < 0) return 0;
    // In wide integers, so that a half is recognised exactly and no count from the service overflows.
    const __int128 sum = static_cast<__int128>(wins) + losses;
    if (sum == 0) return 0;
    const __int128 scaled = static_cast<__int128>(100) * losses;
    __int128 percent = scaled / sum;
    const __int128 twiceRest = 2 * (scaled % sum);
    if (twiceRest > sum || (twiceRest == sum && percent % 2 != 0)) ++percent;
    return static_cast<std::int64_t>(percent);
}

std::string AccountClubLine(std::string_view nick, const TZunGame& game, int clubView) {
    std::string line(nick);
    const std::size_t characters = CharacterCount(nick);
    if (characters < 20) line.append(20 - characters, ' ');
    if (clubView == 2)
        return line + "  " + RightAligned(game.Kon, 7) + "  " +
               RightAligned(RoundRatingHalfEven(game.Rating), 6);
    return line + "    " + RightAligned(game.KonL, 3) + "    " + RightAligned(game.Score, 6);
}

}  // namespace kesp
