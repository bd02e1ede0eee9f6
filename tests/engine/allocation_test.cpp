// A whole computer-only deal, from the deal to its scoring, allocates nothing on the heap.
#include <atomic>
#include <cstdlib>
#include <new>

#include "table_fixture.h"

namespace {
std::atomic<long> g_allocations{0};
}

// The replaced operators allocate with malloc and free with free, which GCC, seeing new and free
// meet after inlining, takes for a mismatch.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void* operator new(std::size_t size) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace kesp {

TEST(Allocations, NoneFromTheDealToItsScoring) {
    Game game;
    game.Setup().AllComputer = true;
    game.Setup().FlyCards = true;
    game.SeedShuffle(7);
    GameState& gs = game.State();
    game.StartDeal(true);  // the first deal of a game
    int deals = 0;
    while (deals < 500) {
        if (gs.Phase == phase::GameSettled) {
            game.StartDeal(true);
            continue;
        }
        if (gs.Phase != phase::DealScored && gs.Phase != phase::GameOverPhase) {
            if (game.View().action.enabled)
                game.ActionButton();
            else
                game.GameTick();
            continue;
        }
        // From "Next Round" (a new deal) to the scoring of that deal.
        const long before = g_allocations.load();
        if (gs.Phase == phase::GameOverPhase) {
            game.ActionButton();
            continue;
        }
        game.ActionButton();
        while (gs.Phase != phase::DealScored && gs.Phase != phase::GameOverPhase) {
            if (game.View().action.enabled)
                game.ActionButton();
            else
                game.GameTick();
        }
        ASSERT_EQ(g_allocations.load() - before, 0) << "deal " << gs.DealNo;
        ++deals;
    }
}

TEST(Allocations, NoneInAHeadlessDeal) {
    Game game;
    game.Setup().AllComputer = true;
    game.SeedShuffle(7);
    GameState& gs = game.State();
    for (int deals = 0; deals < 500;) {
        if (gs.Phase == phase::GameSettled || !gs.DealRunning) {
            game.StartDeal(true);
            continue;
        }
        if (gs.DealStarted == 2) {  // "Next Round" (a new deal) or the settlement
            game.ActionButton();
            continue;
        }
        const long before = g_allocations.load();
        ASSERT_NE(game.PlayHeadlessDeal(), Game::HeadlessDeal::NotPlayed);
        ASSERT_EQ(g_allocations.load() - before, 0) << "deal " << gs.DealNo;
        ++deals;
    }
}

}  // namespace kesp
