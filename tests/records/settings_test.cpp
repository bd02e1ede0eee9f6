#include "records/settings.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <vector>

#include "records/atomic_file.h"

namespace kesp {
namespace fs = std::filesystem;
namespace {

// Defaults as a file read through to its end leaves them: the world-top-ten values filled in.
Settings ReadThroughDefaults() {
    Settings s;
    s.WorldTopTenAddress = kDefaultWorldTopTenAddress;
    s.WorldNick = kDefaultWorldNick;
    s.WorldCountry = kDefaultWorldCountry;
    s.WorldCity = kDefaultWorldCity;
    s.WorldSex = kDefaultWorldSex;
    s.StatisticsAddress = kDefaultStatisticsAddress;
    return s;
}

// Every field away from its default.
Settings Custom() {
    Settings s;
    s.CurrentLanguage = 7;
    s.MusicOn = false;
    s.GifAnimation = false;
    s.ClubView = 2;
    s.NetworkMode = true;
    s.OwnCursor = false;
    s.Speed = 6;
    s.WindowSize = 5;
    s.StartReportSent = true;
    s.RadioListFromServer = false;
    s.CaptionColour = 7;
    s.NewButtons = true;
    s.LibraryDesign = true;
    s.WindowDesign = 3;
    s.MenuDesign = 1;
    s.TableDesign = 1;
    s.SaluteButtons = false;
    s.CardFaceSet = 17;
    s.DeckBack = 3;
    s.OneBackOnly = true;
    s.InitialScore = 150;
    s.OpenCardsAtEnd = false;
    s.FontLarge = "Arial";
    s.FontSmall = "Tahoma";
    s.FontSpecial1 = "Terminal";
    s.FontSpecial2 = "Consolas";
    s.FontLargeScale = 50;
    s.FontSmallScale = 75;
    s.FontSpecial1Scale = 120;
    s.FontSpecial2Scale = 150;
    s.LanAddress = "192.168.1.5";
    s.LanPort = "30000";
    s.Background = 10;
    s.BackgroundVariant = 6;
    s.LastPlayerName = "Пётр";
    s.WorldTopTenAddress = "AbC+/xyz";
    s.WorldNick = "Ёжик";
    s.WorldCountry = "6-054";
    s.WorldCity = "Київ";
    s.WorldSex = "W";
    s.StatisticsAddress = "StatXYZ==";
    s.SaveGamesAsGif = true;
    s.GifSource = 2;
    s.GifDelay = 250;
    return s;
}

const std::string kCustomFile =
    "<# General>\r\n"
    "720121065RL171131101\r\n"
    "<# Cards>\r\n"
    "17\r\n"
    "<# Decks>\r\n"
    "031\r\n"
    "<# Individual>\r\n"
    "20####\r\n"
    "<# Fonts>\r\n"
    "Arial\r\n"
    "Tahoma\r\n"
    "Terminal\r\n"
    "Consolas\r\n"
    "50\r\n"
    "75\r\n"
    "120\r\n"
    "150\r\n"
    "<# IP & Port>\r\n"
    "192.168.1.5\r\n"
    "30000\r\n"
    "<# Background>\r\n"
    "106\r\n"
    "<# Name Of Player>\r\n"
    "\xCF\xB8\xF2\xF0\r\n"
    "<# World Top Ten>\r\n"
    "AbC+/xyz\r\n"
    "\xA8\xE6\xE8\xEA\r\n"
    "6-054\r\n"
    "\xCA\xE8\xBF\xE2\r\n"
    "W\r\n"
    "StatXYZ==\r\n"
    "<# Save Games as GIF>\r\n"
    "\xE8\r\n"
    "2\r\n"
    "250\r\n";

// The file a first run writes: every default, the world-top-ten values included.
const std::string kDefaultFile =
    "<# General>\r\n"
    "011110141#L010020011\r\n"
    "<# Cards>\r\n"
    "0\r\n"
    "<# Decks>\r\n"
    "000\r\n"
    "<# Individual>\r\n"
    "11####\r\n"
    "<# Fonts>\r\n"
    "Comic Sans MS\r\n"
    "Comic Sans MS\r\n"
    "FixedSys\r\n"
    "Courier New\r\n"
    "100\r\n"
    "100\r\n"
    "100\r\n"
    "100\r\n"
    "<# IP & Port>\r\n"
    "127.0.0.1\r\n"
    "25666\r\n"
    "<# Background>\r\n"
    "020\r\n"
    "<# Name Of Player>\r\n"
    "Mr.X\r\n"
    "<# World Top Ten>\r\n" +
    std::string(kDefaultWorldTopTenAddress) +
    "\r\n"
    "Incognito\r\n"
    "1-001\r\n"
    "Moscow\r\n"
    "M\r\n" +
    std::string(kDefaultStatisticsAddress) +
    "\r\n"
    "<# Save Games as GIF>\r\n"
    "\xEB\r\n"
    "1\r\n"
    "1000\r\n";

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::string Join(const std::vector<std::string>& lines, const char* ending = "\r\n") {
    std::string text;
    for (const auto& line : lines) text += line + ending;
    return text;
}

// The file of `base` with line `number` replaced.
std::string WithLine(const std::string& base, int number, const std::string& content) {
    auto lines = Lines(base);
    lines.at(number - 1) = content;
    return Join(lines);
}

TEST(SettingsFile, GoldenBytesBothWays) {
    EXPECT_EQ(SettingsFileText(Custom()), kCustomFile);
    EXPECT_EQ(SettingsFileText(ReadThroughDefaults()), kDefaultFile);
    // A first run has no world-top-ten values yet; their defaults are written.
    EXPECT_EQ(SettingsFileText(Settings{}), kDefaultFile);

    Settings read;
    EXPECT_EQ(ReadSettingsText(read, kCustomFile), SettingsLoad::kReadThrough);
    EXPECT_EQ(read, Custom());
    EXPECT_EQ(ReadSettingsText(read, kDefaultFile), SettingsLoad::kReadThrough);
    EXPECT_EQ(read, ReadThroughDefaults());
}

TEST(SettingsFile, LineEndsAndLineCount) {
    const auto lines = Lines(kCustomFile);
    Settings read;
    // LF alone, and a last line without its line end, read the same.
    EXPECT_EQ(ReadSettingsText(read, Join(lines, "\n")), SettingsLoad::kReadThrough);
    EXPECT_EQ(read, Custom());
    EXPECT_EQ(ReadSettingsText(read, kCustomFile.substr(0, kCustomFile.size() - 2)),
              SettingsLoad::kReadThrough);
    EXPECT_EQ(read, Custom());
    // Lines after the 35th are never looked at.
    EXPECT_EQ(ReadSettingsText(read, kCustomFile + "junk\r\n\xFF\r\n"), SettingsLoad::kReadThrough);
    EXPECT_EQ(read, Custom());

    // A short file is ignored as a whole, even with a valid general line.
    const std::vector<std::string> first34(lines.begin(), lines.end() - 1);
    for (const std::string& text : {Join(first34), std::string(), std::string("\r\n\r\n")}) {
        read = Custom();
        EXPECT_EQ(ReadSettingsText(read, text), SettingsLoad::kDefaults);
        EXPECT_EQ(read, Settings{});
        // A fresh installation has not reported its first start yet.
        EXPECT_FALSE(read.StartReportSent);
    }
}

TEST(SettingsFile, GeneralLine) {
    struct Case {
        std::string line;
        std::function<void(Settings&)> change;
    };
    const Case cases[] = {
        {"1111###4#RL0",
         [](Settings& s) {
             s.CurrentLanguage = 1;
             s.StartReportSent = true;
         }},
        // Positions 10..12 are always set from their character; the positions after 11 keep defaults.
        {"###########", [](Settings& s) { s.StatsEntrySent = false; }},
        {"############",
         [](Settings& s) {
             s.StatsEntrySent = false;
             s.RadioListFromServer = false;
         }},
        {"3", [](Settings& s) { s.CurrentLanguage = 3; }},  // a line too short for the rest
        {"k######", [](Settings&) {}},                      // language letters beyond the nine we have
        {"a2", [](Settings& s) { s.MusicOn = false; }},
        {"03", [](Settings& s) { s.SoundOn = false; }},
        {"0000000000000000000000",
         [](Settings& s) {
             s.SoundOn = s.MusicOn = s.GifAnimation = s.FlyCards = s.OwnCursor = false;
             s.StatsEntrySent = false;
             s.SaluteButtons = s.SaluteCards = false;
         }},
        {"99999999999999999999",
         [](Settings& s) {
             s.CurrentLanguage = 9;
             s.StatsEntrySent = s.RadioListFromServer = false;
             s.CaptionColour = 7;
         }},
        {"#0##2##76RL#5#1301#0",
         [](Settings& s) {
             s.SoundOn = s.MusicOn = false;
             s.StartReportSent = true;
             s.ClubView = 2;  // speed 7 and window size 6 do not exist: both keep their defaults
             s.RadioListFromServer = false;
             s.CaptionColour = 5;
             s.LibraryDesign = true;
             s.WindowDesign = 3;
             s.TableDesign = 1;
             s.SaluteCards = false;
         }},
    };
    for (const Case& c : cases) {
        Settings expected = ReadThroughDefaults();
        c.change(expected);
        Settings read;
        EXPECT_EQ(ReadSettingsText(read, WithLine(kDefaultFile, 2, c.line)), SettingsLoad::kReadThrough);
        EXPECT_EQ(read, expected) << "general line " << c.line;
    }
}

TEST(SettingsFile, RulesLine) {
    const std::pair<std::string, std::pair<int, bool>> cases[] = {
        {"20####", {150, false}}, {"31", {200, true}}, {"1", {100, false}},
        {"", {100, false}},       {"41", {100, true}},
    };
    for (const auto& [line, expected] : cases) {
        Settings read;
        ReadSettingsText(read, WithLine(kDefaultFile, 8, line));
        EXPECT_EQ(read.InitialScore, expected.first) << line;
        EXPECT_EQ(read.OpenCardsAtEnd, expected.second) << line;
    }
}

// The reading chain: the first failing line ends it, with what was read before it kept.
TEST(SettingsFile, ReadingStopsAtTheFirstFailingLine) {
    struct Case {
        int line;
        std::string content;
        SettingsLoad result;
        std::function<void(Settings&)> expect;  // turns Custom() into the expected record
    };
    const auto untilLine = [](int first) {
        // Custom() with every field from line `first` on back at its default.
        return [first](Settings& s) {
            const Settings d;
            if (first <= 8) {
                s.DeckBack = d.DeckBack, s.OneBackOnly = d.OneBackOnly;
                s.InitialScore = d.InitialScore, s.OpenCardsAtEnd = d.OpenCardsAtEnd;
            }
            if (first <= 10) s.FontLarge = d.FontLarge;
            if (first <= 11) s.FontSmall = d.FontSmall;
            if (first <= 12) s.FontSpecial1 = d.FontSpecial1;
            if (first <= 13) s.FontSpecial2 = d.FontSpecial2;
            if (first <= 14) s.FontLargeScale = d.FontLargeScale;
            if (first <= 15) s.FontSmallScale = d.FontSmallScale;
            if (first <= 16) s.FontSpecial1Scale = d.FontSpecial1Scale;
            if (first <= 17) s.FontSpecial2Scale = d.FontSpecial2Scale;
            if (first <= 19) s.LanAddress = d.LanAddress;
            if (first <= 20) s.LanPort = d.LanPort;
            if (first <= 22) s.Background = d.Background, s.BackgroundVariant = d.BackgroundVariant;
            if (first <= 24) s.LastPlayerName = d.LastPlayerName;
            const Settings w = ReadThroughDefaults();
            if (first <= 26) s.WorldTopTenAddress = first <= 25 ? d.WorldTopTenAddress : w.WorldTopTenAddress;
            if (first <= 27) s.WorldNick = first <= 25 ? d.WorldNick : w.WorldNick;
            if (first <= 28) s.WorldCountry = first <= 25 ? d.WorldCountry : w.WorldCountry;
            if (first <= 29) s.WorldCity = first <= 25 ? d.WorldCity : w.WorldCity;
            if (first <= 30) s.WorldSex = first <= 25 ? d.WorldSex : w.WorldSex;
            if (first <= 31) s.StatisticsAddress = first <= 25 ? d.StatisticsAddress : w.StatisticsAddress;
            s.SaveGamesAsGif = d.SaveGamesAsGif, s.GifSource = d.GifSource, s.GifDelay = d.GifDelay;
        };
    };
    const auto stopped = SettingsLoad::kStoppedEarly;
    const auto through = SettingsLoad::kReadThrough;
    const Case cases[] = {
        {6, "7", stopped, untilLine(6)},
        {10, "A", stopped, untilLine(10)},
        {12, "X", stopped, untilLine(12)},
        {15, "", stopped, untilLine(15)},
        {18, "", stopped, untilLine(19)},
        {19, "", through, [](Settings& s) { s.LanAddress.clear(); }},
        {20, "", stopped, untilLine(20)},
        {21, "", stopped, untilLine(22)},
        {22, "", stopped, untilLine(22)},
        {23, "", stopped, untilLine(24)},
        {24, "", stopped, untilLine(24)},
        {25, "", through, [](Settings&) {}},  // a header nothing checks
        {26, "", stopped, untilLine(26)},
        {27, "", stopped, untilLine(27)},
        {28, "1-01", stopped, untilLine(28)},
        {28, "3-036", through, [](Settings& s) { s.WorldCountry = "1-001"; }},
        {28, "7-001", through, [](Settings& s) { s.WorldCountry = "1-001"; }},
        {28, "1+001", through, [](Settings& s) { s.WorldCountry = "1-001"; }},
        {28, "2--01", through, [](Settings& s) { s.WorldCountry = "1-001"; }},
        {28, "3-035", through, [](Settings& s) { s.WorldCountry = "3-035"; }},
        {29, "", stopped, untilLine(29)},
        {30, "", stopped, untilLine(30)},
        {30, "F", through, [](Settings& s) { s.WorldSex = "M"; }},
        {30, "w", through, [](Settings& s) { s.WorldSex = "M"; }},
        {30, "Woman", through, [](Settings&) {}},
        {31, "", through, [](Settings& s) { s.StatisticsAddress.clear(); }},
        {33, "1", through, [](Settings& s) { s.SaveGamesAsGif = false; }},
        {33, "\xE8\xE8", through, [](Settings& s) { s.SaveGamesAsGif = false; }},
        {27, "\xC0\xC1\xC2\xC3\xC4\xC5\xC6\xC7\xC8\xC9\xCA\xCB\xCC\xCD", through,
         [](Settings& s) { s.WorldNick = "АБВГДЕЖЗИЙКЛ"; }},
        {29, "Llanfairpwllgwyngyll", through, [](Settings& s) { s.WorldCity = "Llanfairpwllgwy"; }},
    };
    for (const Case& c : cases) {
        Settings expected = Custom();
        c.expect(expected);
        Settings read;
        EXPECT_EQ(ReadSettingsText(read, WithLine(kCustomFile, c.line, c.content)), c.result)
            << "line " << c.line << " \"" << c.content << '"';
        EXPECT_EQ(read, expected) << "line " << c.line << " \"" << c.content << '"';
    }
}

// Numbers that are no numbers keep the default; numbers outside the field's range are brought in.
TEST(SettingsFile, NumbersStayInRange) {
    struct Case {
        int line;
        std::string content;
        std::function<int(const Settings&)> field;
        int expected;
    };
    const auto cardFaces = [](const Settings& s) { return s.CardFaceSet; };
    const auto deckBack = [](const Settings& s) { return s.DeckBack; };
    const auto scale = [](const Settings& s) { return s.FontSmallScale; };
    const auto background = [](const Settings& s) { return s.Background * 10 + s.BackgroundVariant; };
    const auto gifSource = [](const Settings& s) { return s.GifSource; };
    const auto gifDelay = [](const Settings& s) { return s.GifDelay; };
    const Case cases[] = {
        {4, "abc", cardFaces, 0},    {4, "99", cardFaces, 47},
        {4, "-5", cardFaces, 0},     {4, "017", cardFaces, 17},
        {4, "", cardFaces, 0},       {6, "x51", deckBack, 0},
        {6, "991", deckBack, 12},    {15, "500", scale, 150},
        {15, "7", scale, 50},        {15, "1e3", scale, 100},
        {22, "000", background, 10},  // picture 1, variant 0
        {22, "2x9", background, 26},  // picture 2 by default, variant 9 brought to 6
        {22, "5", background, 50},    // no variant character: the default variant
        {22, "x", background, 20},   {34, "9", gifSource, 2},
        {34, "0", gifSource, 1},     {35, "99999999999999999999999", gifDelay, 5000},
        {35, "-1", gifDelay, 10},    {35, " 250", gifDelay, 1000},
        {35, "", gifDelay, 1000},
    };
    for (const Case& c : cases) {
        Settings read;
        EXPECT_EQ(ReadSettingsText(read, WithLine(kDefaultFile, c.line, c.content)),
                  SettingsLoad::kReadThrough);
        EXPECT_EQ(c.field(read), c.expected) << "line " << c.line << " \"" << c.content << '"';
    }
}

// Whatever is in memory, the file written is well formed and reads through to its end.
TEST(SettingsFile, WriterKeepsTheFileReadable) {
    Settings s;
    s.CurrentLanguage = 15;
    s.Speed = 9;
    s.WindowDesign = 0;
    s.CaptionColour = 0;
    s.InitialScore = 120;
    s.DeckBack = 100;
    s.Background = -3;
    s.BackgroundVariant = 12;
    s.GifDelay = 0;
    s.FontLarge = "A";
    s.FontSmall = "Щ";  // one character in the file
    s.LanPort = "";
    s.LastPlayerName = "Ли\r\n中";
    s.WorldCountry = "1-0001";
    const auto lines = Lines(SettingsFileText(s));
    ASSERT_EQ(lines.size(), 35u);
    EXPECT_EQ(lines[1], "#11110141#L0#0010011");
    EXPECT_EQ(lines[5], "120");
    EXPECT_EQ(lines[7], "#1####");
    EXPECT_EQ(lines[9], "Comic Sans MS");
    EXPECT_EQ(lines[10], "Comic Sans MS");
    EXPECT_EQ(lines[19], "25666");
    EXPECT_EQ(lines[21], "016");
    EXPECT_EQ(lines[23], "\xCB\xE8  ?");
    EXPECT_EQ(lines[27], "1-001");
    EXPECT_EQ(lines[34], "10");

    Settings read;
    EXPECT_EQ(ReadSettingsText(read, SettingsFileText(s)), SettingsLoad::kReadThrough);
    EXPECT_EQ(read.LastPlayerName, "Ли  ?");
    EXPECT_EQ(read.InitialScore, 100);
    EXPECT_EQ(read.Speed, 4);
}

class SettingsStore : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("kesp-settings-" + std::to_string(getpid()));
        fs::create_directories(dir);
    }
    void TearDown() override {
        fs::permissions(dir, fs::perms::owner_all);
        fs::remove_all(dir);
    }
    std::string File() const { return (dir / "Kesp.ini").string(); }
    fs::path dir;
};

