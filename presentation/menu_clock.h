// The main menu's digital clock as a panel of its own: it repaints only itself and only when its
// picture changes (the colon at each half second, the digits with them), and sleeps in between.
#pragma once

#include <QTime>
#include <QTimer>
#include <QWidget>

#include "presentation/table_art.h"

namespace kesp {

class MenuClock : public QWidget {
  public:
    // The art must outlive the clock.
    MenuClock(const TableArt& art, QWidget* parent);

    // Milliseconds from `now` to the next change of the picture: the colon shows from millisecond
    // 501 of each second and goes at the next whole second.
    static int MsecToNextChange(QTime now);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void Arm();

    const TableArt& art_;
    QTimer change_;  // single shot, armed for the next change while the clock is shown
};

}  // namespace kesp
