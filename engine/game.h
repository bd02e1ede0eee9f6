// One table: the game state, its view, and every step of a deal. Each step checks the phase and
// does nothing when it does not apply, so a click, a timer tick and a network message can all
// call it. Several games can live side by side in one process.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "engine/game_messages.h"
#include "engine/game_state.h"
#include "engine/random.h"
#include "engine/table_events.h"
#include "engine/table_view.h"

namespace kesp {

struct TableBest;

enum class GameKind : std::uint8_t { Local, LanHost, LanClient, Online };
enum class MouseButton : std::uint8_t { Left, Right };
enum class CardCursor : std::uint8_t { Ordinary, Choosing };

struct TableSetup {
    GameKind kind = GameKind::Local;
    std::uint8_t LanRole = 0;     // 0 no network game, 1 host, 2..4 the client's network seat
    int LanClientIndex = -1;      // 0, 1 or 2 for one, two or three clients
    std::uint8_t OnlineSeat = 1;  // own network seat in an online game
    int InitialScore = 100;
    bool OpenCardsAtEnd = false;
    bool FlyCards = true;
    bool AllComputer = false;  // the own seat is a computer player too (headless play)
    bool AccountGame = false;  // a rated game of the online account
    bool Tournament = false;   // an online tournament game
    int Pace = 1;              // tests divide the timer's intervals and the rests by this
};

// Timer intervals of the game timer, in milliseconds.
namespace timer {
inline constexpr int Menu = 20;
inline constexpr int Move = 200;
inline constexpr int PassedMove = 55;
}  // namespace timer

class Game {
  public:
    explicit Game(TableEvents& events) : events_(&events), watched_(true) {}
    Game();

    GameState& State() { return gs_; }
    const GameState& State() const { return gs_; }
    const TableView& View() const { return view_; }
    TableSetup& Setup() { return setup_; }
    const TableSetup& Setup() const { return setup_; }
    void SetEvents(TableEvents& events) {
        events_ = &events;
        watched_ = true;
    }

    // The shuffle: by default reseeded from the clock at every deal; a fixed seed makes the
    // decks repeat. UseDeck replaces the next shuffle by a permutation of the deck numbers 1..36.
    void SeedShuffle(std::uint64_t seed);
    // False (and nothing changes) when the numbers are not a permutation of 1..36.
    bool UseDeck(const std::array<std::uint8_t, 36>& deckNumbers);

    // The game timer as the window must run it.
    int TimerInterval() const { return Paced(timerInterval_); }
    bool TimerRunning() const { return timerRunning_; }

    // A step that must wait for a card flight, a rest, a sound or the discard question ends there
    // and goes on from Resume (or Answer). Meanwhile the table is held: ticks, buttons, card clicks
    // and other machines' steps change nothing (the network keeps those until the wait is over).
    bool Waiting() const { return waiting_; }
    // Identifies the wait that the table is about to start or is in; Resume with an older ticket
    // (a wait that was abandoned) does nothing.
    std::uint32_t WaitTicket() const { return waitTicket_; }
    void Resume(std::uint32_t ticket);
    // The answer to a question that TableEvents::AskYesNo put on the screen.
    void Answer(WordId question, bool yes);

    // Who acts where.
    int OwnNetworkSeat() const;
    bool IsDrivingMachine() const;
    bool IsNetworkGame() const { return setup_.kind != GameKind::Local; }

    // Dealing.
    void StartDeal(bool newGame);
    void WorkOutIntentions();

    // Play or pass, discard and draw.
    bool CheckFourAces(bool announce);
    void Decide(bool byComputer, bool play, bool announce);
    void StartDiscards(bool announce);
    void Discard(bool byComputer, const Slots<std::uint8_t, 1, 4>& slots, bool announce);
    void DrawAll(bool announce);
    void StartTricks(bool announce);

    // Trick play.
    void PlayCard(int s, int k, bool announce);
    bool IsIllegal(int k) const;
    void ClearTrick(bool announce);

    // Scoring.
    void ScoreDeal(bool announce);
    void Settle(bool announce);

    // Computer player moves.
    void ComputerLead(int s);
    void ComputerFollow(int s);

    // Driver: the game timer's tick and the two table buttons (each does nothing while disabled).
    void GameTick();
    void ActionButton();
    void SecondButton();
    // The user's cards: `slot` is the card under the pointer (1..5), 0 for none.
    void OwnCardClick(MouseButton button, int slot);
    CardCursor OwnCardHover(int slot) const;
    // Right clicks that say a card's name: the card at a seat's place on the table, the face-up
    // trump card on the deck, a card of an open hand of seats 1..3.
    void RightClickTable(int seat);
    void RightClickDeck();
    void RightClickOpenHand(int seat, int slot);
    // A nine-character game message from another machine: the same step, not announced again.
    // Anything that is not a well-formed game message for the current phase changes nothing.
    void ApplyGameMessage(std::string_view message);
    // A local-network client's deal from the host (its 112-character message): the received
    // deck is dealt rotated to the own seat, a new game when none is running. False, and
    // nothing changes, for a bad message or when no deal is due.
    bool ReceiveDeal(std::string_view message);
    // The game server's deal (its 109-character frame) in an online game: the blocks go to the
    // seats by the online order, a new game or the next deal after a scored one. False, and
    // nothing changes, for a bad frame or when no deal is due.
    bool ReceiveOnlineDeal(std::string_view frame, bool newGame);
    // The game server ended the game: the settling button works on every machine now.
    void OnlineGameEnded();
    // An online game stopped early (a player left or ran out of time, or the connection went):
    // the table stays as it is, and "Exit to menu" leaves it without recording anything.
    void StopOnlineGame();
    // Another player of a network game was lost: the table is left without recording anything.
    void BreakOff();

