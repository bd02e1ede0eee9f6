#include "presentation/words.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace kesp {
namespace {

std::string English(WordKey key) {
    return std::string(WordOf(key)[kEnglish]);
}

TEST(WordsTable, EveryWordHasTenTextsExceptTheKoreanHistoryPlayerHeader) {
    for (int i = 0; i < kWordCount; ++i) {
        const auto key = static_cast<WordKey>(i);
        for (int language = 0; language < kLanguageCount; ++language) {
            if (key == WordKey::HistoryPlayer && language == kKorean) {
                EXPECT_TRUE(WordOf(key)[language].empty()) << "the Korean history header stays blank";
            } else {
                EXPECT_FALSE(WordOf(key)[language].empty()) << WordName(key) << " in language " << language;
            }
        }
    }
    EXPECT_EQ(WordText(WordKey::HistoryPlayer, kJapanese), "Player");
}

TEST(WordsTable, TextsAreKeptExactlyWithBlanksBackticksAndLineBreaks) {
    const std::map<WordKey, std::string> cases = {
        {WordKey::NewPlayer, "New Player"},
        {WordKey::CantCreateMusicFile, "Can`t create music file!"},
        {WordKey::CantFind, "Can`t find "},
        {WordKey::ClubMembers, "Club members: "},
        {WordKey::ClubHeaderScore, " The members of club    Games    Score "},
        {WordKey::ClubHeaderRating, " The members of club    Games   Rating "},
        {WordKey::FontsWarning,
         "Attention!\nThese installations should be changed only in case of incorrect map of fonts!"},
        {WordKey::AboutCredits,
         "In the program many graphic, sound and musical fragments were used.\nThank you to their authors."},
        {WordKey::HasIncorrectAttributes, "\" has incorrect attributes!"},
        {WordKey::FlyCards, "\"Fly\" cards"},
        {WordKey::ScalePercent, "Scale, %"},
        {WordKey::NoInternetAccess,
         "You do not have access to the Internet or the company <Zun> carries out preventive maintenance."},
        {WordKey::MrX, "Mr.X"},
        {WordKey::Attention, "Attention"},
        {WordKey::Ok, "Ok"},
    };
    for (const auto& [key, text] : cases) EXPECT_EQ(English(key), text) << WordName(key);
}

TEST(WordsTable, ClubHeaderIsTheWordAfterModeByClubView) {
    Localisation words;
    EXPECT_EQ(words.WordText(WordKey::Mode, 0), "Mode");
    EXPECT_EQ(words.WordText(WordKey::Mode, 1), " The members of club    Games    Score ");
    EXPECT_EQ(words.WordText(WordKey::Mode, 2), " The members of club    Games   Rating ");
    // An offset that leaves the table gives the first word back rather than reading past the end.
    EXPECT_EQ(WordAfter(WordKey::Mode, -100000), WordKey::Mode);
    EXPECT_EQ(WordAfter(static_cast<WordKey>(kWordCount - 1), 1), static_cast<WordKey>(kWordCount - 1));
}

TEST(WordsTable, RepeatedEnglishTextsAreSeparateWords) {
    std::map<std::string, int> count;
    for (int i = 0; i < kWordCount; ++i) ++count[English(static_cast<WordKey>(i))];
    for (const char* text :
         {"Player", "Game", "Games", "Close", "Nick", "City", "Country", "Score", "Rating", "Carpet"})
        EXPECT_GE(count[text], 2) << text;
    EXPECT_EQ(count["is temporarily unavailable!"], 3);
    EXPECT_NE(WordKey::IsUnavailable1, WordKey::IsUnavailable2);
}

TEST(WordsTable, EveryEngineWordMapsToTheTableWordWithItsEnglishText) {
    const std::map<WordId, std::string> english = {
        {WordId::ToBegin, "To Begin"},
        {WordId::ExitToMenu, "Exit to menu"},
        {WordId::Ok, "OK"},
        {WordId::ToPlay, "To Play"},
        {WordId::Pass, "Pass"},
        {WordId::ToCommunicateCards, "To communicate cards"},
        {WordId::CommunicateCards, "Communicate cards"},
        {WordId::IsReady, "Is ready"},
        {WordId::ToTakeFromAPack, "To take from a pack"},
        {WordId::Game, "Game"},
        {WordId::ToSumUpOfRound, "To sum up of Round"},
        {WordId::NextRound, "Next Round"},
        {WordId::ToSumUpOfGame, "To sum up of game"},
        {WordId::KespWin, "Kesp!"},
        {WordId::NoCardChange, "You really do not want to change of cards?"},
        {WordId::CarryOneCard, "You should carry at least one card!"},
        {WordId::LeaveToMenuQuestion, "You want to leave in the main menu?"},
        {WordId::LeaveGameQuestion, "You want to leave from game?"},
        {WordId::DataWillBeLost, "All datas for want of it will be lost!"}};
    for (int i = 1; i < static_cast<int>(WordId::Count); ++i) {
        const auto id = static_cast<WordId>(i);
        ASSERT_TRUE(english.contains(id)) << "engine word " << i;
        EXPECT_EQ(English(WordFor(id)), english.at(id)) << "engine word " << i;
    }
    EXPECT_TRUE(Localisation().WordText(WordId::None).isEmpty());
}

TEST(WordsTable, LanguageSuffixesAndResourceNames) {
    const char* image[] = {"Eng", "Rus", "Deu", "Fra", "Spa", "Chi", "Ita", "Cze", "Eng", "Eng"};
    const char* voice[] = {"Eng", "Rus", "Deu", "Fra", "Spa", "Chi", "Ita", "Cze", "Jap", "Kor"};
    for (int language = 0; language < kLanguageCount; ++language) {
        EXPECT_EQ(LanguageSuffix(language), image[language]);
        EXPECT_EQ(VoiceSuffix(language), voice[language]);
    }
    // A stored language outside 0..9 is brought back to English.
    for (int bad : {-1, 10, 255, 1000}) {
        EXPECT_EQ(LanguageInRange(bad), kEnglish);
        EXPECT_EQ(LanguageSuffix(bad), "Eng");
    }
    EXPECT_EQ(LocalisedResourceName(u"Cap", kRussian), "CapRus");
    EXPECT_EQ(LocalisedResourceName(u"Elite", kKorean), "EliteEng");
    EXPECT_EQ(FlagResourceName(kJapanese), "FlagOJap");
    EXPECT_EQ(FlagResourceName(kKorean), "FlagOKor");
    EXPECT_EQ(FlagResourceName(kCzech), "FlagOCze");
}

TEST(WordsTable, IndependentLocalisationsAndRelatedTables) {
    Localisation english;
    Localisation russian(kRussian);
    EXPECT_EQ(english.ReleaseDate(), "October 18, 2022");
    EXPECT_EQ(russian.ReleaseDate(), QString::fromUtf8("18 Октября, 2022"));
    EXPECT_EQ(russian.MonthName(1), QString::fromUtf8("Января"));
    EXPECT_EQ(english.MonthName(12), "December");
    EXPECT_TRUE(english.MonthName(0).isEmpty());
    EXPECT_TRUE(english.MonthName(13).isEmpty());
    EXPECT_EQ(russian.LanguageSuffix(), "Rus");

    russian.SetCurrentLanguage(42);
    EXPECT_EQ(russian.CurrentLanguage(), kEnglish);
    EXPECT_EQ(Localisation(-3).CurrentLanguage(), kEnglish);

    EXPECT_EQ(GameName(kEnglish), "Kesp");
    EXPECT_EQ(GameNameUpper(kItalian), "KESP");
    const char* names[] = {"English", "Русский",  "Deutsche", "Français", "Español",
                           "中文",    "Italiano", "Čeština",  "日本",     "한국인"};
    for (int language = 0; language < kLanguageCount; ++language)
        EXPECT_EQ(LanguageName(language), QString::fromUtf8(names[language]));
    // The language list reads the same whatever the interface language.
    EXPECT_EQ(WordText(WordKey::LanguageCzech, kChinese), QString::fromUtf8("Čeština"));
}

}  // namespace
}  // namespace kesp
