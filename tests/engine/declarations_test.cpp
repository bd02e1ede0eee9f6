#include "table_fixture.h"

namespace kesp {
using namespace test;

TEST(Decisions, FourthComputerDeciderIsForcedAndASinglePlayerEndsTheDeal) {
    Game game;
    game.Setup().AllComputer = true;
    DealKnown(game, 1,
              {{{"6ч", "7ч", "8ч", "9б", "6к"},
                {"7б", "8б", "Вк", "9ч", "6б"},
                {"Дк", "Кк", "1к", "7к", "8к"},
                {"9к", "1ч", "Вч", "Дч", "Кч"}}},
              "Тп");
    GameState& gs = game.State();
    game.ActionButton();  // To Begin
    TickWhileAutomatic(game);
    EXPECT_EQ(gs.Plays[1] + gs.Plays[2] + gs.Plays[3], 0);
    EXPECT_EQ(gs.Plays[4], 1);  // no ace, no trump, but nobody else plays
    EXPECT_EQ(gs.SingleOrNone, 1);
    EXPECT_EQ(gs.Phase, phase::DealOver);
    EXPECT_EQ(game.View().action, (ButtonState{WordId::ToSumUpOfRound, true, true}));
    game.ActionButton();
    EXPECT_EQ(gs.Score[4], 95);
    EXPECT_EQ(gs.TrickPoints[4], -5);
    EXPECT_EQ(gs.Score[1], 100);
    EXPECT_EQ(gs.Phase, phase::DealScored);
}

TEST(Decisions, UserButtons) {
    const char* noAce[5] = {"6ч", "7ч", "8б", "9б", "6к"};
    const char* withAce[5] = {"6ч", "7ч", "8б", "9б", "Тк"};
    const char* plain[5] = {"7б", "8к", "Вк", "9ч", "6б"};
    const struct {
        int dealer;
        bool userAce;
        bool passEnabled;
    } cases[] = {
        {4, true, false},   // first to decide, holding an ace
        {4, false, true},   // first to decide, free to pass
        {1, false, false},  // last after three passes: must play
    };
    for (const auto& c : cases) {
        Game game;
        const char* const* user = c.userAce ? withAce : noAce;
        std::array<std::vector<std::string>, 4> hands;
        for (int s = 0; s < 3; ++s) hands[static_cast<std::size_t>(s)] = {};
        hands[3] = {user[0], user[1], user[2], user[3], user[4]};
        hands[0] = {plain[0], plain[1], plain[2], plain[3], plain[4]};
        hands[1] = {"Дк", "Кк", "1к", "7к", "8ч"};
        hands[2] = {"9к", "1ч", "Вч", "Дч", "Кч"};
        DealKnown(game, c.dealer, hands, "Тп");
        game.ActionButton();  // To Begin
        TickWhileAutomatic(game);
        ASSERT_EQ(game.State().Phase, 4);
        EXPECT_EQ(game.View().action, (ButtonState{WordId::ToPlay, true, true})) << c.dealer;
        EXPECT_EQ(game.View().second, (ButtonState{WordId::Pass, c.passEnabled, true})) << c.dealer;
    }
}

TEST(Discards, ComputerDiscardsAndDrawsAsTheRulesSay) {
    Game game;
    game.Setup().AllComputer = true;
    // Spades are trump. Seat 1 deals holding five trumps; seat 2 holds two trumps; seat 3 holds
    // neither ace nor trump and passes; seat 4 plays on its ace of clubs.
    DealKnown(game, 1,
              {{{"7п", "8п", "9п", "1п", "Вп"},
                {"6ч", "7ч", "Дп", "Кп", "8б"},
                {"6б", "7б", "6к", "7к", "8к"},
                {"9б", "1б", "Вб", "9к", "Тк"}}},
              "6п", {"Тп"});
    GameState& gs = game.State();
    game.ActionButton();
    TickWhileAutomatic(game);
    EXPECT_EQ(gs.Plays[1], 1);
    EXPECT_EQ(gs.Plays[2], 1);
    EXPECT_EQ(gs.Plays[3], 0);
    EXPECT_EQ(gs.Plays[4], 1);  // holds an ace
    game.ActionButton();        // To communicate cards
    EXPECT_EQ(gs.PlayerCount, 3);
    TickWhileAutomatic(game);
    // The dealer kept four trumps: his lowest trump among slots 1..4 made room for the trump card.
    EXPECT_EQ(HandText(gs, 1), "8п 9п 1п Вп ##");
    EXPECT_EQ(HandText(gs, 2), "Дп Кп ## ## ##");
    EXPECT_EQ(gs.HandCount[3], 0);
    EXPECT_EQ(HandText(gs, 4), "Тк ## ## ## ##");  // slot 5, its best card, is always kept
    EXPECT_EQ(gs.Phase, phase::DiscardsDone);
    game.ActionButton();  // To take from a pack
    EXPECT_EQ(gs.Phase, phase::Drawn);
    EXPECT_EQ(gs.TrumpTaken, 1);
    EXPECT_TRUE(HandHasCard(gs, 1, C("6п")));  // the trump card went to the dealer
    EXPECT_TRUE(HandHasCard(gs, 2, C("Тп")));  // position 21 went to the next player
    EXPECT_EQ(gs.NextDraw, 21 + 0 + 3 + 4);
    for (int s : {1, 2, 4}) EXPECT_EQ(gs.HandCount[s], 5);
    EXPECT_EQ(game.View().action, (ButtonState{WordId::Game, true, true}));
}

TEST(Discards, UserIsReadyWithNothingMarked) {
    const std::array<std::vector<std::string>, 4> hands = {{{"7б", "8б", "Вк", "9ч", "Кп"},
                                                            {"Дк", "Кк", "1к", "7п", "8п"},
                                                            {"9к", "1ч", "Вч", "Дп", "Кч"},
                                                            {"6ч", "7ч", "8к", "9б", "Тк"}}};
    for (int dealer : {4, 2}) {
        RecordingEvents events;
        Game game(events);
        DealKnown(game, dealer, hands, "Тп");
        GameState& gs = game.State();
        game.ActionButton();
        TickWhileAutomatic(game);
        if (gs.Phase == 4) game.ActionButton();  // To Play
        TickWhileAutomatic(game);
        ASSERT_EQ(gs.Phase, phase::DecisionsDone);
        game.ActionButton();
        TickWhileAutomatic(game);
        ASSERT_EQ(gs.Phase, phase::Discard(4));
        EXPECT_EQ(game.View().action, (ButtonState{WordId::IsReady, true, true}));
        EXPECT_EQ(game.View().bubbles[4], Bubble::CommunicateCards);

        game.ActionButton();  // nothing marked
        EXPECT_EQ(gs.Phase, phase::Discard(4)) << dealer;
        EXPECT_TRUE(game.View().action.enabled);
        EXPECT_EQ(events.sounds.back(), "WOpenFo");
        if (dealer == 4) {
            EXPECT_EQ(events.messages, std::vector<WordId>{WordId::CarryOneCard});
            EXPECT_TRUE(events.questions.empty());
            gs.DiscardSel[1] = 1;
            game.ActionButton();
            EXPECT_EQ(gs.HandCount[4], 4);
        } else {
            // Not the dealer: asked once; "No" leaves the turn open, the next press goes on.
            EXPECT_EQ(events.questions, std::vector<WordId>{WordId::NoCardChange});
            EXPECT_EQ(gs.DiscardAsked, 1);
            game.ActionButton();
            EXPECT_EQ(events.questions.size(), 1u);
            EXPECT_EQ(gs.HandCount[4], 5);
            EXPECT_EQ(gs.DiscardAsked, 0);
        }
        EXPECT_NE(gs.Phase, phase::Discard(4));
    }
}

TEST(FourAces, DealtOrDrawnEndTheGame) {
    // Dealt: found when the deal is begun, before anyone decides.
    {
        Game game;
        DealKnown(game, 2,
                  {{{"Тч", "Тб", "Тк", "Тп", "6ч"},
                    {"7б", "8б", "Вк", "9ч", "6б"},
                    {"Дк", "Кк", "1к", "7к", "8к"},
                    {"9к", "1ч", "Вч", "Дч", "Кч"}}},
                  "6п");
        game.ActionButton();
        const GameState& gs = game.State();
        EXPECT_EQ(gs.Phase, phase::GameOverPhase);
        EXPECT_EQ(gs.Score[1], 0);
        EXPECT_EQ(gs.GameOver, 1);
        EXPECT_EQ(gs.DealStarted, 2);
        EXPECT_EQ(game.View().bubbles[1], Bubble::Kesp);
        EXPECT_EQ(game.View().action, (ButtonState{WordId::ToSumUpOfGame, true, true}));
        for (int s = 1; s <= 4; ++s) EXPECT_EQ(game.View().handFaceUp[s], 1);
        game.ActionButton();
        EXPECT_EQ(gs.Phase, phase::GameSettled);
        EXPECT_EQ(gs.Score[1], 300);
    }
    // Drawn: seat 2 holds three aces and draws the fourth; found when "Game" is pressed.
    {
        Game game;
        game.Setup().AllComputer = true;
        DealKnown(game, 1,
                  {{{"9б", "8б", "Вк", "9ч", "6б"},
                    {"Тч", "Тб", "Тк", "6п", "7б"},
                    {"Дк", "Кк", "1к", "7п", "9п"},
                    {"9к", "1ч", "Вч", "Дч", "Кч"}}},
                  "8п", {"Тп"});
        const GameState& gs = game.State();
        for (int i = 0; i < 200 && gs.Phase != phase::Drawn; ++i) {
            if (game.View().action.enabled)
                game.ActionButton();
            else
                game.GameTick();
        }
        ASSERT_EQ(gs.Phase, phase::Drawn);
        EXPECT_EQ(CountAces(gs, 2), 4);
        game.ActionButton();  // Game
        EXPECT_EQ(gs.Phase, phase::GameOverPhase);
        EXPECT_EQ(gs.Score[2], 0);
    }
}

}  // namespace kesp
