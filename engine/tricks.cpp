// Trick play: playing a card, the legality of the user's card, winning and clearing a trick.
#include "engine/computer_player.h"
#include "engine/game.h"
#include "engine/game_messages.h"
#include "engine/hand.h"

namespace kesp {

void Game::PlayCard(int s, int k, bool announce) {
    if (!phase::IsPlay(gs_.Phase) || s != gs_.Phase - phase::PlayBase) return;
    const bool plays = gs_.Plays[s] != 0;
    // A seat that plays must name a card; a seat that passed names none.
    if (plays && (k < 1 || k > 5 || gs_.Hand[s][k].IsEmpty())) return;

    const char slotDigit = static_cast<char>('0' + (plays ? k : 0));
    if (announce && IsNetworkGame())
        events_->Announce(MakeGameMessage(msg::PlayCard, slotDigit, '#', setup_.LanRole, "000", Actor::None).view());

    const int pos = gs_.TablePos;
    if (plays) {
        const Card card = gs_.Hand[s][k];
        gs_.Table[pos] = card;
        gs_.TableValue[pos] = card.Value();
        if (pos == 1) gs_.LedSuit = card.suit;
        SetHandSlot(gs_, s, k, Card::Empty());
        NormaliseHand(gs_, s);
        ShowHand(s);
        if (setup_.FlyCards) events_->FlyCard(Flight::SeatToTable, s, card);
        events_->DrawTable();
        events_->PlaySound("WHodsDo", true);
        if (pos != 1 && card.suit != gs_.LedSuit && card.suit != gs_.Trump) gs_.NoTrumpSeats.Add(s);
    } else {
        gs_.NoTrumpSeats.Add(s);
    }

    ++gs_.TablePos;
    gs_.Phase = static_cast<std::uint8_t>(phase::PlayBase + NextSeat(s));
    if (gs_.TablePos == 5) {
        gs_.Phase = phase::TrickComplete;
        CompleteTrick();
    }
}

bool Game::IsIllegal(int k) const { return IsIllegalCard(gs_, 4, k); }

bool IsIllegalCard(const GameState& gs, int s, int k) {
    if (k < 1 || k > 5 || gs.Hand[s][k].IsEmpty()) return true;
    const std::uint8_t led = gs.LedSuit;
    const std::uint8_t trump = gs.Trump;
    const std::uint8_t c = gs.Hand[s][k].suit;
    if (gs.TablePos == 1 || c == led) return false;
    if (c != trump || led == trump) return HandHasSuit(gs, s, trump) || HandHasSuit(gs, s, led);
    return HandHasSuit(gs, s, led);
}

void Game::CompleteTrick() {
    const int base = 4 * (gs_.TrickNo - 1);
    for (int p = 1; p <= 4; ++p) gs_.History[base + p] = gs_.Table[p];

    // The highest trump wins; without a trump, the highest card of the led suit.
    const std::uint8_t winningSuit = TableHasSuit(gs_, gs_.Trump) ? gs_.Trump : gs_.LedSuit;
    int bestPos = 0;
    std::uint8_t bestValue = 0;
    int aces = 0;
    for (int p = 1; p <= 4; ++p) {
        const Card& c = gs_.Table[p];
        if (c.IsAce()) aces += AceValue(c.suit);
        if (c.Suit() == winningSuit && c.Value() > bestValue) {
            bestValue = c.Value();
            bestPos = p;
        }
    }
    const int winner = SeatAtTablePosition(gs_.Leader, bestPos == 0 ? 1 : bestPos);
    gs_.Leader = static_cast<std::uint8_t>(winner);
    gs_.TrickPoints[winner] -= 1 + aces;

    gs_.LastTrick = gs_.Table;
    gs_.Table.Fill(Card::Empty());
    gs_.TableValue.Fill(0);
    ++gs_.TricksWon[winner];

    for (int s = 1; s <= 4; ++s) {
        if (!gs_.Plays[s]) continue;
        view_.tabs[s].changeShown = true;
        view_.tabs[s].change = gs_.TrickPoints[s];
        view_.tabs[s].leads = s == winner;
        events_->DrawSeatTab(s);
    }

    if (gs_.TrickNo == 5) gs_.Phase = phase::DealOver;
    ++gs_.TrickNo;
    gs_.TablePos = 1;
    SetButtons(WordId::Ok, IsDrivingMachine(), view_.second.caption, false);
}

// The cards of the last trick fly to its winner and the table rests a moment; the caller then
// redraws the table empty.
void Game::AnimateTrickClear() {
    if (!setup_.FlyCards) return;
    events_->FlyCard(Flight::TrickToWinner, gs_.Leader, Card::Empty());
    const int players = CountPlaying(gs_);
    events_->Pause(players >= 4 ? 700 : players == 3 ? 500 : 300);
}

void Game::ClearTrick(bool announce) {
    if (gs_.Phase != phase::TrickComplete) return;
    AnimateTrickClear();
    gs_.TableLeader = gs_.Leader;
    gs_.Phase = static_cast<std::uint8_t>(phase::PlayBase + gs_.Leader);
    events_->DrawTable();
    if (announce) Announce(msg::ClearTrick);
}

void Game::ComputerLead(int s) { PlayCard(s, ComputerLeadSlot(gs_, s), true); }

void Game::ComputerFollow(int s) { PlayCard(s, ComputerFollowSlot(gs_, s), true); }

}  // namespace kesp