    // Headless play: a dealt deal at a table that nobody watches (a Game made without events) and
    // where the computer plays every seat, played from "To Begin" to its scoring, or to the four
    // aces, in one go. No step is dispatched and no event told on the way; the state, the view and
    // the timer end exactly as the steps leave them. NotPlayed, and nothing changes, for any other
    // table or moment.
    enum class HeadlessDeal : std::uint8_t { NotPlayed, Scored, FourAces };
    HeadlessDeal PlayHeadlessDeal();

    // Pop-up menu items and closing the window. Each asks first; true when the table has been left
    // (or, closing, there was none), false while the question waits for Answer or on No.
    bool LeaveToMenu();
    bool CloseQuery();
    void GenCount();
    void LeaveFinishedGame();
    int HelpTopic() const { return helpTopic_; }

  private:
    // Where a step that waited goes on.
    enum class Stage : std::uint8_t {
        None,
        CardOnTable,      // a played card has flown to the table
        CardPlayed,       // ... and its sound has ended
        DecisionShown,    // the play-or-pass call has sounded
        FourAcesShown,    // the four-aces call has sounded
        DrawNext,         // the next card of the draw
        CardDrawn,        // a drawn card has flown to its seat
        TrickFlown,       // the cards of a trick have flown to the winner
        TrickCleared,     // the trick is off the table: the winner leads
        DealScored,       // the last trick is off the table: the scores change
        DealShown,        // the scored deal has been shown (online: a rest)
        DiscardAnswered,  // the person answered whether he keeps all his cards
    };
    // What a waiting step carries over to its next stage.
    struct Pending {
        int seat = 0;
        int slot = 0;  // the hand slot a drawn card went into
        bool announce = false;
        bool flag = false;
        Actor actor = Actor::None;
        Stage afterTrick = Stage::None;
        int drawIndex = 0;
    };

    // True when a wait has started (`started`): the step ends, and goes on at `next` once the wait
    // is over. False: nothing waits, and the caller goes on to `next` itself.
    bool Waits(Stage next, bool started);
    // Goes on with `next` now, or once the wait that `waits` says was started is over.
    void Then(Stage next, bool waits);
    // Goes on from the stage where a wait left the step.
    void ResumeStage();
    void RunStage(Stage stage);
    void CancelWait();
    int Paced(int milliseconds) const;
    void CardOnTable();
    void CardPlayed();
    void DecisionShown();
    // After the fourth decision: the deal goes on to the discards, or ends when at most one plays.
    void FinishDecisions();
    // Seat s lays down its discard (a passed seat its whole hand): the computer's choice or the
    // person's `slots`.
    void LayDown(int s, bool byComputer, const Slots<std::uint8_t, 1, 4>& slots);
    void FourAcesShown();
    void DrawNext();
    // Puts the next card of seat s's draw into its hand and starts its flight (which may wait);
    // false when the seat takes no more cards.
    bool PutDrawnCard(int s);
    // The card seat s draws next: the dealer the trump card first, then the stock's next up to five
    // cards; nothing when the seat takes no more.
    std::optional<Card> DrawCard(int s);
    // Every seat that plays has drawn: trick play may start.
    void FinishDraw();
    // A drawn card has landed: it takes its place in the hand and sounds; false when the sound
    // waits.
    bool CardLanded();
    void CardDrawn();
    void DealScored();
    void DealShown();
    void DiscardAnswered();
    void ClearTrickThen(Stage then);
    // Seat s's card from hand slot k goes to the table at TablePos.
    void PutOnTable(int s, int k);
    void CompleteTrick();
    // The full trick is won: history, winner, points, the tabs and the button ("OK").
    void TakeTrick();
    // The same, told the table's best cards; without `shown`, the tabs and the button are left as
    // they were (a deal nobody watches sets them after its last trick).
    void TakeTrick(const TableBest& best, bool shown);
    // The playing seats' tabs show their trick points, and the last trick's winner leads.
    void ShowTrickPoints();
    void Announce(char code);
    void SetButtons(WordId action, bool actionEnabled, WordId second, bool secondEnabled);
    // The same without telling the table (whoever changes the view this way tells it later).
    void SetButtonView(WordId action, bool actionEnabled, WordId second, bool secondEnabled);
    void SetTimer(int interval, bool running);
    void SetBubble(int seat, Bubble b);
    void ShowHand(int seat);
    void PrepareUserDecision();
    void PrepareUserDiscard();
    void UserDiscard();
    void ReturnToMenu(LeaveReason reason);
    void Shuffle();
    void PlaceInDeck(int p, int deckNumber);
    void DealBlocks();
    int ChooseDealer() const;
    void SetHumanSeats();
    bool UserHasAce() const;

    GameState gs_;
    TableView view_;
    TableSetup setup_;
    TableEvents* events_;
    bool watched_ = false;  // events were given: somebody follows the table
    Random random_;
    bool fixedSeed_ = false;
    std::optional<std::array<std::uint8_t, 36>> nextDeck_;
    int timerInterval_ = timer::Menu;
    bool timerRunning_ = true;
    int lastPlayerTrick_ = 0;  // trick whose LastPlayer has been determined
    int helpTopic_ = 1;
    Stage next_ = Stage::None;
    bool waiting_ = false;
    std::uint32_t waitTicket_ = 0;
    Pending pending_;
};

}  // namespace kesp
