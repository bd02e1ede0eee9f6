// The optional resource libraries: the face sets, back styles, backgrounds and the graphics design.
#pragma once

#include <QImage>
#include <QString>
#include <functional>
#include <vector>

#include "artgen.h"

namespace artgen {

// Back `back` (1..10) of library back style 1..12 at a stored size.
QImage DrawLibraryBack(int style, int back, int w, int h, bool big);
// Background style 1..10 in colour 0..6 at a size.
QImage DrawBackground(int style, int colour, int w, int h);

// The pictures of each library, written into `out`; the face sets are split into ranges of decks
// so that they can be drawn side by side.
void DrawFaceDecks(ArtWriter& out, int firstDeck, int lastDeck);
void DrawLibraryBacks(ArtWriter& out, int firstStyle, int lastStyle);
void DrawBackgrounds(ArtWriter& out, int firstStyle, int lastStyle);
void DrawGraphicsLibrary(ArtWriter& out);

}  // namespace artgen
