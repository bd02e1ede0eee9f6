#include "engine/computer_player.h"

#include "table_fixture.h"

namespace kesp {
using namespace test;

namespace {
// Seat `s` to move in a trick: `table` lies on positions 1.. of a trick led by `leader`.
GameState Position(const char* trump, int s, std::initializer_list<const char*> hand,
                   std::initializer_list<const char*> table, int leader, int lastPlayer) {
    GameState gs;
    gs.Trump = S(trump);
    gs.Plays.Fill(1);
    gs.History.Fill(Card::Empty());
    gs.TrickNo = 4;  // late in the deal: three tricks lie in History
    SetHand(gs, s, hand);
    SortHand(gs, s);
    SetTable(gs, table);
    gs.LedSuit = gs.Table[1].Suit();
    gs.Leader = static_cast<std::uint8_t>(leader);
    gs.LastPlayer = static_cast<std::uint8_t>(lastPlayer);
    gs.TablePos = static_cast<std::uint8_t>(table.size() + 1);
    return gs;
}

std::string Chosen(const GameState& gs, int s, int slot) {
    return slot == 0 ? "-" : Name(gs.Hand[s][slot]);
}
}  // namespace

TEST(ComputerLead, TrumpLeadAndItsExceptions) {
    // Hearts trump; the ace and king of hearts are gone; seat 2 is not known to be out of trumps.
    GameState gs = Position("ч", 1, {"Дч", "7к"}, {}, 1, 4);
    gs.History[1] = C("Тч");
    gs.History[2] = C("Кч");
    EXPECT_EQ(Chosen(gs, 1, ComputerLeadSlot(gs, 1)), "Дч");

    // All others are out of trumps: lead the low plain card, or the ace of its suit.
    gs = Position("ч", 1, {"Дч", "7к"}, {}, 1, 4);
    gs.NoTrumpSeats.Add(2);
    gs.NoTrumpSeats.Add(3);
    gs.NoTrumpSeats.Add(4);
    EXPECT_EQ(Chosen(gs, 1, ComputerLeadSlot(gs, 1)), "7к");
    gs = Position("ч", 1, {"Дч", "7к", "Тк"}, {}, 1, 4);
    gs.NoTrumpSeats.bits = 0b11100;
    EXPECT_EQ(Chosen(gs, 1, ComputerLeadSlot(gs, 1)), "Тк");

    // Every trump is accounted for: no trump lead.
    gs = Position("ч", 1, {"Дч", "7к"}, {}, 1, 4);
    const char* played[] = {"6ч", "7ч", "8ч", "9ч", "1ч", "Вч", "Кч", "Тч"};
    for (int i = 0; i < 8; ++i) gs.History[i + 1] = C(played[i]);
    EXPECT_EQ(Chosen(gs, 1, ComputerLeadSlot(gs, 1)), "7к");

    // An ace of trumps always goes first; a queen with the king still out does not.
    gs = Position("ч", 1, {"Тч", "7к"}, {}, 1, 4);
    EXPECT_EQ(Chosen(gs, 1, ComputerLeadSlot(gs, 1)), "Тч");
    gs = Position("ч", 1, {"Дч", "7к"}, {}, 1, 4);
    gs.History[1] = C("Тч");
    EXPECT_EQ(Chosen(gs, 1, ComputerLeadSlot(gs, 1)), "7к");

    // Without trumps, or with only aces and trumps, lead the card in the last slot.
    gs = Position("ч", 1, {"Тк", "7б", "9п"}, {}, 1, 4);
    EXPECT_EQ(Chosen(gs, 1, ComputerLeadSlot(gs, 1)), "Тк");
    gs = Position("ч", 1, {"Тк", "7ч", "9ч"}, {}, 1, 4);
    gs.History[1] = C("Тч");  // ace gone, king and others still out: no trump lead by rule 2
    EXPECT_EQ(Chosen(gs, 1, ComputerLeadSlot(gs, 1)), "9ч");
}

TEST(ComputerFollow, RulesAsLastAndNotLastPlayer) {
    const struct {
        const char* trump;
        std::vector<const char*> hand;
        std::vector<const char*> table;
        bool last;
        const char* expected;
    } cases[] = {
        // Led suit, no trump on the table.
        {"б", {"Тч", "Дч", "7к"}, {"Кч"}, true, "Тч"},
        {"б", {"Тч", "Дч", "7к"}, {"Кч"}, false, "Тч"},
        {"б", {"Дч", "Тч", "7к"}, {"Вч"}, true, "Тч"},   // the ace takes its own value home
        {"б", {"Дч", "Кч", "7к"}, {"Вч"}, true, "Дч"},   // lowest that beats
        {"б", {"Дч", "Кч", "7к"}, {"Вч"}, false, "Кч"},  // highest
        {"б", {"7ч", "9ч", "7к"}, {"Вч"}, true, "7ч"},   // cannot beat: lowest
        {"б", {"7ч", "9ч", "7к"}, {"Вч"}, false, "7ч"},
        // Void in the led suit, holding trumps.
        {"б", {"7б", "Кб", "7к"}, {"Вч"}, true, "7б"},
        {"б", {"7б", "Кб", "7к"}, {"Вч"}, false, "Кб"},
        // A trump on the table.
        {"б", {"7ч", "Тч", "Кб"}, {"Вч", "6б"}, false, "7ч"},  // must follow: lowest of the suit
        {"б", {"7б", "Кб", "7к"}, {"Вч", "8б"}, true, "Кб"},   // lowest trump that beats
        {"б", {"7б", "Кб", "7к"}, {"Вч", "8б"}, false, "Кб"},
        {"б", {"6б", "7б", "7к"}, {"Вч", "Тб"}, true, "6б"},  // cannot beat: still the lowest trump
        {"б", {"6б", "7б", "7к"}, {"Вч", "Тб"}, false, "6б"},
        // Trump led.
        {"б", {"7б", "Кб", "Тб"}, {"Дб"}, true, "Кб"},
        {"б", {"7б", "Кб", "Тб"}, {"Дб"}, false, "Тб"},
        {"б", {"7б", "9б", "7к"}, {"Дб"}, true, "7б"},
        {"б", {"7к", "9ч", "Тп"}, {"Дб"}, false, "7к"},  // no trump: discard the lowest
        // Neither led suit nor trump.
        {"б", {"Тп", "Тк", "Тч"}, {"9б"}, true, "Тп"},  // only aces: the cheapest, spades, first
        {"б", {"Тк", "Тч"}, {"9п"}, true, "Тк"},
        {"б", {"Тк", "8ч", "7к"}, {"9п"}, true, "7к"},  // aces go last
    };
    for (const auto& c : cases) {
        const int s = 3;
        GameState gs;
        gs.Trump = S(c.trump);
        gs.Plays.Fill(1);
        int n = 0;
        for (const char* card : c.hand) SetHandSlot(gs, s, ++n, C(card));
        for (int k = n + 1; k <= 5; ++k) SetHandSlot(gs, s, k, Card::Empty());
        SortHand(gs, s);
        int p = 0;
        gs.Table.Fill(Card::Empty());
        for (const char* card : c.table) {
            ++p;
            gs.Table[p] = std::string(card) == "##" ? Card::Empty() : C(card);
        }
        gs.LedSuit = gs.Table[1].Suit();
        gs.TablePos = static_cast<std::uint8_t>(p + 1);
        gs.LastPlayer = c.last ? s : 4;
        EXPECT_EQ(Chosen(gs, s, ComputerFollowSlot(gs, s)), c.expected)
            << "table " << c.table[0] << (c.last ? " last" : " not last") << " hand " << c.hand[0];
    }
}

TEST(ComputerFollow, ShedsAcesFromSpadesUpWhenHoldingNothingElse) {
    GameState gs;
    gs.Trump = S("б");
    gs.Plays.Fill(1);
    SetHand(gs, 2, {"Тч", "Тк", "Тп"});
    SortHand(gs, 2);
    SetTable(gs, {"9б"});
    gs.LedSuit = S("б");
    gs.TablePos = 2;
    EXPECT_EQ(Chosen(gs, 2, ComputerFollowSlot(gs, 2)), "Тп");
    SetHand(gs, 2, {"Тч", "Тк"});
    SortHand(gs, 2);
    EXPECT_EQ(Chosen(gs, 2, ComputerFollowSlot(gs, 2)), "Тк");
}

TEST(ComputerPlayer, PassedSeatsMakeTheEmptyMove) {
    GameState gs;
    gs.Plays.Fill(1);
    gs.Plays[2] = 0;
    EXPECT_EQ(ComputerLeadSlot(gs, 2), 0);
    EXPECT_EQ(ComputerFollowSlot(gs, 2), 0);
}

TEST(LastPlayer, FirstPlayingSeatBeforeTheLeader) {
    const struct {
        int leader;
        std::array<int, 4> plays;
        int last;
    } cases[] = {{2, {0, 1, 1, 0}, 3},
                 {1, {1, 1, 1, 1}, 4},
                 {1, {1, 1, 1, 0}, 3},
                 {1, {1, 1, 0, 0}, 2},
                 {4, {0, 1, 0, 1}, 2}};
    for (const auto& c : cases) {
        GameState gs;
        for (int s = 1; s <= 4; ++s)
            gs.Plays[s] = static_cast<std::uint8_t>(c.plays[static_cast<std::size_t>(s - 1)]);
        gs.Leader = static_cast<std::uint8_t>(c.leader);
        EXPECT_EQ(FindLastPlayer(gs), c.last) << "leader " << c.leader;
    }
}

TEST(ComputerPlayer, IntentionsToPlay) {
    const struct {
        std::vector<const char*> hand;
        bool person, dealer;
        int intention;
    } cases[] = {
        {{"Тк", "7ч", "8ч", "9ч", "6к"}, true, false, 1},   // an ace: a person must play
        {{"6к", "7ч", "8ч", "9ч", "Тп"}, true, false, 1},   // the ace of trumps too
        {{"Тк", "7п", "8ч", "9ч", "6к"}, true, false, 1},   // an ace before a trump
        {{"7п", "8п", "8ч", "9ч", "6к"}, true, false, 0},   // trumps count for the computer only
        {{"7п", "8п", "8ч", "9ч", "6к"}, false, false, 1},  // two trumps
        {{"7п", "8к", "8ч", "9ч", "6к"}, false, false, 0},  // one trump
        {{"7п", "8к", "8ч", "9ч", "6к"}, false, true, 1},   // one trump and the trump card to come
    };
    for (const auto& c : cases) {
        GameState gs;
        gs.Trump = S("п");
        gs.HumanSeat[1] = c.person ? 1 : 0;
        gs.Dealer = c.dealer ? 1 : 2;
        int k = 0;
        for (const char* card : c.hand) SetHandSlot(gs, 1, ++k, C(card));
        SortHand(gs, 1);  // as dealt
        EXPECT_EQ(Intention(gs, 1), c.intention) << c.hand[0] << c.hand[1];
    }
}

}  // namespace kesp
