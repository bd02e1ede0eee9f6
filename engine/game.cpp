#include "engine/game.h"

#include "engine/game_messages.h"
#include "engine/hand.h"

namespace kesp {
namespace {
TableEvents& NoEvents() {
    static TableEvents none;
    return none;
}
}  // namespace

Game::Game() : events_(&NoEvents()) {}

void Game::SeedShuffle(std::uint64_t seed) {
    random_.Seed(seed);
    fixedSeed_ = true;
}

bool Game::UseDeck(const std::array<std::uint8_t, 36>& deckNumbers) {
    bool seen[37] = {};
    for (std::uint8_t n : deckNumbers) {
        if (n < 1 || n > 36 || seen[n]) return false;
        seen[n] = true;
    }
    nextDeck_ = deckNumbers;
    return true;
}

int Game::OwnNetworkSeat() const {
    switch (setup_.kind) {
        case GameKind::Local:
            return 1;
        case GameKind::Online:
            return setup_.OnlineSeat;
        default:
            return setup_.LanRole;
    }
}

bool Game::IsDrivingMachine() const {
    switch (setup_.kind) {
        case GameKind::Local:
        case GameKind::LanHost:
            return true;
        case GameKind::LanClient:
            return false;
        case GameKind::Online:
            return setup_.OnlineSeat == 1;
    }
    return false;
}

void Game::Announce(char code) {
    if (IsNetworkGame()) events_->Announce(MakeStepMessage(code, setup_.LanRole).view());
}

void Game::SetButtons(WordId action, bool actionEnabled, WordId second, bool secondEnabled) {
    SetButtonView(action, actionEnabled, second, secondEnabled);
    if (watched_) events_->ButtonsChanged();
}

void Game::SetButtonView(WordId action, bool actionEnabled, WordId second, bool secondEnabled) {
    view_.action = {action, actionEnabled, true};
    view_.second = {second, secondEnabled, true};
}

void Game::SetTimer(int interval, bool running) {
    if (interval == timerInterval_ && running == timerRunning_) return;
    timerInterval_ = interval;
    timerRunning_ = running;
    if (watched_) events_->TimerChanged();
}

void Game::SetBubble(int seat, Bubble b) {
    view_.bubbles[seat] = b;
    if (watched_) events_->DrawBubble(seat);
}

void Game::ShowHand(int seat) {
    if (watched_) events_->DrawHand(seat);
}

bool Game::UserHasAce() const {
    return CountAces(gs_, 4) > 0;
}

}  // namespace kesp
