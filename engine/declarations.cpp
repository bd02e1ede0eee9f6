// Play or pass, the discards, the draw, and the look for four aces.
#include "engine/computer_player.h"
#include "engine/game.h"
#include "engine/game_messages.h"
#include "engine/hand.h"
#include "engine/rules.h"
#include "engine/sounds.h"

namespace kesp {

bool Game::CheckFourAces(bool announce) {
    for (int s = 1; s <= 4; ++s) {
        // Four aces include the trump ace, the last card of a hand in order.
        const int last = gs_.HandCount[s];  // 0..5
        if (last < 4 || gs_.HandValue[s].items[last - 1] != 9 || CountAces(gs_, s) != 4) continue;
        gs_.Score[s] = 0;
        events_->DrawSeatTab(s);
        SetBubble(s, Bubble::Kesp);
        pending_ = Pending{};
        pending_.announce = announce;
        if (!Waits(Stage::FourAcesShown, events_->PlaySound(sound::FourAces, true))) FourAcesShown();
        return true;
    }
    return false;
}

void Game::FourAcesShown() {
    const bool maySettle = setup_.kind != GameKind::Online || setup_.OnlineSeat == 1;
    SetButtons(WordId::ToSumUpOfGame, maySettle, WordId::ExitToMenu, false);
    gs_.DealStarted = 2;
    gs_.GameOver = 1;
    gs_.Phase = phase::GameOverPhase;
    for (int seat = 1; seat <= 4; ++seat) {
        view_.handFaceUp[seat] = 1;
        ShowHand(seat);
    }
    if (pending_.announce) Announce(msg::FourAces);
}

// The user decides next: "To Play" always, "Pass" only when he may.
void Game::PrepareUserDecision() {
    SetButtons(WordId::ToPlay, true, WordId::Pass, MayPass(gs_, 4));
}

void Game::Decide(bool byComputer, bool play, bool announce) {
    if (waiting_ || !phase::IsDecision(gs_.Phase)) return;
    const int s = gs_.Phase;
    const bool plays = byComputer ? (gs_.Plays[s] != 0 || IsForcedToPlay(gs_)) : play;

    gs_.Plays[s] = plays ? 1 : 0;
    SetBubble(s, plays ? Bubble::ToPlay : Bubble::Pass);
    pending_ = Pending{};
    pending_.seat = s;
    pending_.announce = announce;
    pending_.actor = byComputer ? Actor::Computer : Actor::Person;
    if (!Waits(Stage::DecisionShown, events_->PlaySound(plays ? sound::CallPlay : sound::CallPass, true)))
        DecisionShown();
}

void Game::DecisionShown() {
    const int s = pending_.seat;
    const bool plays = gs_.Plays[s] != 0;
    view_.tabs[s].star = plays;
    events_->DrawSeatTab(s);
    if (pending_.announce && IsNetworkGame())
        events_->Announce(MakeDecisionMessage(plays, pending_.actor, setup_.LanRole).view());

    SetButtons(view_.action.caption, false, view_.second.caption, false);
    gs_.Phase = static_cast<std::uint8_t>(NextSeat(s));
    ++gs_.DecisionCount;

    if (gs_.DecisionCount < 4) {
        if (gs_.Phase == phase::Decision(4) && gs_.HumanSeat[4]) PrepareUserDecision();
        return;
    }
    FinishDecisions();
}

void Game::FinishDecisions() {
    if (CountPlaying(gs_) <= 1) {
        gs_.SingleOrNone = 1;
        gs_.Phase = phase::DealOver;
        SetButtons(WordId::ToSumUpOfRound, IsDrivingMachine(), view_.second.caption, false);
    } else {
        gs_.Phase = phase::DecisionsDone;
        SetButtons(WordId::ToCommunicateCards, IsDrivingMachine(), view_.second.caption, false);
    }
}

// The user plays and it is his discard turn: he marks cards and presses "Is ready".
void Game::PrepareUserDiscard() {
    SetBubble(4, Bubble::CommunicateCards);
    SetButtons(WordId::IsReady, true, view_.second.caption, false);
}

void Game::StartDiscards(bool announce) {
    if (waiting_ || gs_.Phase != phase::DecisionsDone) return;
    gs_.Phase = phase::Discard(gs_.Dealer);
    gs_.DecisionCount = 1;
    gs_.PlayerCount = static_cast<std::uint8_t>(CountPlaying(gs_));
    if (gs_.Dealer == 4 && gs_.HumanSeat[4] && gs_.Plays[4]) PrepareUserDiscard();
    if (announce) Announce(msg::StartDiscards);
}

void Game::Discard(bool byComputer, const Slots<std::uint8_t, 1, 4>& slots, bool announce) {
    if (waiting_ || !phase::IsDiscard(gs_.Phase)) return;
    const int s = gs_.Phase - phase::DiscardBase;

    const Slots<std::uint8_t, 1, 4> chosen = slots;  // (the user's marks are cleared with his cards)
    LayDown(s, byComputer, chosen);
    ShowHand(s);

    if (announce && IsNetworkGame()) {
        if (byComputer || !gs_.Plays[s])
            events_->Announce(MakeComputerDiscardMessage(setup_.LanRole).view());
        else
            events_->Announce(MakePersonDiscardMessage(chosen, setup_.LanRole).view());
    }
    gs_.Phase = phase::Discard(NextSeat(s));
    ++gs_.DecisionCount;
    if (gs_.DecisionCount >= 5) {
        gs_.Phase = phase::DiscardsDone;
        SetButtons(WordId::ToTakeFromAPack, IsDrivingMachine(), view_.second.caption, false);
    } else if (gs_.Phase == phase::Discard(4) && gs_.HumanSeat[4] && gs_.Plays[4]) {
        PrepareUserDiscard();
    }
}

void Game::LayDown(int s, bool byComputer, const Slots<std::uint8_t, 1, 4>& slots) {
    if (!gs_.Plays[s]) {  // a seat that passed lays down its whole hand
        gs_.Hand[s].Fill(Card::Empty());
        gs_.HandValue[s].Fill(EmptyValue);
        gs_.HandCount[s] = 0;
    } else if (byComputer) {
        const SlotRun run = ComputerDiscard(gs_, s);
        RemoveRun(gs_, s, run.first, run.count);
    } else {
        for (int i = 1; i <= 4; ++i)
            if (slots[i] >= 1 && slots[i] <= 5) SetHandSlot(gs_, s, slots[i], Card::Empty());
        CloseGaps(gs_, s);
    }
    if (s == 4) {  // the marks go with the cards: the hand is shown without them
        gs_.DiscardSel.Fill(0);
        gs_.DiscardAsked = 0;
    }
}

// The draw goes round from the dealer; each seat that plays fills its hand from the stock, the
// dealer taking the face-up trump card first. Each card flies and sounds before the next.
void Game::DrawAll(bool announce) {
    if (waiting_ || gs_.Phase != phase::DiscardsDone) return;
    if (announce) Announce(msg::Draw);
    pending_ = Pending{};
    DrawNext();
}

// While nothing waits, the cards are drawn one after another in this loop; a card whose flight
// or sound waits ends the step, and the draw goes on here (or at CardDrawn) when it is over.
void Game::DrawNext() {
    for (; pending_.drawIndex < 4; ++pending_.drawIndex) {
        const int s = SeatAtTablePosition(gs_.Dealer, pending_.drawIndex + 1);  // the dealer first
        gs_.Phase = phase::Draw(s);
        if (!gs_.Plays[s]) continue;
        pending_.seat = s;
        while (PutDrawnCard(s)) {
            if (waiting_ || !CardLanded()) return;
        }
    }
    FinishDraw();
    events_->ButtonsChanged();
    for (int s = 1; s <= 4; ++s)
        if (gs_.Plays[s]) events_->DrawSeatTab(s);
}

void Game::FinishDraw() {
    gs_.Phase = phase::Drawn;
    SetButtonView(WordId::Game, IsDrivingMachine(), view_.second.caption, false);
    for (int s = 1; s <= 4; ++s) {
        if (!gs_.Plays[s]) continue;
        view_.tabs[s].changeShown = true;
        view_.tabs[s].change = 0;
    }
}

bool Game::PutDrawnCard(int s) {
    const bool trumpOnDeck = !gs_.TrumpTaken;
    const std::optional<Card> card = DrawCard(s);
    if (!card) return false;
    const bool trumpCard = trumpOnDeck && gs_.TrumpTaken;
    pending_.slot = trumpCard ? 5 : gs_.HandCount[s] + 1;
    pending_.flag = trumpCard;  // the trump card leaves the information panel when it lands
    SetHandSlot(gs_, s, pending_.slot, *card);
    ++gs_.HandCount[s];
    events_->DrawDeck();
    const Flight flight = trumpCard ? Flight::TrumpToDealer : Flight::DeckToSeat;
    Waits(Stage::CardDrawn, setup_.FlyCards && events_->FlyCard(flight, s, *card));
    return true;
}

std::optional<Card> Game::DrawCard(int s) {
    if (s == gs_.Dealer && !gs_.TrumpTaken) {
        gs_.TrumpTaken = 1;
        view_.trumpCardOnDeck = 0;
        return gs_.Deck[36];
    }
    if (gs_.HandCount[s] >= 5 || gs_.NextDraw > 35) return std::nullopt;
    return gs_.Deck[gs_.NextDraw++];
}

bool Game::CardLanded() {
    if (pending_.flag) events_->DrawInfoPanel();
    SortInCard(gs_, pending_.seat, pending_.slot);
    ShowHand(pending_.seat);
    return !Waits(Stage::DrawNext, events_->PlaySound(sound::Card, true));
}

void Game::CardDrawn() {
    if (CardLanded()) DrawNext();
}

void Game::StartTricks(bool announce) {
    if (waiting_ || gs_.Phase != phase::Drawn) return;
    for (int s = 1; s <= 4; ++s) {
        gs_.AcesAtStart[s].Clear();
        for (const Card& c : gs_.Hand[s].items)
            if (c.IsAce()) gs_.AcesAtStart[s].Add(c.suit);
    }
    gs_.History.Fill(Card::Empty());
    if (!gs_.Plays[gs_.Dealer]) gs_.History[21] = gs_.Deck[36];

    int leader = gs_.Dealer;
    for (int i = 0; i < 3 && !gs_.Plays[leader]; ++i) leader = NextSeat(leader);
    gs_.Leader = static_cast<std::uint8_t>(leader);
    gs_.TableLeader = gs_.Leader;
    gs_.Phase = phase::Play(leader);
    lastPlayerTrick_ = 0;

    SetButtons(WordId::Ok, false, view_.second.caption, false);
    for (int s = 1; s <= 4; ++s) SetBubble(s, Bubble::SeatName);
    if (announce) Announce(msg::StartTricks);
    gs_.StartHand = gs_.Hand;
    gs_.StartHandValue = gs_.HandValue;
}

}  // namespace kesp
