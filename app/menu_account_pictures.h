// The main menu's account picture (the badge with the login lamp), tournament picture, world top
// ten picture and world statistics picture.
#pragma once

#include <QObject>

#include "network/account_session.h"
#include "presentation/table_layout.h"
#include "presentation/words.h"

class QLabel;
class QWidget;

namespace kesp {

class MenuAccountPictures : public QObject {
    Q_OBJECT

  public:
    MenuAccountPictures(QWidget& window, const Localisation& words);

    // Places both pictures for the window's scales and draws the account picture for `state`.
    void Show(const WindowScales& scales, LoginState state);
    void Hide();
    // The account badge with its lamp at (24, 0): red logged out, yellow logged in, green in a
    // rated game.
    static QPixmap AccountPicture(LoginState state);
    QLabel* AccountLabel() const { return account_; }
    QLabel* TournamentLabel() const { return tournament_; }
    QLabel* WorldTopTenLabel() const { return worldTopTen_; }
    QLabel* StatisticsLabel() const { return statistics_; }

  signals:
    void AccountClicked();      // ImAc
    void TournamentClicked();   // ImTR
    void WorldTopTenClicked();  // ImageAdvR2
    void StatisticsClicked();   // ImageAdvR3

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    const Localisation& words_;
    QLabel* account_;
    QLabel* tournament_;
    QLabel* worldTopTen_;
    QLabel* statistics_;
};

}  // namespace kesp
