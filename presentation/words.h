// The words of the interface in ten languages.
//
// Every visible text comes from one compiled-in table, generated from resources/words.tsv. A word is
// named by its WordKey constant and holds ten texts in the language order English, Russian, German,
// French, Spanish, Chinese, Italian, Czech, Japanese, Korean. The current language is not global: it
// lives in a Localisation object (or is passed as an index), so several tables of state can coexist.
#pragma once

#include <QString>
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

// The text of a word in a language (brought into range).
QString WordText(WordKey key, int language);

// The table word of each word the engine names (button captions, bubbles, questions).
WordKey WordFor(WordId id);

// Image suffixes: Japanese and Korean use the English pictures.
std::string_view LanguageSuffix(int language);
// Voice and flag suffixes: every language has its own.
std::string_view VoiceSuffix(int language);
// A language-specific resource name: the prefix followed by the language's image suffix ("Cap" and
// Russian give "CapRus"). Resource names are compared without regard to case.
QString LocalisedResourceName(QStringView prefix, int language);
// The language list's flag: "FlagO" with the voice suffix, so Japanese and Korean have their own.
QString FlagResourceName(int language);

// The language's own name in the language list ("English", "Русский", ...).
QString LanguageName(int language);
// The game's name for the window caption, its upper-case form, and the written-out release date.
QString GameName(int language);
QString GameNameUpper(int language);
QString ReleaseDate(int language);
// A month's name (1..12) for the calendar; Russian months are in the genitive. Empty outside 1..12.
QString MonthName(int language, int month);

// The current interface language and the lookups that depend on it.
class Localisation {
public:
    explicit Localisation(int language = kEnglish) : language_(LanguageInRange(language)) {}

    int CurrentLanguage() const { return language_; }
    // Stores a language; a value outside 0..9 becomes English.
    void SetCurrentLanguage(int language) { language_ = LanguageInRange(language); }

    QString WordText(WordKey key) const { return kesp::WordText(key, language_); }
    QString WordText(WordKey first, int offset) const { return kesp::WordText(WordAfter(first, offset), language_); }
    QString WordText(WordId id) const { return kesp::WordText(WordFor(id), language_); }
    std::string_view LanguageSuffix() const { return kesp::LanguageSuffix(language_); }
    QString ResourceName(QStringView prefix) const { return LocalisedResourceName(prefix, language_); }
    QString GameName() const { return kesp::GameName(language_); }
    QString ReleaseDate() const { return kesp::ReleaseDate(language_); }
    QString MonthName(int month) const { return kesp::MonthName(language_, month); }

private:
    int language_;
};

}  // namespace kesp
