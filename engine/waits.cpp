// How a step waits: it starts what takes time on the table, ends, and goes on at its next stage
// when the table says the wait is over. What does not wait goes on at once, by a direct call: a
// step is a short chain of stages (the longest, the draw, two for each of at most 16 cards).
#include <algorithm>
#include <utility>

#include "engine/game.h"
#include "engine/hand.h"

namespace kesp {

bool Game::Waits(Stage next, bool started) {
    if (started) {
        next_ = next;
        waiting_ = true;
    }
    return started;
}

void Game::Then(Stage next, bool waits) {
    if (!Waits(next, waits)) RunStage(next);
}

void Game::ResumeStage() {
    waiting_ = false;
    RunStage(std::exchange(next_, Stage::None));
}

void Game::RunStage(Stage stage) {
    switch (stage) {
        case Stage::None:
            break;
        case Stage::CardOnTable:
            CardOnTable();
            break;
        case Stage::CardPlayed:
            CardPlayed();
            break;
        case Stage::DecisionShown:
            DecisionShown();
            break;
        case Stage::FourAcesShown:
            FourAcesShown();
            break;
        case Stage::DrawNext:
            DrawNext();
            break;
        case Stage::CardDrawn:
            CardDrawn();
            break;
        case Stage::TrickFlown: {
            const int players = CountPlaying(gs_);
            Then(pending_.afterTrick, events_->Pause(Paced(players >= 4 ? 700 : players == 3 ? 500 : 300)));
            break;
        }
        case Stage::TrickCleared: {
            gs_.TableLeader = gs_.Leader;
            gs_.Phase = phase::Play(gs_.Leader);
            events_->DrawTable();
            if (pending_.announce) Announce(msg::ClearTrick);
            break;
        }
        case Stage::DealScored:
            DealScored();
            break;
        case Stage::DealShown:
            DealShown();
            break;
        case Stage::DiscardAnswered:
            DiscardAnswered();
            break;
    }
}

void Game::Resume(std::uint32_t ticket) {
    if (!waiting_ || ticket != waitTicket_) return;
    ++waitTicket_;
    ResumeStage();
}

void Game::CancelWait() {
    if (!waiting_ && next_ == Stage::None) return;
    ++waitTicket_;
    waiting_ = false;
    next_ = Stage::None;
    events_->CancelWaits();
}

void Game::Answer(WordId question, bool yes) {
    switch (question) {
        case WordId::NoCardChange:
            if (!waiting_ || next_ != Stage::DiscardAnswered) return;
            pending_.flag = yes;
            ++waitTicket_;
            ResumeStage();
            break;
        case WordId::LeaveToMenuQuestion:
        case WordId::LeaveGameQuestion:
            if (!yes || !gs_.DealRunning) return;
            events_->StopRecording();
            ReturnToMenu(LeaveReason::Abandoned);
            break;
        default:
            break;
    }
}

int Game::Paced(int milliseconds) const {
    return std::max(1, milliseconds / std::max(1, setup_.Pace));
}

}  // namespace kesp
