// The driver: the game timer's automatic moves and the action button.
#include "engine/computer_player.h"
#include "engine/game.h"
#include "engine/hand.h"

namespace kesp {

void Game::GameTick() {
    if (!gs_.DealRunning || !IsDrivingMachine()) return;
    const int p = gs_.Phase;
    if (phase::IsDecision(p)) {
        if (!gs_.HumanSeat[p]) Decide(true, false, true);
    } else if (phase::IsDiscard(p)) {
        const int s = p - phase::DiscardBase;
        if (!gs_.HumanSeat[s] || !gs_.Plays[s]) Discard(true, {}, true);
    } else if (phase::IsPlay(p)) {
        const int s = p - phase::PlayBase;
        if (gs_.HumanSeat[s] && gs_.Plays[s]) return;
        if (lastPlayerTrick_ != gs_.TrickNo) {
            gs_.LastPlayer = static_cast<std::uint8_t>(FindLastPlayer(gs_));
            lastPlayerTrick_ = gs_.TrickNo;
        }
        SetTimer(gs_.Plays[s] ? timer::Move : timer::PassedMove, timerRunning_);
        if (gs_.TablePos == 1)
            ComputerLead(s);
        else
            ComputerFollow(s);
    }
}

// "Is ready": discard the marked cards, asking once before discarding nothing.
void Game::UserDiscard() {
    int marked = 0;
    for (int i = 1; i <= 4; ++i) marked += gs_.DiscardSel[i] != 0 ? 1 : 0;
    if (marked == 0 && gs_.Dealer == 4) {
        events_->PlaySound("WOpenFo");
        events_->ShowMessage(WordId::CarryOneCard);
        SetButtons(WordId::IsReady, true, view_.second.caption, view_.second.enabled);
        return;
    }
    if (marked == 0 && gs_.DiscardAsked == 0) {
        events_->PlaySound("WOpenFo");
        if (!events_->AskYesNo(WordId::NoCardChange)) {
            gs_.DiscardAsked = 1;
            SetButtons(WordId::IsReady, true, view_.second.caption, view_.second.enabled);
            return;
        }
    }
    Discard(false, gs_.DiscardSel, true);
}

void Game::ActionButton() {
    if (!gs_.DealRunning || !view_.action.enabled) return;
    if (gs_.DealStarted == 1) {
        gs_.DealStarted = 2;
        SetButtons(WordId::Ok, false, view_.second.caption, false);
        if (CheckFourAces(true)) return;
        if (gs_.Phase == 4 && gs_.HumanSeat[4]) PrepareUserDecision();
        SetTimer(timer::Move, true);
        return;
    }
    SetButtons(view_.action.caption, false, view_.second.caption, false);
    switch (gs_.Phase) {
        case 4: Decide(false, true, true); break;
        case phase::DecisionsDone: StartDiscards(true); break;
        case phase::DiscardBase + 4: UserDiscard(); break;
        case phase::DiscardsDone: DrawAll(true); break;
        case phase::Drawn:
            if (!CheckFourAces(true)) StartTricks(true);
            break;
        case phase::TrickComplete: ClearTrick(true); break;
        case phase::DealOver: ScoreDeal(true); break;
        case phase::DealScored:
            if (setup_.kind == GameKind::Online) {
                events_->Announce("bnext");
            } else {
                SetTimer(timer::Move, false);
                StartDeal(false);
            }
            break;
        case phase::GameOverPhase: Settle(true); break;
        default: break;
    }
}

}  // namespace kesp
