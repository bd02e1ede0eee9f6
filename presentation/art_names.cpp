#include "presentation/art_names.h"

#include <algorithm>

namespace kesp {
namespace {

const char* const kSuitTokens[4] = {"Ch", "Bu", "Kr", "Pi"};  // hearts, diamonds, clubs, spades
const char* const kSymbolNames[4] = {"Cher", "Bubi", "Kres", "Piki"};
const char* const kRankTokens[9] = {"06", "07", "08", "09", "10", "2J", "3Q", "4K", "5A"};
const char* const kWeekdayTokens[10] = {"Mo", "Tu", "We", "Th", "Fr", "Su", "Su", "XX", "XX", "XX"};
const char* const kColourTokens[kBackgroundColourCount] = {"Gr", "Re", "Or", "Ye", "B1", "B2", "Fi"};

const char* const kDeckCodes[kFaceDeckCount] = {
    "",    "Med", "Mod", "Anc", "Bar", "Cel", "Cor", "Cro", "Eng", "Fra", "His", "Nat",
    "Old", "Par", "Roy", "Sha", "Big", "004", "Lon", "Cl2", "Hea", "Sea", "Rhi", "Me2",
    "Doo", "Boy", "Epi", "USR", "Pla", "SkN", "SkT", "SkF", "Bel", "Dia", "Kny", "Pas",
    "Rus", "Sla", "May", "Lub", "Fra", "Mus", "BS1", "BS2", "BS3", "Chi", "BIt", "Cze"};
const char* const kBackCodes[kBackStyleCount] = {"",    "Cl1", "Cl2", "Car", "Cro", "Che", "Dia",
                                                 "Kni", "Ani", "Flo", "Pla", "Oth", "Rus"};

int ValidDeck(int deck) {
    return deck >= 0 && deck < kFaceDeckCount ? deck : 0;
}
int ValidBackStyle(int style) {
    return style >= 0 && style < kBackStyleCount ? style : 0;
}

std::string TwoDigits(int n) {
    return {char('0' + n / 10), char('0' + n % 10)};
}

}  // namespace

bool IsWideDeck(int deck) {
    return deck < 28 || deck == 40 || deck == 45;
}

std::string_view FaceDeckCode(int deck) {
    return kDeckCodes[ValidDeck(deck)];
}
std::string_view BackStyleCode(int style) {
    return kBackCodes[ValidBackStyle(style)];
}

std::string_view FaceDeckLibrary(int deck) {
    deck = ValidDeck(deck);
    if (deck == 0) return {};
    if (deck <= 31) return kCardsLibraryA;
    if (deck <= 39) return kCardsLibraryB;
    return kCardsLibraryC;
}

int BackCountOfStyle(int style) {
    return style >= 8 && style <= 11 ? 10 : 7;
}

std::string FaceNameAt(int suit, int rank, int deck, bool big) {
    if (suit < 0 || suit > 3 || rank < 0 || rank > 8) return {};
    std::string name = std::string(kSuitTokens[suit]) + kRankTokens[rank];
    name += FaceDeckCode(deck);
    if (big) name += 'B';
    return name;
}

std::string SymbolNameAt(int suit, int deck, bool big) {
    if (suit < 0 || suit > 3) return {};
    std::string name = std::string(kSymbolNames[suit]) + std::string(FaceDeckCode(deck));
    if (big) name += 'B';
    return name;
}

std::string BackName(int back, bool turned, int style, std::string_view sizeSuffix) {
    back = std::clamp(back, 1, 10);
    std::string name = "Ob" + TwoDigits(back) + kWeekdayTokens[back - 1];
    if (turned) name += 'R';
    name += BackStyleCode(style);
    name += sizeSuffix;
    return name;
}

std::string BackgroundName(int style, int colour, bool big) {
    style = std::clamp(style, 0, 99);
    colour = std::clamp(colour, 0, kBackgroundColourCount - 1);
    if (style == 2 && colour == 0) return big ? "FonGB" : "FonG";
    return "Fon" + TwoDigits(style) + kColourTokens[colour] + (big ? "B" : "");
}

void InvertFaceRegion(QImage& image, int kind) {
    if (image.isNull()) return;
    // The ellipse's bounding box, right and bottom edges excluded.
    const int right = kind == 0 ? 84 : 188;
    const int bottom = kind == 0 ? 59 : (kind == 1 ? 136 : 116);
    const double cx = (10 + right) / 2.0, cy = (10 + bottom) / 2.0;
    const double rx = (right - 10) / 2.0, ry = (bottom - 10) / 2.0;
    const QImage::Format format = image.format();
    QImage work = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 10; y < std::min(bottom, work.height()); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(work.scanLine(y));
        const double dy = (y + 0.5 - cy) / ry;
        for (int x = 10; x < std::min(right, work.width()); ++x) {
            const double dx = (x + 0.5 - cx) / rx;
            if (dx * dx + dy * dy <= 1.0) row[x] ^= 0x00FFFFFFu;
        }
    }
    image = work.convertToFormat(format);
}

}  // namespace kesp
