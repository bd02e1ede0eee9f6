// A deal that nobody watches, played through in one go. The steps of a deal are made for a table
// that shows each of them: each is dispatched by a button or a tick, checks the phase, and tells
// the table what changed. Here the computer plays every seat and nothing is shown, so each phase
// runs as one loop over the state changes the steps make, in the same order.
#include <algorithm>

#include "engine/computer_player.h"
#include "engine/game.h"
#include "engine/hand.h"
#include "engine/rules.h"

namespace kesp {

[[gnu::flatten]] Game::HeadlessDeal Game::PlayHeadlessDeal() {
    if (watched_ || waiting_ || !gs_.DealRunning || gs_.DealStarted != 1 || !view_.action.enabled ||
        setup_.kind != GameKind::Local)
        return HeadlessDeal::NotPlayed;
    for (int s = 1; s <= 4; ++s)
        if (gs_.HumanSeat[s]) return HeadlessDeal::NotPlayed;

    // "To Begin".
    gs_.DealStarted = 2;
    SetButtonView(WordId::Ok, false, view_.second.caption, false);
    if (CheckFourAces(true)) return HeadlessDeal::FourAces;
    SetTimer(timer::Move, true);
    helpTopic_ = 5;

    // Play or pass, from the dealer on.
    for (int i = 0; i < 4; ++i) {
        const int s = gs_.Phase;
        const bool plays = gs_.Plays[s] || IsForcedToPlay(gs_);
        gs_.Plays[s] = plays ? 1 : 0;
        view_.bubbles[s] = plays ? Bubble::ToPlay : Bubble::Pass;
        view_.tabs[s].star = plays;
        gs_.Phase = static_cast<std::uint8_t>(NextSeat(s));
        ++gs_.DecisionCount;
    }
    FinishDecisions();

    if (gs_.Phase == phase::DecisionsDone) {
        // "To communicate cards", and each seat's discard.
        StartDiscards(true);
        for (int i = 0; i < 4; ++i) {
            const int s = gs_.Phase - phase::DiscardBase;
            LayDown(s, true, {});
            gs_.Phase = phase::Discard(NextSeat(s));
            ++gs_.DecisionCount;
        }

        // "To take from a pack", from the dealer on.
        for (int i = 0, s = gs_.Dealer; i < 4; ++i, s = NextSeat(s)) {
            if (!gs_.Plays[s]) continue;
            if (s == gs_.Dealer && !gs_.TrumpTaken)
                InsertCard(gs_, s, *DrawCard(s), gs_.DeckValue[36]);  // the trump card first
            // Then from the pack, up to five cards while it lasts (its last place is the trump card's).
            const int take = std::min(5 - gs_.HandCount[s], 36 - gs_.NextDraw);
            const int first = gs_.NextDraw - 1;  // deck item of the next card
            for (int i = first; i < first + take; ++i)
                InsertCard(gs_, s, gs_.Deck.items[i], gs_.DeckValue.items[i]);
            if (take > 0) gs_.NextDraw = static_cast<std::uint8_t>(gs_.NextDraw + take);
        }
        FinishDraw();

        // "Game", and the five tricks with their "OK".
        SetButtonView(view_.action.caption, false, view_.second.caption, false);
        if (CheckFourAces(true)) return HeadlessDeal::FourAces;
        StartTricks(true);
        SeenTrumps seen = TrumpsInHistory(gs_);  // kept up to date card by card (only a lead reads it)
        int lastMover = 0;
        for (;;) {
            gs_.LastPlayer = static_cast<std::uint8_t>(FindLastPlayer(gs_));
            lastPlayerTrick_ = gs_.TrickNo;
            TableBest best;  // kept up to date card by card
            for (int pos = 1, s = gs_.Leader; pos <= 4; ++pos, s = NextSeat(s)) {
                if (!gs_.Plays[s]) {
                    gs_.NoTrumpSeats.Add(s);  // a seat that passed makes the empty move
                } else {
                    PutOnTable(s,
                               pos == 1 ? ComputerLeadSlot(gs_, s, seen) : ComputerFollowSlot(gs_, s, best));
                    const Card& card = gs_.Table.items[pos - 1];
                    best.Place(pos, card.suit, gs_.TableValue.items[pos - 1], gs_.LedSuit, gs_.Trump);
                    seen.See(card, gs_.Trump);
                }
                ++gs_.TablePos;
                lastMover = s;
            }
            gs_.Phase = phase::TrickComplete;
            TakeTrick(best, false);
            if (gs_.Phase == phase::DealOver) break;
            gs_.TableLeader = gs_.Leader;
        }
        ShowTrickPoints();  // the last trick's tabs, as each trick leaves them
        SetButtonView(WordId::Ok, false, view_.second.caption, false);
        // The timer's pace is that of the deal's last move.
        SetTimer(gs_.Plays[lastMover] ? timer::Move : timer::PassedMove, timerRunning_);
    }

    // "OK" or "To sum up of Round".
    SetButtonView(view_.action.caption, false, view_.second.caption, false);
    ScoreDeal(true);
    return HeadlessDeal::Scored;
}

}  // namespace kesp
