#include "app/menu_account_pictures.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include "windows/window_art.h"

namespace kesp {

MenuAccountPictures::MenuAccountPictures(QWidget& window, const Localisation& words)
    : QObject(&window),
      words_(words),
      account_(new QLabel(&window)),
      tournament_(new QLabel(&window)),
      statistics_(new QLabel(&window)) {
    account_->setObjectName("ImAc");
    tournament_->setObjectName("ImTR");
    statistics_->setObjectName("ImageAdvR3");
    for (QLabel* label : {account_, tournament_, statistics_}) {
        label->setCursor(Qt::PointingHandCursor);
        label->installEventFilter(this);
        label->hide();
    }
    tournament_->setPixmap(RecordWindowPicture("Tournament48"));
    statistics_->setPixmap(RecordWindowPicture("Statistics48"));
}

QPixmap MenuAccountPictures::AccountPicture(LoginState state) {
    QPixmap picture = RecordWindowPicture("Account48");
    if (picture.isNull()) return picture;
    QPainter p(&picture);
    const char* lamp = state == LoginState::RatedGame  ? "LampG24"
                       : state == LoginState::LoggedIn ? "LampY24"
                                                       : "LampR24";
    p.drawPixmap(24, 0, RecordWindowPicture(lamp));
    return picture;
}

void MenuAccountPictures::Show(const WindowScales& scales, LoginState state) {
    // Unscaled 48 x 48 pictures in the free corners beside "New Player".
    const Placement place(scales);
    account_->setGeometry(place.FixedRect(200, 440, 48, 48));
    tournament_->setGeometry(place.FixedRect(512, 440, 48, 48));
    // The statistics at the right edge, beside the side picture and above the menu counter.
    statistics_->setGeometry(place.FixedRect(704, 140, 48, 48));
    account_->setPixmap(AccountPicture(state));
    const WordKey hint = state == LoginState::RatedGame  ? WordKey::GameOnTheRating
                         : state == LoginState::LoggedIn ? WordKey::LoggedIn
                                                         : WordKey::NotLoggedIn;
    account_->setToolTip(words_.WordText(hint));
    tournament_->setToolTip(words_.WordText(WordKey::OnlineTournament));
    statistics_->setToolTip(words_.WordText(WordKey::Statistics));
    for (QLabel* label : {account_, tournament_, statistics_}) label->show();
}

void MenuAccountPictures::Hide() {
    for (QLabel* label : {account_, tournament_, statistics_}) label->hide();
}

bool MenuAccountPictures::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == account_) emit AccountClicked();
        if (watched == tournament_) emit TournamentClicked();
        if (watched == statistics_) emit StatisticsClicked();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace kesp
