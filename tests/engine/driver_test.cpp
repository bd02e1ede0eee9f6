#include <deque>
#include <random>

#include "table_fixture.h"

namespace kesp {
using namespace test;

namespace {

// Plays the user's part as a person would, only through the buttons and card clicks, and
// checks on the way that clicks the rules refuse change nothing.
class Person {
  public:
    explicit Person(unsigned seed) : rng_(seed) {}

    // One action of the person, or a timer tick when nothing is up to him. False when stuck.
    bool Act(Game& game, RecordingEvents& events) {
        GameState& gs = game.State();
        const TableView& view = game.View();
        if (gs.Phase == phase::Decision(4) && view.action.caption == WordId::ToPlay && view.action.enabled) {
            if (view.second.enabled && rng_() % 2) {
                game.SecondButton();
            } else {
                game.ActionButton();
            }
            return true;
        }
        if (gs.Phase == phase::Discard(4) && view.action.caption == WordId::IsReady && view.action.enabled) {
            events.answer = true;  // "You really do not want to change of cards?" Yes.
            for (int k = 1; k <= 5; ++k)
                if (rng_() % 2) game.OwnCardClick(MouseButton::Left, k);
            game.ActionButton();
            return true;
        }
        if (gs.Phase == phase::Play(4) && gs.Plays[4]) {
            for (int k = 1; k <= gs.HandCount[4]; ++k) {
                const GameState before = gs;
                const std::size_t sounds = events.sounds.size();
                const bool legal = game.OwnCardHover(k) == CardCursor::Choosing;
                game.OwnCardClick(MouseButton::Left, k);
                if (legal) return true;
                EXPECT_EQ(gs, before) << "an illegal card changed the game";
                EXPECT_EQ(events.sounds.size(), sounds + 1);
                EXPECT_EQ(events.sounds.back(), "WWrongs");
            }
            ADD_FAILURE() << "no card may be played";
            return false;
        }
        if (view.action.enabled) {
            game.ActionButton();
            return true;
        }
        if (view.second.enabled && gs.GameOver) {
            game.SecondButton();
            return true;
        }
        const GameState before = gs;
        game.GameTick();
        return !(gs == before);
    }

