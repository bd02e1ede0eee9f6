// Hand order and the simple scans over hands, the table and the cards played this deal.
#pragma once

#include <cstdint>

#include "engine/game_state.h"

namespace kesp {

// A hand is kept in order in slots 1..HandCount: non-trumps by rising rank value, then trumps by
// rising rank value, cards of equal value in the order they came; the slots after them are empty
// (value 99). These changes keep that order without sorting the hand again.
// Deals the five cards of deck places first..first+4 (with their values) into seat s's hand in
// order, cards of equal order key in the order they lie in the deck.
void DealHand(GameState& gs, int s, int first);
// Takes the card out of slot k; the cards after it (up to the first value 99) move up one slot.
void RemoveFromHand(GameState& gs, int s, int k);
// Takes the `count` cards of slots first.. out of the hand's HandCount cards; those after them move
// up.
void RemoveRun(GameState& gs, int s, int first, int count);
// Closes the gaps that emptied slots (value 99) left: the cards move up in their order, and are
// recounted.
void CloseGaps(GameState& gs, int s);
// The card just put into slot k, after the hand's last card, moves to its place in the order (the
// values of the hand's slots tell its cards and their order).
void SortInCard(GameState& gs, int s, int k);
// A card with its rank value joins the HandCount[s] cards of the hand (fewer than five) at its
// place in the order.
void InsertCard(GameState& gs, int s, const Card& card, std::uint8_t value);

// A card found by a scan: its rank value and slot, or value 0 and slot 0 when there is none.
struct FoundCard {
    std::uint8_t value = 0;
    int slot = 0;
    bool found() const { return slot != 0; }
};

bool HandHasSuit(const GameState& gs, int s, std::uint8_t suitChar);
bool HandHasCard(const GameState& gs, int s, const Card& card);
FoundCard HighestOfSuit(const GameState& gs, int s, std::uint8_t suitChar);
FoundCard LowestOfSuit(const GameState& gs, int s, std::uint8_t suitChar);
bool TableHasSuit(const GameState& gs, std::uint8_t suitChar);
// Highest rank value of the suit on the table, 0 when there is none.
std::uint8_t TableHighest(const GameState& gs, std::uint8_t suitChar);
bool HistoryHasCard(const GameState& gs, const Card& card);

// The best cards of a trick's table so far: the highest trump and the highest card of the led suit
// that is no trump, each with its table position (0 = none; of equal values the first placed), and
// the points of the aces among them.
struct TableBest {
    std::uint8_t trump = 0, led = 0;
    int trumpPos = 0, ledPos = 0;
    int aces = 0;
    void Place(int pos, std::uint8_t suitChar, std::uint8_t value, std::uint8_t ledSuit,
               std::uint8_t trumpSuit) {
        if (value == 9) aces += AceValue(suitChar);
        if (suitChar == trumpSuit && value > trump) {
            trump = value;
            trumpPos = pos;
        } else if (suitChar == ledSuit && value > led) {
            led = value;
            ledPos = pos;
        }
    }
    // The winning position: the highest trump, else the highest led card (position 1 when the
    // table holds neither).
    int WinnerPos() const { return trumpPos != 0 ? trumpPos : ledPos != 0 ? ledPos : 1; }
};
// The same for the cards on gs.Table (a passed seat's position holds a card of no suit).
TableBest BestOnTable(const GameState& gs);

int CountAces(const GameState& gs, int s);
int CountSuit(const GameState& gs, int s, std::uint8_t suitChar);
// Number of seats whose Plays flag is set.
int CountPlaying(const GameState& gs);

// Puts a card and its rank value into a hand slot.
inline void SetHandSlot(GameState& gs, int s, int k, const Card& c) {
    gs.Hand[s][k] = c;
    gs.HandValue[s][k] = c.Value();
}

}  // namespace kesp
