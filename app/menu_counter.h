// The main menu's counter: a 115 x 64 panel beside the clock that shows one figure of the online
// service (the people's share of losses, the games with the PC, a list's leader, the club's size),
// the figure changing with the minute. The reads run on the service's queue; the panel sleeps
// between refreshes on one single-shot timer aimed at the next second 01 of the local time.
#pragma once

#include <QDateTime>
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "network/menu_counter.h"
#include "presentation/table_art.h"
#include "presentation/words.h"

namespace kesp {

class OnlineService;

// The panel's picture for a face: the background, the icon, the digits and the label, suffix or
// flag; only the background while `face` is null (nothing answered yet).
QImage DrawCounterPanel(const TableArt& art, const CounterFace* face);

// The counter's hint for a face in the current language.
QString CounterHint(const Localisation& words, const CounterFace& face);

class MenuCounter : public QWidget {
    Q_OBJECT
  public:
    using Clock = std::function<QDateTime()>;

    // The art, the words and the service must outlive the counter.
    MenuCounter(const TableArt& art, const Localisation& words, OnlineService& online, QWidget* parent);

    // Tests: the local time the counter goes by, and how many times faster than the real one it
    // runs (the waits are shortened by that much).
    void SetClock(Clock now, int pace = 1);

    // The menu was drawn: the counter stands at `place` when `shown` and reads the figure of the
    // current minute; otherwise it hides.
    void ShowAt(const QRect& place, bool shown);
    void Rest();  // the menu is gone: hide, and take no more answers

    // The face shown, or null before the first answer.
    const CounterFace* Face() const { return answered_ ? &face_ : nullptr; }
    // How many reads were started.
    int Reads() const { return reads_; }

    // Milliseconds from `now` to the next second 01 of a minute, never 0.
    static int MsecToNextRefresh(QTime now);

  signals:
    void FaceChanged();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void Refresh();
    void Tick();
    void Arm();
    void Take(const CounterReading& reading);

    const TableArt& art_;
    const Localisation& words_;
    OnlineService& online_;
    Clock now_;
    int pace_ = 1;
    QTimer minute_;  // single shot, aimed at the next second 01 while the counter shows
    CounterFace face_;
    bool answered_ = false;
    qint64 refreshedMinute_ = -1;  // keeps it to one refresh in second 01 of a minute
    bool reading_ = false;         // a read is on the queue
    bool readAgain_ = false;       // the menu asked for a refresh while one was on the queue
    int reads_ = 0;
};

}  // namespace kesp
