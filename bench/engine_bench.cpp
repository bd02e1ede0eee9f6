// Engine speed: whole computer-only deals, and single computer moves.
//   build/bench/engine_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include "engine/computer_player.h"
#include "engine/game.h"

namespace kesp {
namespace {

void MoveOn(Game& game) {
    if (game.View().action.enabled)
        game.ActionButton();
    else
        game.GameTick();
}

// Plays the deals of computer-only games with a fixed seed, starting and settling games as they
// end; `playDeal` takes a deal from "To Begin" to its scoring.
template <typename PlayDeal>
void PlayComputerDeals(benchmark::State& state, PlayDeal playDeal) {
    Game game;
    game.Setup().AllComputer = true;
    game.Setup().FlyCards = false;
    game.SeedShuffle(12345);
    game.StartDeal(true);
    const GameState& gs = game.State();
    std::int64_t deals = 0;
    for (auto _ : state) {
        if (gs.Phase == phase::GameSettled) game.StartDeal(true);
        if (gs.Phase == phase::DealScored || gs.Phase == phase::GameOverPhase) {
            game.ActionButton();  // "Next Round", or the settlement
            continue;
        }
        playDeal(game);
        ++deals;
    }
    state.counters["deals/s"] = benchmark::Counter(static_cast<double>(deals), benchmark::Counter::kIsRate);
}

// Deals played step by step, as the window plays them.
void BM_ComputerDeal(benchmark::State& state) {
    PlayComputerDeals(state, [](Game& game) {
        const GameState& gs = game.State();
        while (gs.Phase != phase::DealScored && gs.Phase != phase::GameOverPhase) MoveOn(game);
    });
}
BENCHMARK(BM_ComputerDeal);

// The same deals played headless, each in one go, as kesp-sim play plays them.
void BM_HeadlessDeal(benchmark::State& state) {
    PlayComputerDeals(state, [](Game& game) { benchmark::DoNotOptimize(game.PlayHeadlessDeal()); });
}
BENCHMARK(BM_HeadlessDeal);

// Positions in the middle of tricks, collected from real deals; each iteration makes one move.
std::vector<GameState> CollectPositions(bool leads) {
    std::vector<GameState> positions;
    Game game;
    game.Setup().AllComputer = true;
    game.Setup().FlyCards = false;
    game.SeedShuffle(99);
    GameState& gs = game.State();
    game.StartDeal(true);
    while (positions.size() < 4096) {
        if (gs.Phase == phase::GameSettled) game.StartDeal(true);
        if (phase::IsPlay(gs.Phase) && gs.Plays[gs.Phase - phase::PlayBase] && (gs.TablePos == 1) == leads) {
            gs.LastPlayer = static_cast<std::uint8_t>(FindLastPlayer(gs));
            positions.push_back(gs);
        }
        MoveOn(game);
    }
    return positions;
}

void BM_ComputerMove(benchmark::State& state, bool leads) {
    const std::vector<GameState> positions = CollectPositions(leads);
    std::size_t i = 0;
    for (auto _ : state) {
        const GameState& gs = positions[i++ & 4095];
        const int s = gs.Phase - phase::PlayBase;
        benchmark::DoNotOptimize(leads ? ComputerLeadSlot(gs, s) : ComputerFollowSlot(gs, s));
    }
}
BENCHMARK_CAPTURE(BM_ComputerMove, lead, true);
BENCHMARK_CAPTURE(BM_ComputerMove, follow, false);

}  // namespace
}  // namespace kesp
