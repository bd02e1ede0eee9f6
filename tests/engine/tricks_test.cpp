#include "engine/computer_player.h"
#include "table_fixture.h"

namespace kesp {
using namespace test;

namespace {
// A table in trick play: every seat plays unless listed in `passed`; `leader` is to lead.
void StartTrick(Game& game, const char* trump, int leader, std::initializer_list<int> passed = {}) {
    GameState& gs = game.State();
    gs.Trump = S(trump);
    gs.Plays.Fill(1);
    for (int s : passed) gs.Plays[s] = 0;
    gs.Leader = gs.TableLeader = static_cast<std::uint8_t>(leader);
    gs.Phase = phase::Play(leader);
    gs.TablePos = 1;
    gs.TrickNo = 1;
    gs.DealStarted = 2;
    gs.DealRunning = 1;
    gs.LedSuit = suit::None;
    gs.Table.Fill(Card::Empty());
    gs.History.Fill(Card::Empty());
    gs.LastTrick.Fill(Card::Empty());
}

int SlotOf(const GameState& gs, int s, const char* card) {
    for (int k = 1; k <= 5; ++k)
        if (gs.Hand[s][k] == C(card)) return k;
    ADD_FAILURE() << card << " not in hand of seat " << s;
    return 0;
}

void Play(Game& game, int s, const char* card) {
    game.PlayCard(s, SlotOf(game.State(), s, card), true);
}
}  // namespace

TEST(Legality, UserMustFollowSuitElseTrump) {
    const struct {
        const char* trump;
        const char* led;
        std::vector<const char*> hand;
        const char* card;
        bool illegal;
    } cases[] = {
        // Spades trump, hearts led.
        {"п", "Кч", {"7б", "9п", "Вк"}, "9п", false},  // no heart: must trump
        {"п", "Кч", {"7б", "9п", "Вк"}, "7б", true},
        {"п", "Кч", {"7б", "8к", "Вк"}, "7б", false},  // neither: anything
        {"п", "Кч", {"7ч", "9п", "Вк"}, "9п", true},   // holds a heart: must follow
        {"п", "Кч", {"7ч", "9п", "Вк"}, "7ч", false},
        // Trump led.
        {"п", "Кп", {"7ч", "9п"}, "7ч", true},
        {"п", "Кп", {"7ч", "9п"}, "9п", false},
        {"п", "Кп", {"7ч", "9к"}, "9к", false},
    };
    for (const auto& c : cases) {
        Game game;
        StartTrick(game, c.trump, 1);
        GameState& gs = game.State();
        for (std::size_t i = 0; i < 5; ++i)
            SetHandSlot(gs, 4, static_cast<int>(i + 1), i < c.hand.size() ? C(c.hand[i]) : Card::Empty());
        gs.HandCount[4] = static_cast<std::uint8_t>(c.hand.size());
        gs.Hand[1][1] = C(c.led);
        Play(game, 1, c.led);
        gs.Phase = phase::Play(4);  // skip to the user
        gs.TablePos = 2;
        EXPECT_EQ(game.IsIllegal(SlotOf(gs, 4, c.card)), c.illegal) << c.led << " " << c.card;
    }
}

TEST(Tricks, WinnerValueAndSeatsWithoutTrumps) {
    RecordingEvents events;
    Game game(events);
    StartTrick(game, "б", 1);
    GameState& gs = game.State();
    SetHand(gs, 1, {"Кч"});
    SetHand(gs, 2, {"Тк"});
    SetHand(gs, 3, {"6ч"});
    SetHand(gs, 4, {"7ч"});
    Play(game, 1, "Кч");
    Play(game, 2, "Тк");
    Play(game, 3, "6ч");
    EXPECT_EQ(gs.Phase, phase::Play(4));
    Play(game, 4, "7ч");
    EXPECT_EQ(gs.Phase, phase::TrickComplete);
    EXPECT_EQ(gs.Leader, 1);
    EXPECT_EQ(gs.TrickPoints[1], -11);  // one for the trick, ten for the ace of clubs in it
    EXPECT_EQ(gs.TricksWon[1], 1);
    EXPECT_TRUE(gs.NoTrumpSeats.Has(2));
    EXPECT_FALSE(gs.NoTrumpSeats.Has(3));
    EXPECT_EQ(gs.History[2], C("Тк"));
    EXPECT_EQ(gs.LastTrick[1], C("Кч"));
    EXPECT_TRUE(gs.Table[1].IsEmpty());
    EXPECT_EQ(gs.TrickNo, 2);
    EXPECT_EQ(gs.TablePos, 1);
    EXPECT_EQ(game.View().action, (ButtonState{WordId::Ok, true, true}));
    EXPECT_TRUE(game.View().tabs[1].leads);
    EXPECT_EQ(game.View().tabs[1].change, -11);

    game.ClearTrick(true);
    EXPECT_EQ(gs.Phase, phase::Play(1));
    EXPECT_EQ(gs.TableLeader, 1);
    EXPECT_EQ(events.pauses, std::vector<int>{700});
}

TEST(Tricks, ALoneSixOfTrumpsBeatsAnAceAndPassedSeatsLeaveGaps) {
    Game game;
    StartTrick(game, "к", 2, {1, 4});
    GameState& gs = game.State();
    SetHand(gs, 2, {"Тч"});
    SetHand(gs, 3, {"6к"});
    Play(game, 2, "Тч");
    Play(game, 3, "6к");
    game.PlayCard(4, 0, true);
    EXPECT_TRUE(gs.NoTrumpSeats.Has(4));  // a passed seat's turn tells it holds no trump
    game.PlayCard(1, 0, true);
    EXPECT_EQ(gs.Phase, phase::TrickComplete);
    EXPECT_EQ(gs.Leader, 3);
    EXPECT_EQ(gs.TrickPoints[3], -21);
    EXPECT_TRUE(gs.History[3].IsEmpty());
}

TEST(Tricks, StepsOutOfTurnOrWithoutACardChangeNothing) {
    Game game;
    StartTrick(game, "к", 1);
    GameState& gs = game.State();
    SetHand(gs, 1, {"Тч"});
    SetHand(gs, 2, {"7ч"});
    const GameState before = gs;
    game.PlayCard(2, 1, true);  // not its turn
    game.PlayCard(1, 3, true);  // empty slot
    game.PlayCard(1, 0, true);  // a playing seat must play a card
    game.PlayCard(1, 9, true);
    game.ClearTrick(true);
    game.ScoreDeal(true);
    EXPECT_EQ(gs, before);
}

TEST(Tricks, FifthTrickEndsTheDeal) {
    Game game;
    StartTrick(game, "к", 1, {3, 4});
    GameState& gs = game.State();
    gs.TrickNo = 5;
    SetHand(gs, 1, {"Тч"});
    SetHand(gs, 2, {"7ч"});
    Play(game, 1, "Тч");
    Play(game, 2, "7ч");
    game.PlayCard(3, 0, true);
    game.PlayCard(4, 0, true);
    EXPECT_EQ(gs.TrickNo, 6);
    EXPECT_EQ(gs.Phase, phase::DealOver);
    EXPECT_EQ(game.View().action, (ButtonState{WordId::Ok, true, true}));
}

TEST(Messages, EveryAnnouncedStepOfANetworkDeal) {
    RecordingEvents events;
    Game host(events);
    host.Setup().kind = GameKind::LanHost;
    host.Setup().LanRole = 1;
    host.Setup().LanClientIndex = 0;
    host.Setup().FlyCards = false;
    StartTrick(host, "к", 1, {3, 4});
    GameState& gs = host.State();
    SetHand(gs, 1, {"7ч", "Тч"});
    SetHand(gs, 2, {"8ч"});
    host.PlayCard(1, 2, true);
    host.PlayCard(2, 1, true);
    host.PlayCard(3, 0, true);
    host.PlayCard(4, 0, false);  // received from another machine: not announced again
    host.ClearTrick(true);
    EXPECT_EQ(events.announced,
              (std::vector<std::string>{"h92#10000", "h91#10000", "h90#10000", "ha0#10000"}));
}

}  // namespace kesp
