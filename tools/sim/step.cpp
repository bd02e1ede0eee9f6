#include "tools/sim/step.h"

namespace kesp::sim {

void SetUpComputerTable(Game& game, int initialScore) {
    TableSetup& setup = game.Setup();
    setup = TableSetup{};
    setup.kind = GameKind::Local;
    setup.InitialScore = initialScore;
    setup.AllComputer = true;
    setup.FlyCards = false;
}

bool Step(Game& game) {
    const GameState& gs = game.State();
    const int p = gs.Phase;
    const int tablePos = gs.TablePos;
    const int dealStarted = gs.DealStarted;
    const int dealNo = gs.DealNo;
    if (game.View().action.enabled)
        game.ActionButton();
    else if (game.View().second.enabled && gs.GameOver)
        game.SecondButton();  // "Exit to menu" from a settled game
    else
        game.GameTick();
    // Every step moves the phase, the trick or the deal on; anything else is a stuck game.
    return gs.Phase != p || gs.TablePos != tablePos || gs.DealStarted != dealStarted || gs.DealNo != dealNo ||
           !gs.DealRunning;
}

}  // namespace kesp::sim
