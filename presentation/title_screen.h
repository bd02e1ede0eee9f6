// The title screen shown at start-up until a click or a key: the game's name in coloured letters,
// the release date, a credit line and the version between two frames on black, with four suit
// symbols running round. Each tick of the game timer moves the animation on by one step.
#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRegion>
#include <QSize>
#include <QString>
#include <vector>

#include "presentation/table_art.h"

namespace kesp {

struct TitleTexts {
    QString nameUpper;    // the game's name in upper case, 1..10 letters
    QString releaseDate;  // the written-out release date
    QString credit;       // the credit line
    QString version = QStringLiteral("V 5.7f");
};

class TitleScreen {
  public:
    // The art must outlive the screen. The 760 x 500 picture is centred in larger windows, on black.
    TitleScreen(const TableArt& art, TitleTexts texts, QSize client);

    // One tick of the game timer: the suits move one pixel, and every tenth tick the letters'
    // colours move on by one letter. Returns the part of the window that changed.
    QRegion Tick();
    int Ticks() const { return ticks_; }
    // The current picture, window-sized.
    const QImage& Frame() const { return frame_; }
    // Where the 760 x 500 design sits in the window.
    QPoint Origin() const { return origin_; }

    // The left edge of each letter of a name (design pixels): the first at 381 - 13 n, then every
    // 26 pixels, with wide and narrow letters moving the start and the letters after them.
    static std::vector<int> LetterPositions(const QString& name);
    // The colour of letter `index` (0 the first) after `ticks` ticks.
    static QColor LetterColour(int index, int ticks);
    // The top-left corner of running suit `suitIndex` (0..3, starting at corners (155, 68),
    // (550, 68), (550, 362), (155, 362)) after `ticks` ticks, going clockwise one pixel a tick.
    static QPoint SuitPosition(int suitIndex, int ticks);

  private:
    QImage StillPicture() const;
    QRegion SuitRects() const;
    QRect NameRect() const;
    // Repaints the changed part of the frame from the still picture, the letters and the suits.
    void Compose(const QRegion& area);

    const TableArt& art_;
    TitleTexts texts_;
    QSize client_;
    QPoint origin_;
    int ticks_ = 0;
    QImage still_;  // everything that does not move
    QImage frame_;
};

}  // namespace kesp
