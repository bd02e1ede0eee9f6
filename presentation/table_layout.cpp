#include "presentation/table_layout.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kesp {

int RoundHalfEven(double value) {
    if (!std::isfinite(value)) return 0;
    const double limit = static_cast<double>(std::numeric_limits<int>::max());
    value = std::clamp(value, -limit, limit);
    const double lower = std::floor(value);
    const double diff = value - lower;
    double result = lower;
    if (diff > 0.5) {
        result = lower + 1.0;
    } else if (diff == 0.5) {
        result = std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
    }
    return static_cast<int>(result);
}

int WindowSizeInRange(int windowSize) {
    return windowSize >= window_size::Small && windowSize <= window_size::Large ? windowSize
                                                                                : window_size::Small;
}

QSize ClientSizeFor(int windowSize, QSize fullScreenClient) {
    switch (WindowSizeInRange(windowSize)) {
        case window_size::FullScreen:
            if (fullScreenClient.width() <= 0 || fullScreenClient.height() <= 0)
                return {kDesignWidth, kDesignHeight};
            return fullScreenClient;
        case window_size::Average1:
            return {990, 650};
        case window_size::Average2:
            return {1290, 850};
        case window_size::Large:
            return {1520, 1000};
        default:
            return {kDesignWidth, kDesignHeight};
    }
}

WindowScales ScalesForClient(QSize client) {
    if (client.width() <= 0 || client.height() <= 0) return {};
    WindowScales scales;
    scales.sx = client.width() / static_cast<double>(kDesignWidth);
    scales.sy = client.height() / static_cast<double>(kDesignHeight);
    scales.s = std::min(scales.sx, scales.sy);
    return scales;
}

WindowScales ScalesFor(int windowSize, QSize fullScreenClient) {
    switch (WindowSizeInRange(windowSize)) {
        case window_size::FullScreen:
            return ScalesForClient(ClientSizeFor(windowSize, fullScreenClient));
        case window_size::Average1:
            return {1.3, 1.3, 1.3};
        case window_size::Average2:
            return {1.7, 1.7, 1.7};
        case window_size::Large:
            return {2.0, 2.0, 2.0};
        default:
            return {1.0, 1.0, 1.0};
    }
}

QPoint CentredWindowPosition(QSize screen, QSize window) {
    return {RoundHalfEven((screen.width() - window.width()) / 2.0),
            RoundHalfEven((screen.height() - window.height()) / 2.0)};
}

bool WindowSizeFitsScreen(int windowSize, QSize screen) {
    switch (WindowSizeInRange(windowSize)) {
        case window_size::Average1:
            return screen.width() >= 990 && screen.height() >= 670;
        case window_size::Average2:
            return screen.width() >= 1290 && screen.height() >= 870;
        case window_size::Large:
            return screen.width() >= 1520 && screen.height() >= 1020;
        default:
            return true;
    }
}

int Placement::X(double a, double w) const {
    return RoundHalfEven(scales_.sx * a) + RoundHalfEven((scales_.sx - scales_.s) * w / 2.0);
}

int Placement::Y(double b, double h) const {
    return RoundHalfEven(scales_.sy * b) + RoundHalfEven((scales_.sy - scales_.s) * h / 2.0);
}

int Placement::S(double value) const {
    return RoundHalfEven(scales_.s * value);
}

QRect Placement::Rect(double a, double b, double w, double h) const {
    return {X(a, w), Y(b, h), S(w), S(h)};
}

int Placement::FixedX(double a, double w) const {
    return RoundHalfEven(scales_.sx * a) + RoundHalfEven((scales_.sx - 1.0) * w / 2.0);
}

int Placement::FixedY(double b, double h) const {
    return RoundHalfEven(scales_.sy * b) + RoundHalfEven((scales_.sy - 1.0) * h / 2.0);
}

QRect Placement::FixedRect(double a, double b, double w, double h) const {
    return {FixedX(a, w), FixedY(b, h), static_cast<int>(w), static_cast<int>(h)};
}

int Placement::StretchX(double a) const {
    return RoundHalfEven(scales_.sx * a);
}
int Placement::StretchY(double b) const {
    return RoundHalfEven(scales_.sy * b);
}

CardCell CardCellFor(double s, bool wideDeck) {
    if (s < 1.3) return {CardClass::Small, 71, 96};
    if (s < 2.0) return {CardClass::Scaled, RoundHalfEven((wideDeck ? 71 : 61) * s), RoundHalfEven(96 * s)};
    return {CardClass::Large, wideDeck ? 146 : 126, 198};
}

