#include "engine/hand.h"

namespace kesp {

namespace {

// Place of a card in the hand order: trumps after all other cards, by rising rank value inside
// each group.
std::uint8_t OrderKey(std::uint8_t trump, const Card& c, std::uint8_t value) {
    return static_cast<std::uint8_t>((c.suit == trump ? 16 : 0) + value);
}

}  // namespace

// A card's place is the number of cards before it: those of lower order key, and those of equal
// key dealt earlier.
void DealHand(GameState& gs, int s, int first) {
    assert(first >= 1 && first + 4 <= 36);
    const Card* cards = &gs.Deck.items[static_cast<std::size_t>(first - 1)];
    const std::uint8_t* values = &gs.DeckValue.items[static_cast<std::size_t>(first - 1)];
    const std::uint8_t trump = gs.Trump;
    std::uint8_t keys[5];
    for (int i = 0; i < 5; ++i) keys[i] = OrderKey(trump, cards[i], values[i]);
    int place[5] = {};
    for (int i = 0; i < 5; ++i)
        for (int j = i + 1; j < 5; ++j) ++(keys[j] < keys[i] ? place[i] : place[j]);
    HandSlots& hand = gs.Hand[s];
    HandValues& handValues = gs.HandValue[s];
    for (int i = 0; i < 5; ++i) {
        hand.items[static_cast<std::size_t>(place[i])] = cards[i];
        handValues.items[static_cast<std::size_t>(place[i])] = values[i];
    }
    gs.HandCount[s] = 5;
}

void RemoveFromHand(GameState& gs, int s, int k) {
    HandSlots& hand = gs.Hand[s];
    HandValues& values = gs.HandValue[s];
    int i = k - 1;  // items are numbered from 0
    for (; i < 4 && values.items[i + 1] != EmptyValue; ++i) {
        hand.items[i] = hand.items[i + 1];
        values.items[i] = values.items[i + 1];
    }
    hand.items[i] = Card::Empty();
    values.items[i] = EmptyValue;
    gs.HandCount[s] = static_cast<std::uint8_t>(i);
}

void RemoveRun(GameState& gs, int s, int first, int count) {
    HandSlots& hand = gs.Hand[s];
    HandValues& values = gs.HandValue[s];
    const int n = gs.HandCount[s];
    assert(first >= 1 && count >= 0 && first - 1 + count <= n && n <= 5);
    for (int i = first - 1; i + count < n; ++i) {
        hand.items[i] = hand.items[i + count];
        values.items[i] = values.items[i + count];
    }
    for (int i = n - count; i < n; ++i) {
        hand.items[i] = Card::Empty();
        values.items[i] = EmptyValue;
    }
    gs.HandCount[s] = static_cast<std::uint8_t>(n - count);
}

void CloseGaps(GameState& gs, int s) {
    HandSlots& hand = gs.Hand[s];
    HandValues& values = gs.HandValue[s];
    int n = 0;
    for (int i = 0; i < 5; ++i) {
        if (values.items[i] == EmptyValue) continue;  // emptied with its value
        hand.items[n] = hand.items[i];
        values.items[n] = values.items[i];
        ++n;
    }
    for (int i = n; i < 5; ++i) {
        hand.items[i] = Card::Empty();
        values.items[i] = EmptyValue;
    }
    gs.HandCount[s] = static_cast<std::uint8_t>(n);
}

void SortInCard(GameState& gs, int s, int k) {
    const Card card = gs.Hand[s][k];
    const std::uint8_t value = gs.HandValue[s][k];
    SetHandSlot(gs, s, k, Card::Empty());
    int n = 0;  // the other cards fill items 0..n-1
    while (n < 5 && gs.HandValue[s].items[n] != EmptyValue) ++n;
    gs.HandCount[s] = static_cast<std::uint8_t>(n);
    InsertCard(gs, s, card, value);
}

// The cards that come after it move down one item, from the end: every trump when it is no trump,
// then those of its own group with a higher value (equal values stay before it, as a stable sort
// keeps them).
void InsertCard(GameState& gs, int s, const Card& card, std::uint8_t value) {
    HandSlots& hand = gs.Hand[s];
    HandValues& values = gs.HandValue[s];
    const std::uint8_t trump = gs.Trump;
    const int n = gs.HandCount[s];
    const bool isTrump = card.suit == trump;
    int j = n;
    const auto moveDown = [&] {
        hand.items[j] = hand.items[j - 1];
        values.items[j] = values.items[j - 1];
        --j;
    };
    if (!isTrump)
        while (j > 0 && hand.items[j - 1].suit == trump) moveDown();
    while (j > 0 && values.items[j - 1] > value && (!isTrump || hand.items[j - 1].suit == trump)) moveDown();
    hand.items[j] = card;
    values.items[j] = value;
    gs.HandCount[s] = static_cast<std::uint8_t>(n + 1);
}

bool HandHasSuit(const GameState& gs, int s, std::uint8_t suitChar) {
    for (int k = 1; k <= 5; ++k)
        if (gs.Hand[s][k].Suit() == suitChar) return true;
    return false;
}

bool HandHasCard(const GameState& gs, int s, const Card& card) {
    for (int k = 1; k <= 5; ++k)
        if (!gs.Hand[s][k].IsEmpty() && gs.Hand[s][k] == card) return true;
    return false;
}

FoundCard HighestOfSuit(const GameState& gs, int s, std::uint8_t suitChar) {
    FoundCard best;
    for (int k = 1; k <= 5; ++k) {
        const Card& c = gs.Hand[s][k];
        if (c.Suit() == suitChar && c.Value() > best.value) best = {c.Value(), k};
    }
    return best;
}

FoundCard LowestOfSuit(const GameState& gs, int s, std::uint8_t suitChar) {
    FoundCard best;
    for (int k = 1; k <= 5; ++k) {
        const Card& c = gs.Hand[s][k];
        if (c.Suit() == suitChar && (!best.found() || c.Value() < best.value)) best = {c.Value(), k};
    }
    return best;
}

bool TableHasSuit(const GameState& gs, std::uint8_t suitChar) {
    for (int p = 1; p <= 4; ++p)
        if (gs.Table[p].Suit() == suitChar) return true;
    return false;
}

std::uint8_t TableHighest(const GameState& gs, std::uint8_t suitChar) {
    std::uint8_t best = 0;
    for (int p = 1; p <= 4; ++p)
        if (gs.Table[p].Suit() == suitChar && gs.Table[p].Value() > best) best = gs.Table[p].Value();
    return best;
}

TableBest BestOnTable(const GameState& gs) {
    TableBest best;
    for (int p = 1; p <= 4; ++p)
        best.Place(p, gs.Table.items[p - 1].suit, gs.TableValue.items[p - 1], gs.LedSuit, gs.Trump);
    return best;
}

bool HistoryHasCard(const GameState& gs, const Card& card) {
    for (int i = 1; i <= 21; ++i)
        if (!gs.History[i].IsEmpty() && gs.History[i] == card) return true;
    return false;
}

int CountAces(const GameState& gs, int s) {
    int n = 0;
    for (std::uint8_t value : gs.HandValue[s].items) n += value == 9 ? 1 : 0;  // only an ace has value 9
    return n;
}

int CountSuit(const GameState& gs, int s, std::uint8_t suitChar) {
    int n = 0;
    for (const Card& c : gs.Hand[s].items) n += c.Suit() == suitChar ? 1 : 0;
    return n;
}

int CountPlaying(const GameState& gs) {
    int n = 0;
    for (int s = 1; s <= 4; ++s) n += gs.Plays[s] ? 1 : 0;
    return n;
}

}  // namespace kesp
