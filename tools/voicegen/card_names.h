// The spoken names of the cards in the ten voice languages of the game.
#pragma once

#include <string>

namespace voicegen {

inline constexpr int kLanguages = 10;
inline constexpr int kRanks = 13;  // two .. ten, jack, queen, king, ace

// Suits in the order hearts, diamonds, clubs, spades with their tokens in the library's names.
inline constexpr const char* kSuitTokens[4] = {"Ch", "Bu", "Kr", "Pi"};
inline constexpr const char* kRankTokens[kRanks] = {"02", "03", "04", "05", "06", "07", "08",
                                                    "09", "10", "2J", "3Q", "4K", "5A"};
// Voice language codes of the names and the espeak-ng voice that speaks each language.
inline constexpr const char* kLanguageCodes[kLanguages] = {"Eng", "Rus", "Deu", "Fra", "Spa",
                                                           "Chi", "Ita", "Cze", "Jap", "Kor"};
inline constexpr const char* kEspeakVoices[kLanguages] = {"en-gb",           "ru", "de", "fr-fr", "es",
                                                          "cmn-latn-pinyin", "it", "cs", "ja",    "ko"};

// The name of a card as it is said in `language`: "ace of spades", "туз пик", "Pik-Ass"...
std::string CardName(int language, int suit, int rank);

}  // namespace voicegen
