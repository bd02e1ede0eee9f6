#include "engine/hand.h"

namespace kesp {

void NormaliseHand(GameState& gs, int s) {
    Card cards[5];
    int n = 0;
    for (int k = 1; k <= 5; ++k)
        if (!gs.Hand[s][k].IsEmpty()) cards[n++] = gs.Hand[s][k];

    // Stable insertion sort on (is trump, rank value).
    auto key = [&](const Card& c) { return (c.suit == gs.Trump ? 100 : 0) + RankValue(c.rank); };
    for (int i = 1; i < n; ++i) {
        const Card c = cards[i];
        int j = i;
        while (j > 0 && key(cards[j - 1]) > key(c)) {
            cards[j] = cards[j - 1];
            --j;
        }
        cards[j] = c;
    }
    for (int k = 1; k <= 5; ++k) SetHandSlot(gs, s, k, k <= n ? cards[k - 1] : Card::Empty());
    gs.HandCount[s] = static_cast<std::uint8_t>(n);
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

bool HistoryHasCard(const GameState& gs, const Card& card) {
    for (int i = 1; i <= 21; ++i)
        if (!gs.History[i].IsEmpty() && gs.History[i] == card) return true;
    return false;
}

int CountAces(const GameState& gs, int s) {
    int n = 0;
    for (int k = 1; k <= 5; ++k) n += gs.Hand[s][k].IsAce() ? 1 : 0;
    return n;
}

int CountSuit(const GameState& gs, int s, std::uint8_t suitChar) {
    int n = 0;
    for (int k = 1; k <= 5; ++k) n += gs.Hand[s][k].Suit() == suitChar ? 1 : 0;
    return n;
}

int CountPlaying(const GameState& gs) {
    int n = 0;
    for (int s = 1; s <= 4; ++s) n += gs.Plays[s] ? 1 : 0;
    return n;
}

}  // namespace kesp
