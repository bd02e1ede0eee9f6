// Reading and writing the 35 lines of the settings file.
#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "records/cp1251.h"
#include "records/settings.h"

namespace kesp {
namespace {

constexpr int kGeneralLineLength = 20;
constexpr std::string_view kGifOn = "\xE8";
constexpr std::string_view kGifOff = "\xEB";

// ---- reading ----

// The file's first lines, at most `maxLines`. Lines end in CR LF or LF alone; a last line without a
// line end counts, an empty piece after the last line end does not.
std::vector<std::string_view> SplitLines(std::string_view bytes, std::size_t maxLines) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < bytes.size() && lines.size() < maxLines) {
        std::size_t end = bytes.find('\n', start);
        const std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        start = next;
    }
    return lines;
}

// A decimal number with an optional sign, nothing else; values beyond any field saturate.
std::optional<long long> ParseDecimal(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = std::min(value * 10 + (c - '0'), 1'000'000'000LL);
    }
    return negative ? -value : value;
}

// A number brought into its field's range; a text that is no number keeps the field as it is.
void ReadNumber(std::string_view text, int low, int high, int& field) {
    if (const auto value = ParseDecimal(text))
        field = static_cast<int>(std::clamp<long long>(*value, low, high));
}

std::string ReadText(std::string_view bytes, std::size_t maxChars = std::string_view::npos) {
    return Cp1251ToUtf8(bytes.substr(0, maxChars));
}

bool InRange(char c, char low, char high) {
    return c >= low && c <= high;
}

void ReadGeneralLine(Settings& s, std::string_view line) {
    const std::size_t n = std::min<std::size_t>(line.size(), kGeneralLineLength);
    for (std::size_t i = 0; i < n; ++i) {
        const char c = line[i];
        switch (i + 1) {
            case 1:  // "a".."k" would be languages beyond the nine we have: they keep the default
                if (InRange(c, '1', '9')) s.CurrentLanguage = c - '0';
                break;
            case 2:
                if (InRange(c, '0', '3')) {
                    s.SoundOn = c == '1' || c == '2';
                    s.MusicOn = c == '1' || c == '3';
                }
                break;
            case 3:
                if (c == '0') s.GifAnimation = false;
                break;
            case 4:
                if (c == '0') s.FlyCards = false;
                break;
            case 5:
                if (c == '2') s.ClubView = 2;
                break;
            case 6:
                if (c == '1') s.NetworkMode = true;
                break;
            case 7:
                if (c == '0') s.OwnCursor = false;
                break;
            case 8:
                if (InRange(c, '1', '6')) s.Speed = c - '0';
                break;
            case 9:
                if (InRange(c, '1', '5')) s.WindowSize = c - '0';
                break;
            case 10:
                s.StartReportSent = c == 'R';
                break;
            case 11:
                s.StatsEntrySent = c == 'L';
                break;
            case 12:
                s.RadioListFromServer = c == '0';
                break;
            case 13:
                if (InRange(c, '0', '9')) s.CaptionColour = std::clamp(c - '0', 1, 7);
                break;
            case 14:
                s.NewButtons = c == '1';
                break;
            case 15:
                s.LibraryDesign = c == '1';
                break;
            case 16:
                if (InRange(c, '1', '3')) s.WindowDesign = c - '0';
                break;
            case 17:
                if (InRange(c, '0', '1')) s.MenuDesign = c - '0';
                break;
            case 18:
                if (InRange(c, '0', '1')) s.TableDesign = c - '0';
                break;
            case 19:
                if (InRange(c, '0', '1')) s.SaluteButtons = c == '1';
                break;
            case 20:
                if (InRange(c, '0', '1')) s.SaluteCards = c == '1';
                break;
        }
    }
}

void ReadRulesLine(Settings& s, std::string_view line) {
    const char first = line.empty() ? '#' : line[0];
    s.InitialScore = first == '2' ? 150 : first == '3' ? 200 : 100;
    s.OpenCardsAtEnd = line.size() >= 2 && line[1] == '1';
}

bool ValidCountryCode(std::string_view code) {
    static constexpr std::array<int, 6> kLastCountry = {48, 51, 35, 14, 23, 54};
    if (code.size() != 5 || !InRange(code[0], '1', '6') || code[1] != '-') return false;
    const auto number = ParseDecimal(code.substr(2));
    return number && code[2] != '-' && code[2] != '+' && *number <= kLastCountry[code[0] - '1'];
}

