// A card picture that can be drawn anywhere on a flight's working copy, and the two window-sized
// copies a flight draws on: the clean copy (the table as it was when the flight began) and the
// working copy (what the window should show).
#pragma once

#include <QImage>
#include <QRect>

#include "engine/card.h"
#include "presentation/table_art.h"
#include "presentation/table_layout.h"

namespace kesp {

// What a flying card shows: its face, or with `back` the back of the current deal. A face of
// anything that is no card ("##") shows nothing and takes no part in a flight.
struct SpriteFace {
    Card code = Card::Empty();
    bool back = false;
    bool TakesPart() const { return back || code.IsCard(); }
};

// Where a flight's frames go.
class FlightScreen {
  public:
    virtual ~FlightScreen() = default;
    // The client area as the window shows it now.
    virtual QImage Capture() const = 0;
    // Puts a rectangle of the working copy on the screen before returning.
    virtual void Show(const QRect& rect) = 0;
    // Has a rectangle repainted the normal way once the flight is over.
    virtual void Refresh(const QRect& rect) = 0;
};

class FlightSurface {
  public:
    // The working copy starts as a copy of the clean one.
    FlightSurface(FlightScreen& screen, QImage clean);

    const QImage& Clean() const { return clean_; }
    const QImage& Working() const { return working_; }
    QImage& Working() { return working_; }
    QRect Window() const { return working_.rect(); }
    // Copies a rectangle of the clean copy into the working copy.
    void Restore(const QRect& rect);
    // Shows a rectangle of the working copy, cut to the window.
    void Show(const QRect& rect);
    void Refresh(const QRect& rect);

  private:
    FlightScreen& screen_;
    QImage clean_;
    QImage working_;
};

class TSprite {
  public:
    // The sprite's cell (its size is the card cell) and picture, drawn once through the art. The
    // small class keeps an AND mask and an OR mask: the mask is black over the card and white on
    // the three open pixels of each corner, the OR image is the framed picture on black. The other
    // classes keep the rounded picture on a transparent ground.
    TSprite(const QRect& cell, SpriteFace face, const TableArt& art, CardClass sizeClass);

    QRect Rect() const { return QRect(FLeft, FTop, FWidth, FHeight); }
    // Draws the picture at `at` over what the image holds there.
    void Draw(QImage& target, QPoint at) const;
    // Restores the old place from the clean copy, draws the sprite at `to` and shows the old place
    // widened by 2 pixels, which covers the new one: a move is at most 2 pixels each way.
    void MoveSprite(QPoint to, FlightSurface& surface);
    // Restores the sprite's place from the clean copy; the window shows it at its next repaint, when
    // the caller has drawn whatever lies there now.
    void EraseSprite(FlightSurface& surface);

    int FLeft = 0;
    int FTop = 0;
    int FWidth = 0;
    int FHeight = 0;

  private:
    bool small_ = false;
    QImage AndMask;
    QImage OrMask;
    QImage picture_;  // the other classes: the card with transparent corners
};

}  // namespace kesp
