// The words of the table that the engine shows (button captions, bubbles, questions, messages).
// The window looks each one up in the current language; the engine only names them (the English
// text of each is given beside it).
#pragma once

#include <cstdint>

namespace kesp {

enum class WordId : std::uint8_t {
    None,
    ToBegin,              // "To Begin"
    ExitToMenu,           // "Exit to menu"
    Ok,                   // "OK"
    ToPlay,               // "To Play"
    Pass,                 // "Pass"
    ToCommunicateCards,   // "To communicate cards"
    CommunicateCards,     // "Communicate cards"
    IsReady,              // "Is ready"
    ToTakeFromAPack,      // "To take from a pack"
    Game,                 // "Game"
    ToSumUpOfRound,       // "To sum up of Round"
    NextRound,            // "Next Round"
    ToSumUpOfGame,        // "To sum up of game"
    KespWin,              // "Kesp!"
    NoCardChange,         // "You really do not want to change of cards?"
    CarryOneCard,         // "You should carry at least one card!"
    LeaveToMenuQuestion,  // "You want to leave in the main menu?"
    LeaveGameQuestion,    // "You want to leave from game?"
    DataWillBeLost,       // "All datas for want of it will be lost!"
    Count
};

}  // namespace kesp