  private:
    std::mt19937 rng_;
};

}  // namespace

TEST(Driver, PersonPlaysWholeLocalGames) {
    for (unsigned seed = 1; seed <= 60; ++seed) {
        RecordingEvents events;
        Game game(events);
        game.SeedShuffle(seed);
        game.State().GameNo = static_cast<int>(seed);
        game.StartDeal(true);
        Person person(seed);
        int steps = 0;
        while (game.State().DealRunning && steps++ < 20000)
            if (!person.Act(game, events)) break;
        ASSERT_FALSE(game.State().DealRunning)
            << "seed " << seed << " stuck in phase " << int(game.State().Phase);
        EXPECT_EQ(events.left, std::vector<LeaveReason>{LeaveReason::Finished});
        EXPECT_EQ(game.State().Phase, phase::Menu);
        EXPECT_EQ(game.TimerInterval(), timer::Menu);
        EXPECT_TRUE(game.TimerRunning());
        EXPECT_TRUE(events.announced.empty());  // a local game tells nobody
    }
}

TEST(Driver, UserWhoPassedMovesAtTheFastPace) {
    // The user holds no ace and passes; his turns in the tricks go by at 55 ms.
    RecordingEvents events;
    Game game(events);
    DealKnown(game, 4,
              {{{"7п", "8п", "8ч", "9ч", "6к"},
                {"9п", "Вп", "8б", "9б", "6б"},
                {"Дк", "Кк", "1к", "7к", "8к"},
                {"7б", "1б", "Вк", "9к", "1ч"}}},
              "6п");
    GameState& gs = game.State();
    game.ActionButton();  // To Begin: the user deals and decides first
    EXPECT_TRUE(game.TimerRunning());
    ASSERT_EQ(game.View().second, (ButtonState{WordId::Pass, true, true}));
    game.SecondButton();
    EXPECT_EQ(gs.Plays[4], 0);
    TickWhileAutomatic(game);
    game.ActionButton();  // To communicate cards
    TickWhileAutomatic(game);
    EXPECT_EQ(gs.HandCount[4], 0);  // his hand went at once
    game.ActionButton();            // To take from a pack
    game.ActionButton();            // Game
    int fastTicks = 0;
    while (phase::IsPlay(gs.Phase)) {
        const int mover = gs.Phase - phase::PlayBase;
        const bool moverPlays = gs.Plays[mover] != 0;
        game.GameTick();
        EXPECT_EQ(game.TimerInterval(), moverPlays ? timer::Move : timer::PassedMove) << "seat " << mover;
        fastTicks += mover == 4 ? 1 : 0;
        if (gs.Phase == phase::TrickComplete) game.ActionButton();
    }
    EXPECT_EQ(fastTicks, 5);
}

TEST(Driver, ClicksOnOwnCards) {
    RecordingEvents events;
    Game game(events);
    DealKnown(game, 1,
              {{{"7б", "8б", "Вк", "9ч", "6б"},
                {"Дк", "Кк", "1к", "7п", "Вп"},
                {"9к", "1ч", "Вч", "Дч", "Кч"},
                {"6ч", "7ч", "8п", "9п", "Тк"}}},
              "6п");
    GameState& gs = game.State();
    const GameState dealt = gs;
    game.OwnCardClick(MouseButton::Left, 1);  // the deal has not begun
    EXPECT_EQ(gs, dealt);
    game.OwnCardClick(MouseButton::Right, 2);  // names the card, at any time
    EXPECT_EQ(events.spoken, std::vector<std::string>{"7ч"});
    EXPECT_EQ(gs, dealt);

    game.ActionButton();
    TickWhileAutomatic(game);
    ASSERT_EQ(gs.Phase, 4);
    game.ActionButton();  // To Play (he holds an ace)
    TickWhileAutomatic(game);
    game.ActionButton();  // To communicate cards
    TickWhileAutomatic(game);
    ASSERT_EQ(gs.Phase, phase::Discard(4));
    // Hand: 6ч 7ч Тк 8п 9п (spades trump). Marks, unmarks, the ace refused.
    EXPECT_EQ(HandText(gs, 4), "6ч 7ч Тк 8п 9п");
    EXPECT_EQ(game.OwnCardHover(3), CardCursor::Ordinary);
    game.OwnCardClick(MouseButton::Left, 3);
    EXPECT_EQ(events.sounds.back(), "WWrongs");
    for (int k : {1, 2, 4, 5}) game.OwnCardClick(MouseButton::Left, k);
    EXPECT_EQ(gs.DiscardSel, (Slots<std::uint8_t, 1, 4>{{1, 2, 4, 5}}));
    game.OwnCardClick(MouseButton::Left, 2);  // unmark
    EXPECT_EQ(gs.DiscardSel, (Slots<std::uint8_t, 1, 4>{{1, 0, 4, 5}}));
    EXPECT_EQ(game.OwnCardHover(2), CardCursor::Choosing);
    game.OwnCardClick(MouseButton::Left, 2);  // back into the free place
    EXPECT_EQ(gs.DiscardSel, (Slots<std::uint8_t, 1, 4>{{1, 2, 4, 5}}));
    events.sounds.clear();
    game.ActionButton();
    EXPECT_EQ(HandText(gs, 4), "Тк ## ## ## ##");
    EXPECT_EQ(gs.DiscardSel, (Slots<std::uint8_t, 1, 4>{}));
}

TEST(Driver, LeavingTheTable) {
    RecordingEvents events;
    Game game(events);
    game.StartDeal(true);
    EXPECT_TRUE(game.View().menuQuit);
    EXPECT_TRUE(game.View().menuChangeName);
    events.answer = false;
    EXPECT_FALSE(game.LeaveToMenu());
    EXPECT_FALSE(game.CloseQuery());
    EXPECT_EQ(events.questions,
              (std::vector<WordId>{WordId::LeaveToMenuQuestion, WordId::LeaveGameQuestion}));
    EXPECT_TRUE(game.State().DealRunning);
    game.GenCount();
    EXPECT_EQ(events.generalCounts, 1);
    events.answer = true;
    EXPECT_TRUE(game.LeaveToMenu());
    EXPECT_EQ(events.left, std::vector<LeaveReason>{LeaveReason::Abandoned});
    EXPECT_FALSE(game.State().DealRunning);
    EXPECT_EQ(game.HelpTopic(), 1);
    EXPECT_FALSE(game.View().action.shown);
    EXPECT_EQ(events.questions.size(), 3u);
    EXPECT_TRUE(game.CloseQuery());  // in the menu the window closes without a question
    EXPECT_EQ(events.questions.size(), 3u);
}

// A host and one client joined by their game messages, each played by a person.
TEST(Driver, LocalNetworkHostAndClientStayInStep) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::deque<std::string> toClient, toHost;
        struct Relay : RecordingEvents {
            std::deque<std::string>* out = nullptr;
            void Announce(std::string_view m) override {
                if (!m.empty() && m[0] == 'h') out->emplace_back(m);
            }
        } hostEvents, clientEvents;
        hostEvents.out = &toClient;
        clientEvents.out = &toHost;
        Game host(hostEvents), client(clientEvents);
        host.Setup().kind = GameKind::LanHost;
        host.Setup().LanRole = 1;
        host.Setup().LanClientIndex = 0;
        client.Setup().kind = GameKind::LanClient;
        client.Setup().LanRole = 2;
        client.Setup().LanClientIndex = 0;
        host.SeedShuffle(seed);
        Person hostPerson(seed), clientPerson(seed + 100);

