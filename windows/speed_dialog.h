// The speed dialog: a track bar 1..6 for the speed at which cards fly across the table. Every move
// of the track bar sets `Speed` at once, so closing the dialog in any way keeps the last position.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QMovie>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <memory>

#include "records/settings.h"

namespace kesp {

inline constexpr int kSlowestSpeed = 1;
inline constexpr int kFastestSpeed = 6;

// The frame interval of the library design's speed icon for a speed: 110, 95, 80, 65, 40, 25 ms
// for 1..6; a speed out of range counts as the nearest end.
int SpeedFrameInterval(int speed);

class TFormSpeed : public QDialog {
    Q_OBJECT

  public:
    // `settings` must outlive the dialog; its `Speed` follows the track bar.
    explicit TFormSpeed(Settings& settings, QWidget* parent = nullptr);
    ~TFormSpeed() override;

    QSlider* TrackBar() const { return trackBar_; }
    QPushButton* OkButton() const { return buttonOk_; }
    QString Text() const { return text_->text(); }
    // The library design's speed icon, when the design is on and the resources hold it.
    const QMovie* SpeedIcon() const { return icon_.get(); }
    int IconInterval() const { return iconTimer_.interval(); }

  private:
    void SpeedMoved(int position);

    Settings& settings_;
    QLabel* text_ = nullptr;
    QSlider* trackBar_ = nullptr;
    QPushButton* buttonOk_ = nullptr;
    std::unique_ptr<QMovie> icon_;
    QTimer iconTimer_;
};

// Opens the speed dialog modally; `settings.Speed` changes while the track bar moves.
void ShowSpeed(QWidget* parent, Settings& settings);

}  // namespace kesp
