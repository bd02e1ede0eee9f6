// Card art: the face decks, backs, suit symbols and table backgrounds at the size the window
// needs, from the program's own resources or from the optional resource libraries beside it.
//
// A resource library is a Qt binary resource bundle ("rcc --binary") that keeps its historical
// file name ("ZunCards06A.dll" and so on). It is looked for beside the program and then in the
// folder above, registered under a root of its own while its pictures are read, and released
// again. Picture names are matched without regard to case. A missing library is never fatal: the
// built-in design stands in and the load reports the message the window shows.
#pragma once

#include <QColor>
#include <QDate>
#include <QImage>
#include <QPainter>
#include <QSize>
#include <array>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "engine/card.h"
#include "presentation/art_names.h"
#include "records/settings.h"

namespace kesp {

// The word shown, followed by a blank and the file name, when a resource library is missing.
inline constexpr std::string_view kCantFindFileWord = "Can`t find the file";

// Size classes of the card pictures; the numbers are the classes' historical codes.
enum class CardSizeClass { kScaled = 0, kSmall = 1, kLarge = 2 };

CardSizeClass SizeClassForScale(double scale);
// The card cell for a window scale: 71 x 96 below 1.3, scaled big pictures up to 2.0, then the
// big pictures as they are (146 or 126 wide). Halves round to the even neighbour.
QSize CardCellSize(double scale, bool wideDeck);
// Picture names of a card and of a suit symbol; `big` selects the "B" pictures. Empty for a code
// that is not a card or suit.
std::string FaceName(Card card, int deck, bool big);
std::string SymbolName(std::uint8_t suitChar, int deck, bool big);

// Recolours red artwork (the caption banner, the club and network headers) for a banner colour
// 1..8; 1 and anything out of range leave the picture as it is.
void RecolorBanner(QImage& image, int colour);

// A picture of the program's own resources by name, any case; null when there is none.
QImage LoadOwnImage(std::string_view name);

// The outcome of a load: `ok` is false when a library was missing and the built-in design took
// its place; `messages` holds one line per missing library for the message window.
struct ArtLoadResult {
    bool ok = true;
    std::vector<std::string> messages;
};

class CardArt {
  public:
    // Turns a word of the words table into the interface language; the identity by default.
    using WordFunction = std::function<std::string(std::string_view)>;

    // `settings` is read for the chosen designs and reset where a load falls back; `programDir`
    // (with a trailing '/') is where the libraries are looked for, then in its parent.
    CardArt(Settings& settings, std::string programDir, WordFunction word = {});

    // The window the pictures are for: the WindowSize value (1 is the smallest window), the
    // general scale and the client size backgrounds are stretched to.
    void SetWindow(int windowSize, double scale, QSize clientSize);

    ArtLoadResult LoadFaceDeck();
    ArtLoadResult LoadBacks();
    ArtLoadResult LoadBackground(bool designed);
    // The background of a screen: the graphics library's purple while that screen's design
    // (MenuDesign for the menu, TableDesign for the table) is 1, else the chosen one. Loads only
    // when it differs from the background loaded now, unless `force`.
    ArtLoadResult LoadScreenBackground(bool table, bool force = false);
    // The plain felt "GIFBackGr" stretched to the client size, used while a deal is recorded;
    // false, with the background unchanged, when the picture is missing.
    bool UseRecordingBackground();

    // Pictures of the loaded designs; null for anything that is not a card or not loaded.
    QImage FaceImage(Card card) const;                   // small class: 69 x 94
    QImage FaceImagePng(Card card) const;                // other classes: the big picture
    QImage SymbolImage(std::uint8_t suitChar) const;     // 20 x 20
    QImage SymbolImagePng(std::uint8_t suitChar) const;  // 40 x 40
    // Back 1..BackCount() of the current style, upright or turned, at the class's size.
    QImage BackImage(int back, bool turned) const;
    QImage Background() const { return background_; }
    // The window's own colour where no picture covers it, following the background.
    QColor WindowColour() const;

    // Picks the back for the next deal: the weekday (Monday 1 .. Sunday 7), 7 with "Always one",
    // at random 1..10 for the ten-back styles 8..11.
    int BackForDeal(QDate today = QDate::currentDate());
    int CurrentBack() const { return currentBack_; }
    int BackCount() const { return backCount_; }
    void SeedRandom(std::uint32_t seed) { random_.seed(seed); }

    CardSizeClass SizeClass() const { return sizeClass_; }
    QSize CardCell() const { return cell_; }
    bool WideDeck() const { return wide_; }
    double Scale() const { return scale_; }

    // Draws a big picture into the w x h cell at (x, y): as it is when the sizes agree, otherwise
    // smoothly resampled and, with `rounded`, with corners of radius round(8 * scale) cut away.
    void DrawCardPng(int x, int y, const QImage& image, bool rounded, int w, int h, QPainter& target) const;
    // Draws what a table slot shows: nothing for "##" (or any non-card), else the face in its cell.
    void DrawCardCell(int x, int y, Card code, QPainter& target) const;
    // Draws the current back (CurrentBack()) in its cell, turned across for the deck picture.
    void DrawBackCell(int x, int y, bool turned, QPainter& target) const;

    // Loads a PNG or JPEG picture by name from a library, beside the program and then in the
    // folder above. Returns false, leaving `image` untouched, when neither load succeeds.
    bool LoadLibraryImage(QImage& image, std::string_view name, std::string_view library) const;

  private:
    std::string MissingMessage(std::string_view library) const;
    void LoadOwnFaces();
    void ComputeCell();
    QImage StretchedToClient(const QImage& image) const;

    Settings& settings_;
    std::string programDir_;
    WordFunction word_;
    int windowSize_ = 1;
    double scale_ = 1.0;
    QSize clientSize_{760, 500};
    CardSizeClass sizeClass_ = CardSizeClass::kSmall;
    bool wide_ = true;
    QSize cell_{71, 96};
    std::array<QImage, 36> smallFaces_;
    std::array<QImage, 36> bigFaces_;
    std::array<QImage, 4> smallSymbols_;
    std::array<QImage, 4> bigSymbols_;
    std::array<QImage, 10> backs_;
    std::array<QImage, 10> turnedBacks_;
    int backCount_ = 7;
    int currentBack_ = 1;
    QImage background_;
    bool designedBackground_ = false;
    std::mt19937 random_{std::random_device{}()};
};

}  // namespace kesp
