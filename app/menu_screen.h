// The main menu's controls: the five club member rows, "New Player", "Top Ten", "Options", "Exit",
// "Mode", "History", the club list's header, the side animations and the clock, laid out on the main
// window for its size.
#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <functional>

#include "app/top_ten_panels.h"
#include "presentation/font_roles.h"
#include "presentation/menu_layout.h"
#include "presentation/table_layout.h"
#include "presentation/words.h"
#include "records/club.h"
#include "records/settings.h"

class QLabel;
class QWidget;

namespace kesp {

class MenuClock;
class TZunCardsButton;

class MenuScreen : public QObject {
    Q_OBJECT
  public:
    // The art must outlive the menu.
    MenuScreen(QWidget& window, const Localisation& words, const TableArt& art);

    // Places and captions the controls and fills the club list from the club file of the mode.
    void Show(const Settings& settings, const FontRoles& fonts, const WindowScales& scales,
              const MenuGeometry& geometry, const std::string& programDir);
    void Hide();
    bool Shown() const { return shown_; }
    // The rectangle of the caption banner, which changes its colour on a click.
    QRect CaptionRect() const { return caption_; }
    // Counts the drawings and hidings of the club list, so that an answer that arrives after the
    // list it was read for can be told apart.
    int DrawCount() const { return drawCount_; }
    // Row 5 belongs to the online account (a click starts an account game) until the next drawing.
    void SetAccountRow(bool account) { accountRow_ = account; }
    // Row 5 shows the account's line, in red in the built-in design.
    void ShowAccountLine(const QString& line);

  signals:
    void MemberChosen(int member);  // 1..5, or 6 for "New Player"
    void AccountRowChosen();
    void ClubListDrawn();
    void TopTenClicked();
    void OptionsClicked();
    void ExitClicked();
    void ModeClicked();
    void HistoryClicked();

  private:
    TZunCardsButton* MakeButton(const QString& objectName);

    QWidget& window_;
    const Localisation& words_;
    std::array<TZunCardsButton*, 5> members_{};
    TZunCardsButton* newPlayer_;
    TZunCardsButton* topTen_;
    TZunCardsButton* options_;
    TZunCardsButton* exit_;
    TZunCardsButton* mode_;
    TZunCardsButton* history_;
    TZunCardsButton* header_;  // the club list's header, a disabled button
    TopTenPanels topTenPanels_;
    std::array<QLabel*, 2> animations_{};  // "GifMenu1" left, "GifMenu2" right
    MenuClock* clock_;                     // in the large windows only
    QRect caption_;
    std::array<bool, 5> occupied_{};
    bool shown_ = false;
    bool accountRow_ = false;
    int drawCount_ = 0;
    bool libraryDesign_ = false;
    bool newButtons_ = false;
};

}  // namespace kesp
