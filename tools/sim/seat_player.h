// The own seat (seat 4) played by the computer player's rules as a person plays it: through the
// buttons and card clicks, so its decisions and discards go out as a person's.
#pragma once

#include "engine/game.h"

namespace kesp::sim {

// One move of the person at seat 4 when one is due: play or pass, the discard, a card. False
// when nothing is up to him.
bool PlayOwnSeat(Game& game);

}  // namespace kesp::sim
