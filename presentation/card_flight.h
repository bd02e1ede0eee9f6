// Card flights: a single card moving one pixel at a time from its start to its target, or the
// cards of a trick moving together. A flight starts and returns at once; a timer draws its frames,
// resting between them as the speed asks and handing the event loop back every few milliseconds,
// so input, timers and sockets are served while the card flies. Each frame draws into the working
// copy and shows only the rectangle that changed; the background comes from the clean copy and is
// never redrawn.
#pragma once

#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>
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
    using Landed = std::function<void()>;

    // The screen and the art must outlive the flights.
    CardFlights(FlightScreen& screen, const TableArt& art);
    ~CardFlights();
    CardFlights(const CardFlights&) = delete;
    CardFlights& operator=(const CardFlights&) = delete;

    // Starts flying a card from `from` to `to` (its cell's top-left corner) at `speed` 1..6 over
    // the table as the screen shows it, taking it off the table at the end when `eraseAtEnd`, and
    // returns at once; `landed` is called from the event loop when the card has landed. False (and
    // `landed` is never called) when nothing flies: a face that takes no part, or a flight already
    // running.
    bool FlyCard(QPoint from, QPoint to, SpriteFace face, bool eraseAtEnd, const CardCell& cell, int speed,
                 Landed landed);
    // Starts flying up to 12 cards together over `cleanTable`, the table without them; each stops
    // being drawn when it reaches its target. Cards that show nothing take no part. False (and
    // `landed` is never called) when no card takes part or a flight is already running.
    bool FlyGroup(const QImage& cleanTable, std::span<const GroupCard> cards, const CardCell& cell, int speed,
                  Landed landed);
    // Ends a running flight at once without calling its `landed` (the table is being left); the
    // screen shows the table again. Not from inside the screen's Show.
    void Cancel();

    // On while a flight runs: the window then shows the working copy.
    bool Running() const { return flight_ != nullptr; }
    const QImage& WorkingCopy() const;
    // Frames drawn by every flight so far.
    std::uint64_t Frames() const { return pacer_.Frames(); }

    // One flight's frames; defined with the flights.
    class Flight;

  private:
    void Start(std::unique_ptr<Flight> flight, QImage clean, int speed, Landed landed);
    // Draws frames until a rest is due or the slice of drawing time is used up, then schedules
    // the next ones; lands the flight after its last frame.
    void DrawFrames();
    void Land();

    FlightScreen& screen_;
    const TableArt& art_;
    FlightPacer pacer_;
    QTimer frameTimer_;
    std::unique_ptr<FlightSurface> surface_;
    std::unique_ptr<Flight> flight_;
    int speed_ = kFastestFlight;
    Landed landed_;
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
