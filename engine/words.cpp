#include "engine/words.h"

namespace kesp {

std::string_view EnglishWord(WordId id) {
    switch (id) {
        case WordId::None: return "";
        case WordId::ToBegin: return "To Begin";
        case WordId::ExitToMenu: return "Exit to menu";
        case WordId::Ok: return "OK";
        case WordId::ToPlay: return "To Play";
        case WordId::Pass: return "Pass";
        case WordId::ToCommunicateCards: return "To communicate cards";
        case WordId::CommunicateCards: return "Communicate cards";
        case WordId::IsReady: return "Is ready";
        case WordId::ToTakeFromAPack: return "To take from a pack";
        case WordId::Game: return "Game";
        case WordId::ToSumUpOfRound: return "To sum up of Round";
        case WordId::NextRound: return "Next Round";
        case WordId::ToSumUpOfGame: return "To sum up of game";
        case WordId::KespWin: return "Kesp!";
        case WordId::NoCardChange: return "You really do not want to change of cards?";
        case WordId::CarryOneCard: return "You should carry at least one card!";
        case WordId::LeaveToMenuQuestion: return "You want to leave in the main menu?";
        case WordId::LeaveGameQuestion: return "You want to leave from game?";
        case WordId::DataWillBeLost: return "All datas for want of it will be lost!";
        case WordId::Count: break;
    }
    return "";
}

}  // namespace kesp
