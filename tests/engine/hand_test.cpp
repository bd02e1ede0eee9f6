#include "engine/hand.h"

#include <algorithm>
#include <numeric>
#include <random>

#include "table_fixture.h"

namespace kesp {
using namespace test;

TEST(Cards, CodesAreTheCodePageBytes) {
    EXPECT_EQ(C("1ч").rank, 0x31);
    EXPECT_EQ(C("1ч").suit, 0xF7);
    EXPECT_EQ(C("Тп").rank, 0xD2);
    EXPECT_EQ(C("Тп").suit, 0xEF);
    EXPECT_EQ(C("Вб").rank, 0xC2);
    EXPECT_EQ(C("Дк").rank, 0xC4);
    EXPECT_EQ(C("Кк").rank, 0xCA);
    EXPECT_EQ(C("6б").suit, 0xE1);
    EXPECT_EQ(C("6к").suit, 0xEA);
}

TEST(Cards, DeckNumbering) {
    const struct {
        int number;
        const char* card;
    } cases[] = {{1, "6ч"}, {2, "6б"}, {3, "6к"}, {4, "6п"}, {5, "7ч"}, {17, "1ч"}, {33, "Тч"}, {36, "Тп"}};
    for (const auto& c : cases) {
        EXPECT_EQ(Card::FromDeckNumber(c.number), C(c.card)) << c.number;
        EXPECT_EQ(C(c.card).DeckNumber(), c.number) << c.card;
    }
}

TEST(Cards, TenNeverMatchesAnotherCard) {
    for (int k = 1; k <= 36; ++k) {
        const Card other = Card::FromDeckNumber(k);
        EXPECT_EQ(other == C("1ч"), other.DeckNumber() == C("1ч").DeckNumber()) << Name(other);
    }
}

TEST(Cards, EmptySlots) {
    EXPECT_TRUE(Card{}.IsEmpty());  // never written
    EXPECT_TRUE(Card::Empty().IsEmpty());
    EXPECT_EQ(Card{}.Suit(), suit::None);
    EXPECT_EQ(Card::Empty().Value(), 99);
    EXPECT_FALSE(C("6ч").IsEmpty());
}

// Five cards dealt from the first places of the deck.
void DealFive(GameState& gs, int s, std::initializer_list<const char*> cards) {
    int p = 1;
    for (const char* name : cards) {
        gs.Deck[p] = C(name);
        gs.DeckValue[p++] = C(name).Value();
    }
    DealHand(gs, s, 1);
}

TEST(DealHand, OrdersNonTrumpsThenTrumps) {
    const struct {
        const char* trump;
        const char* expected;
    } cases[] = {{"п", "7ч 9б 6п Кп Тп"}, {"ч", "6п 9б Кп Тп 7ч"}};
    for (const auto& c : cases) {
        GameState gs;
        gs.Trump = S(c.trump);
        DealFive(gs, 1, {"Тп", "7ч", "6п", "9б", "Кп"});
        EXPECT_EQ(HandText(gs, 1), c.expected) << c.trump;
        EXPECT_EQ(gs.HandCount[1], 5);
        EXPECT_EQ(gs.HandValue[1][1], c.trump == std::string("п") ? 2 : 1);
    }
}

TEST(DealHand, EqualRanksKeepTheirDeckOrder) {
    GameState gs;
    gs.Trump = S("п");
    DealFive(gs, 2, {"9к", "7б", "9ч", "7ч", "6п"});
    EXPECT_EQ(HandText(gs, 2), "7б 7ч 9к 9ч 6п");
    DealFive(gs, 2, {"9ч", "7ч", "9к", "7б", "8п"});
    EXPECT_EQ(HandText(gs, 2), "7ч 7б 9ч 9к 8п");
}

TEST(Cards, NeverWrittenSlotsHoldNoSuit) {
    EXPECT_FALSE(HandHasSuit(GameState{}, 1, S("ч")));
}

// Dealing, playing, discarding and drawing change an ordered hand in place; the result must be
// what sorting the changed hand again gives, equal ranks included.
TEST(HandChanges, KeepTheOrderThatSortingGives) {
    std::mt19937 rng(5);
    for (int round = 0; round < 3000; ++round) {
        GameState gs;
        gs.Trump = SuitsInDeckOrder[rng() % 4];
        std::array<int, 36> deck{};
        std::iota(deck.begin(), deck.end(), 1);
        std::shuffle(deck.begin(), deck.end(), rng);
        const int count = 1 + static_cast<int>(rng() % 5);
        for (int k = 1; k <= 5; ++k)
            SetHandSlot(gs, 1, k,
                        k <= count ? Card::FromDeckNumber(deck[static_cast<std::size_t>(k)]) : Card::Empty());
        if (count == 5) {  // the same cards dealt from the deck in their slot order
            GameState dealt = gs;
            for (int p = 1; p <= 5; ++p) {
                dealt.Deck[p] = gs.Hand[1][p];
                dealt.DeckValue[p] = gs.HandValue[1][p];
            }
            DealHand(dealt, 1, 1);
            SortHand(gs, 1);
            ASSERT_EQ(HandText(dealt, 1), HandText(gs, 1)) << "round " << round;
            ASSERT_EQ(dealt.HandValue[1], gs.HandValue[1]) << "round " << round;
            ASSERT_EQ(dealt.HandCount[1], gs.HandCount[1]) << "round " << round;
        }
        SortHand(gs, 1);
        GameState expected = gs;

        const int slot = 1 + static_cast<int>(rng() % static_cast<unsigned>(count));
        switch (rng() % 3) {
            case 0:  // a card played
                RemoveFromHand(gs, 1, slot);
                SetHandSlot(expected, 1, slot, Card::Empty());
                break;
            case 1:  // cards discarded
                for (int k = 1; k <= count; ++k)
                    if (k == slot || rng() % 2) {
                        SetHandSlot(gs, 1, k, Card::Empty());
                        SetHandSlot(expected, 1, k, Card::Empty());
                    }
                CloseGaps(gs, 1);
                break;
            default: {  // a card drawn, or the trump card taken into slot 5
                if (count == 5) continue;
                const int into = rng() % 2 ? 5 : count + 1;
                SetHandSlot(gs, 1, into, Card::FromDeckNumber(deck[0]));
                SetHandSlot(expected, 1, into, Card::FromDeckNumber(deck[0]));
                SortInCard(gs, 1, into);
                break;
            }
        }
        SortHand(expected, 1);
        ASSERT_EQ(HandText(gs, 1), HandText(expected, 1)) << "round " << round;
        ASSERT_EQ(gs.HandValue[1], expected.HandValue[1]) << "round " << round;
        ASSERT_EQ(gs.HandCount[1], expected.HandCount[1]) << "round " << round;
    }
}

TEST(Queries, ScanHandTableAndHistory) {
    GameState gs;
    gs.Trump = S("п");
    SetHand(gs, 1, {"7ч", "Дч", "9к", "6п", "Кп"});
    EXPECT_TRUE(HandHasSuit(gs, 1, S("к")));
    EXPECT_FALSE(HandHasSuit(gs, 1, S("б")));
    EXPECT_TRUE(HandHasCard(gs, 1, C("Дч")));
    EXPECT_FALSE(HandHasCard(gs, 1, C("Дб")));
    EXPECT_EQ(HighestOfSuit(gs, 1, S("ч")).slot, 2);
    EXPECT_EQ(HighestOfSuit(gs, 1, S("ч")).value, 7);
    EXPECT_EQ(LowestOfSuit(gs, 1, S("п")).slot, 4);
    EXPECT_EQ(LowestOfSuit(gs, 1, S("б")).value, 0);
    EXPECT_EQ(LowestOfSuit(gs, 1, S("б")).slot, 0);

    SetTable(gs, {"Вб", "##", "Тб", "6ч"});
    EXPECT_TRUE(TableHasSuit(gs, S("б")));
    EXPECT_FALSE(TableHasSuit(gs, S("п")));
    EXPECT_EQ(TableHighest(gs, S("б")), 9);
    EXPECT_EQ(TableHighest(gs, S("к")), 0);

    gs.History.Fill(Card::Empty());
    gs.History[21] = C("Дп");
    EXPECT_TRUE(HistoryHasCard(gs, C("Дп")));
    EXPECT_FALSE(HistoryHasCard(gs, C("Кп")));
    EXPECT_EQ(NextSeat(4), 1);
    EXPECT_EQ(NextSeat(2), 3);
}

}  // namespace kesp
