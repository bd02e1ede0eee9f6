// The top-ten window: the ten best cycle totals of the club of the current mode, drawn on the
// window's picture, with the club's animations beside them.
#pragma once

#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QMovie>
#include <QPushButton>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "records/club_list.h"
#include "records/settings.h"

namespace kesp {

class TFormTopTen : public QDialog {
    Q_OBJECT

  public:
    // Reads lines 1..15 of `clubPath`; a club that cannot be read leaves the places empty.
    TFormTopTen(const Settings& settings, const std::string& clubPath, QWidget* parent = nullptr);
    ~TFormTopTen() override;

    // The places as read (all empty when the club could not be read).
    const std::array<TopTenRow, TopTenCount>& Rows() const { return rows_; }
    bool ClubRead() const { return clubRead_; }
    // The drawn picture (title, headings and places).
    const QImage& Picture() const { return picture_; }
    // The animations that were found and started ("GTopTen" and the club's).
    int RunningAnimations() const;
    QPushButton* OkButton() const { return buttonOk_; }

    // Picture geometry: the places are drawn in 0..PictureTextWidth; the animations, when there are
    // any, in a column beside them that widens the picture to PictureWidthAnimated.
    static constexpr int PictureTextWidth = 450;
    static constexpr int PictureWidthAnimated = 600;
    static constexpr int PictureHeight = 500;
    static int PlaceTop(int place) { return 150 + 33 * (place - 1); }

  private:
    void DrawPicture(int width);
    void StartAnimation(std::unique_ptr<QMovie> movie, const QRect& box);

    const Settings& settings_;
    bool clubRead_ = false;
    std::array<TopTenRow, TopTenCount> rows_{};
    QImage picture_;
    QLabel* pictureLabel_ = nullptr;
    QPushButton* buttonOk_ = nullptr;
    std::vector<std::unique_ptr<QMovie>> animations_;
};

// Opens the top-ten window of the club of the current mode in `programDir` modally.
void ShowTopTen(QWidget* parent, const Settings& settings, const std::string& programDir);

}  // namespace kesp
