// Geometry of the main window: the window sizes and their scales, the placement rule that puts a
// 760 x 500 design into the current window, the card cell, the rectangles of every table element,
// the hand fan and the card under the pointer. Pure arithmetic: nothing here paints.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <array>

#include "engine/game_state.h"

namespace kesp {

inline constexpr int kDesignWidth = 760;
inline constexpr int kDesignHeight = 500;

// Window sizes as the settings store them.
namespace window_size {
inline constexpr int Small = 1;
inline constexpr int FullScreen = 2;
inline constexpr int Average1 = 3;
inline constexpr int Average2 = 4;
inline constexpr int Large = 5;
}  // namespace window_size

// Nearest integer, a half going to the even neighbour.
int RoundHalfEven(double value);

// Horizontal, vertical and general scale.
struct WindowScales {
    double sx = 1.0;
    double sy = 1.0;
    double s = 1.0;
    friend bool operator==(const WindowScales&, const WindowScales&) = default;
};

// A window size outside 1..5 is treated as the small window.
int WindowSizeInRange(int windowSize);
// The client area of a window size; full screen takes the maximised window's client area.
QSize ClientSizeFor(int windowSize, QSize fullScreenClient);
// The scales of a client area: x = width / 760, y = height / 500, general the smaller of the two.
WindowScales ScalesForClient(QSize client);
// The scales of a window size (the fixed sizes have exact scales 1.0, 1.3, 1.7, 2.0).
WindowScales ScalesFor(int windowSize, QSize fullScreenClient);
// The top-left corner that centres a window on a screen.
QPoint CentredWindowPosition(QSize screen, QSize window);
// The smallest screen a window size fits on (the options dialog offers only these); full screen and
// the small window fit everywhere.
bool WindowSizeFitsScreen(int windowSize, QSize screen);

// The placement rule: a design element at left a with width w goes to
// X(a, w) = round(sx * a) + round((sx - s) * w / 2) with width S(w); vertically alike.
class Placement {
  public:
    explicit Placement(WindowScales scales = {}) : scales_(scales) {}

    const WindowScales& Scales() const { return scales_; }
    int X(double a, double w) const;
    int Y(double b, double h) const;
    // A length inside an element's own drawing.
    int S(double value) const;
    // A scaled element.
    QRect Rect(double a, double b, double w, double h) const;
    // An element that keeps its pixel size, centred in its stretched place.
    int FixedX(double a, double w) const;
    int FixedY(double b, double h) const;
    QRect FixedRect(double a, double b, double w, double h) const;
    // round(sx * a), round(sy * b): a stretched coordinate with no centring.
    int StretchX(double a) const;
    int StretchY(double b) const;

  private:
    WindowScales scales_;
};

// Card size classes: their numbers are the ones the art loader names them by.
enum class CardClass : int { Scaled = 0, Small = 1, Large = 2 };

struct CardCell {
    CardClass sizeClass = CardClass::Small;
    int width = 71;
    int height = 96;
    friend bool operator==(const CardCell&, const CardCell&) = default;
};

// The card cell for a general scale and a deck width (decks below 28, 40 and 45 are wide).
CardCell CardCellFor(double s, bool wideDeck);
// Cards on the trick area move right by this many design pixels for narrow decks in every window
// but the small one.
int NarrowOffset(int windowSize, bool wideDeck);

// The x positions of the cards of one hand, slots 1..36; unused positions are 0.
struct Fan {
    std::array<int, 37> x{};  // x[0] unused
    int count = 0;
    int cardWidth = 0;
};

// The positions of `count` cards of width `cardWidth` in a hand image `handWidth` wide: side by side
// with 3-pixel gaps and centred when they fit, otherwise evenly overlapping. A count outside 1..36
// gives an empty fan.
Fan FanPositions(int handWidth, int count, int cardWidth);
// The slot (1..count) whose strip holds x: slot k < count covers x_k .. x_(k+1) - 1, the last slot
// its whole card. 0 left of the first card and right of the last.
int SlotAt(const Fan& fan, int x);
// The slot under x, or 0 when there is none or it holds no card.
int CardAt(const Fan& fan, const HandSlots& hand, int x);

// Every rectangle of the card table, in window pixels.
struct TableGeometry {
    WindowScales scales;
    CardCell cell;
    int narrowOffset = 0;  // design pixels
    bool network = false;

    PerSeat<QRect> hand;          // the hand image: width S(190), height one card cell
    PerSeat<QRect> tab;           // the seat tab
    PerSeat<QRect> bubble;        // the seat bubble
    PerSeat<QPoint> trickOffset;  // a seat's card inside the trick area, narrow offset included
    QRect trickArea;
    QRect deck;
    QRect infoPanel;
    QRect chatBox;
    QRect chatField;
    QRect chatSend;
    int chatFontHeight = 14;
    QRect button1;
    QRect button2;

    // The card cell at a seat's place on the trick area, in window pixels.
    QRect TrickCard(int seat) const;
    // The seat whose hand, or whose card on the trick area, lies under a window point; 0 for none.
    int HandAt(QPoint p) const;
    int TrickSeatAt(QPoint p) const;
};

TableGeometry LayoutTableGeometry(const WindowScales& scales, const CardCell& cell, int narrowOffset,
                                  bool network);

}  // namespace kesp
