#include "tools/sim/season.h"

#include <cstdio>
#include <ctime>
#include <iomanip>
#include <ostream>
#include <random>

#include "records/club.h"
#include "records/club_text.h"
#include "records/game_finished.h"
#include "records/program_folder_lock.h"
#include "tools/sim/step.h"

namespace kesp::sim {
namespace {

std::string ProgramDir(std::string dir) {
    if (dir.empty() || dir.back() != '/') dir += '/';
    return dir;
}

// The time ("hh:nn") and the short date of the history line.
std::pair<std::string, std::string> Now() {
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    char time[8], date[16];
    std::strftime(time, sizeof time, "%H:%M", &local);
    std::strftime(date, sizeof date, "%d.%m.%Y", &local);
    return {time, date};
}

// Records the game when the settled table is left, as the window does.
class Recorder : public TableEvents {
  public:
    Recorder(std::string programDir, bool clubWritable)
        : dir_(std::move(programDir)), writable_(clubWritable) {}
    FinishedGame game;
    const GameState* state = nullptr;
    std::optional<GameFinishedOutcome> outcome;

    void LeaveTable(LeaveReason reason) override {
        if (reason != LeaveReason::Finished) return;
        game.Result = state->Score[4];
        const auto [time, date] = Now();
        outcome = GameFinished(dir_, writable_, *state, game, time, date);
    }

  private:
    std::string dir_;
    bool writable_;
};

}  // namespace

int Season(const SeasonOptions& options, std::ostream& out, std::ostream& err) {
    const std::string dir = ProgramDir(options.dir);
    // Held to the end, like the game's window holds its folder.
    const ProgramFolderLock folderLock = ClaimProgramFolder(dir);
    const ClubCheckResult check = CheckClubFiles(dir);
    for (const RecordMessage& m : check.Messages) err << "kesp-sim: " << MessageText(m) << "\n";
    if (!check.Ok) return 2;

    Recorder recorder(dir, check.ClubWritable);
    Game game(recorder);
    SetUpComputerTable(game, options.initialScore);
    game.SeedShuffle(options.seed ? *options.seed : std::random_device{}());
    GameState& gs = game.State();
    recorder.state = &gs;
    const std::string clubPath = ClubFilePath(dir, false);

    for (long long g = 1; g <= options.games; ++g) {
        // As a club member when the club knows the name, otherwise as a new player.
        FinishedGame& finished = recorder.game;
        finished = FinishedGame{};
        finished.CurrentMember = member::NewPlayer;
        finished.StartRecord = {options.name, 0, 0, 0, EncodePassword(options.password)};
        for (int k = 1; k <= ClubMemberCount; ++k) {
            const auto record = ReadMember(clubPath, k);
            if (!record || TrimBlanks(record->Name) != TrimBlanks(options.name)) continue;
            if (!PasswordMatches(options.password, record->PasswordCode)) {
                err << "kesp-sim: wrong password for " << options.name << "\n";
                return 2;
            }
            finished.CurrentMember = static_cast<std::uint8_t>(k);
            finished.StartRecord = *record;
            break;
        }
        gs.GameNo = static_cast<std::int32_t>(finished.StartRecord.Games + 1);
        gs.RunningTotal = static_cast<std::int32_t>(finished.StartRecord.Total);

        recorder.outcome.reset();
        game.StartDeal(true);
        while (gs.DealRunning)
            if (!Step(game)) {
                err << "kesp-sim: the game stopped in phase " << int(gs.Phase) << "\n";
                return 1;
            }
        if (!recorder.outcome) return 1;
        for (const RecordMessage& m : recorder.outcome->Messages)
            err << "kesp-sim: " << MessageText(m) << "\n";

        const GameFinishedOutcome& o = *recorder.outcome;
        out << "game " << gs.GameNo << " result " << gs.Score[4];
        if (o.Record) {
            char rating[32];
            std::snprintf(rating, sizeof rating, "%.6f", static_cast<double>(o.Record->Rating) / RatingUnit);
            out << " rating " << rating << " total " << o.Record->Total;
        }
        out << " place ";
        if (o.CycleComplete)
            out << o.Place.Place;
        else
            out << "-";
        out << "\n";
    }
    return 0;
}

}  // namespace kesp::sim
