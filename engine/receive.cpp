// Steps made on another machine, applied from their game messages.
#include "engine/game.h"
#include "engine/game_messages.h"

namespace kesp {

void Game::ApplyGameMessage(std::string_view text) {
    if (!gs_.DealRunning || waiting_) return;
    const std::optional<ParsedGameMessage> m = ParseGameMessage(text);
    if (!m) return;
    const bool byComputer = m->actor == Actor::Computer;
    switch (m->code) {
        case msg::Decision:
            if (!phase::IsDecision(gs_.Phase)) return;
            if (gs_.DealStarted == 1) {  // another machine began the deal
                gs_.DealStarted = 2;
                SetTimer(timer::Move, true);
            }
            Decide(byComputer, m->play, false);
            break;
        case msg::StartDiscards:
            StartDiscards(false);
            break;
        case msg::Discard:
            Discard(byComputer, m->discard, false);
            break;
        case msg::Draw:
            DrawAll(false);
            break;
        case msg::StartTricks:
            StartTricks(false);
            break;
        case msg::PlayCard:
            if (phase::IsPlay(gs_.Phase)) PlayCard(gs_.Phase - phase::PlayBase, m->slot, false);
            break;
        case msg::ClearTrick:
            ClearTrick(false);
            break;
        case msg::ScoreDeal:
            ScoreDeal(false);
            break;
        case msg::FourAces:
            CheckFourAces(false);
            break;
        default:
            break;
    }
}

bool Game::ReceiveDeal(std::string_view message) {
    if (setup_.kind != GameKind::LanClient || waiting_) return false;
    const bool newGame = !gs_.DealRunning;
    if (!newGame && (gs_.Phase != phase::DealScored || gs_.GameOver)) return false;
    const std::optional<ReceivedDeal> deal = ParseDealMessage(message);
    if (!deal) return false;
    gs_.Deck = deal->deck;
    gs_.DeckValue = deal->values;
    setup_.InitialScore = deal->initialScore;
    StartDeal(newGame);
    return true;
}

bool Game::ReceiveOnlineDeal(std::string_view frame, bool newGame) {
    if (setup_.kind != GameKind::Online || waiting_) return false;
    if (!newGame && (!gs_.DealRunning || gs_.Phase != phase::DealScored || gs_.GameOver)) return false;
    const std::optional<ReceivedDeal> deal = ParseOnlineDeal(frame);
    if (!deal) return false;
    gs_.Deck = deal->deck;
    gs_.DeckValue = deal->values;
    setup_.InitialScore = 100;
    StartDeal(newGame);
    return true;
}

void Game::OnlineGameEnded() {
    if (setup_.kind != GameKind::Online || !gs_.DealRunning || gs_.Phase != phase::GameOverPhase) return;
    SetButtons(view_.action.caption, true, view_.second.caption, view_.second.enabled);
}

void Game::StopOnlineGame() {
    if (setup_.kind != GameKind::Online || !gs_.DealRunning) return;
    CancelWait();
    gs_.Phase = phase::DealScored;
    SetTimer(timer::Move, false);
    SetButtons(view_.action.caption, false, WordId::ExitToMenu, true);
}

}  // namespace kesp
