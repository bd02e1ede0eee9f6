// Where the game's card flights start and end, in window pixels: the top-left corner of the
// flying card's cell.
#pragma once

#include <QPoint>
#include <QSize>

#include "presentation/table_layout.h"

namespace kesp {

// The middle of a seat's hand: hand left + round((hand width - W) / 2), hand top.
QPoint HandMiddle(const TableGeometry& g, int seat);
// The turned trump card's place on the deck picture.
QPoint TrumpOnDeck(const TableGeometry& g);
// Just off the window on the winner's side, where a collected trick goes: left of seat 1's hand,
// above seat 2's, right of seat 3's and below seat 4's.
QPoint OffWindowToward(const TableGeometry& g, QSize client, int seat);

}  // namespace kesp
