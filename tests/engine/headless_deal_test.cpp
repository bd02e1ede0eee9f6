// A deal played headless in one go ends exactly where the steps of the same deal end: the state,
// the view, the timer and the help topic, deal after deal over whole games, so the shuffles that
// follow stay the same too.
#include "table_fixture.h"

namespace kesp {
using namespace test;

namespace {

// The buttons and the timer ticks of a computer-only table, one step at a time.
void StepToTheDealsEnd(Game& game) {
    const GameState& gs = game.State();
    for (int steps = 0; gs.Phase != phase::DealScored && gs.Phase != phase::GameOverPhase; ++steps) {
        ASSERT_LT(steps, 1000) << "stuck in phase " << int{gs.Phase};
        if (game.View().action.enabled)
            game.ActionButton();
        else
            game.GameTick();
    }
}

void ExpectSameTable(const Game& headless, const Game& stepped, int game, int deal) {
    ASSERT_TRUE(headless.State() == stepped.State()) << "game " << game << " deal " << deal;
    EXPECT_TRUE(headless.View() == stepped.View()) << "game " << game << " deal " << deal;
    EXPECT_EQ(headless.TimerInterval(), stepped.TimerInterval()) << "game " << game << " deal " << deal;
    EXPECT_EQ(headless.TimerRunning(), stepped.TimerRunning()) << "game " << game << " deal " << deal;
    EXPECT_EQ(headless.HelpTopic(), stepped.HelpTopic()) << "game " << game << " deal " << deal;
    EXPECT_FALSE(headless.Waiting());
}

struct Table {
    std::uint64_t seed;
    int initialScore;
    bool flyCards;
    bool openCardsAtEnd;
};

TEST(HeadlessDeal, EndsWhereTheStepsEnd) {
    int fourAces = 0, notPlayed = 0, gamesOver = 0;
    for (const Table& t : {Table{1, 100, false, false}, Table{5, 150, true, true}, Table{9, 200, true, false},
                           Table{77, 100, false, true}}) {
        Game headless, stepped;
        for (Game* g : {&headless, &stepped}) {
            g->Setup().AllComputer = true;
            g->Setup().InitialScore = t.initialScore;
            g->Setup().FlyCards = t.flyCards;
            g->Setup().OpenCardsAtEnd = t.openCardsAtEnd;
            g->SeedShuffle(t.seed);
        }
        for (int g = 1; g <= 150; ++g) {
            for (Game* game : {&headless, &stepped}) {
                game->State().GameNo = g;
                game->StartDeal(true);
            }
            for (int deal = 1;; ++deal) {
                const Game::HeadlessDeal outcome = headless.PlayHeadlessDeal();
                ASSERT_NE(outcome, Game::HeadlessDeal::NotPlayed);
                fourAces += outcome == Game::HeadlessDeal::FourAces ? 1 : 0;
                notPlayed += headless.State().SingleOrNone;
                StepToTheDealsEnd(stepped);
                ExpectSameTable(headless, stepped, g, deal);
                if (HasFailure()) return;
                const bool over = headless.State().Phase == phase::GameOverPhase;
                headless.ActionButton();  // "Next Round" or "To sum up of game"
                stepped.ActionButton();
                if (over) {
                    ++gamesOver;
                    ExpectSameTable(headless, stepped, g, deal);
                    break;
                }
            }
        }
    }
    // The games went through every way a deal ends.
    EXPECT_GT(fourAces, 0);
    EXPECT_GT(notPlayed, 0);
    EXPECT_EQ(gamesOver, 600);
}

TEST(HeadlessDeal, OnlyAnUnwatchedComputerTableAtItsStart) {
    RecordingEvents events;
    Game watched(events);
    watched.Setup().AllComputer = true;
    watched.StartDeal(true);
    const GameState before = watched.State();
    EXPECT_EQ(watched.PlayHeadlessDeal(), Game::HeadlessDeal::NotPlayed);
    EXPECT_EQ(watched.State(), before);

    Game person;  // the user sits at seat 4
    person.StartDeal(true);
    EXPECT_EQ(person.PlayHeadlessDeal(), Game::HeadlessDeal::NotPlayed);
    EXPECT_EQ(person.State().DealStarted, 1);

    Game begun;
    begun.Setup().AllComputer = true;
    EXPECT_EQ(begun.PlayHeadlessDeal(), Game::HeadlessDeal::NotPlayed);  // no deal yet
    begun.StartDeal(true);
    begun.ActionButton();  // "To Begin" as a step
    const GameState started = begun.State();
    EXPECT_EQ(begun.PlayHeadlessDeal(), Game::HeadlessDeal::NotPlayed);
    EXPECT_EQ(begun.State(), started);
}

}  // namespace
}  // namespace kesp
