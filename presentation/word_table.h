// The words of the interface in ten languages, as plain text: the table without any toolkit, for
// the window and the headless tools alike.
//
// Every visible text comes from one compiled-in table, generated from resources/words.tsv. A word is
// named by its WordKey constant and holds ten texts in the language order English, Russian, German,
// French, Spanish, Chinese, Italian, Czech, Japanese, Korean.
#pragma once

#include <array>
#include <string_view>

#include "engine/words.h"
#include "presentation/words_generated.h"

namespace kesp {

inline constexpr int kLanguageCount = 10;

enum Language : int {
    kEnglish = 0,
    kRussian = 1,
    kGerman = 2,
    kFrench = 3,
    kSpanish = 4,
    kChinese = 5,
    kItalian = 6,
    kCzech = 7,
    kJapanese = 8,
    kKorean = 9,
};

// One word: its UTF-8 text in each language, indexed by language.
using Word = std::array<std::string_view, kLanguageCount>;

// A language index as the program uses it: 0..9 stay, anything else (a damaged or newer settings
// value) becomes English.
int LanguageInRange(int language);

// The word of a constant. A key outside the table (only possible by a cast) gives an empty word.
const Word& WordOf(WordKey key);
// The constant's name in the words file, for diagnostics.
std::string_view WordName(WordKey key);
// The word `offset` places after `first`, for the short lists addressed as a first word plus k (the
// club header after "Mode"). Returns `first` when the result would leave the table.
WordKey WordAfter(WordKey first, int offset);

// The table word of each word the engine names (button captions, bubbles, questions).
WordKey WordFor(WordId id);

// Image suffixes: Japanese and Korean use the English pictures.
std::string_view LanguageSuffix(int language);
// Voice and flag suffixes: every language has its own.
std::string_view VoiceSuffix(int language);
}  // namespace kesp
