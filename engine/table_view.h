// What the table shows besides the cards themselves: the two buttons, the seat tabs and the
// bubbles. The engine keeps it up to date; the window draws it.
#pragma once

#include <cstdint>

#include "engine/game_state.h"
#include "engine/words.h"

namespace kesp {

struct ButtonState {
    WordId caption = WordId::None;
    bool enabled = false;
    bool shown = false;
    friend bool operator==(const ButtonState&, const ButtonState&) = default;
};

// What a seat's tab shows under its score.
struct SeatTab {
    bool changeShown = false;  // blank when the deal is dealt
    std::int32_t change = 0;   // this deal's change of score
    bool leads = false;        // the pointing hand
    bool star = false;         // declared to play
    bool settled = false;      // the score is a settled result
    friend bool operator==(const SeatTab&, const SeatTab&) = default;
};

enum class Bubble : std::uint8_t { SeatName, ToPlay, Pass, CommunicateCards, Kesp };

struct TableView {
    ButtonState action;  // the action button
    ButtonState second;  // the second button
    PerSeat<SeatTab> tabs;
    PerSeat<Bubble> bubbles;
    PerSeat<std::uint8_t> handFaceUp;  // hand drawn face up
    std::uint8_t trumpCardOnDeck = 0;  // the trump card lies face up under the deck
    // Pop-up menu items of the table.
    bool menuQuit = false;
    bool menuGenCount = false;
    bool menuChangeName = false;
    friend bool operator==(const TableView&, const TableView&) = default;
};

}  // namespace kesp
