#include "engine/rules.h"

#include "engine/hand.h"

namespace kesp {

bool IsForcedToPlay(const GameState& gs) {
    return gs.DecisionCount == 3 && CountPlaying(gs) == 0;
}

bool MayPass(const GameState& gs, int s) {
    return CountAces(gs, s) == 0 && !IsForcedToPlay(gs);
}

bool IsDiscardAllowed(const GameState& gs, int s, const Slots<std::uint8_t, 1, 4>& sel) {
    bool marked[6] = {};
    int count = 0;
    for (int i = 1; i <= 4; ++i) {
        const int k = sel[i];
        if (k == 0) continue;
        if (k < 1 || k > 5 || marked[k] || gs.Hand[s][k].IsEmpty() || gs.Hand[s][k].IsAce()) return false;
        marked[k] = true;
        ++count;
    }
    return count > 0 || s != gs.Dealer;
}

bool MayMarkForDiscard(const GameState& gs, int s, const Slots<std::uint8_t, 1, 4>& sel, int k) {
    if (k < 1 || k > 5 || gs.Hand[s][k].IsEmpty() || gs.Hand[s][k].IsAce()) return false;
    int marked = 0;
    for (int i = 1; i <= 4; ++i) {
        if (sel[i] == k) return true;
        marked += sel[i] != 0 ? 1 : 0;
    }
    return marked < 4;
}

bool IsIllegalCard(const GameState& gs, int s, int k) {
    if (k < 1 || k > 5 || gs.Hand[s][k].IsEmpty()) return true;
    const std::uint8_t led = gs.LedSuit;
    const std::uint8_t trump = gs.Trump;
    const std::uint8_t c = gs.Hand[s][k].suit;
    if (gs.TablePos == 1 || c == led) return false;
    if (c != trump || led == trump) return HandHasSuit(gs, s, trump) || HandHasSuit(gs, s, led);
    return HandHasSuit(gs, s, led);
}

}  // namespace kesp
