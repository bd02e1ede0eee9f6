#include "presentation/flight_points.h"

namespace kesp {

QPoint HandMiddle(const TableGeometry& g, int seat) {
    const QRect hand = g.hand[seat];
    return QPoint(hand.left() + RoundHalfEven((hand.width() - g.cell.width) / 2.0), hand.top());
}

QPoint TrumpOnDeck(const TableGeometry& g) {
    // Where the deck picture paints the card, narrow offset included, so it leaves without a jump.
    const Placement place(g.scales);
    return g.deck.topLeft() + QPoint(place.S(12) + place.S(g.narrowOffset), place.S(70));
}

QPoint OffWindowToward(const TableGeometry& g, QSize client, int seat) {
    switch (seat) {
        case 1:
            return QPoint(-g.cell.width, g.hand[1].top());
        case 2:
            return QPoint(HandMiddle(g, 2).x(), -g.cell.height);
        case 3:
            return QPoint(client.width() + g.cell.width, g.hand[3].top());
        default:
            return QPoint(HandMiddle(g, 4).x(), client.height());
    }
}

}  // namespace kesp
