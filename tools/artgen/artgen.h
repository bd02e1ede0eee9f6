// The art generator: draws every picture of the program's own resources with QPainter.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

#include "deck_style.h"

namespace artgen {

// Writes the pictures into one folder and remembers each resource name for the .qrc file.
class ArtWriter {
  public:
    explicit ArtWriter(QString folder) : folder_(std::move(folder)) {}
    // Saves `image` as NAME.png; the resource name is `name` in upper case.
    void Png(const QString& name, const QImage& image);
    // Saves `image` as NAME.jpg at the given quality.
    void Jpeg(const QString& name, const QImage& image, int quality);
    // Saves the frames (all of one size) as NAME.gif, each shown `delayCs` hundredths of a second;
    // `loop` plays it for ever. Pixels less than half covered become transparent, the others are
    // laid over `matte` first.
    void Gif(const QString& name, const std::vector<QImage>& frames, int delayCs, bool loop,
             const QColor& matte);
    const QString& folder() const { return folder_; }
    // The resource file: every picture at the root ":/", aliased by its upper-case name.
    bool WriteQrc(const QString& fileName) const;
    bool ok() const { return ok_; }
    const QStringList& names() const { return names_; }
    // Takes over the pictures another writer wrote into the same folder.
    void Absorb(const ArtWriter& other);

  private:
    QString folder_;
    QStringList names_;
    QStringList files_;
    bool ok_ = true;
};

// A small deterministic generator, so every build draws the same pixels.
class Random {
  public:
    explicit Random(std::uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {}
    std::uint64_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return state_;
    }
    // Uniform in [0, 1).
    double Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }

  private:
    std::uint64_t state_;
};

// Suits in the order hearts, diamonds, clubs, spades.
enum Suit { kHearts = 0, kDiamonds = 1, kClubs = 2, kSpades = 3 };

// The outline of a suit symbol in a 100 x 100 box, French or of the deck's suit shapes.
QPainterPath SuitPath(int suit);
QPainterPath SuitPath(int suit, SuitShapes shapes);
// The colour a suit is printed in.
QColor SuitColour(int suit);
bool IsRed(int suit);
// Fills a suit symbol into the rectangle (x, y, w, h); `shaded` adds a soft top-to-bottom gradient.
void DrawSuit(QPainter& p, int suit, const QRectF& box, bool shaded, bool upsideDown = false);
void DrawSuit(QPainter& p, int suit, const QRectF& box, bool shaded, bool upsideDown, const DeckStyle& style);
// A text outline scaled to the given cap height and centred on (cx, top + height / 2).
QPainterPath TextPath(const QString& text, const QFont& font, double cx, double top, double height,
                      double maxWidth);
// The colour a fraction t of the way from a to b.
QColor Mix(const QColor& a, const QColor& b, double t);
// An empty ARGB picture.
QImage Canvas(int w, int h);

void DrawCards(ArtWriter& out);  // faces, suit symbols and backs of the built-in deck
// One face of a deck at a stored size; `big` pictures carry their own border. `rank` 0..8.
QImage DrawFace(QSize size, bool big, const DeckStyle& style, int suit, int rank);
// A suit symbol of a deck, `size` square, on a transparent ground.
QImage DrawSymbol(int suit, int size, const DeckStyle& style);
// A back's paper: rounded white with, on big backs, a thin grey border; returns the field inside
// the margin that the design is printed on.
QRectF DrawBackPaper(QPainter& p, int w, int h, bool big);
// The built-in back of a weekday (0 Monday .. 6 Sunday) at a stored size.
QImage DrawClassicBack(int w, int h, int day, bool big);
QImage Turned(const QImage& upright);
// Green felt at a size, lit in the middle; the other colours of the library's felt are tints.
QImage Felt(int w, int h, std::uint64_t seed, const QColor& colour = QColor(14, 112, 46));
void DrawTable(ArtWriter& out);  // the felt, tabs, bubbles, frames, deck symbols, hands, stars
void DrawControls(ArtWriter& out);
// The account's badge, state lamps and stars and the photo frame.
void DrawAccountArt(ArtWriter& out);
void DrawWorldArt(ArtWriter& out);  // the world top ten badge of the main menu
// The main menu's world statistics picture.
void DrawStatisticsArt(ArtWriter& out);
// The games chat's and the news badges' pictures and the internet music player's buttons.
void DrawOnlineBadges(ArtWriter& out);
// The game server's lamps, the tournament top ten's scroll and row faces.
void DrawTournamentArt(ArtWriter& out);
// The menu counter's digit sets and platform icons.
void DrawCounterArt(ArtWriter& out);
// The online table's move clock.
void DrawMoveClockArt(ArtWriter& out);
// The animations of the menu, the top-ten and end-of-game windows; needs the cards drawn first.
void DrawAnimations(ArtWriter& out);  // button art, banners, headers, flags, logo, title, clock, cursors
// The options dialog's animation "GOpt", 90 x 120, 40 frames: the program keeps it, and so does the
// graphics library.
std::vector<QImage> OptionsAnimation();
// A pointing hand, finger up, in a 40 x 60 box.
void PointingHandShape(QPainter& p);
// A contact sheet of all faces and backs for looking at them.
QImage ContactSheet(const QString& folder);

}  // namespace artgen
