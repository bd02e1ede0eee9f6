// The legality questions of a deal, asked alike by the steps, the person's buttons and cursor,
// the check of another machine's moves and the computer player.
#pragma once

#include <cstdint>

#include "engine/game_state.h"

namespace kesp {

// The last seat to decide must play when nobody plays yet.
bool IsForcedToPlay(const GameState& gs);
// Whether seat s, deciding now, may pass: it holds no ace and is not forced to play.
bool MayPass(const GameState& gs, int s);

// Whether seat s may lay down the hand slots `sel` (0 = none; any order): each a different slot
// holding a card, no ace, and at least one for the dealer, who takes the trump card.
bool IsDiscardAllowed(const GameState& gs, int s, const Slots<std::uint8_t, 1, 4>& sel);
// Whether seat s may mark slot k for its discard while `sel` is marked: a card that is no ace,
// and a free place among the four unless it is marked already.
bool MayMarkForDiscard(const GameState& gs, int s, const Slots<std::uint8_t, 1, 4>& sel, int k);

// True when seat s may not play the card in slot k now: no card there, or it does not follow the
// led suit, or void in it does not trump, while the hand could.
bool IsIllegalCard(const GameState& gs, int s, int k);

}  // namespace kesp
