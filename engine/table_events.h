// The one interface through which the engine reaches the screen, the sounds, the card flights,
// the other machines and the person at the table. Every call has a do-nothing default, so a
// headless player implements nothing at all.
#pragma once

#include <optional>
#include <string_view>

#include "engine/card.h"
#include "engine/words.h"

namespace kesp {

// Why the table is being left for the main menu.
enum class LeaveReason : std::uint8_t {
    Finished,   // a settled game: the records take its result
    Abandoned,  // left before its end: the player loses his place in the club
    BrokenOff,  // another player of a network game was lost: nothing is recorded
};

enum class Flight : std::uint8_t {
    TrumpToDealer,  // the face-up trump card to the dealer
    DeckToSeat,     // a replacement card from the stock
    SeatToTable,    // a played card to its place on the table
    TrickToWinner,  // the cards of a trick to the seat that won it
};

class TableEvents {
  public:
    virtual ~TableEvents() = default;

    // Drawing: the named part of the table changed (the state and the TableView say how).
    virtual void DrawHand(int /*seat*/) {}
    virtual void DrawTable() {}
    virtual void DrawDeck() {}
    virtual void DrawInfoPanel() {}
    virtual void DrawSeatTab(int /*seat*/) {}
    virtual void DrawBubble(int /*seat*/) {}
    virtual void ButtonsChanged() {}
    // A new deal is about to be dealt: the table picks the card back the deal shows.
    virtual void NewDeal() {}
    virtual void TimerChanged() {}

    // What the table takes time to show: a card (or, for a trick, the cards of LastTrick) flying,
    // a rest, a sound the game waits for. Each returns true when what it started ends later: the
    // step then stops there, and the table calls Game::Resume with the Game::WaitTicket() of that
    // moment once it is over. False means it is over already and the step goes straight on.
    virtual bool FlyCard(Flight /*flight*/, int /*seat*/, const Card& /*card*/) { return false; }
    virtual bool Pause(int /*milliseconds*/) { return false; }
    virtual bool PlaySound(std::string_view /*name*/, bool /*wait*/ = false) { return false; }
    // The wait in progress is abandoned (the table is being left): its Resume must never come.
    virtual void CancelWaits() {}
    virtual void SpeakCard(const Card& /*card*/) {}

    // A step made on this machine, as its game message for the other machines.
    virtual void Announce(std::string_view /*message*/) {}

    // The person at the table: a yes/no question whose text is the first word, `joiner` and the
    // second word; and a message in the message window. An answer known at once is returned;
    // nothing means the question is on the screen and Game::Answer brings the answer later.
    virtual std::optional<bool> AskYesNo(WordId /*question*/, WordId /*second*/ = WordId::None,
                                         std::string_view /*joiner*/ = "") {
        return false;
    }
    virtual void ShowMessage(WordId /*message*/) {}
    virtual void ShowGeneralCount() {}

    // Deal recording: started when a deal is on the table, saved after its scoring, and saved as
    // far as it went when the table is left.
    virtual void StartRecording() {}
    virtual void FinishRecording() {}
    virtual void StopRecording() {}

    // The table is taken off and the main menu shown; the records, sockets and music follow.
    virtual void LeaveTable(LeaveReason /*reason*/) {}
};

}  // namespace kesp