        auto deal = [&](bool first) {
            if (first) host.StartDeal(true);
            client.State().Deck = host.State().Deck;  // the deck message
            client.State().DeckValue = host.State().DeckValue;
            client.StartDeal(first);
        };
        deal(true);
        int steps = 0;
        while ((host.State().DealRunning || client.State().DealRunning) && steps++ < 20000) {
            const int dealNo = host.State().DealNo;
            if (!toClient.empty()) {
                client.ApplyGameMessage(toClient.front());
                toClient.pop_front();
            } else if (!toHost.empty()) {
                host.ApplyGameMessage(toHost.front());
                toHost.pop_front();
            } else {
                const GameState& c = client.State();
                const bool clientTurn = (phase::IsDecision(c.Phase) && c.Phase == phase::Decision(4)) ||
                                        (c.Phase == phase::Discard(4) && c.Plays[4]) ||
                                        (c.Phase == phase::Play(4) && c.Plays[4]) ||
                                        client.View().action.enabled;
                if (clientTurn || (c.DealRunning && !host.State().DealRunning)) {
                    ASSERT_TRUE(clientPerson.Act(client, clientEvents));
                } else if (!hostPerson.Act(host, hostEvents)) {
                    break;
                }
            }
            if (host.State().DealNo != dealNo) deal(false);
            // The client never drives: these buttons are the host's.
            const WordId caption = client.View().action.caption;
            if (caption == WordId::Ok || caption == WordId::Game || caption == WordId::ToTakeFromAPack ||
                caption == WordId::NextRound || caption == WordId::ToCommunicateCards) {
                ASSERT_FALSE(client.View().action.enabled) << int(caption);
            }
        }
        ASSERT_EQ(hostEvents.left, std::vector<LeaveReason>{LeaveReason::Finished}) << "seed " << seed;
        ASSERT_EQ(clientEvents.left, std::vector<LeaveReason>{LeaveReason::Finished}) << "seed " << seed;
        // Network seat 1 is the host's seat 4 and the client's seat 2; seat 2 the other way round.
        EXPECT_EQ(host.State().Score[4], client.State().Score[2]);
        EXPECT_EQ(host.State().Score[2], client.State().Score[4]);
        EXPECT_EQ(host.State().Score[1], client.State().Score[3]);
        EXPECT_EQ(host.State().Score[3], client.State().Score[1]);
    }
}

}  // namespace kesp

namespace kesp {

TEST(Driver, ALostPlayerBreaksTheGameOffWithoutRecords) {
    RecordingEvents events;
    Game game(events);
    game.Setup().kind = GameKind::LanHost;
    game.Setup().LanRole = 1;
    game.Setup().LanClientIndex = 0;
    game.StartDeal(true);
    const std::string deal = events.announced.at(0);
    // Only a client takes a deal from the host.
    EXPECT_FALSE(game.ReceiveDeal(deal));
    game.BreakOff();
    EXPECT_EQ(events.left, std::vector<LeaveReason>{LeaveReason::BrokenOff});
    EXPECT_FALSE(game.State().DealRunning);
    EXPECT_EQ(game.State().Phase, phase::Menu);
    EXPECT_TRUE(game.TimerRunning());
    EXPECT_EQ(game.TimerInterval(), timer::Menu);
}

}  // namespace kesp

