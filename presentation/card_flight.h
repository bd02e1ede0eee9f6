// Card flights: a single card moving one pixel at a time from its start to its target, or the
// cards of a trick moving together. A flight blocks until the card has landed; each frame draws
// into the working copy and shows only the rectangle that changed, the background comes from the
// clean copy and is never redrawn.
#pragma once

#include <QWidget>
#include <cstdint>
#include <memory>
#include <span>

#include "presentation/flight_path.h"
#include "presentation/sprite.h"

namespace kesp {

inline constexpr int kMaxGroupCards = 12;

// One card of a group flight.
struct GroupCard {
    SpriteFace face;
    QPoint from;
    QPoint to;
};

class CardFlights {
  public:
    // The screen and the art must outlive the flights; `sleep` replaces the real pause (tests).
    CardFlights(FlightScreen& screen, const TableArt& art, FlightPacer::Sleep sleep = {});

    // Flies a card from `from` to `to` (its cell's top-left corner) at `speed` 1..6 over the table
    // as the screen shows it, and takes it off the table at the end when `eraseAtEnd`.
    void FlyCard(QPoint from, QPoint to, SpriteFace face, bool eraseAtEnd, const CardCell& cell, int speed);
    // Flies up to 12 cards together over `cleanTable`, the table without them; each stops being
    // drawn when it reaches its target. Cards that show nothing take no part.
    void FlyGroup(const QImage& cleanTable, std::span<const GroupCard> cards, const CardCell& cell,
                  int speed);

    // On while a flight runs: the window then shows the working copy.
    bool Running() const { return surface_ != nullptr; }
    const QImage& WorkingCopy() const;
    // Frames drawn by every flight so far.
    std::uint64_t Frames() const { return pacer_.Frames(); }

  private:
    FlightScreen& screen_;
    const TableArt& art_;
    FlightPacer pacer_;
    std::unique_ptr<FlightSurface> surface_;
};

// The screen of a widget that paints `table`, or the working copy while a flight runs. Show
// repaints at once, so each frame reaches the screen before the next one is drawn.
class WidgetFlightScreen : public FlightScreen {
  public:
    WidgetFlightScreen(QWidget& widget, const QImage& table) : widget_(widget), table_(table) {}

    QImage Capture() const override { return table_; }
    void Show(const QRect& rect) override { widget_.repaint(rect); }
    void Refresh(const QRect& rect) override { widget_.update(rect); }

  private:
    QWidget& widget_;
    const QImage& table_;
};

}  // namespace kesp
