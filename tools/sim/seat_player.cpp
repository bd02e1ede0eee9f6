#include "tools/sim/seat_player.h"

#include "engine/computer_player.h"
#include "engine/rules.h"

namespace kesp::sim {
namespace {

void MarkDiscards(Game& game) {
    const GameState& gs = game.State();
    for (std::uint8_t k : ComputerDiscardSlots(gs, 4))
        if (k != 0) game.OwnCardClick(MouseButton::Left, k);
    // The dealer takes the trump card and lays down one card at least: his first that may go.
    for (int k = 1; !IsDiscardAllowed(gs, 4, gs.DiscardSel) && k <= 5; ++k)
        if (MayMarkForDiscard(gs, 4, gs.DiscardSel, k)) game.OwnCardClick(MouseButton::Left, k);
}

int CardToPlay(const Game& game) {
    GameState probe = game.State();
    probe.LastPlayer = static_cast<std::uint8_t>(FindLastPlayer(probe));
    const int k = probe.TablePos == 1 ? ComputerLeadSlot(probe, 4) : ComputerFollowSlot(probe, 4);
    if (!game.IsIllegal(k)) return k;
    for (int legal = 1; legal <= 5; ++legal)
        if (!game.IsIllegal(legal)) return legal;
    return k;
}

}  // namespace

bool PlayOwnSeat(Game& game) {
    const GameState& gs = game.State();
    const TableView& view = game.View();
    if (!gs.DealRunning || gs.DealStarted != 2 || !gs.HumanSeat[4]) return false;
    if (gs.Phase == phase::Decision(4) && view.action.caption == WordId::ToPlay && view.action.enabled) {
        GameState probe = gs;
        probe.HumanSeat[4] = 0;  // what the computer would decide in his place
        if (Intention(probe, 4) || !view.second.enabled)
            game.ActionButton();
        else
            game.SecondButton();
        return true;
    }
    if (gs.Phase == phase::Discard(4) && view.action.caption == WordId::IsReady && view.action.enabled) {
        MarkDiscards(game);
        game.ActionButton();  // "You really do not want to change of cards?" is answered by the events
        return true;
    }
    if (gs.Phase == phase::Play(4) && gs.Plays[4]) {
        game.OwnCardClick(MouseButton::Left, CardToPlay(game));
        return true;
    }
    return false;
}

}  // namespace kesp::sim
