// The driver: the game timer's automatic moves and the action button.
#include "engine/computer_player.h"
#include "engine/game.h"
#include "engine/hand.h"
#include "engine/rules.h"
#include "engine/sounds.h"

namespace kesp {

void Game::GameTick() {
    if (!gs_.DealRunning || waiting_) return;
    const int p = gs_.Phase;
    if (p >= 1 && p <= phase::TrickComplete)
        helpTopic_ = 5;
    else if (p == phase::DealOver || p == phase::DealScored)
        helpTopic_ = 10;
    if (!IsDrivingMachine()) return;
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
        if (!gs_.Plays[s])
            PlayCard(s, 0, true);  // a seat that passed makes the empty move
        else if (gs_.TablePos == 1)
            ComputerLead(s);
        else
            ComputerFollow(s);
    }
}

// "Is ready": discard the marked cards, asking once before discarding nothing.
void Game::UserDiscard() {
    if (!IsDiscardAllowed(gs_, 4, gs_.DiscardSel)) {  // the dealer lays down one card at least
        events_->PlaySound(sound::Window);
        events_->ShowMessage(WordId::CarryOneCard);
        SetButtons(WordId::IsReady, true, view_.second.caption, view_.second.enabled);
        return;
    }
    int marked = 0;
    for (int i = 1; i <= 4; ++i) marked += gs_.DiscardSel[i] != 0 ? 1 : 0;
    if (marked == 0 && gs_.DiscardAsked == 0) {
        events_->PlaySound(sound::Window);
        pending_ = Pending{};
        const std::optional<bool> answer = events_->AskYesNo(WordId::NoCardChange);
        pending_.flag = answer.value_or(false);
        if (!Waits(Stage::DiscardAnswered, !answer.has_value())) DiscardAnswered();
        return;
    }
    Discard(false, gs_.DiscardSel, true);
}

void Game::DiscardAnswered() {
    if (pending_.flag) {
        Discard(false, gs_.DiscardSel, true);
        return;
    }
    gs_.DiscardAsked = 1;
    SetButtons(WordId::IsReady, true, view_.second.caption, view_.second.enabled);
}

void Game::ActionButton() {
    if (!gs_.DealRunning || waiting_ || !view_.action.enabled) return;
    if (gs_.DealStarted == 1) {
        gs_.DealStarted = 2;
        SetButtons(WordId::Ok, false, view_.second.caption, false);
        if (CheckFourAces(true)) return;
        if (gs_.Phase == phase::Decision(4) && gs_.HumanSeat[4]) PrepareUserDecision();
        SetTimer(timer::Move, true);
        return;
    }
    SetButtons(view_.action.caption, false, view_.second.caption, false);
    switch (gs_.Phase) {
        case phase::Decision(4):
            Decide(false, true, true);
            break;
        case phase::DecisionsDone:
            StartDiscards(true);
            break;
        case phase::Discard(4):
            UserDiscard();
            break;
        case phase::DiscardsDone:
            DrawAll(true);
            break;
        case phase::Drawn:
            if (!CheckFourAces(true)) StartTricks(true);
            break;
        case phase::TrickComplete:
            ClearTrick(true);
            break;
        case phase::DealOver:
            ScoreDeal(true);
            break;
        case phase::DealScored:
            if (setup_.kind == GameKind::Online) {
                events_->Announce("bnext");
            } else {
                SetTimer(timer::Move, false);
                StartDeal(false);
            }
            break;
        case phase::GameOverPhase:
            Settle(true);
            break;
        default:
            break;
    }
}

}  // namespace kesp

