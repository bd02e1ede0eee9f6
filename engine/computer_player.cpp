#include "engine/computer_player.h"

#include <algorithm>

#include "engine/hand.h"

// A hand is in order (slots 1..HandCount: the non-trumps by rising rank value, then the trumps by
// rising rank value), so each suit's cards come by rising value and the trumps are the last cards.

namespace kesp {
namespace {

// Slot of a card of the given suit and rank value, 0 when the hand lacks it.
int SlotOf(const GameState& gs, int s, std::uint8_t suitChar, std::uint8_t value) {
    for (int k = 1; k <= 5; ++k)
        if (gs.Hand[s][k].Suit() == suitChar && gs.Hand[s][k].Value() == value) return k;
    return 0;
}

// Lowest card of the suit whose rank value is above `above`, 0 when none.
int LowestAbove(const GameState& gs, int s, std::uint8_t suitChar, std::uint8_t above) {
    for (int k = 1; k <= gs.HandCount[s]; ++k)
        if (gs.Hand[s][k].suit == suitChar && gs.HandValue[s][k] > above) return k;
    return 0;
}

// Void in the led suit and in trumps, the seat holds non-trumps only, the lowest first: it sheds
// the cheapest ace when holding only aces, else its lowest card.
int DiscardSlot(const GameState& gs, int s) {
    if (gs.HandCount[s] == 0) return 0;
    if (gs.HandValue[s][1] == 9) {
        for (std::uint8_t suitChar : {suit::Spades, suit::Clubs, suit::Diamonds, suit::Hearts})
            if (const int k = SlotOf(gs, s, suitChar, 9)) return k;
    }
    return 1;
}

}  // namespace

std::uint8_t Intention(const GameState& gs, int s) {
    // The trumps are the hand's last cards, a trump ace the very last; an ace of another suit is
    // the last card before them.
    const HandSlots& hand = gs.Hand[s];
    const HandValues& values = gs.HandValue[s];
    const int n = gs.HandCount[s];
    int trumps = 0;
    while (trumps < n && hand.items[n - 1 - trumps].suit == gs.Trump) ++trumps;
    const bool ace = n > 0 && (values.items[n - 1] == 9 || (trumps < n && values.items[n - 1 - trumps] == 9));
    if (ace) return 1;
    if (gs.HumanSeat[s]) return 0;
    if (trumps >= 2) return 1;
    if (trumps == 1 && gs.Dealer == s) return 1;
    return 0;
}

SlotRun ComputerDiscard(const GameState& gs, int s) {
    const HandSlots& hand = gs.Hand[s];
    const HandValues& values = gs.HandValue[s];
    const std::uint8_t trump = gs.Trump;
    // Among slots 1..4 every card that is neither trump nor ace (an empty slot's value is 99).
    int n = 0;
    while (n < 4 && values.items[n] < 9 && hand.items[n].suit != trump) ++n;
    if (n > 0 || gs.Dealer != s) return {1, n};
    // Room for the trump card: the lowest trump among slots 1..4.
    for (int k = 1; k <= 4; ++k)
        if (values.items[k - 1] != EmptyValue && hand.items[k - 1].suit == trump) return {k, 1};
    return {1, 0};
}

std::array<std::uint8_t, 4> ComputerDiscardSlots(const GameState& gs, int s) {
    const SlotRun run = ComputerDiscard(gs, s);
    std::array<std::uint8_t, 4> slots{};
    for (int i = 0; i < run.count; ++i)
        slots[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(run.first + i);
    return slots;
}

int FindLastPlayer(const GameState& gs) {
    int seat = gs.Leader;
    for (int i = 0; i < 3; ++i) {
        seat = PreviousSeat(seat);
        if (gs.Plays[seat]) return seat;
    }
    return gs.Leader;
}

SeenTrumps TrumpsInHistory(const GameState& gs) {
    SeenTrumps seen;
    const int played = std::min(4 * (gs.TrickNo - 1), 20);  // the cards of the completed tricks
    for (int i = 0; i < played; ++i) seen.See(gs.History.items[i], gs.Trump);
    seen.See(gs.History[21], gs.Trump);
    return seen;
}

int ComputerLeadSlot(const GameState& gs, int s) {
    return ComputerLeadSlot(gs, s, TrumpsInHistory(gs));
}

int ComputerLeadSlot(const GameState& gs, int s, const SeenTrumps& seen) {
    if (!gs.Plays[s]) return 0;
    const std::uint8_t trump = gs.Trump;

    // The trumps are the hand's last cards, the highest in its last slot; it holds a card that is
    // neither trump nor ace when its first card is one. (Slot k of the hand is item k-1.)
    const HandSlots& hand = gs.Hand[s];
    const HandValues& values = gs.HandValue[s];
    const int lastSlot = gs.HandCount[s];
    int firstTrump = lastSlot + 1;
    while (firstTrump > 1 && hand.items[firstTrump - 2].suit == trump) --firstTrump;
    const int ownTrumps = lastSlot + 1 - firstTrump;
    // Without a trump the seat leads its highest card.
    if (ownTrumps == 0) return lastSlot;
    const FoundCard highTrump{values.items[lastSlot - 1], lastSlot};
    const bool hasPlainCard = firstTrump > 1 && values.items[0] != 9;

    // 1. Is a trump lead worth considering? Not when all three others are known to hold no trump,
    // nor when every trump is accounted for: the own ones and those seen.
    SeatSet outOfTrumps = gs.NoTrumpSeats;
    outOfTrumps.Add(s);
    if (outOfTrumps.bits != SeatSet::All) {
        // 2. Lead the highest trump when every higher trump has been played.
        const unsigned higher = 0x3FEu & ~((2u << highTrump.value) - 1);  // values above it, up to 9
        if (ownTrumps + seen.count != 9 && (seen.values & higher) == higher) return highTrump.slot;
    }

    // 3. Lead low (or the ace of the low card's suit) while holding a trump; else lead high.
    if (!hasPlainCard) return lastSlot;
    const std::uint8_t lowSuit = hand.items[0].suit;
    int aceSlot = 0;
    for (int k = 2; k <= lastSlot; ++k)
        if (values.items[k - 1] == 9 && hand.items[k - 1].suit == lowSuit) aceSlot = k;
    return aceSlot != 0 ? aceSlot : 1;
}

int ComputerFollowSlot(const GameState& gs, int s) {
    TableBest table;
    const int played = std::min(gs.TablePos - 1, 4);  // the positions played so far
    for (int i = 0; i < played; ++i) {
        const Card& c = gs.Table.items[i];
        table.Place(i + 1, c.suit, RankValue(c.rank), gs.LedSuit, gs.Trump);
    }
    return ComputerFollowSlot(gs, s, table);
}

int ComputerFollowSlot(const GameState& gs, int s, const TableBest& table) {
    if (!gs.Plays[s]) return 0;
    const std::uint8_t led = gs.LedSuit;
    const std::uint8_t trump = gs.Trump;
    const bool last = gs.LastPlayer == s;

    // One pass over the hand: highest and lowest of the led suit and of trumps. The led suit's
    // cards come by rising value and the trumps last. (Slot k of the hand is item k-1.)
    const HandSlots& hand = gs.Hand[s];
    const HandValues& values = gs.HandValue[s];
    const int lastSlot = gs.HandCount[s];
    FoundCard highLed, lowLed, highTrump, lowTrump;
    for (int k = 1; k <= lastSlot; ++k) {
        const std::uint8_t suitChar = hand.items[k - 1].suit;
        const FoundCard card{values.items[k - 1], k};
        if (suitChar == trump) {
            lowTrump = card;
            highTrump = {values.items[lastSlot - 1], lastSlot};
            break;
        }
        if (suitChar == led) {
            if (!lowLed.found()) lowLed = card;
            highLed = card;
        }
    }
    const std::uint8_t tableLed = table.led, tableTrump = table.trump;

    if (led == trump) {
        if (!highTrump.found()) return DiscardSlot(gs, s);
        if (highTrump.value > tableTrump)
            return last ? LowestAbove(gs, s, trump, tableTrump) : highTrump.slot;
        return lowTrump.slot;
    }
    if (tableTrump == 0) {  // no trump on the table
        if (highLed.found()) {
            if (highLed.value > tableLed) {
                if (!last) return highLed.slot;
                if (highLed.value == 9) return highLed.slot;  // the ace takes its own value home
                return LowestAbove(gs, s, led, tableLed);
            }
            return lowLed.slot;
        }
        if (highTrump.found()) return last ? lowTrump.slot : highTrump.slot;
        return DiscardSlot(gs, s);
    }
    if (highLed.found()) return lowLed.slot;
    if (highTrump.found()) {
        if (highTrump.value > tableTrump)
            return last ? LowestAbove(gs, s, trump, tableTrump) : highTrump.slot;
        return lowTrump.slot;
    }
    return DiscardSlot(gs, s);
}

}  // namespace kesp
