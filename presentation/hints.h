// Balloon hints: a rounded balloon with a title, a text and an arrow that points at a control. It
// fades in, closes itself after its duration (or on a click) and frees itself. While a balloon
// points at a control, the control's ordinary tooltip is off.
#pragma once

#include <QColor>
#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <string>

#include "presentation/words.h"

namespace kesp {

struct Settings;

enum class BalloonArrow { TopLeft, TopRight, BottomLeft, BottomRight };
enum class BalloonKind { None, Info, Warning, Error };

struct BalloonStyle {
    QString fontName;
    int fontSize = 9;
    int durationMs = 5000;
    QColor border{255, 0, 0};
    QColor background{255, 255, 225};
    QColor title{255, 0, 0};
    QColor text{128, 0, 0};
    BalloonArrow arrow = BalloonArrow::TopLeft;
    BalloonKind kind = BalloonKind::Info;
    bool animate = true;  // fade in over 200 milliseconds
};

// The look of the music player's and the radio's balloons: the small font at size 9, five seconds,
// red border and title, maroon text on pale yellow.
BalloonStyle MusicBalloonStyle(const Settings& settings);

class TBalloonHint : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kPreferredWidth = 300;
    static constexpr int kOffsetX = 0;
    static constexpr int kOffsetY = 10;

    TBalloonHint(QWidget* control, const QString& title, const QString& text, const QImage& picture,
                 const BalloonStyle& style);
    ~TBalloonHint() override;

    QString Title() const { return title_; }
    QString Text() const { return text_; }
    const BalloonStyle& Style() const { return style_; }
    // The screen point the arrow's tip touches.
    QPoint Tip() const { return tip_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    QRect BodyRect() const;

    QPointer<QWidget> control_;
    QString savedToolTip_;
    QString title_;
    QString text_;
    QImage picture_;
    BalloonStyle style_;
    QPoint tip_;
    QRect titleRect_, textRect_;
};

// Shows a balloon pointing at `control`; returns it (it deletes itself when it closes), or null
// when there is no control.
TBalloonHint* ShowBalloonHint(QWidget* control, const QString& title, const QString& text,
                              const BalloonStyle& style);

// Shows a balloon while the pointer rests on `control` and closes it when the pointer leaves or
// clicks. The texts are asked for at each entry, so they follow the state and the language. The
// watcher belongs to the control and goes with it.
void AttachHoverBalloon(QWidget* control, std::function<QString()> title, std::function<QString()> text,
                        const BalloonStyle& style);

// The information panel's hint during a game: "Game: 7 / 25", the game's number and the games of a
// cycle; an online tournament game counts " / 1".
QString InfoPanelHint(const Localisation& words, int gameNo, bool tournament);

// Shows the stored picture "History/<name>.bmp" of the program's folder in a balloon, without
// animation. Only in online tournament mode and only when the picture exists; null otherwise.
TBalloonHint* ShowPictureHint(const QString& pictureName, QWidget* control, const std::string& programDir,
                              bool onlineTournamentMode);

}  // namespace kesp
