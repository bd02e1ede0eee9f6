#include "presentation/word_table.h"

namespace kesp {

namespace words_data {
// Defined in the generated source.
extern const Word kTable[kWordCount];
extern const std::string_view kNames[kWordCount];
}  // namespace words_data

namespace {

constexpr std::array<std::string_view, kLanguageCount> kImageSuffix = {"Eng", "Rus", "Deu", "Fra", "Spa",
                                                                       "Chi", "Ita", "Cze", "Eng", "Eng"};
constexpr std::array<std::string_view, kLanguageCount> kVoiceSuffix = {"Eng", "Rus", "Deu", "Fra", "Spa",
                                                                       "Chi", "Ita", "Cze", "Jap", "Kor"};
const Word kEmptyWord{};

bool InTable(int index) {
    return index >= 0 && index < kWordCount;
}

}  // namespace

int LanguageInRange(int language) {
    return language >= 0 && language < kLanguageCount ? language : kEnglish;
}

const Word& WordOf(WordKey key) {
    const int index = static_cast<int>(key);
    return InTable(index) ? words_data::kTable[index] : kEmptyWord;
}

std::string_view WordName(WordKey key) {
    const int index = static_cast<int>(key);
    return InTable(index) ? words_data::kNames[index] : std::string_view{};
}

WordKey WordAfter(WordKey first, int offset) {
    const long index = static_cast<long>(first) + offset;
    return index >= 0 && index < kWordCount ? static_cast<WordKey>(index) : first;
}

WordKey WordFor(WordId id) {
    switch (id) {
        case WordId::ToBegin:
            return WordKey::ToBegin;
        case WordId::ExitToMenu:
            return WordKey::ExitToMenu;
        case WordId::Ok:
            return WordKey::OK;
        case WordId::ToPlay:
            return WordKey::ToPlay;
        case WordId::Pass:
            return WordKey::Pass;
        case WordId::ToCommunicateCards:
            return WordKey::ToCommunicateCards;
        case WordId::CommunicateCards:
            return WordKey::CommunicateCards;
        case WordId::IsReady:
            return WordKey::IsReady;
        case WordId::ToTakeFromAPack:
            return WordKey::ToTakeFromAPack;
        case WordId::Game:
            return WordKey::GameButton;
        case WordId::ToSumUpOfRound:
            return WordKey::ToSumUpOfRound;
        case WordId::NextRound:
            return WordKey::NextRound;
        case WordId::ToSumUpOfGame:
            return WordKey::ToSumUpOfGame;
        case WordId::KespWin:
            return WordKey::KespWin;
        case WordId::NoCardChange:
            return WordKey::NoCardChange;
        case WordId::CarryOneCard:
            return WordKey::CarryOneCard;
        case WordId::LeaveToMenuQuestion:
            return WordKey::LeaveToMenuQuestion;
        case WordId::LeaveGameQuestion:
            return WordKey::LeaveGameQuestion;
        case WordId::DataWillBeLost:
            return WordKey::DataWillBeLost;
        case WordId::None:
        case WordId::Count:
            break;
    }
    // No word: an out-of-table key, whose text is empty.
    return static_cast<WordKey>(kWordCount);
}

std::string_view LanguageSuffix(int language) {
    return kImageSuffix[LanguageInRange(language)];
}

std::string_view VoiceSuffix(int language) {
    return kVoiceSuffix[LanguageInRange(language)];
}

}  // namespace kesp
