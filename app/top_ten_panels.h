// The main menu's three top-ten panels: the best three of the club's top ten, "name  score", on
// gold, silver and bronze plates in a dark frame, in the place of the title picture.
#pragma once

#include <QFont>
#include <QRect>
#include <array>

#include "records/club.h"

class QLabel;
class QWidget;

namespace kesp {

class TopTenPanels {
  public:
    explicit TopTenPanels(QWidget& window);

    // Fills the panels from the club (none: the panels stay empty) and shows them in `area`, one
    // third of its height each; a line too wide for its panel is shortened as the club list's are.
    void Show(const ClubFile* club, const QFont& font, const QRect& area, int textMargin);
    void Hide();
    QLabel* Panel(int place) const { return panels_[static_cast<std::size_t>(place - 1)]; }

  private:
    QWidget* board_;  // the frame that holds the three plates
    std::array<QLabel*, 3> panels_{};
};

}  // namespace kesp
