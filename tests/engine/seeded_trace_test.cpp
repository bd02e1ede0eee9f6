// Whole seeded games of four computer players, pinned by one hash each: the decks the seed gives,
// every hand, table, deck, tab, bubble and button the table is asked to draw (with what it then
// shows), every sound, and the state after every step. Making the engine faster must leave all of
// it exactly as it was; a change of the rules must change these hashes on purpose.
#include <cstdint>
#include <string_view>

#include "table_fixture.h"

namespace kesp {
namespace {

// FNV-1a over everything the table is told.
class HashingEvents : public TableEvents {
  public:
    const Game* game = nullptr;
    std::uint64_t hash = 0xcbf29ce484222325ULL;

    void Add(std::int64_t v) {
        for (int i = 0; i < 8; ++i) {
            hash ^= static_cast<std::uint8_t>(v >> (8 * i));
            hash *= 0x100000001b3ULL;
        }
    }
    void Add(const Card& c) { Add(c.length << 16 | c.rank << 8 | c.suit); }
    template <typename T, int First, int Last>
    void Add(const Slots<T, First, Last>& slots) {
        for (const T& item : slots.items) Add(item);
    }
    void Add(std::string_view text) {
        for (char ch : text) Add(ch);
        Add(-1);
    }
    void AddEvent(char what, int seat = 0) {
        Add(what);
        Add(seat);
    }

    // The state after a step, beyond what the events show.
    void AddState() {
        const GameState& gs = game->State();
        AddEvent('S');
        for (int v :
             {int{gs.Phase}, int{gs.TablePos}, int{gs.Leader}, int{gs.TableLeader}, int{gs.LastPlayer},
              int{gs.TrickNo}, int{gs.NextDraw}, int{gs.DecisionCount}, int{gs.PlayerCount},
              int{gs.NoTrumpSeats.bits}, int{gs.SingleOrNone}, int{gs.GameOver}, int{gs.Settled},
              int{gs.TrumpTaken}, int{gs.LedSuit}, gs.Advantage, gs.ProvisionalTotal})
            Add(v);
        for (int s = 1; s <= 4; ++s) {
            Add(gs.Hand[s]);
            Add(gs.HandValue[s]);
            Add(gs.HandCount[s]);
            Add(gs.StartHand[s]);
            Add(gs.Plays[s]);
            Add(gs.TricksWon[s]);
            Add(gs.TrickPoints[s]);
            Add(gs.Penalty[s]);
            Add(gs.AcesAtStart[s].bits);
            Add(gs.Score[s]);
        }
        Add(gs.History);
        Add(gs.LastTrick);
    }

    void DrawHand(int seat) override {
        const GameState& gs = game->State();
        AddEvent('H', seat);
        Add(game->View().handFaceUp[seat]);
        Add(gs.Hand[seat]);
        Add(gs.HandValue[seat]);
        Add(gs.HandCount[seat]);
    }
    void DrawTable() override {
        AddEvent('T');
        Add(game->State().Table);
        Add(game->State().TableValue);
        Add(game->State().LastTrick);
    }
    void DrawDeck() override {
        AddEvent('D');
        Add(game->State().NextDraw);
        Add(game->View().trumpCardOnDeck);
    }
    void DrawInfoPanel() override {
        AddEvent('I');
        Add(game->State().Trump);
        Add(game->State().DealNo);
    }
    void DrawSeatTab(int seat) override {
        const SeatTab& tab = game->View().tabs[seat];
        AddEvent('t', seat);
        for (int v : {int{tab.changeShown}, tab.change, int{tab.leads}, int{tab.star}, int{tab.settled}})
            Add(v);
        Add(game->State().Score[seat]);
    }
    void DrawBubble(int seat) override {
        AddEvent('B', seat);
        Add(static_cast<int>(game->View().bubbles[seat]));
    }
    void ButtonsChanged() override {
        const TableView& view = game->View();
        AddEvent('b');
        for (const ButtonState& button : {view.action, view.second}) {
            Add(static_cast<int>(button.caption));
            Add(button.enabled);
            Add(button.shown);
        }
    }
    void NewDeal() override {
        AddEvent('N');
        Add(game->State().Deck);
        Add(game->State().DeckValue);
    }
    void TimerChanged() override {
        AddEvent('C');
        Add(game->TimerInterval());
        Add(game->TimerRunning());
    }
    bool FlyCard(Flight flight, int seat, const Card& card) override {
        AddEvent('F', seat);
        Add(static_cast<int>(flight));
        Add(card);
        return false;
    }
    bool Pause(int milliseconds) override {
        AddEvent('P');
        Add(milliseconds);
        return false;
    }
    bool PlaySound(std::string_view name, bool wait) override {
        AddEvent('s');
        Add(name);
        Add(wait);
        return false;
    }
    void StartRecording() override { AddEvent('R'); }
    void FinishRecording() override { AddEvent('r'); }
};

struct SeededCase {
    std::uint64_t seed;
    int games;
    int initialScore;
    bool flyCards;
    bool openCardsAtEnd;
    std::uint64_t hash;
};

TEST(SeededGames, TracesAreUnchanged) {
    const SeededCase cases[] = {
        {1, 5, 100, false, false, 5430757363790467137ULL},
        {2, 3, 150, true, true, 11414179177598383204ULL},
        {20261210, 2, 200, true, false, 15716674235235954773ULL},
    };
    for (const SeededCase& c : cases) {
        HashingEvents events;
        Game game(events);
        events.game = &game;
        game.Setup().AllComputer = true;
        game.Setup().InitialScore = c.initialScore;
        game.Setup().FlyCards = c.flyCards;
        game.Setup().OpenCardsAtEnd = c.openCardsAtEnd;
        game.SeedShuffle(c.seed);
        GameState& gs = game.State();
        for (int g = 1; g <= c.games; ++g) {
            gs.GameNo = g;
            game.StartDeal(true);
            for (int steps = 0; gs.Phase != phase::GameSettled; ++steps) {
                ASSERT_LT(steps, 10000) << "seed " << c.seed << " stuck in phase " << int{gs.Phase};
                if (game.View().action.enabled)
                    game.ActionButton();
                else
                    game.GameTick();
                events.AddState();
            }
        }
        EXPECT_EQ(events.hash, c.hash) << "seed " << c.seed;
    }
}

}  // namespace
}  // namespace kesp