TEST_F(SettingsStore, SavesAndLoadsInTheProgramFolder) {
    Settings loaded = Custom();
    EXPECT_EQ(LoadSettings(loaded, dir.string()), SettingsLoad::kDefaults);  // no file yet
    EXPECT_EQ(loaded, Settings{});

    EXPECT_EQ(SaveSettings(Custom(), dir.string() + "/", false), SettingsSave::kWritten);
    EXPECT_EQ(ReadWholeFile(File()), kCustomFile);
    EXPECT_EQ(LoadSettings(loaded, dir.string()), SettingsLoad::kReadThrough);
    EXPECT_EQ(loaded, Custom());
}

TEST_F(SettingsStore, NothingIsWrittenAfterABadClubFile) {
    EXPECT_EQ(SaveSettings(Custom(), dir.string(), true), SettingsSave::kNotWritten);
    EXPECT_FALSE(fs::exists(File()));
    ASSERT_TRUE(WriteFileAtomically(File(), kDefaultFile));
    EXPECT_EQ(SaveSettings(Custom(), dir.string(), true), SettingsSave::kNotWritten);
    EXPECT_EQ(ReadWholeFile(File()), kDefaultFile);
}

TEST_F(SettingsStore, FailedWriteIsReported) {
    EXPECT_EQ(SaveSettings(Custom(), (dir / "missing").string(), false), SettingsSave::kCannotSaveOptions);
    fs::create_directories(dir / "Kesp.ini" / "inside");  // a folder in the file's place
    EXPECT_EQ(SaveSettings(Custom(), dir.string(), false), SettingsSave::kCannotSaveOptions);
    EXPECT_TRUE(fs::is_directory(dir / "Kesp.ini" / "inside"));
}

