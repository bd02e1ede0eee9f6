// The computer player's choices. Pure functions of the state: the same state always gives the
// same choice, on every machine of a network game.
#pragma once

#include <array>
#include <cstdint>

#include "engine/game_state.h"
#include "engine/hand.h"

namespace kesp {

// Play-or-pass intention of seat s after the deal (1 play, 0 pass), from its hand in order; for a
// person's seat 1 only when he holds an ace.
std::uint8_t Intention(const GameState& gs, int s);

// The cards a computer seat that plays discards: `count` slots from `first`, as the hand order puts
// them together (its cards that are neither trump nor ace come first, its lowest trump first among
// the trumps).
struct SlotRun {
    int first = 1;
    int count = 0;
};
SlotRun ComputerDiscard(const GameState& gs, int s);
// The same as slot numbers (1..4, 0 = none), in slot order.
std::array<std::uint8_t, 4> ComputerDiscardSlots(const GameState& gs, int s);

// The last seat that plays in a trick led by gs.Leader.
int FindLastPlayer(const GameState& gs);

// The trumps seen this deal: those of the completed tricks and the trump card left face up on the
// deck (History).
struct SeenTrumps {
    unsigned values = 0;  // bit v: the trump of rank value v
    int count = 0;
    void See(const Card& c, std::uint8_t trump) {
        if (c.suit != trump) return;  // (an empty slot's suit byte is never the trump's)
        ++count;
        values |= 1u << RankValue(c.rank);
    }
};
SeenTrumps TrumpsInHistory(const GameState& gs);

// Slot of the card seat s leads or follows with (0 for a seat that passed the deal).
int ComputerLeadSlot(const GameState& gs, int s);
// The same, told the trumps seen so far (as TrumpsInHistory finds them).
int ComputerLeadSlot(const GameState& gs, int s, const SeenTrumps& seen);
int ComputerFollowSlot(const GameState& gs, int s);
// The same, told the best cards on the table so far.
int ComputerFollowSlot(const GameState& gs, int s, const TableBest& table);

}  // namespace kesp
