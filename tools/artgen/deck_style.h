// What makes one face deck look unlike another: paper, suit shapes and colours, the corner index,
// the court figures, frames and the ace. The built-in deck is ClassicStyle(); the library decks are
// variations of it (LibraryDeckStyle).
#pragma once

#include <QColor>
#include <QString>
#include <array>

namespace artgen {

// French suits (hearts, diamonds, clubs, spades), German (hearts, bells, acorns, leaves) or Latin
// (cups, coins, batons, swords), always in the card order hearts, diamonds, clubs, spades.
enum class SuitShapes { kFrench, kGerman, kLatin };
// Court cards: the double-ended figure, a single-ended portrait in an arch, a large letter, or the
// figure printed in one ink like an engraving.
enum class CourtStyle { kFigure, kPortrait, kMonogram, kEngraving };
// The ace: engraved rings, a laurel wreath, a sunburst, or a plain large pip.
enum class AceStyle { kRings, kWreath, kSunburst, kPlain };
// A line around the face: none, a thin line, a double line, or flourishes in the corners.
enum class FaceFrame { kNone, kLine, kDouble, kCorners };

struct DeckStyle {
    QColor paper{255, 255, 252};
    QColor paperEdge{255, 255, 252};  // a second paper colour: the face shades towards it at the bottom
    std::array<QColor, 4> ink{QColor(206, 17, 38), QColor(206, 17, 38), QColor(22, 22, 26),
                              QColor(22, 22, 26)};
    SuitShapes shapes = SuitShapes::kFrench;
    QString indexFamily = QStringLiteral("DejaVu Serif");
    bool indexBold = true;
    double indexScale = 1.0;                                  // 1.35 for the large-index decks
    std::array<QString, 4> courtLetters{"J", "Q", "K", "A"};  // jack, queen, king, ace
    bool shadedPips = true;                                   // a soft gradient on big pips
    FaceFrame frame = FaceFrame::kNone;
    QColor frameColour{232, 186, 40};
    CourtStyle court = CourtStyle::kFigure;
    int palette = 0;  // the court figures' clothes: 0 classic .. 5 (CourtPalette)
    QColor courtField{253, 247, 230};
    AceStyle ace = AceStyle::kRings;
};

const DeckStyle& ClassicStyle();
// The style of library deck 1..47.
DeckStyle LibraryDeckStyle(int deck);

}  // namespace artgen
