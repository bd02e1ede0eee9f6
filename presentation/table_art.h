// The pictures the table, the title screen and the menu are drawn with, behind one small interface:
// the loaded card art (faces, backs, suit symbols, the background) and the named pictures of the
// program's own resources. A picture that is missing never stops the drawing: StandInPicture draws
// a plain substitute of the same size.
#pragma once

#include <QColor>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QSize>
#include <QString>
#include <cstdint>
#include <string_view>

#include "engine/card.h"

namespace kesp {

class CardArt;

class TableArt {
  public:
    virtual ~TableArt() = default;
    // A named picture of the program's own resources (any case); null when there is none.
    virtual QImage Picture(std::string_view name) const = 0;
    // The table background at the client size; null when none is loaded.
    virtual QImage Background() const = 0;
    // The window's colour where no background covers it.
    virtual QColor WindowColour() const = 0;
    // A suit symbol, 20 x 20 or the 40 x 40 big one; null when not loaded.
    virtual QImage Symbol(std::uint8_t suitChar, bool big) const = 0;
    // Draws a card face, or the current back (turned across for the deck), into its cell at (x, y).
    // False, with nothing drawn, when the picture is not loaded.
    virtual bool DrawFace(QPainter& painter, int x, int y, Card card) const = 0;
    virtual bool DrawBack(QPainter& painter, int x, int y, bool turned) const = 0;
};

// The art as the card-art loader holds it; the named pictures are read once and kept.
class CardArtPictures : public TableArt {
  public:
    explicit CardArtPictures(const CardArt& art) : art_(art) {}

    QImage Picture(std::string_view name) const override;
    QImage Background() const override;
    QColor WindowColour() const override;
    QImage Symbol(std::uint8_t suitChar, bool big) const override;
    bool DrawFace(QPainter& painter, int x, int y, Card card) const override;
    bool DrawBack(QPainter& painter, int x, int y, bool turned) const override;

  private:
    const CardArt& art_;
    mutable QHash<QString, QImage> pictures_;
};

// A plain substitute for a missing picture, chosen by the name's kind (tab, bubble strip, frame,
// deck symbol, hand, star, clock digit, banner); anything else is a neutral framed panel.
QImage StandInPicture(std::string_view name, QSize size);
// A plain card: a white face with the rank and suit in the corner, or a patterned back.
void DrawStandInFace(QPainter& painter, const QRect& cell, Card card);
void DrawStandInBack(QPainter& painter, const QRect& cell);
// A face, or the current back (turned across for the deck), in its cell; the plain card where the
// art lacks the picture. Nothing for a face of anything that is no card.
void DrawFaceOrStandIn(const TableArt& art, QPainter& painter, const QRect& cell, Card card);
void DrawBackOrStandIn(const TableArt& art, QPainter& painter, const QRect& cell, bool turned);
// A suit symbol drawn as a vector shape into a box.
void DrawSuitShape(QPainter& painter, std::uint8_t suitChar, const QRectF& box);

}  // namespace kesp