TEST_F(SettingsStore, FailedWriteKeepsTheOldFile) {
    ASSERT_TRUE(WriteFileAtomically(File(), kDefaultFile));
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
    if (access(dir.c_str(), W_OK) == 0) GTEST_SKIP() << "running with rights that ignore permissions";
    EXPECT_EQ(SaveSettings(Custom(), dir.string(), false), SettingsSave::kCannotSaveOptions);
    EXPECT_EQ(ReadWholeFile(File()), kDefaultFile);
}

TEST_F(SettingsStore, UnreadableFileGivesDefaults) {
    fs::create_directory(File());  // a folder where the file should be
    Settings loaded = Custom();
    EXPECT_EQ(LoadSettings(loaded, dir.string()), SettingsLoad::kDefaults);
    EXPECT_EQ(loaded, Settings{});
}

TEST(ProgramDir, EndsWithASlash) {
    EXPECT_EQ(ProgramDirOf("/opt/kesp"), "/opt/kesp/");
    EXPECT_EQ(ProgramDirOf("/opt/kesp/"), "/opt/kesp/");
    EXPECT_EQ(SettingsFilePath("/opt/kesp"), "/opt/kesp/Kesp.ini");
    const std::string own = ExecutableProgramDir();
    ASSERT_FALSE(own.empty());
    EXPECT_EQ(own.back(), '/');
    EXPECT_TRUE(fs::is_directory(own));
}

}  // namespace
}  // namespace kesp