int NarrowOffset(int windowSize, bool wideDeck) {
    return !wideDeck && WindowSizeInRange(windowSize) != window_size::Small ? 5 : 0;
}

Fan FanPositions(int handWidth, int count, int cardWidth) {
    Fan fan;
    fan.cardWidth = cardWidth;
    if (count < 1 || count > 36) return fan;
    fan.count = count;
    const double r = handWidth;
    const double n = count;
    const double step = cardWidth + 3.0;
    // One card is always centred: the overlap formula has no meaning for it.
    if (r / n >= step || count == 1) {
        const double c = RoundHalfEven(r / 2.0);
        for (int k = 1; k <= count; ++k) fan.x[k] = RoundHalfEven(c - step / 2.0 * n + (k - 1) * step);
    } else {
        const int d = static_cast<int>(std::trunc(r / n - (step - r / n) / (n - 1.0)));
        for (int k = 1; k <= count; ++k) fan.x[k] = (k - 1) * d;
    }
    return fan;
}

int SlotAt(const Fan& fan, int x) {
    for (int k = 1; k <= fan.count; ++k) {
        const int from = fan.x[k];
        const int to = k < fan.count ? fan.x[k + 1] - 1 : fan.x[k] + fan.cardWidth - 1;
        if (x >= from && x <= to) return k;
    }
    return 0;
}

int CardAt(const Fan& fan, const HandSlots& hand, int x) {
    const int slot = SlotAt(fan, x);
    if (slot < 1 || slot > 5 || hand[slot].IsEmpty()) return 0;
    return slot;
}

namespace {

struct SeatDesign {
    int handX, handY, tabX, tabY, bubbleX, bubbleY, trickX, trickY;
};
constexpr SeatDesign kSeats[4] = {
    {10, 178, 28, 300, 23, 278, 0, 50},
    {285, 8, 123, 18, 299, 108, 77, 0},
    {560, 178, 578, 300, 574, 278, 154, 50},
    {285, 395, 123, 402, 299, 372, 77, 100},
};

}  // namespace

TableGeometry LayoutTableGeometry(const WindowScales& scales, const CardCell& cell, int narrowOffset,
                                  bool network) {
    const Placement p(scales);
    TableGeometry g;
    g.scales = scales;
    g.cell = cell;
    g.narrowOffset = narrowOffset;
    g.network = network;
    for (int seat = 1; seat <= 4; ++seat) {
        const SeatDesign& d = kSeats[seat - 1];
        g.hand[seat] = QRect(p.X(d.handX, 190), p.Y(d.handY, 96), p.S(190), cell.height);
        g.tab[seat] = p.Rect(d.tabX, d.tabY, 155, 95);
        g.bubble[seat] = p.Rect(d.bubbleX, d.bubbleY, 160, 20);
        g.trickOffset[seat] = QPoint(p.S(d.trickX) + p.S(narrowOffset), p.S(d.trickY));
    }
    g.trickArea = p.Rect(264, 150, 232, 200);
    g.deck = p.Rect(network ? 503 : 598, 3, 100, 170);
    g.infoPanel = p.Rect(10, 5, 110, 160);
    g.chatBox = p.Rect(615, 30, 130, 90);
    const int boxRight = g.chatBox.x() + g.chatBox.width();
    const int boxBottom = g.chatBox.y() + g.chatBox.height();
    g.chatFontHeight = p.S(14);
    g.chatField = QRect(g.chatBox.x(), boxBottom + p.S(1) + RoundHalfEven((p.S(35) - p.S(20)) / 2.0),
                        g.chatBox.width() - p.S(36), p.S(20));
    g.chatSend = QRect(boxRight - p.S(35), boxBottom + p.S(1), p.S(35), p.S(35));
    const int buttonLeft = p.StretchX(570);
    const int buttonTop = p.StretchY(400);
    g.button1 = QRect(buttonLeft, buttonTop, p.StretchX(170), p.S(30));
    g.button2 = QRect(buttonLeft, buttonTop + p.StretchY(30), p.StretchX(170), p.S(30));
    return g;
}

QRect TableGeometry::TrickCard(int seat) const {
    if (seat < 1 || seat > 4) return {};
    return QRect(trickArea.topLeft() + trickOffset[seat], QSize(cell.width, cell.height));
}

int TableGeometry::HandAt(QPoint p) const {
    for (int seat = 1; seat <= 4; ++seat)
        if (hand[seat].contains(p)) return seat;
    return 0;
}

int TableGeometry::TrickSeatAt(QPoint p) const {
    for (int seat = 1; seat <= 4; ++seat)
        if (TrickCard(seat).contains(p)) return seat;
    return 0;
}

}  // namespace kesp
