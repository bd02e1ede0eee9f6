#include "presentation/words.h"

namespace kesp {
namespace {

constexpr std::array<WordKey, kLanguageCount> kLanguageNames = {
    WordKey::LanguageEnglish,  WordKey::LanguageRussian, WordKey::LanguageGerman,  WordKey::LanguageFrench,
    WordKey::LanguageSpanish,  WordKey::LanguageChinese, WordKey::LanguageItalian, WordKey::LanguageCzech,
    WordKey::LanguageJapanese, WordKey::LanguageKorean};
constexpr std::array<WordKey, 12> kMonths = {WordKey::Month01, WordKey::Month02, WordKey::Month03,
                                             WordKey::Month04, WordKey::Month05, WordKey::Month06,
                                             WordKey::Month07, WordKey::Month08, WordKey::Month09,
                                             WordKey::Month10, WordKey::Month11, WordKey::Month12};

}  // namespace

QString WordText(WordKey key, int language) {
    const std::string_view text = WordOf(key)[LanguageInRange(language)];
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString LocalisedResourceName(QStringView prefix, int language) {
    const std::string_view suffix = LanguageSuffix(language);
    return prefix.toString() + QString::fromLatin1(suffix.data(), static_cast<qsizetype>(suffix.size()));
}

QString FlagResourceName(int language) {
    const std::string_view suffix = VoiceSuffix(language);
    return QStringLiteral("FlagO") +
           QString::fromLatin1(suffix.data(), static_cast<qsizetype>(suffix.size()));
}

QString LanguageName(int language) {
    return WordText(kLanguageNames[LanguageInRange(language)], language);
}

QString GameName(int language) {
    return WordText(WordKey::GameName, language);
}

QString GameNameUpper(int language) {
    return WordText(WordKey::GameNameUpper, language);
}

QString ReleaseDate(int language) {
    return WordText(WordKey::ReleaseDate, language);
}

QString MonthName(int language, int month) {
    if (month < 1 || month > 12) return {};
    return WordText(kMonths[month - 1], language);
}

}  // namespace kesp
