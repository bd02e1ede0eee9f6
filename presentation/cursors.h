// Mouse cursors and the click burst.
//
// Four cursor kinds: arrow, hand, wait and edit. With OwnCursor off they are the system's cursors;
// with it on, the program's own pictures: "CURARROW" is a still cursor, "CURHAND", "CURWAIT" and
// "CUREDIT" are animated and cycle their frames on a timer. A missing own picture falls back to the
// system cursor of the kind, so a cursor is always available. No cursor file is ever written.
//
// The click burst plays the 30 frames of the "GTouch" strip of the graphics library around the
// mouse; without that library nothing happens.
#pragma once

#include <QCursor>
#include <QImage>
#include <QList>
#include <QObject>
#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <map>
#include <memory>
#include <string>

namespace kesp {

struct Settings;

enum class CursorKind { Arrow, Hand, Wait, Edit };

// The system cursor of a kind: arrow, pointing hand, busy and text cursors.
Qt::CursorShape SystemCursorShape(CursorKind kind);
// The resource name of the program's own cursor of a kind.
QString OwnCursorName(CursorKind kind);

// The cursor kind a control takes: things to click (buttons, check boxes, lists, tabs, sliders and
// controls marked clickable) the hand, text fields the edit cursor, everything else the arrow.
CursorKind CursorKindFor(const QWidget& widget);
// Marks a control that is clicked although it is no button (a link drawn as a label).
void MarkClickable(QWidget* widget);

// An animated cursor: its frames, hot spot and frame time. It shows on every widget it is applied
// to; its timer runs only while the pointer is over one of them, and steps that one.
class TAnimatedCursor : public QObject {
    Q_OBJECT
  public:
    TAnimatedCursor(QList<QPixmap> frames, QPoint hotSpot, int frameMs, QObject* parent = nullptr);

    int FrameCount() const { return static_cast<int>(frames_.size()); }
    int CurrentFrame() const { return frame_; }
    QCursor Cursor() const;
    int FrameMs() const { return timer_.interval(); }
    bool Stepping() const { return timer_.isActive(); }
    // Shows the cursor on the widget until Release; a widget that goes away is dropped.
    void Apply(QWidget* widget);
    void Release(QWidget* widget);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Step();
    void Hover(QWidget* widget);

    QList<QPixmap> frames_;
    QPoint hotSpot_;
    int frame_ = 0;
    QTimer timer_;
    QList<QPointer<QWidget>> widgets_;
    QPointer<QWidget> hovered_;
};

// Loads an animated cursor from the program's resources: a picture with several frames (an animated
// image), or frames stored as "<NAME>_1", "<NAME>_2", ... (or "<NAME>1", ...), or a single still
// picture. Null when the resource is missing.
std::unique_ptr<TAnimatedCursor> LoadAnimatedCursor(const QString& name, QObject* parent = nullptr);

// The cursors of the four kinds for one OwnCursor setting; own cursors are loaded once.
class TCursors : public QObject {
    Q_OBJECT
  public:
    explicit TCursors(bool ownCursor, QObject* parent = nullptr);

    bool OwnCursor() const { return own_; }
    // The cursor of a kind now (an animated cursor's current frame).
    QCursor Cursor(CursorKind kind) const;
    // Whether the kind is shown as the program's own animated cursor.
    bool IsAnimated(CursorKind kind) const;
    // Sets the widget's cursor to the kind; animated kinds keep it cycling.
    void Apply(QWidget* widget, CursorKind kind);
    // Gives a window and every control in it the cursor of its kind.
    void ApplyToWindow(QWidget* window);
    // From now on every control of every window takes the cursor of its kind when it is first
    // shown; the windows open now take theirs at once.
    void FollowAllWindows();
    // Switches between the own and the system cursors; every open window takes the new ones.
    void SetOwnCursor(bool ownCursor);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Load();

    bool own_;
    bool following_ = false;
    QCursor ownArrow_;
    bool hasOwnArrow_ = false;
    std::map<CursorKind, std::unique_ptr<TAnimatedCursor>> animated_;
};

// The graphics library's file, "ZunCGraph1.dll", beside the program or in the folder above (names
// compared without regard to case); empty when it is not there.
std::string FindGraphicsLibrary(const std::string& programDir);
// The burst strip "GTouch" of the graphics library: 30 frames of 100 x 100 side by side. Null when
// the library is missing or holds no such picture.
QImage LoadTouchBurstStrip(const std::string& programDir);

// The click burst: 30 frames, 12 milliseconds apart, centred on a screen point, over what is there.
class TTouchBurst : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kFrames = 30;
    static constexpr int kFrameSize = 100;
    static constexpr int kFrameMs = 12;

    TTouchBurst(const QImage& strip, QPoint centre);
    int Frame() const { return frame_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage strip_;
    int frame_ = 1;
    QTimer timer_;
};

// Plays the burst at a screen point when `enabled` (SaluteButtons for buttons, SaluteCards for cards)
// and the strip is there; returns the burst (it frees itself at the end) or null when nothing plays.
TTouchBurst* TouchBurst(const QImage& strip, QPoint globalPos, bool enabled);

}  // namespace kesp
