// The sound effects by what they say, as named among the program's resources.
#pragma once

#include <string_view>

namespace kesp::sound {

inline constexpr std::string_view Shuffle = "WTasoKo";    // a new deal is dealt
inline constexpr std::string_view Card = "WHodsDo";       // a card lands in a hand or on the table
inline constexpr std::string_view CallPlay = "WDiPlay";   // a seat says "To Play"
inline constexpr std::string_view CallPass = "WDiPass";   // a seat says "Pass"
inline constexpr std::string_view FourAces = "WPlMore";   // a seat holds all four aces
inline constexpr std::string_view Wrong = "WWrongs";      // a move the rules refuse, a lost player
inline constexpr std::string_view Window = "WOpenFo";     // a window, a question or a menu command
inline constexpr std::string_view DealLost = "WKoBadX";   // the user took no trick
inline constexpr std::string_view DealWon = "WKoGutX";    // the user took a trick
inline constexpr std::string_view GameWon = "WKoGood";    // a finished game left with a gain
inline constexpr std::string_view GameLost = "WKoBads";   // ... with a loss
inline constexpr std::string_view CycleBest = "WFiBest";  // a cycle of games ends at the top
inline constexpr std::string_view CycleGood = "WFiGood";
inline constexpr std::string_view CycleBad = "WFiBads";
inline constexpr std::string_view Chat = "WToMenK";  // a chat line arrives

}  // namespace kesp::sound
