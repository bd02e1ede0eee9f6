// Scoring a deal, the end of the game and the final settlement.
#include "engine/game.h"
#include "engine/game_messages.h"
#include "engine/hand.h"
#include "engine/sounds.h"

namespace kesp {

void Game::ScoreDeal(bool announce) {
    if (waiting_ || gs_.Phase != phase::DealOver) return;
    if (announce) Announce(msg::ScoreDeal);
    pending_ = Pending{};
    pending_.announce = announce;
    if (gs_.SingleOrNone == 0)
        ClearTrickThen(Stage::DealScored);
    else
        DealScored();
}

void Game::DealScored() {
    if (gs_.SingleOrNone == 0) {
        for (int s = 1; s <= 4; ++s) {
            if (!gs_.Plays[s] || gs_.TricksWon[s] != 0) continue;
            int penalty = 5;
            for (std::uint8_t suitChar : SuitsInDeckOrder)
                if (gs_.AcesAtStart[s].Has(suitChar)) penalty += AceValue(suitChar);
            gs_.Penalty[s] = penalty;
        }
        for (int s = 1; s <= 4; ++s) gs_.Score[s] += gs_.TrickPoints[s] + gs_.Penalty[s];
    } else {
        for (int s = 1; s <= 4; ++s) {
            view_.handFaceUp[s] = 1;
            ShowHand(s);
            if (!gs_.Plays[s]) continue;
            gs_.TrickPoints[s] = -5;
            gs_.Score[s] -= 5;
        }
    }

    for (int s = 1; s <= 4; ++s) {
        view_.tabs[s].changeShown = true;
        view_.tabs[s].change = gs_.TrickPoints[s] + gs_.Penalty[s];
    }
    if (watched_) {
        int othersPlaying = 0;
        for (int s = 1; s <= 3; ++s) othersPlaying += gs_.Plays[s] ? 1 : 0;
        if (gs_.Plays[4] && gs_.TricksWon[4] == 0 && othersPlaying > 0)
            events_->PlaySound(sound::DealLost);
        else if ((gs_.Plays[4] && gs_.TricksWon[4] > 0) || othersPlaying == 0)
            events_->PlaySound(sound::DealWon);
        for (int s = 1; s <= 4; ++s) events_->DrawSeatTab(s);
        events_->DrawInfoPanel();
        events_->FinishRecording();
    }

    gs_.Phase = phase::DealScored;
    if (watched_ && gs_.SingleOrNone == 0) events_->DrawTable();  // the last trick has left the table
    for (int s = 1; s <= 4; ++s)
        if (gs_.Score[s] < 1) gs_.GameOver = 1;
    // Online, the table rests on the scored deal before the server's next deal can come; the
    // buttons that go on are offered once it has rested, as a press meanwhile would be refused.
    const bool rest = pending_.announce && setup_.kind == GameKind::Online;
    if (!Waits(Stage::DealShown, rest && events_->Pause(Paced(2000)))) DealShown();
}

void Game::DealShown() {
    SetButtons(WordId::NextRound, IsDrivingMachine(), WordId::ExitToMenu, false);
    if (gs_.GameOver) {
        gs_.Phase = phase::GameOverPhase;
        const bool maySettle = setup_.kind != GameKind::Online || setup_.OnlineSeat == 1;
        SetButtons(WordId::ToSumUpOfGame, maySettle, WordId::ExitToMenu, false);
    }
    gs_.Advantage = gs_.Score[1] + gs_.Score[2] + gs_.Score[3] - 3 * gs_.Score[4];
    gs_.ProvisionalTotal = gs_.RunningTotal + gs_.Advantage;

    // Only a deal that was played has starting hands to lay open.
    if (setup_.OpenCardsAtEnd && gs_.SingleOrNone == 0) {
        gs_.Hand = gs_.StartHand;
        gs_.HandValue = gs_.StartHandValue;
        for (int s = 1; s <= 4; ++s) {
            if (!gs_.Plays[s]) continue;
            view_.handFaceUp[s] = 1;
            ShowHand(s);
        }
    }
}

void Game::Settle(bool announce) {
    if (waiting_ || gs_.Phase != phase::GameOverPhase) return;
    PerSeat<std::int32_t> results{};
    for (int s = 1; s <= 4; ++s)
        for (int other = 1; other <= 4; ++other)
            if (other != s) results[s] += gs_.Score[other] - gs_.Score[s];
    gs_.Score = results;
    gs_.ProvisionalTotal = gs_.RunningTotal + results[4];
    gs_.Settled = 1;

    for (int s = 1; s <= 4; ++s) {
        view_.tabs[s].settled = true;
        events_->DrawSeatTab(s);
    }
    gs_.Trump = suit::None;
    events_->DrawInfoPanel();
    gs_.Phase = phase::GameSettled;
    SetButtons(view_.action.caption, false, WordId::ExitToMenu, true);

    if (announce && setup_.kind == GameKind::Online && setup_.OnlineSeat == 1) {
        // Network seats 1..4 as network seat 1 sees them.
        static constexpr int kSeatOrder[4] = {4, 2, 1, 3};
        events_->Announce(MakeResultsMessage(results, kSeatOrder).view());
    }
}

}  // namespace kesp
