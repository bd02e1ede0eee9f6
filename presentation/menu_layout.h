// The main menu's geometry, its button colours and the clock panel.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QTime>
#include <array>

#include "presentation/cards_button.h"
#include "presentation/table_art.h"
#include "presentation/table_layout.h"

namespace kesp {

struct MenuGeometry {
    QRect caption;       // the caption banner
    QRect header;        // the club or network header
    QRect titlePicture;  // "GTitle", resampled to this
    QRect clubHeader;    // the club list's header button
    std::array<QRect, 5> clubRows;
    QRect newPlayer, topTen, options, history, mode, exit;
    QRect animatedLeft, animatedRight;  // the two animated pictures (unscaled)
    QRect sideLeft, sideRight;          // the side pictures (unscaled)
    QRect calendarLeft, calendarRight;  // the holiday-calendar panels (unscaled)
    // The clock (left) and the statistics counter (right), 115 x 64, only in large windows, each
    // centred in the free height between a side picture and the button below it.
    bool panelsShown = false;
    bool counterShown = false;  // the counter also needs a general scale of 1.6
    QRect clock, counter;
    // The six 20 x 30 symbols redrawn on every tick: three over each side picture.
    std::array<QRect, 6> tickSymbols;
};

// The menu for a window's scales and client area; `calendarShown` moves the side pictures out by
// 20 pixels to make room for the calendar panels.
MenuGeometry LayoutMainMenu(const WindowScales& scales, int windowSize, QSize client, bool calendarShown);
// The clock and counter stand in windows of size 4 and 5, and in full screen above 1290 x 850.
bool MenuPanelsShown(int windowSize, QSize client);

enum class MenuButtonKind {
    ClubRow,     // club list rows 1..4 and "New Player"
    OwnRow,      // club list row 5, the user's own entry
    Command,     // the other menu buttons and the two action buttons of the table
    ClubHeader,  // the club list's header (a disabled button)
};

struct ButtonColours {
    TColorSB scheme = TColorSB::DRed;
    int lighten = 0;  // percent toward white
    QColor text;
    QColor hoverText;  // under the mouse; invalid when the text does not change
    friend bool operator==(const ButtonColours&, const ButtonColours&) = default;
};

// `libraryDesign` is MenuDesign (or TableDesign for the action buttons) 1; `designText` is the text
// colour of that design; `onlineRow` tells that row 5 shows the user's online account.
ButtonColours MenuButtonColours(MenuButtonKind kind, bool libraryDesign, bool newButtons, bool onlineRow,
                                QColor designText = QColor(255, 255, 255));

// Gives a button the colours and, with `newStyle` (the NewButtons setting), the new drawing style.
void ApplyButtonColours(TZunCardsButton& button, const ButtonColours& colours, bool newStyle);

// The digital clock: the panel's picture over the given background piece, hours and minutes of
// `time` as digit pictures, the colon only in the second half of each second.
QImage DrawClockPanel(const TableArt& art, const QImage& backgroundPiece, QTime time);
// Whether the colon shows at a time.
bool ClockColonShown(QTime time);

}  // namespace kesp
