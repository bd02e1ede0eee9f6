// Trick play: playing a card, the legality of the user's card, winning and clearing a trick.
#include <algorithm>

#include "engine/computer_player.h"
#include "engine/game.h"
#include "engine/game_messages.h"
#include "engine/hand.h"
#include "engine/rules.h"
#include "engine/sounds.h"

namespace kesp {

void Game::PlayCard(int s, int k, bool announce) {
    if (waiting_ || !phase::IsPlay(gs_.Phase) || s != gs_.Phase - phase::PlayBase) return;
    const bool plays = gs_.Plays[s] != 0;
    // A seat that plays must name a card; a seat that passed names none.
    if (plays && (k < 1 || k > 5 || gs_.Hand[s][k].IsEmpty())) return;

    if (announce && IsNetworkGame()) events_->Announce(MakePlayMessage(plays ? k : 0, setup_.LanRole).view());

    pending_ = Pending{};
    pending_.seat = s;
    if (!plays) {  // the turn goes by at once: there is nothing to show
        gs_.NoTrumpSeats.Add(s);
        CardPlayed();
        return;
    }
    const Card card = gs_.Hand[s][k];
    PutOnTable(s, k);
    ShowHand(s);
    if (!Waits(Stage::CardOnTable, setup_.FlyCards && events_->FlyCard(Flight::SeatToTable, s, card)))
        CardOnTable();
}

void Game::PutOnTable(int s, int k) {
    const int pos = gs_.TablePos;
    assert(k >= 1 && k <= 5 && pos >= 1 && pos <= 4);
    const Card card = gs_.Hand[s].items[k - 1];
    gs_.Table.items[pos - 1] = card;
    gs_.TableValue.items[pos - 1] = gs_.HandValue[s].items[k - 1];
    if (pos == 1)
        gs_.LedSuit = card.suit;
    else if (card.suit != gs_.LedSuit && card.suit != gs_.Trump)
        gs_.NoTrumpSeats.Add(s);  // neither following nor trumping: the seat holds no trump
    RemoveFromHand(gs_, s, k);
}

void Game::CardOnTable() {
    events_->DrawTable();
    if (!Waits(Stage::CardPlayed, events_->PlaySound(sound::Card, true))) CardPlayed();
}

void Game::CardPlayed() {
    ++gs_.TablePos;
    gs_.Phase = phase::Play(NextSeat(pending_.seat));
    if (gs_.TablePos == 5) {
        gs_.Phase = phase::TrickComplete;
        CompleteTrick();
    }
}

bool Game::IsIllegal(int k) const {
    return IsIllegalCard(gs_, 4, k);
}

void Game::CompleteTrick() {
    TakeTrick();
    for (int s = 1; s <= 4; ++s)
        if (gs_.Plays[s]) events_->DrawSeatTab(s);
    events_->ButtonsChanged();
}

void Game::TakeTrick() {
    TakeTrick(BestOnTable(gs_), true);
}

void Game::TakeTrick(const TableBest& best, bool shown) {
    const auto base = static_cast<std::size_t>(4 * (gs_.TrickNo - 1));
    assert(base + 4 <= gs_.History.items.size());
    std::copy_n(gs_.Table.items.begin(), 4, gs_.History.items.begin() + base);  // one 16-byte move

    const int winner = SeatAtTablePosition(gs_.Leader, best.WinnerPos());
    gs_.Leader = static_cast<std::uint8_t>(winner);
    gs_.TrickPoints[winner] -= 1 + best.aces;

    gs_.LastTrick = gs_.Table;
    gs_.Table.Fill(Card::Empty());
    gs_.TableValue.Fill(0);
    ++gs_.TricksWon[winner];
    if (gs_.TrickNo == 5) gs_.Phase = phase::DealOver;
    ++gs_.TrickNo;
    gs_.TablePos = 1;
    if (!shown) return;

    ShowTrickPoints();
    SetButtonView(WordId::Ok, IsDrivingMachine(), view_.second.caption, false);
}

void Game::ShowTrickPoints() {
    for (int s = 1; s <= 4; ++s) {
        if (!gs_.Plays[s]) continue;
        view_.tabs[s].changeShown = true;
        view_.tabs[s].change = gs_.TrickPoints[s];
        view_.tabs[s].leads = s == gs_.Leader;
    }
}

// The cards of the last trick fly to its winner and the table rests a moment before `then`,
// which redraws the table empty.
void Game::ClearTrickThen(Stage then) {
    if (!setup_.FlyCards) return Then(then, false);
    pending_.afterTrick = then;
    Then(Stage::TrickFlown, events_->FlyCard(Flight::TrickToWinner, gs_.Leader, Card::Empty()));
}

void Game::ClearTrick(bool announce) {
    if (waiting_ || gs_.Phase != phase::TrickComplete) return;
    pending_ = Pending{};
    pending_.announce = announce;
    ClearTrickThen(Stage::TrickCleared);
}

void Game::ComputerLead(int s) {
    PlayCard(s, ComputerLeadSlot(gs_, s), true);
}

void Game::ComputerFollow(int s) {
    PlayCard(s, ComputerFollowSlot(gs_, s), true);
}

}  // namespace kesp
