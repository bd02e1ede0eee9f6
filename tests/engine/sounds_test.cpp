// The sounds the engine asks for at the game's events, and whether the game waits for each.
#include <map>

#include "table_fixture.h"

namespace kesp {
using namespace test;

namespace {

// Whether the game waits for each sound before it goes on.
const std::map<std::string, bool> kWaits = {{"WTasoKo", false}, {"WHodsDo", true},  {"WDiPlay", true},
                                            {"WDiPass", true},  {"WPlMore", true},  {"WKoGutX", false},
                                            {"WKoBadX", false}, {"WWrongs", false}, {"WOpenFo", false}};

void ExpectWaitFlags(const RecordingEvents& events) {
    for (const auto& [name, wait] : events.soundCalls) {
        ASSERT_TRUE(kWaits.contains(name)) << name;
        EXPECT_EQ(wait, kWaits.at(name)) << name;
    }
}

// The calls with runs of the same sound made one.
std::vector<std::string> Runs(const RecordingEvents& events) {
    std::vector<std::string> runs;
    for (const auto& call : events.soundCalls)
        if (runs.empty() || runs.back() != call.first) runs.push_back(call.first);
    return runs;
}

// Plays the dealt deal to its scoring, pressing the table's button whenever it is offered.
void PlayToScoring(Game& game) {
    game.ActionButton();  // To Begin
    for (int i = 0;
         i < 100 && game.State().Phase != phase::DealScored && game.State().Phase != phase::GameOverPhase;
         ++i) {
        TickWhileAutomatic(game);
        if (game.View().action.enabled) game.ActionButton();
    }
}

}  // namespace

TEST(Sounds, AWholeDealPlaysEachEventsSoundWithItsWaitFlag) {
    RecordingEvents events;
    Game game(events);
    game.Setup().AllComputer = true;
    // Seats 1, 2 and 4 hold an ace and must play; seat 3 passes.
    DealKnown(game, 1,
              {{{"Тч", "7ч", "8ч", "9б", "6к"},
                {"Тб", "8б", "Вк", "9ч", "6б"},
                {"Дк", "Кк", "1к", "7к", "8к"},
                {"Тк", "1ч", "Вч", "Дч", "Кч"}}},
              "Тп");
    ASSERT_EQ(events.soundCalls.size(), 1u);
    EXPECT_EQ(events.soundCalls[0], (std::pair<std::string, bool>{"WTasoKo", false}));
    PlayToScoring(game);
    ASSERT_EQ(game.State().Phase, phase::DealScored);
    ExpectWaitFlags(events);

    int decisions = 0, cards = 0;
    for (const auto& [name, wait] : events.soundCalls) {
        decisions += name == "WDiPlay" || name == "WDiPass";
        cards += name == "WHodsDo";
    }
    EXPECT_EQ(decisions, 4);
    // Every card drawn and every card played: at least the five tricks of the three players.
    EXPECT_GE(cards, 15);
    const std::vector<std::string> runs = Runs(events);
    ASSERT_GE(runs.size(), 4u);
    EXPECT_EQ(runs.front(), "WTasoKo");
    // Seat 4 played: the deal ends with its good or bad sound, after the last card.
    EXPECT_TRUE(runs.back() == "WKoGutX" || runs.back() == "WKoBadX") << runs.back();
    EXPECT_EQ(runs[runs.size() - 2], "WHodsDo");
}

TEST(Sounds, FourAcesWaitForTheirFanfare) {
    RecordingEvents events;
    Game game(events);
    DealKnown(game, 2,
              {{{"Тч", "Тб", "Тк", "Тп", "6ч"},
                {"7б", "8б", "Вк", "9ч", "6б"},
                {"Дк", "Кк", "1к", "7к", "8к"},
                {"9к", "1ч", "Вч", "Дч", "Кч"}}},
              "6п");
    game.ActionButton();
    ASSERT_EQ(game.State().Phase, phase::GameOverPhase);
    EXPECT_EQ(events.soundCalls.back(), (std::pair<std::string, bool>{"WPlMore", true}));
}

TEST(Sounds, RefusedMovesAndOpenedWindowsDoNotWait) {
    RecordingEvents events;
    Game game(events);
    DealKnown(game, 4,
              {{{"Тб", "8к", "Вк", "9ч", "6б"},
                {"Дк", "Кк", "1к", "7к", "8ч"},
                {"9к", "1ч", "Вч", "Дч", "Кч"},
                {"Тч", "7ч", "8б", "9б", "6к"}}},
              "Тп");
    game.ActionButton();  // To Begin: the user decides first
    TickWhileAutomatic(game);
    game.ActionButton();  // To Play
    TickWhileAutomatic(game);
    game.ActionButton();  // to the discards, the dealer's first
    TickWhileAutomatic(game);
    ASSERT_EQ(game.State().Phase, 54);
    int ace = 1;
    while (ace < 5 && Name(game.State().Hand[4][ace]) != "Тч") ++ace;
    game.OwnCardClick(MouseButton::Left, ace);  // an ace cannot be discarded
    EXPECT_EQ(events.soundCalls.back(), (std::pair<std::string, bool>{"WWrongs", false}));
    game.ActionButton();  // "Is ready" with nothing marked: the dealer must discard
    EXPECT_EQ(events.soundCalls.back(), (std::pair<std::string, bool>{"WOpenFo", false}));
    ExpectWaitFlags(events);
}

}  // namespace kesp
