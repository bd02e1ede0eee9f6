// The looks of the built-in deck and of the 47 library decks.
#include <array>

#include "deck_style.h"

namespace artgen {
namespace {

using Inks = std::array<QColor, 4>;  // hearts, diamonds, clubs, spades

const Inks kClassicInks{QColor(206, 17, 38), QColor(206, 17, 38), QColor(22, 22, 26), QColor(22, 22, 26)};
// Four colours, so no two suits share an ink: the poker kind and the tournament kind.
const Inks kFourColourInks{QColor(206, 17, 38), QColor(18, 84, 190), QColor(20, 128, 48), QColor(22, 22, 26)};
const Inks kTournamentInks{QColor(206, 17, 38), QColor(232, 150, 0), QColor(22, 22, 26), QColor(24, 128, 44)};
const Inks kGermanInks{QColor(200, 20, 30), QColor(214, 150, 0), QColor(120, 70, 20), QColor(30, 130, 40)};
const Inks kLatinInks{QColor(190, 30, 30), QColor(206, 156, 0), QColor(50, 116, 40), QColor(30, 70, 160)};

const std::array<QString, 4> kEnglishLetters{"J", "Q", "K", "A"};
const std::array<QString, 4> kGermanLetters{"B", "D", "K", "A"};
const std::array<QString, 4> kGermanSuitLetters{"U", "O", "K", "A"};
const std::array<QString, 4> kRussianLetters{QString::fromUtf8("В"), QString::fromUtf8("Д"),
                                             QString::fromUtf8("К"), QString::fromUtf8("Т")};
const std::array<QString, 4> kFrenchLetters{"V", "D", "R", "A"};
const std::array<QString, 4> kSpanishLetters{"S", "C", "R", "A"};
const std::array<QString, 4> kItalianLetters{"F", "C", "R", "A"};
const std::array<QString, 4> kCzechLetters{"S", "V", "K", "E"};

const QColor kGold(200, 150, 40);
const QColor kParchment(246, 236, 208);
const QColor kParchmentEdge(230, 212, 170);

// One deck in a line: the fields that differ from the classic deck.
struct Row {
    QColor paper, paperEdge;
    Inks ink;
    SuitShapes shapes;
    const char* font;
    double indexScale;
    std::array<QString, 4> letters;
    FaceFrame frame;
    QColor frameColour;
    CourtStyle court;
    int palette;
    AceStyle ace;
    bool shadedPips = true;
    QColor courtField = QColor(253, 247, 230);
    bool indexBold = true;
};

const QColor kWhite(255, 255, 252);
using F = FaceFrame;
using C = CourtStyle;
using A = AceStyle;
using S = SuitShapes;

const Row kRows[47] = {
    // 1 Medieval-1
    {kParchment, kParchmentEdge, kClassicInks, S::kFrench, "URW Bookman", 1, kEnglishLetters, F::kCorners,
     QColor(120, 70, 30), C::kPortrait, 3, A::kWreath},
    // 2 Modern
    {kWhite, kWhite, kFourColourInks, S::kFrench, "URW Gothic", 1, kEnglishLetters, F::kNone, kGold,
     C::kFigure, 5, A::kPlain, false, QColor(240, 244, 250)},
    // 3 Ancient Egypt
    {QColor(238, 224, 180),
     QColor(218, 196, 146),
     {QColor(170, 50, 30), QColor(170, 50, 30), QColor(20, 50, 100), QColor(20, 50, 100)},
     S::kFrench,
     "P052",
     1,
     kEnglishLetters,
     F::kDouble,
     QColor(190, 140, 40),
     C::kPortrait,
     3,
     A::kSunburst,
     true,
     QColor(232, 210, 160)},
    // 4 Baronesse
    {QColor(255, 250, 244), QColor(250, 238, 232), kClassicInks, S::kFrench, "P052", 1, kEnglishLetters,
     F::kLine, QColor(200, 120, 150), C::kFigure, 1, A::kWreath},
    // 5 Celtic
    {QColor(250, 250, 240),
     QColor(236, 240, 224),
     {QColor(196, 24, 40), QColor(196, 24, 40), QColor(20, 70, 44), QColor(20, 70, 44)},
     S::kFrench,
     "URW Bookman",
     1,
     kEnglishLetters,
     F::kCorners,
     QColor(30, 110, 60),
     C::kEngraving,
     0,
     A::kRings},
    // 6 Corona
    {kWhite, QColor(248, 244, 230), kClassicInks, S::kFrench, "DejaVu Serif", 1, kEnglishLetters, F::kDouble,
     kGold, C::kFigure, 2, A::kSunburst},
    // 7 Crown
    {kWhite, kWhite, kClassicInks, S::kFrench, "C059", 1, kEnglishLetters, F::kLine, kGold, C::kPortrait, 0,
     A::kRings},
    // 8 English Pattern
    {kWhite, kWhite, kClassicInks, S::kFrench, "Nimbus Roman", 1, kEnglishLetters, F::kNone, kGold,
     C::kFigure, 0, A::kRings, true, QColor(255, 255, 250)},
    // 9 Frankfurt
    {kWhite, QColor(250, 246, 236), kGermanInks, S::kGerman, "DejaVu Sans", 1, kGermanLetters, F::kNone,
     kGold, C::kFigure, 3, A::kRings},
    // 10 Historical costumes
    {QColor(255, 252, 240), QColor(246, 238, 220), kClassicInks, S::kFrench, "C059", 1, kEnglishLetters,
     F::kDouble, QColor(130, 24, 30), C::kPortrait, 2, A::kRings},
    // 11 Native Americans
    {QColor(236, 214, 170),
     QColor(214, 186, 136),
     {QColor(178, 34, 34), QColor(210, 110, 30), QColor(0, 110, 110), QColor(60, 40, 30)},
     S::kFrench,
     "URW Gothic",
     1,
     kEnglishLetters,
     F::kCorners,
     QColor(0, 128, 128),
     C::kPortrait,
     3,
     A::kSunburst,
     true,
     QColor(240, 224, 190)},
    // 12 Old Garden Roses
    {QColor(255, 248, 248),
     QColor(250, 230, 235),
     {QColor(190, 30, 80), QColor(190, 30, 80), QColor(40, 84, 40), QColor(40, 84, 40)},
     S::kFrench,
     "P052",
     1,
     kEnglishLetters,
     F::kCorners,
     QColor(200, 90, 120),
     C::kPortrait,
     1,
     A::kWreath,
     true,
     QColor(255, 236, 240)},
    // 13 Parrots
    {kWhite,
     QColor(232, 250, 234),
     {QColor(230, 30, 40), QColor(250, 140, 0), QColor(20, 150, 70), QColor(20, 80, 200)},
     S::kFrench,
     "DejaVu Sans",
     1,
     kEnglishLetters,
     F::kLine,
     QColor(30, 150, 60),
     C::kFigure,
     5,
     A::kSunburst},
    // 14 Royal
    {kWhite, kWhite, kClassicInks, S::kFrench, "C059", 1, kEnglishLetters, F::kDouble, kGold, C::kFigure, 2,
     A::kRings, true, QColor(250, 240, 210)},
    // 15 Shakespeare
    {kParchment,
     kParchmentEdge,
     {QColor(150, 20, 20), QColor(150, 20, 20), QColor(40, 30, 24), QColor(40, 30, 24)},
     S::kFrench,
     "Z003",
     1.1,
     kEnglishLetters,
     F::kCorners,
     QColor(110, 80, 40),
     C::kEngraving,
     0,
     A::kWreath,
     true,
     QColor(250, 240, 214),
     false},
    // 16 Big Ben
    {kWhite, kWhite, kClassicInks, S::kFrench, "DejaVu Sans", 1.35, kEnglishLetters, F::kNone, kGold,
     C::kFigure, 0, A::kPlain},
    // 17 Four Reigns of English History
    {QColor(255, 252, 240), QColor(244, 236, 214), kClassicInks, S::kFrench, "P052", 1, kEnglishLetters,
     F::kDouble, QColor(120, 20, 40), C::kPortrait, 2, A::kRings},
    // 18 Large Print London
    {kWhite, kWhite, kClassicInks, S::kFrench, "DejaVu Sans", 1.45, kEnglishLetters, F::kNone, kGold,
     C::kMonogram, 0, A::kPlain, false},
    // 19 Classical-2
    {kWhite, kWhite, kClassicInks, S::kFrench, "Nimbus Roman", 1, kEnglishLetters, F::kLine,
     QColor(150, 150, 160), C::kFigure, 1, A::kRings, true, QColor(255, 255, 255)},
    // 20 Hearts
    {QColor(255, 246, 246),
     QColor(255, 232, 236),
     {QColor(214, 20, 40), QColor(230, 60, 130), QColor(100, 30, 70), QColor(40, 20, 40)},
     S::kFrench,
     "DejaVu Serif",
     1,
     kEnglishLetters,
     F::kCorners,
     QColor(230, 80, 120),
     C::kFigure,
     1,
     A::kSunburst},
    // 21 Seasons
    {kWhite,
     QColor(244, 248, 252),
     {QColor(200, 60, 40), QColor(220, 160, 0), QColor(40, 140, 60), QColor(40, 90, 170)},
     S::kFrench,
     "URW Bookman",
     1,
     kEnglishLetters,
     F::kLine,
     QColor(90, 140, 90),
     C::kPortrait,
     5,
     A::kWreath},
    // 22 Rhine Style
    {kWhite, kWhite, kClassicInks, S::kFrench, "DejaVu Sans", 1, kGermanLetters, F::kNone, kGold, C::kFigure,
     3, A::kRings},
    // 23 Medieval-2
    {QColor(242, 228, 196),
     QColor(222, 200, 156),
     {QColor(160, 30, 24), QColor(160, 30, 24), QColor(36, 30, 26), QColor(36, 30, 26)},
     S::kFrench,
     "URW Bookman",
     1,
     kEnglishLetters,
     F::kCorners,
     QColor(150, 40, 30),
     C::kEngraving,
     0,
     A::kWreath,
     true,
     QColor(246, 234, 206)},
    // 24 Doods
    {kWhite,
     kWhite,
     {QColor(240, 40, 60), QColor(250, 120, 0), QColor(40, 170, 60), QColor(60, 60, 200)},
     S::kFrench,
     "Comic Neue",
     1.15,
     kEnglishLetters,
     F::kLine,
     QColor(40, 40, 40),
     C::kFigure,
     5,
     A::kPlain,
     false,
     QColor(255, 250, 220)},
    // 25 Playboy: black and gold
    {QColor(250, 250, 250), QColor(238, 238, 238), kClassicInks, S::kFrench, "URW Gothic", 1, kEnglishLetters,
     F::kDouble, QColor(30, 30, 30), C::kEngraving, 0, A::kSunburst, true, QColor(248, 240, 220)},
    // 26 Epic
    {QColor(245, 245, 240), QColor(225, 225, 220), kClassicInks, S::kFrench, "C059", 1, kEnglishLetters,
     F::kDouble, QColor(110, 110, 120), C::kPortrait, 2, A::kSunburst},
    // 27 USSR
    {QColor(250, 245, 235),
     QColor(240, 232, 216),
     {QColor(190, 20, 20), QColor(190, 20, 20), QColor(30, 30, 30), QColor(30, 30, 30)},
     S::kFrench,
     "DejaVu Sans",
     1,
     kRussianLetters,
     F::kLine,
     QColor(190, 20, 20),
     C::kEngraving,
     0,
     A::kSunburst},
    // 28 Plastic
    {kWhite, QColor(228, 238, 250), kFourColourInks, S::kFrench, "Nimbus Sans Narrow", 1.1, kEnglishLetters,
     F::kNone, kGold, C::kFigure, 0, A::kPlain},
    // 29 Skat - German suits
    {kWhite, QColor(250, 246, 236), kGermanInks, S::kGerman, "DejaVu Sans", 1, kGermanSuitLetters, F::kNone,
     kGold, C::kFigure, 3, A::kRings},
    // 30 Skat - Tournament suits
    {kWhite, kWhite, kTournamentInks, S::kFrench, "DejaVu Sans", 1.1, kGermanLetters, F::kNone, kGold,
     C::kFigure, 0, A::kRings},
    // 31 Skat - French suits
    {kWhite, kWhite, kClassicInks, S::kFrench, "DejaVu Sans", 1.1, kGermanLetters, F::kLine,
     QColor(120, 120, 130), C::kFigure, 1, A::kRings},
    // 32 White palekh
    {kWhite, QColor(250, 246, 236), kClassicInks, S::kFrench, "C059", 1, kRussianLetters, F::kCorners, kGold,
     C::kPortrait, 2, A::kWreath},
    // 33 Diana
    {kWhite, QColor(240, 244, 252), kClassicInks, S::kFrench, "P052", 1, kEnglishLetters, F::kLine,
     QColor(120, 150, 200), C::kPortrait, 1, A::kRings},
    // 34 Princely
    {QColor(255, 252, 240), QColor(246, 236, 210), kClassicInks, S::kFrench, "C059", 1, kRussianLetters,
     F::kDouble, kGold, C::kFigure, 2, A::kSunburst},
    // 35 For solitaires
    {kWhite, kWhite, kFourColourInks, S::kFrench, "DejaVu Sans", 1.4, kEnglishLetters, F::kNone, kGold,
     C::kMonogram, 0, A::kPlain, false},
    // 36 Satin
    {kWhite, QColor(226, 226, 238), kClassicInks, S::kFrench, "URW Bookman", 1, kRussianLetters, F::kLine,
     QColor(170, 170, 190), C::kFigure, 1, A::kRings},
    // 37 Slavic
    {QColor(250, 244, 230), QColor(240, 228, 204), kClassicInks, S::kFrench, "DejaVu Serif", 1,
     kRussianLetters, F::kCorners, QColor(180, 30, 30), C::kPortrait, 3, A::kWreath},
    // 38 Maya
    {QColor(235, 225, 200),
     QColor(214, 198, 160),
     {QColor(170, 40, 30), QColor(200, 130, 20), QColor(40, 110, 80), QColor(50, 40, 30)},
     S::kFrench,
     "URW Gothic",
     1,
     kEnglishLetters,
     F::kDouble,
     QColor(120, 90, 40),
     C::kEngraving,
     3,
     A::kSunburst},
    // 39 Bast
    {QColor(248, 238, 210), QColor(236, 220, 180), kClassicInks, S::kFrench, "DejaVu Sans", 1,
     kRussianLetters, F::kLine, QColor(60, 40, 20), C::kFigure, 5, A::kWreath},
    // 40 French
    {kWhite, kWhite, kClassicInks, S::kFrench, "Nimbus Roman", 1, kFrenchLetters, F::kNone, kGold, C::kFigure,
     2, A::kRings, true, QColor(255, 255, 255)},
    // 41 Spanish 1
    {kWhite, QColor(250, 246, 236), kLatinInks, S::kLatin, "DejaVu Serif", 1, kSpanishLetters, F::kLine,
     QColor(190, 30, 30), C::kPortrait, 3, A::kPlain},
    // 42 Spanish 2
    {kWhite, kWhite, kLatinInks, S::kLatin, "C059", 1, kSpanishLetters, F::kDouble, QColor(30, 70, 160),
     C::kFigure, 5, A::kWreath},
    // 43 Spanish 3
    {kParchment, kParchmentEdge, kLatinInks, S::kLatin, "URW Bookman", 1, kSpanishLetters, F::kCorners,
     QColor(150, 90, 30), C::kEngraving, 0, A::kSunburst},
    // 44 Spanish 4
    {kWhite, kWhite, kLatinInks, S::kLatin, "DejaVu Sans", 1.2, kSpanishLetters, F::kLine,
     QColor(206, 156, 0), C::kMonogram, 0, A::kPlain, false},
    // 45 Chinese
    {QColor(255, 250, 235), QColor(250, 238, 210), kClassicInks, S::kFrench, "WenQuanYi Micro Hei", 1,
     kEnglishLetters, F::kDouble, QColor(190, 30, 30), C::kPortrait, 2, A::kSunburst},
    // 46 Italian
    {kWhite, QColor(250, 246, 236), kLatinInks, S::kLatin, "P052", 1, kItalianLetters, F::kCorners,
     QColor(40, 110, 60), C::kFigure, 3, A::kWreath},
    // 47 Czech
    {kWhite, QColor(246, 250, 240), kGermanInks, S::kGerman, "DejaVu Serif", 1, kCzechLetters, F::kLine,
     QColor(30, 130, 40), C::kPortrait, 5, A::kSunburst},
};

}  // namespace

const DeckStyle& ClassicStyle() {
    static const DeckStyle style;
    return style;
}

DeckStyle LibraryDeckStyle(int deck) {
    DeckStyle style;
    if (deck < 1 || deck > 47) return style;
    const Row& r = kRows[deck - 1];
    style.paper = r.paper;
    style.paperEdge = r.paperEdge;
    style.ink = r.ink;
    style.shapes = r.shapes;
    style.indexFamily = QString::fromLatin1(r.font);
    style.indexBold = r.indexBold;
    style.indexScale = r.indexScale;
    style.courtLetters = r.letters;
    style.shadedPips = r.shadedPips;
    style.frame = r.frame;
    style.frameColour = r.frameColour;
    style.court = r.court;
    style.palette = r.palette;
    style.courtField = r.courtField;
    style.ace = r.ace;
    return style;
}

}  // namespace artgen
