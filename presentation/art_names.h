// How the card art is named and stored, shared by the loader, the library generator and the
// library tools: the deck and back-style codes, the libraries that hold them, the picture names
// and the inverted region library faces are stored with. Needs Qt Gui only.
#pragma once

#include <QImage>
#include <QSize>
#include <string>
#include <string_view>

namespace kesp {

inline constexpr std::string_view kCardsLibraryA = "ZunCards06A.dll";
inline constexpr std::string_view kCardsLibraryB = "ZunCards06B.dll";
inline constexpr std::string_view kCardsLibraryC = "ZunCards06C.dll";
inline constexpr std::string_view kBackgroundLibrary = "ZunBackG03.dll";
inline constexpr std::string_view kGraphicsLibrary = "ZunCGraph1.dll";

inline constexpr int kFaceDeckCount = 48;         // CardFaceSet 0..47
inline constexpr int kBackStyleCount = 13;        // DeckBack 0..12
inline constexpr int kBackgroundStyleCount = 10;  // Background 1..10
inline constexpr int kBackgroundColourCount = 7;  // BackgroundVariant 0..6

// Stored picture sizes: small faces and backs, big faces and backs of wide and of narrow decks,
// suit symbols small and big.
inline constexpr QSize kSmallCardSize{69, 94};
inline constexpr QSize kBigWideCardSize{146, 198};
inline constexpr QSize kBigNarrowCardSize{126, 198};
inline constexpr int kSmallSymbolSize = 20;
inline constexpr int kBigSymbolSize = 40;

// Wide decks are those below 28 and the decks 40 and 45.
bool IsWideDeck(int deck);
// The three-letter code of a face deck ("" for the built-in deck 0) and of a back style.
std::string_view FaceDeckCode(int deck);
std::string_view BackStyleCode(int style);
// The library of a face deck (empty for deck 0).
std::string_view FaceDeckLibrary(int deck);
// Styles 8..11 hold ten backs, the others seven.
int BackCountOfStyle(int style);

// Picture names. `suit` 0..3 is hearts, diamonds, clubs, spades; `rank` 0..8 the six .. the ace.
std::string FaceNameAt(int suit, int rank, int deck, bool big);
std::string SymbolNameAt(int suit, int deck, bool big);
// sizeSuffix: "" small, "B" big of wide decks, "U" big of narrow decks.
std::string BackName(int back, bool turned, int style, std::string_view sizeSuffix);
std::string BackgroundName(int style, int colour, bool big);

// Library faces are stored with an elliptical region inverted; applying this twice restores a
// picture. `kind` 0 small (69 x 94), 1 big wide, 2 big narrow.
void InvertFaceRegion(QImage& image, int kind);

}  // namespace kesp
