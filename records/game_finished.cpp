#include "records/game_finished.h"

#include <cmath>

#include "records/club_text.h"

namespace kesp {
namespace {

bool IsClubPlayer(std::uint8_t m) {
    return m >= 1 && m <= member::NewPlayer;
}

std::int64_t ToMillionths(double rating) {
    if (!std::isfinite(rating)) return 0;
    return std::llround(std::fmax(-1e12, std::fmin(1e12, rating)) * static_cast<double>(RatingUnit));
}

HistoryKind KindOf(const FinishedGame& game) {
    if (game.CurrentMember == member::Account) return HistoryKind::Account;
    if (game.CurrentMember == member::Tournament) return HistoryKind::Tournament;
    return game.NetworkMode ? HistoryKind::Network : HistoryKind::Local;
}

}  // namespace

GameFinishedOutcome GameFinished(std::string_view programDir, bool clubWritable, const GameState& gs,
                                 const FinishedGame& game, std::string_view timeText,
                                 std::string_view dateText) {
    GameFinishedOutcome outcome;
    const bool clubPlayer = IsClubPlayer(game.CurrentMember);
    const bool tournament = game.CurrentMember == member::Tournament;

    // The new rating and the record.
    double historyRating = game.TournamentRating;
    if (!tournament) {
        ClubMember record = game.StartRecord;
        if (clubPlayer) {
            record.Rating = UpdateRating(game.StartRecord.Rating, gs.GameNo, game.Result);
            historyRating = static_cast<double>(record.Rating) / static_cast<double>(RatingUnit);
        } else {
            record.Rating = ToMillionths(game.AccountRating);
            historyRating = game.AccountRating;
        }
        record.Games = gs.GameNo;
        record.Total = gs.ProvisionalTotal;
        outcome.Record = record;
    }

    // The history.
    HistoryEntry entry;
    entry.Players =
        game.Players.empty() ? std::string(TrimTrailingBlanks(game.StartRecord.Name)) : game.Players;
    entry.Games = 1;
    entry.Result = tournament ? game.TournamentResult : game.Result;
    entry.Rating = historyRating;
    entry.Kind = KindOf(game);
    if (auto message = WriteHistory(programDir, std::span(&entry, 1), timeText, dateText))
        outcome.Messages.push_back(*message);

    const bool cycleEnd = gs.GameNo > 0 && gs.GameNo % CycleLength == 0;
    if (!cycleEnd && game.Result > 0) outcome.Sound = "WKoGood";
    if (!cycleEnd && game.Result < 0) outcome.Sound = "WKoBads";

    // The club: the player leaves his line and comes back in by his new rating.
    if (clubPlayer) {
        outcome.CycleComplete = cycleEnd;
        const std::string path = ClubFilePath(programDir, game.NetworkMode);
        LoadedClub club = LoadClubFile(path);
        if (club.File) {
            RemoveMember(*club.File, game.CurrentMember);
            outcome.Place = StoreMember(*club.File, *outcome.Record, outcome.CycleComplete);
            club.Message = SaveClubFile(path, *club.File, clubWritable);
        }
        if (club.Message) outcome.Messages.push_back(*club.Message);
    }
    return outcome;
}

}  // namespace kesp
