#include "tools/sim/self_play.h"

#include <chrono>
#include <ostream>
#include <random>

#include "tools/sim/step.h"

namespace kesp::sim {

PlaySummary PlayGames(const PlayOptions& options) {
    PlaySummary summary;
    Game game;
    SetUpComputerTable(game, options.initialScore);
    game.SeedShuffle(options.seed ? *options.seed : std::random_device{}());
    GameState& gs = game.State();

    const auto start = std::chrono::steady_clock::now();
    for (long long g = 1; g <= options.games; ++g) {
        gs.GameNo = static_cast<std::int32_t>((g - 1) % 1000000 + 1);
        gs.RunningTotal = 0;
        game.StartDeal(true);
        bool fourAces = false;
        while (gs.Phase != phase::GameSettled) {
            // Each deal in one go; the buttons between deals ("Next Round", the settlement) as steps.
            const Game::HeadlessDeal deal = game.PlayHeadlessDeal();
            if (deal == Game::HeadlessDeal::FourAces) fourAces = true;
            if (deal == Game::HeadlessDeal::NotPlayed && !Step(game)) break;
        }
        ++summary.games;
        summary.deals += gs.DealNo;
        summary.fourAcesEndings += fourAces ? 1 : 0;
        const long long sum = static_cast<long long>(gs.Score[1]) + gs.Score[2] + gs.Score[3] + gs.Score[4];
        summary.zeroSumSettlements += gs.Settled && sum == 0 ? 1 : 0;
    }
    summary.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return summary;
}

void PrintSummary(std::ostream& out, const PlaySummary& s) {
    out << "games: " << s.games << "\n";
    out << "deals: " << s.deals << "\n";
    out << "mean deals per game: " << (s.games ? static_cast<double>(s.deals) / s.games : 0.0) << "\n";
    out << "four-aces endings: " << s.fourAcesEndings << "\n";
    out << "settlements summing to zero: " << s.zeroSumSettlements << " of " << s.games << "\n";
    out << "seconds: " << s.seconds << "\n";
    out << "deals per second: " << static_cast<long long>(s.seconds > 0 ? s.deals / s.seconds : 0) << "\n";
}

}  // namespace kesp::sim