namespace kesp {

// Whatever comes while a step waits changes nothing: ticks, buttons, card clicks, other machines'
// steps, a stale resumption.
void ExpectHeld(Game& game, RecordingEvents& events) {
    const GameState before = game.State();
    const TableView view = game.View();
    const std::size_t announced = events.announced.size();
    game.GameTick();
    game.ActionButton();
    game.SecondButton();
    for (int k = 1; k <= 5; ++k) game.OwnCardClick(MouseButton::Left, k);
    for (const char* m : {"h01#20000", "h90#20000", "h30#10000", "ha0#10000"}) game.ApplyGameMessage(m);
    game.Resume(game.WaitTicket() - 1);
    EXPECT_TRUE(game.Waiting());
    EXPECT_EQ(game.State(), before);
    EXPECT_EQ(game.View(), view);
    EXPECT_EQ(events.announced.size(), announced);
}

// The same person and the same decks give the same game whether the table shows every flight,
// rest and sound at once or takes its time over each, with the whole table held meanwhile.
TEST(Waits, AHeldTablePlaysTheSameGameAsAnInstantOne) {
    for (unsigned seed = 1; seed <= 15; ++seed) {
        RecordingEvents instant, held;
        Game a(instant), b(held);
        held.HoldWaitsOf(b);
        for (Game* g : {&a, &b}) {
            g->SeedShuffle(seed);
            g->Setup().FlyCards = true;
            g->State().GameNo = static_cast<int>(seed);
            g->StartDeal(true);
        }
        Person pa(seed), pb(seed);
        int steps = 0;
        while (a.State().DealRunning && steps++ < 20000) {
            const std::size_t questions = held.questions.size();
            ASSERT_TRUE(pa.Act(a, instant));
            const bool moved = pb.Act(b, held);
            ASSERT_TRUE(moved || b.Waiting()) << "seed " << seed << " step " << steps;
            while (b.Waiting()) {
                ExpectHeld(b, held);
                if (held.questions.size() > questions)
                    b.Answer(WordId::NoCardChange, true);
                else
                    b.Resume(held.ticket);
            }
            ASSERT_EQ(a.State(), b.State()) << "seed " << seed << " step " << steps;
        }
        EXPECT_FALSE(b.State().DealRunning);
        EXPECT_GT(held.waitsStarted, 50);
        EXPECT_EQ(instant.sounds, held.sounds);
        EXPECT_EQ(instant.pauses, held.pauses);
        EXPECT_EQ(instant.left, held.left);
    }
}

TEST(Waits, LeavingDuringAWaitAbandonsIt) {
    RecordingEvents events;
    Game game(events);
    events.HoldWaitsOf(game);
    game.Setup().kind = GameKind::LanHost;
    game.Setup().LanRole = 1;
    game.Setup().LanClientIndex = 0;
    game.SeedShuffle(3);
    game.StartDeal(true);
    game.ActionButton();                      // To Begin
    while (!game.Waiting()) game.GameTick();  // a computer seat's call sounds
    const std::uint32_t ticket = events.ticket;
    game.BreakOff();
    EXPECT_EQ(events.cancelled, 1);
    EXPECT_FALSE(game.Waiting());
    EXPECT_EQ(events.left, std::vector<LeaveReason>{LeaveReason::BrokenOff});
    // The abandoned sound ends later: nothing happens, in the menu or in the next game.
    game.Resume(ticket);
    EXPECT_EQ(game.State().Phase, phase::Menu);
    game.StartDeal(true);
    const GameState dealt = game.State();
    game.Resume(ticket);
    EXPECT_EQ(game.State(), dealt);
}

TEST(Waits, QuestionsAnsweredLater) {
    RecordingEvents events;
    Game game(events);
    events.HoldWaitsOf(game);
    DealKnown(game, 1,
              {{{"7б", "8б", "Вк", "9ч", "6б"},
                {"Дк", "Кк", "1к", "7п", "Вп"},
                {"9к", "1ч", "Вч", "Дч", "Кч"},
                {"6ч", "7ч", "8п", "9п", "Тк"}}},
              "6п");
    GameState& gs = game.State();
    auto settle = [&] {
        for (int i = 0; i < 100 && (game.Waiting() || !phase::IsDiscard(gs.Phase) || gs.Phase != 54); ++i) {
            if (game.Waiting())
                game.Resume(events.ticket);
            else if (game.View().action.enabled)
                game.ActionButton();
            else
                game.GameTick();
        }
    };
    settle();
    ASSERT_EQ(gs.Phase, phase::Discard(4));
    // "Is ready" with nothing marked: the question holds the game until it is answered.
    game.ActionButton();
    ASSERT_TRUE(game.Waiting());
    EXPECT_EQ(events.questions.back(), WordId::NoCardChange);
    ExpectHeld(game, events);
    game.Answer(WordId::NoCardChange, false);
    EXPECT_FALSE(game.Waiting());
    EXPECT_EQ(gs.DiscardAsked, 1);
    EXPECT_EQ(game.View().action, (ButtonState{WordId::IsReady, true, true}));
    game.ActionButton();  // asked once: the cards are kept
    EXPECT_EQ(gs.Phase, phase::DiscardsDone);

    // Leaving is asked without holding the game; a later Yes leaves whatever the game did meanwhile.
    EXPECT_FALSE(game.LeaveToMenu());
    EXPECT_FALSE(game.Waiting());
    settle();
    EXPECT_TRUE(gs.DealRunning);
    game.Answer(WordId::LeaveToMenuQuestion, true);
    EXPECT_EQ(events.left, std::vector<LeaveReason>{LeaveReason::Abandoned});
    game.Answer(WordId::LeaveGameQuestion, true);  // a second answer finds no table
    EXPECT_EQ(events.left.size(), 1u);
}

}  // namespace kesp
