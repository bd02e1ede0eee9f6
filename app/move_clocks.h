// The move clocks of an online table, one beside each seat: the clock of the seat whose move is
// due shows the seconds left for it; the others are hidden.
#pragma once

#include <QImage>
#include <QWidget>

#include "network/online_session_core.h"
#include "presentation/table_art.h"
#include "presentation/table_layout.h"

namespace kesp {

class MoveClockFace : public QWidget {
  public:
    MoveClockFace(const QImage& picture, QWidget* parent);
    void SetCountdown(int seconds);
    int Countdown() const { return countdown_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const QImage& picture_;
    int countdown_ = 0;
};

class MoveClocks {
  public:
    MoveClocks(QWidget& window, const TableArt& art);

    void Layout(const TableGeometry& geometry);
    // Shows the running clock of `clock` with its countdown; a stopped clock hides them all.
    void Show(const MoveClock& clock);
    void Hide();
    // The clock at table position 1..4.
    MoveClockFace* Face(int position) const;

  private:
    QImage picture_;
    PerSeat<MoveClockFace*> faces_{};
};

}  // namespace kesp
