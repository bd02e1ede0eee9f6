// The card table painted into one client-sized image: hands, marked cards, the trick area, the deck
// picture, the information panel, the seat tabs and the bubbles. Each operation repaints its own
// element from the background and notes the changed part; the main window copies the canvas (or
// just the changed part) to the screen. The painter reads the game; it never changes it.
#pragma once

#include <QImage>
#include <QRegion>
#include <QString>
#include <array>
#include <optional>

#include "engine/game.h"
#include "presentation/font_roles.h"
#include "presentation/table_art.h"
#include "presentation/table_layout.h"
#include "presentation/words.h"

namespace kesp {

// Seat tab arguments.
namespace tab {
inline constexpr int HandDraw = 1;   // draw the pointing hand
inline constexpr int HandClear = 2;  // clear its place
inline constexpr int Leave = 3;      // leave the place as it is (hand or star)
inline constexpr int StarRed = 0;
inline constexpr int StarYellow = 1;
inline constexpr int StarClear = 2;
inline constexpr int ClearNumber = -1000000;  // a number that clears its place
inline constexpr int KeepNumber = -2000000;   // a number that leaves its place unchanged
}  // namespace tab

class TablePainter {
  public:
    // The art, fonts and words must outlive the painter.
    TablePainter(const TableArt& art, const FontRoles& fonts, const Localisation& words);

    // Lays the table out for a window and repaints the canvas with the background. Called when a
    // game starts and whenever the window size changes.
    void Layout(int windowSize, QSize client, const WindowScales& scales, const CardCell& cell,
                int narrowOffset, bool network);
    const TableGeometry& Geometry() const { return geometry_; }
    const TableArt& Art() const { return art_; }
    int WindowSize() const { return windowSize_; }

    // The whole table as last painted, and the part changed since the last call.
    const QImage& Canvas() const { return canvas_; }
    QRegion TakeDirty();

    // The seats' names shown in the yellow bubbles when a deal is set up.
    void SetSeatName(int seat, const QString& name);
    // The hand-reveal toggle: seats 1..3 are drawn face up while it is on.
    void SetRevealHands(bool on) { revealHands_ = on; }
    bool RevealHands() const { return revealHands_; }

    // Everything, from the game's state and view.
    void DrawAll(const Game& game);
    // One element, from the game's state and view.
    void DrawHand(const Game& game, int seat);
    void DrawTrickArea(const Game& game);
    void DrawDeckPicture(const Game& game);
    void DrawInfoPanel(const Game& game);
    void DrawSeatTab(const Game& game, int seat);
    void DrawBubble(const Game& game, int seat);

    // The operations themselves.
    // Paints a hand: every occupied slot face up when `open`, else as the current back. The fan is
    // kept for CardAt.
    void DrawHand(int seat, const HandSlots& hand, bool open);
    // Toggles the inverted look of a card of a hand (marking twice restores the picture).
    void MarkCard(int seat, int slot);
    // The slot of the card under x (inside the seat's hand image), or 0.
    int CardAt(int seat, const HandSlots& hand, int x) const;
    const Fan& HandFan(int seat) const { return fans_[seat]; }
    // Where a card was last painted in a seat's hand (x inside the hand image): a played card
    // leaves from there although the hand is already repainted without it.
    std::optional<int> LastCardX(int seat, Card card) const;

    // The trick area: a card at a seat's place, clearing one place, clearing the whole area.
    void DrawTrickCard(int seat, Card card);
    void ClearTrickPlace(int seat);
    void ClearTrickArea();

    // The deck picture: `count` cards left (the trump card not counted) and the trump card face up
    // under the deck while `trumpOnDeck`; with neither, the empty-deck symbol with the trump suit.
    void DrawDeckPicture(int count, bool trumpOnDeck, Card trumpCard, std::uint8_t trumpSuit);
    // "Round:" and the deal number; "Trump:" and the suit once it is known (a suit character).
    void DrawInfoPanel(int dealNo, std::uint8_t trumpSuit);
    // A seat tab; see the tab namespace for the special values.
    void DrawSeatTab(int seat, int handMark, bool repaint, int change, int score, int star, bool settled);
    // A bubble with a colour letter "b", "g", "r", "y" or "o"; an empty text leaves it blank.
    void ShowBubble(int seat, const QString& text, char colour);

    // Left edge of a text centred between two bounds: the left bound plus the integer part of half
    // the free width.
    static int CentredLeft(int left, int right, int textWidth);
    // How many turned backs the deck picture shows for a count (at design y 45, 42, 39, ...).
    static int DeckBackCount(int count, bool trumpOnDeck);

  private:
    void PaintBackground(QPainter& painter, const QRect& rect) const;
    QImage PictureOr(std::string_view name, QSize size) const;
    void DrawFaceAt(QPainter& painter, int x, int y, Card card) const;
    void DrawBackAt(QPainter& painter, int x, int y, bool turned) const;
    void MarkDirty(const QRect& rect) { dirty_ += rect; }
    QRect TabPiece(int seat, double x, double y, double w, double h) const;
    void RestoreTabPiece(QPainter& painter, int seat, const QRect& piece) const;
    QImage TabPicture() const;
    bool Small() const { return windowSize_ == window_size::Small; }
    int S(double v) const { return placement_.S(v); }

    const TableArt& art_;
    const FontRoles& fonts_;
    const Localisation& words_;
    int windowSize_ = window_size::Small;
    Placement placement_;
    TableGeometry geometry_;
    QImage canvas_;
    QImage tabPicture_;  // the tab picture at tab size
    QRegion dirty_;
    PerSeat<Fan> fans_;
    PerSeat<std::array<std::optional<int>, 37>> lastCardX_;  // by deck number
    PerSeat<QString> names_;
    bool revealHands_ = false;
};

}  // namespace kesp
