// The end-of-game window: shown when a player completes a cycle of games, for the place the
// cycle's total took in the top ten (1..10, or 0 when it did not enter) and the total.
#pragma once

#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QMovie>
#include <QPushButton>
#include <cstdint>
#include <functional>
#include <memory>

#include "records/club.h"
#include "records/club_list.h"
#include "records/settings.h"

namespace kesp {

class TFormEndGame : public QDialog {
    Q_OBJECT

  public:
    TFormEndGame(const Settings& settings, int place, std::int64_t score, QWidget* parent = nullptr);
    ~TFormEndGame() override;

    // The sound the window plays when it opens ("WFiBest", "WFiGood" or "WFiBads").
    QString SoundName() const;
    // What the window shows: texts in the interface language, heights, colours and pictures.
    const EndOfGameView& View() const { return view_; }
    QString LineText(int line) const { return texts_[static_cast<std::size_t>(line)]; }  // 0..3
    const QImage& Picture() const { return picture_; }
    // The animation, when the resources hold it.
    const QMovie* Animation() const { return animation_.get(); }
    QPushButton* OkButton() const { return buttonOk_; }

    // The texts are centred in 50..400 of a picture 450 wide; an animation widens it by a column.
    static constexpr int PictureWidth = 450;
    static constexpr int PictureWidthAnimated = 600;
    static constexpr int PictureHeight = 480;
    static constexpr int PictureTextLeft = 50;
    static constexpr int PictureTextRight = 400;
    static constexpr int LineTop(int line) { return 100 + 75 * line; }  // 0..3
    static constexpr QPoint MedalAt{173, 370};

  signals:
    // Asks for the window's sound; sent once, when the window is first shown.
    void SoundRequested(const QString& name);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void DrawPicture(int width);
    void StartAnimation();

    const Settings& settings_;
    EndOfGameView view_;
    std::array<QString, 4> texts_;
    QImage picture_;
    QLabel* pictureLabel_ = nullptr;
    QPushButton* buttonOk_ = nullptr;
    std::unique_ptr<QMovie> animation_;
    bool soundSent_ = false;
};

// Opens the end-of-game window modally for the cycle's place and total; `playSound` (when given)
// is called with the window's sound name as it opens.
void ShowEndOfGame(QWidget* parent, const Settings& settings, TopTenPlace place,
                   const std::function<void(const QString&)>& playSound = {});

}  // namespace kesp