namespace kesp {

void Game::SecondButton() {
    if (!gs_.DealRunning || waiting_ || !view_.second.enabled) return;
    gs_.DiscardAsked = 0;
    if (gs_.Phase == phase::Decision(4) && !gs_.GameOver) {
        SetButtons(view_.action.caption, false, view_.second.caption, false);
        Decide(false, false, true);
    } else if (gs_.GameOver) {
        LeaveFinishedGame();
    } else if (gs_.Phase == phase::DealScored) {
        BreakOff();  // only a stopped online game enables "Exit to menu" here
    }
}

void Game::OwnCardClick(MouseButton button, int slot) {
    if (!gs_.DealRunning || slot < 1 || slot > 5 || gs_.Hand[4][slot].IsEmpty()) return;
    if (button == MouseButton::Right) {
        events_->SpeakCard(gs_.Hand[4][slot]);
        return;
    }
    if (waiting_ || gs_.DealStarted != 2 || !gs_.Plays[4] || !gs_.HumanSeat[4]) return;
    if (gs_.Phase == phase::Discard(4)) {
        for (int i = 1; i <= 4; ++i)
            if (gs_.DiscardSel[i] == slot) {
                gs_.DiscardSel[i] = 0;
                events_->DrawHand(4);
                return;
            }
        if (!MayMarkForDiscard(gs_, 4, gs_.DiscardSel, slot)) {
            events_->PlaySound(sound::Wrong);
            return;
        }
        int freePlace = 1;  // there is one: the card may be marked
        while (gs_.DiscardSel[freePlace] != 0) ++freePlace;
        gs_.DiscardSel[freePlace] = static_cast<std::uint8_t>(slot);
        events_->DrawHand(4);
    } else if (gs_.Phase == phase::Play(4)) {
        if (gs_.TablePos != 1 && IsIllegal(slot)) {
            events_->PlaySound(sound::Wrong);
            return;
        }
        PlayCard(4, slot, true);
    }
}

CardCursor Game::OwnCardHover(int slot) const {
    if (!gs_.DealRunning || gs_.DealStarted != 2 || !gs_.Plays[4] || !gs_.HumanSeat[4] || slot < 1 ||
        slot > 5 || gs_.Hand[4][slot].IsEmpty())
        return CardCursor::Ordinary;
    if (gs_.Phase == phase::Discard(4))
        return MayMarkForDiscard(gs_, 4, gs_.DiscardSel, slot) ? CardCursor::Choosing : CardCursor::Ordinary;
    if (gs_.Phase == phase::Play(4))
        return gs_.TablePos == 1 || !IsIllegal(slot) ? CardCursor::Choosing : CardCursor::Ordinary;
    return CardCursor::Ordinary;
}

void Game::RightClickTable(int seat) {
    if (!gs_.DealRunning || seat < 1 || seat > 4) return;
    const int p = gs_.Phase;
    const bool current = phase::IsPlay(p);
    if (!current && p != phase::TrickComplete && p != phase::DealOver) return;
    const Slots<Card, 1, 4>& cards = current ? gs_.Table : gs_.LastTrick;
    for (int pos = 1; pos <= 4; ++pos)
        if (SeatAtTablePosition(gs_.TableLeader, pos) == seat && !cards[pos].IsEmpty())
            events_->SpeakCard(cards[pos]);
}

void Game::RightClickDeck() {
    if (gs_.DealRunning && view_.trumpCardOnDeck) events_->SpeakCard(gs_.Deck[36]);
}

void Game::RightClickOpenHand(int seat, int slot) {
    if (!gs_.DealRunning || seat < 1 || seat > 3 || slot < 1 || slot > 5) return;
    if (gs_.Phase < phase::DealOver || !setup_.OpenCardsAtEnd || !view_.handFaceUp[seat]) return;
    if (!gs_.Hand[seat][slot].IsEmpty()) events_->SpeakCard(gs_.Hand[seat][slot]);
}

void Game::ReturnToMenu(LeaveReason reason) {
    CancelWait();
    events_->LeaveTable(reason);
    gs_.DealRunning = 0;
    gs_.Phase = phase::Menu;
    view_ = TableView{};
    events_->ButtonsChanged();
    helpTopic_ = 1;
    SetTimer(timer::Menu, true);
}

// The question does not hold the game: a network table plays on while it is on the screen.
bool Game::LeaveToMenu() {
    events_->PlaySound(sound::Window);
    if (!gs_.DealRunning) return false;
    const std::optional<bool> answer =
        events_->AskYesNo(WordId::LeaveToMenuQuestion, WordId::DataWillBeLost, "\n\r");
    if (answer) Answer(WordId::LeaveToMenuQuestion, *answer);
    return !gs_.DealRunning;
}

void Game::BreakOff() {
    events_->StopRecording();
    ReturnToMenu(LeaveReason::BrokenOff);
}

bool Game::CloseQuery() {
    if (!gs_.DealRunning) return true;
    events_->PlaySound(sound::Window);
    const std::optional<bool> answer =
        events_->AskYesNo(WordId::LeaveGameQuestion, WordId::DataWillBeLost, " ");
    if (answer) Answer(WordId::LeaveGameQuestion, *answer);
    return !gs_.DealRunning;
}

void Game::GenCount() {
    if (!view_.menuGenCount) return;
    events_->PlaySound(sound::Window);
    events_->ShowGeneralCount();
}

void Game::LeaveFinishedGame() {
    if (!gs_.DealRunning || !gs_.GameOver) return;
    gs_.Advantage = gs_.Score[4];
    ReturnToMenu(LeaveReason::Finished);
}

}  // namespace kesp
