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
    if (game.View().action.enabled) {
        game.ActionButton();
        return true;
    }
    const GameState& gs = game.State();
    const int p = gs.Phase;
    if (!phase::IsDecision(p) && !phase::IsDiscard(p) && !phase::IsPlay(p)) return false;
    game.GameTick();
    return true;
}

}  // namespace kesp::sim
