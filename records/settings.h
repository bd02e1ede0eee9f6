// The settings store: the user's preferences and game rules, kept in "Kesp.ini" beside the program.
//
// The file is positional text in code page 1251: exactly 35 lines ended by CR LF, no keys, each value
// found by its line number, 20 small options packed one character each into line 2. In memory every
// text field is UTF-8; numbers always lie within their field's range after a load.
#pragma once

#include <string>
#include <string_view>

namespace kesp {

inline constexpr std::string_view kSettingsFileName = "Kesp.ini";
inline constexpr int kSettingsFileLines = 35;

inline constexpr std::string_view kDefaultLargeFont = "Comic Sans MS";
inline constexpr std::string_view kDefaultSmallFont = "Comic Sans MS";
inline constexpr std::string_view kDefaultSpecial1Font = "FixedSys";
inline constexpr std::string_view kDefaultSpecial2Font = "Courier New";
inline constexpr std::string_view kDefaultLanAddress = "127.0.0.1";
inline constexpr std::string_view kDefaultLanPort = "25666";
inline constexpr std::string_view kDefaultPlayerName = "Mr.X";  // the word "Mr.X", alike in every language
inline constexpr std::string_view kDefaultWorldNick = "Incognito";
inline constexpr std::string_view kDefaultWorldCountry = "1-001";
inline constexpr std::string_view kDefaultWorldCity = "Moscow";
inline constexpr std::string_view kDefaultWorldSex = "M";

// The two service addresses are kept enciphered and stay opaque here. These are stand-ins until the
// service cipher exists; the network code will supply the enciphered addresses of the reference
// service in their place.
inline constexpr std::string_view kDefaultWorldTopTenAddress = "KespWorldTopTenAddress";
inline constexpr std::string_view kDefaultStatisticsAddress = "KespStatisticsAddress";

inline constexpr int kWorldNickLength = 12;
inline constexpr int kWorldCityLength = 15;

// One record of every preference. A default-constructed record holds the defaults; the six
// world-top-ten values start empty and get their defaults only from a file read that far.
struct Settings {
    int CurrentLanguage = 0;  // 0..9
    bool SoundOn = true;
    bool MusicOn = true;
    bool GifAnimation = true;
    bool FlyCards = true;
    int ClubView = 1;  // 1..2
    bool NetworkMode = false;
    bool OwnCursor = true;
    int Speed = 4;       // 1..6
    int WindowSize = 1;  // 1..5
    // Until a start-up report went out with its first-start mark; a fresh installation has not.
    bool StartReportSent = false;
    bool StatsEntrySent = true;
    bool RadioListFromServer = true;
    int CaptionColour = 1;  // 1..7
    bool NewButtons = false;
    bool LibraryDesign = false;
    int WindowDesign = 2;  // 1..3
    int MenuDesign = 0;    // 0..1
    int TableDesign = 0;   // 0..1
    bool SaluteButtons = true;
    bool SaluteCards = true;
    int CardFaceSet = 0;  // 0..47
    int DeckBack = 0;     // 0..12
    bool OneBackOnly = false;
    int InitialScore = 100;  // 100, 150 or 200
    bool OpenCardsAtEnd = true;
    std::string FontLarge{kDefaultLargeFont};
    std::string FontSmall{kDefaultSmallFont};
    std::string FontSpecial1{kDefaultSpecial1Font};
    std::string FontSpecial2{kDefaultSpecial2Font};
    int FontLargeScale = 100;  // percent, 50..150 each
    int FontSmallScale = 100;
    int FontSpecial1Scale = 100;
    int FontSpecial2Scale = 100;
    std::string LanAddress{kDefaultLanAddress};
    std::string LanPort{kDefaultLanPort};
    int Background = 2;         // 1..10
    int BackgroundVariant = 0;  // 0..6
    std::string LastPlayerName{kDefaultPlayerName};
    std::string WorldTopTenAddress;  // enciphered
    std::string WorldNick;           // at most 12 characters
    std::string WorldCountry;        // continent digit, '-', three digits
    std::string WorldCity;           // at most 15 characters
    std::string WorldSex;            // "M" or "W"
    std::string StatisticsAddress;   // enciphered
    bool SaveGamesAsGif = false;
    int GifSource = 1;    // 1 = the main window, 2 = the whole screen
    int GifDelay = 1000;  // milliseconds between frames, 10..5000

    bool operator==(const Settings&) const = default;
};

// The executable's folder with a trailing '/': the folder every data file is opened in.
std::string ExecutableProgramDir();
// The folder with a trailing '/' appended when it has none ("" is the current folder, "./").
std::string ProgramDirOf(std::string folder);
std::string SettingsFilePath(const std::string& programDir);

// How far a load got. Only kReadThrough lets the caller run the online service's configuration
// step (the account address and the configuration document) in this run.
enum class SettingsLoad {
    kDefaults,      // no readable file, or fewer than 35 lines: every field has its default
    kStoppedEarly,  // a line failed its check; the fields after it keep their defaults
    kReadThrough,   // every line up to the 35th was read
};

// Resets `settings` to the defaults and applies the file's bytes to it.
SettingsLoad ReadSettingsText(Settings& settings, std::string_view bytes);
// Resets `settings` to the defaults and reads "Kesp.ini" in `programDir`, when there is one.
SettingsLoad LoadSettings(Settings& settings, const std::string& programDir);

// The 35 lines of the file, CR LF after each. Text that code page 1251 cannot write becomes '?', a
// line break inside a text becomes a blank, and a text too short for the reader's check of its line
// (an empty port or name, a one-letter font, a country code not of five characters) is written as
// the field's default, so the file always reads through. Numbers are written within their ranges.
std::string SettingsFileText(const Settings& settings);

enum class SettingsSave {
    kWritten,
    kNotWritten,         // a club file was missing or invalid at start-up: settings are never written
    kCannotSaveOptions,  // the write failed twice; the caller shows "Can`t save options!" in an error box
};

// Writes "Kesp.ini" in `programDir` atomically, so a failed write leaves the previous file whole.
// Deleting this run's temporary music file before saving is the music player's job, not done here.
SettingsSave SaveSettings(const Settings& settings, const std::string& programDir, bool clubFileBadAtStartup);

// The splash screen's reset of the four font names after a load; the scales stay as read.
void RestoreStartupFontNames(Settings& settings);

}  // namespace kesp
