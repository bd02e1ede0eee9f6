#include "table_fixture.h"

namespace kesp {
using namespace test;

namespace {
void AtDealEnd(Game& game, std::array<int, 4> scores, std::array<int, 4> plays) {
    GameState& gs = game.State();
    for (int s = 1; s <= 4; ++s) {
        gs.Score[s] = scores[static_cast<std::size_t>(s - 1)];
        gs.Plays[s] = static_cast<std::uint8_t>(plays[static_cast<std::size_t>(s - 1)]);
    }
    gs.Phase = phase::DealOver;
    gs.DealRunning = 1;
}
}  // namespace

TEST(ScoreDeal, PenaltyForAPlayerWithoutTricks) {
    RecordingEvents events;
    Game game(events);
    AtDealEnd(game, {100, 100, 100, 100}, {1, 0, 1, 0});
    GameState& gs = game.State();
    // Seat 1 took all five tricks, one holding the ace of diamonds of seat 3.
    gs.TricksWon[1] = 5;
    gs.TrickPoints[1] = -5 - 15;
    gs.AcesAtStart[3].Add(S("б"));
    game.ScoreDeal(true);
    EXPECT_EQ(gs.Score[1], 80);
    EXPECT_EQ(gs.Score[3], 120);
    EXPECT_EQ(gs.Penalty[3], 20);
    EXPECT_EQ(gs.Score[2], 100);
    EXPECT_EQ(gs.Phase, phase::DealScored);
    EXPECT_EQ(gs.Advantage, 80 + 100 + 120 - 300);
    EXPECT_EQ(game.View().action, (ButtonState{WordId::NextRound, true, true}));
    EXPECT_EQ(game.View().tabs[3].change, 20);
    EXPECT_TRUE(events.sounds.empty());  // seat 4 passed while others played
}

TEST(ScoreDeal, PenaltyCountsEveryAceHeldAtTheStart) {
    Game game;
    AtDealEnd(game, {100, 100, 100, 100}, {1, 1, 1, 1});
    GameState& gs = game.State();
    gs.TricksWon[1] = 5;
    gs.AcesAtStart[4].Add(S("ч"));
    gs.AcesAtStart[4].Add(S("п"));
    game.ScoreDeal(false);
    EXPECT_EQ(gs.Penalty[4], 30);
    EXPECT_EQ(gs.Penalty[1], 0);
}

TEST(ScoreDeal, EndOfGameThresholdsAndSounds) {
    const struct {
        std::array<int, 4> after;
        bool over;
    } cases[] = {
        {{3, 40, 55, 70}, false}, {{0, 40, 55, 70}, true}, {{1, 1, 1, 1}, false}, {{-14, 3, 3, 3}, true}};
    for (const auto& c : cases) {
        RecordingEvents events;
        Game game(events);
        AtDealEnd(game, c.after, {0, 0, 0, 1});
        game.State().TricksWon[4] = 5;
        game.ScoreDeal(true);
        EXPECT_EQ(game.State().GameOver, c.over ? 1 : 0) << c.after[0];
        EXPECT_EQ(game.State().Phase, c.over ? phase::GameOverPhase : phase::DealScored);
        if (c.over) {
            EXPECT_EQ(game.View().action, (ButtonState{WordId::ToSumUpOfGame, true, true}));
        }
        EXPECT_EQ(events.sounds, std::vector<std::string>{"WKoGutX"});
    }
}

TEST(Settle, ResultsSumToZero) {
    const struct {
        std::array<int, 4> scores, results;
    } cases[] = {{{0, 40, 55, 70}, {165, 5, -55, -115}}, {{-14, 3, 3, 3}, {51, -17, -17, -17}}};
    for (const auto& c : cases) {
        Game game;
        GameState& gs = game.State();
        for (int s = 1; s <= 4; ++s) gs.Score[s] = c.scores[static_cast<std::size_t>(s - 1)];
        gs.Phase = phase::GameOverPhase;
        gs.RunningTotal = 7;
        game.Settle(true);
        int sum = 0;
        for (int s = 1; s <= 4; ++s) sum += gs.Score[s];
        EXPECT_EQ(sum, 0);
        for (int s = 1; s <= 4; ++s) EXPECT_EQ(gs.Score[s], c.results[static_cast<std::size_t>(s - 1)]);
        EXPECT_EQ(gs.ProvisionalTotal, 7 + gs.Score[4]);
        EXPECT_EQ(gs.Settled, 1);
        EXPECT_EQ(gs.Trump, suit::None);
        EXPECT_EQ(gs.Phase, phase::GameSettled);
        EXPECT_FALSE(game.View().action.enabled);
        EXPECT_EQ(game.View().second, (ButtonState{WordId::ExitToMenu, true, true}));
    }
}

// The first seat's table rests on the scored deal; "Next Round" is offered once the rest is over,
// not while a press would be refused.
TEST(ScoreDeal, OnlineFirstSeatOffersTheNextRoundAfterTheRest) {
    RecordingEvents events;
    Game game(events);
    game.Setup().kind = GameKind::Online;
    game.Setup().OnlineSeat = 1;
    game.Setup().FlyCards = false;
    AtDealEnd(game, {100, 100, 100, 100}, {1, 1, 1, 1});
    game.State().TricksWon[1] = 5;
    events.HoldWaitsOf(game);
    game.ScoreDeal(true);
    ASSERT_TRUE(game.Waiting());
    EXPECT_EQ(events.pauses, std::vector<int>{2000});
    EXPECT_FALSE(game.View().action.enabled);
    game.Resume(events.ticket);
    EXPECT_FALSE(game.Waiting());
    EXPECT_EQ(game.View().action, (ButtonState{WordId::NextRound, true, true}));
    EXPECT_EQ(game.View().second, (ButtonState{WordId::ExitToMenu, false, true}));
}

TEST(Settle, OnlineFirstSeatSendsTheResults) {
    RecordingEvents events;
    Game game(events);
    game.Setup().kind = GameKind::Online;
    game.Setup().OnlineSeat = 1;
    GameState& gs = game.State();
    gs.Score[1] = 0;
    gs.Score[2] = 40;
    gs.Score[3] = 55;
    gs.Score[4] = 70;
    gs.Phase = phase::GameOverPhase;
    game.Settle(true);
    // Seats 4, 2, 1, 3: -115, 5, 165, -55.
    EXPECT_EQ(events.announced, std::vector<std::string>{"o -115    5  165  -55"});
}

}  // namespace kesp
