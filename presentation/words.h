// The words of the interface as the window shows them. The current language is not global: it lives
// in a Localisation object (or is passed as an index), so several tables of state can coexist.
#pragma once

#include <QString>

#include "presentation/word_table.h"

namespace kesp {

// The text of a word in a language (brought into range).
QString WordText(WordKey key, int language);

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
    QString WordText(WordKey first, int offset) const {
        return kesp::WordText(WordAfter(first, offset), language_);
    }
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
