// The "My results" panel of the tournament window: six rows of a label and a value. Cells have a
// vertical gradient in two alternating light tints and navy text; in the library design the rows
// read "label: value" on the panel picture instead.
#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>
#include <array>

namespace kesp {

class TournamentResultsPanel : public QWidget {
  public:
    static constexpr int kRows = 6;

    explicit TournamentResultsPanel(QWidget* parent = nullptr);

    void SetRow(int row, const QString& label, const QString& value);
    // A picture under the rows (the library design); a null picture draws the grid.
    void SetPicture(const QPixmap& picture);
    QString Label(int row) const { return labels_.at(static_cast<std::size_t>(row)); }
    QString Value(int row) const { return values_.at(static_cast<std::size_t>(row)); }

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::array<QString, kRows> labels_;
    std::array<QString, kRows> values_;
    QPixmap picture_;
};

}  // namespace kesp