// Lines 10 to 35, in a chain that ends at the first line failing its check. `line(n)` is line n.
template <typename Line>
bool ReadChain(Settings& s, Line line) {
    std::string* fonts[] = {&s.FontLarge, &s.FontSmall, &s.FontSpecial1, &s.FontSpecial2};
    for (int i = 0; i < 4; ++i) {
        if (line(10 + i).size() < 2) return false;
        *fonts[i] = ReadText(line(10 + i));
    }
    int* scales[] = {&s.FontLargeScale, &s.FontSmallScale, &s.FontSpecial1Scale, &s.FontSpecial2Scale};
    for (int i = 0; i < 4; ++i) {
        if (line(14 + i).empty()) return false;
        ReadNumber(line(14 + i), 50, 150, *scales[i]);
    }
    if (line(18).empty()) return false;
    s.LanAddress = ReadText(line(19));
    if (line(20).empty()) return false;
    s.LanPort = ReadText(line(20));
    if (line(21).empty() || line(22).empty()) return false;
    ReadNumber(line(22).substr(0, 2), 1, 10, s.Background);
    if (line(22).size() >= 3) ReadNumber(line(22).substr(2, 1), 0, 6, s.BackgroundVariant);
    if (line(23).empty() || line(24).empty()) return false;
    s.LastPlayerName = ReadText(line(24));

    s.WorldTopTenAddress = kDefaultWorldTopTenAddress;
    s.WorldNick = kDefaultWorldNick;
    s.WorldCountry = kDefaultWorldCountry;
    s.WorldCity = kDefaultWorldCity;
    s.WorldSex = kDefaultWorldSex;
    s.StatisticsAddress = kDefaultStatisticsAddress;
    if (line(26).empty()) return false;
    s.WorldTopTenAddress = ReadText(line(26));
    if (line(27).empty()) return false;
    s.WorldNick = ReadText(line(27), kWorldNickLength);
    if (line(28).size() != 5) return false;
    if (ValidCountryCode(line(28))) s.WorldCountry = ReadText(line(28));
    if (line(29).empty()) return false;
    s.WorldCity = ReadText(line(29), kWorldCityLength);
    if (line(30).empty()) return false;
    s.WorldSex = line(30)[0] == 'W' ? "W" : "M";
    s.StatisticsAddress = ReadText(line(31));
    s.SaveGamesAsGif = line(33) == kGifOn;
    ReadNumber(line(34), 1, 2, s.GifSource);
    ReadNumber(line(35), 10, 5000, s.GifDelay);
    return true;
}

// ---- writing ----

// UTF-8 text as code page 1251 bytes for one line of the file: a character the code page lacks
// becomes '?', and a line break a blank, so that the text never spills into the next line.
std::string LineText(std::string_view text) {
    std::string bytes;
    if (auto whole = Utf8ToCp1251(text)) {
        bytes = std::move(*whole);
    } else {
        for (std::size_t i = 0; i < text.size();) {
            const auto lead = static_cast<unsigned char>(text[i]);
            std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
            length = std::min(length, text.size() - i);
            const auto one = Utf8ToCp1251(text.substr(i, length));
            bytes += one ? *one : "?";
            i += length;
        }
    }
    std::replace(bytes.begin(), bytes.end(), '\r', ' ');
    std::replace(bytes.begin(), bytes.end(), '\n', ' ');
    return bytes;
}

// A text the reader needs with at least `minChars` characters: a shorter one is written as the
// field's default, so that a file this program writes is always read through to its last line.
std::string RequiredText(std::string_view text, std::size_t minChars, std::string_view fallback) {
    std::string bytes = LineText(text);
    return bytes.size() >= minChars ? bytes : LineText(fallback);
}

char Digit(int value, int low, int high, char otherwise) {
    return value >= low && value <= high ? static_cast<char>('0' + value) : otherwise;
}

char Flag(bool on) {
    return on ? '1' : '0';
}

