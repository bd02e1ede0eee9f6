// One move of the driving machine in a game where every seat is a computer player: the action
// button when it may be pressed, "Exit to menu" once the game is settled, otherwise a tick of the
// game timer.
#pragma once

#include "engine/game.h"

namespace kesp::sim {

// Sets up a local table on which all four seats are computer players.
void SetUpComputerTable(Game& game, int initialScore);

// False when neither the button nor the timer can move the game on.
bool Step(Game& game);

}  // namespace kesp::sim