std::string TwoDigits(int value) {
    return {static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
}

std::string GeneralLine(const Settings& s) {
    std::string line(kGeneralLineLength, '#');
    line[0] = Digit(s.CurrentLanguage, 0, 9, '#');
    line[1] = s.SoundOn ? (s.MusicOn ? '1' : '2') : (s.MusicOn ? '3' : '0');
    line[2] = Flag(s.GifAnimation);
    line[3] = Flag(s.FlyCards);
    line[4] = Digit(s.ClubView, 1, 2, '#');
    line[5] = Flag(s.NetworkMode);
    line[6] = Flag(s.OwnCursor);
    line[7] = Digit(s.Speed, 1, 6, '4');
    line[8] = Digit(s.WindowSize, 1, 5, '#');
    line[9] = s.StartReportSent ? 'R' : '#';
    line[10] = s.StatsEntrySent ? 'L' : '#';
    line[11] = s.RadioListFromServer ? '0' : '1';
    line[12] = Digit(s.CaptionColour, 1, 7, '#');
    line[13] = Flag(s.NewButtons);
    line[14] = Flag(s.LibraryDesign);
    line[15] = Digit(s.WindowDesign, 1, 3, '1');
    line[16] = Digit(s.MenuDesign, 0, 1, '#');
    line[17] = Digit(s.TableDesign, 0, 1, '#');
    line[18] = Flag(s.SaluteButtons);
    line[19] = Flag(s.SaluteCards);
    return line;
}

std::string RulesLine(const Settings& s) {
    std::string line = "######";
    line[0] = s.InitialScore == 100 ? '1' : s.InitialScore == 150 ? '2' : s.InitialScore == 200 ? '3' : '#';
    line[1] = Flag(s.OpenCardsAtEnd);
    return line;
}

}  // namespace

SettingsLoad ReadSettingsText(Settings& settings, std::string_view bytes) {
    settings = Settings{};
    const std::vector<std::string_view> lines = SplitLines(bytes, kSettingsFileLines);
    if (lines.size() < static_cast<std::size_t>(kSettingsFileLines)) return SettingsLoad::kDefaults;
    const auto line = [&lines](int number) { return lines[number - 1]; };

    Settings& s = settings;
    ReadGeneralLine(s, line(2));
    ReadNumber(line(4), 0, 47, s.CardFaceSet);
    if (line(6).size() < 3) return SettingsLoad::kStoppedEarly;
    ReadNumber(line(6).substr(0, 2), 0, 12, s.DeckBack);
    s.OneBackOnly = line(6)[2] == '1';
    ReadRulesLine(s, line(8));
    return ReadChain(s, line) ? SettingsLoad::kReadThrough : SettingsLoad::kStoppedEarly;
}

std::string SettingsFileText(const Settings& s) {
    const auto clamp = [](int value, int low, int high) { return std::clamp(value, low, high); };
    const std::string lines[kSettingsFileLines] = {
        "<# General>",
        GeneralLine(s),
        "<# Cards>",
        std::to_string(clamp(s.CardFaceSet, 0, 47)),
        "<# Decks>",
        TwoDigits(clamp(s.DeckBack, 0, 12)) + Flag(s.OneBackOnly),
        "<# Individual>",
        RulesLine(s),
        "<# Fonts>",
        RequiredText(s.FontLarge, 2, kDefaultLargeFont),
        RequiredText(s.FontSmall, 2, kDefaultSmallFont),
        RequiredText(s.FontSpecial1, 2, kDefaultSpecial1Font),
        RequiredText(s.FontSpecial2, 2, kDefaultSpecial2Font),
        std::to_string(clamp(s.FontLargeScale, 50, 150)),
        std::to_string(clamp(s.FontSmallScale, 50, 150)),
        std::to_string(clamp(s.FontSpecial1Scale, 50, 150)),
        std::to_string(clamp(s.FontSpecial2Scale, 50, 150)),
        "<# IP & Port>",
        LineText(s.LanAddress),
        RequiredText(s.LanPort, 1, kDefaultLanPort),
        "<# Background>",
        TwoDigits(clamp(s.Background, 1, 10)) + Digit(clamp(s.BackgroundVariant, 0, 6), 0, 6, '0'),
        "<# Name Of Player>",
        RequiredText(s.LastPlayerName, 1, kDefaultPlayerName),
        "<# World Top Ten>",
        RequiredText(s.WorldTopTenAddress, 1, kDefaultWorldTopTenAddress),
        RequiredText(s.WorldNick, 1, kDefaultWorldNick),
        LineText(s.WorldCountry).size() == 5 ? LineText(s.WorldCountry) : std::string(kDefaultWorldCountry),
        RequiredText(s.WorldCity, 1, kDefaultWorldCity),
        RequiredText(s.WorldSex, 1, kDefaultWorldSex),
        RequiredText(s.StatisticsAddress, 1, kDefaultStatisticsAddress),
        "<# Save Games as GIF>",
        std::string(s.SaveGamesAsGif ? kGifOn : kGifOff),
        std::to_string(clamp(s.GifSource, 1, 2)),
        std::to_string(clamp(s.GifDelay, 10, 5000)),
    };
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

}  // namespace kesp
