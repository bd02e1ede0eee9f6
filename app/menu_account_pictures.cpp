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
      worldTopTen_(new QLabel(&window)),
      statistics_(new QLabel(&window)) {
    account_->setObjectName("ImAc");
    tournament_->setObjectName("ImTR");
    worldTopTen_->setObjectName("ImageAdvR2");
    statistics_->setObjectName("ImageAdvR3");
    for (QLabel* label : {account_, tournament_, worldTopTen_, statistics_}) {
        label->setCursor(Qt::PointingHandCursor);
        label->installEventFilter(this);
        label->hide();
    }
    tournament_->setPixmap(RecordWindowPicture("Tournament48"));
    worldTopTen_->setPixmap(RecordWindowPicture("WorldTopTen48"));
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
    // The world top ten and the statistics in the right-hand margin beside the side picture, above
    // the menu counter.
    worldTopTen_->setGeometry(place.FixedRect(706, 80, 48, 48));
    statistics_->setGeometry(place.FixedRect(706, 140, 48, 48));
    account_->setPixmap(AccountPicture(state));
    const WordKey hint = state == LoginState::RatedGame  ? WordKey::GameOnTheRating
                         : state == LoginState::LoggedIn ? WordKey::LoggedIn
                                                         : WordKey::NotLoggedIn;
    account_->setToolTip(words_.WordText(hint));
    tournament_->setToolTip(words_.WordText(WordKey::OnlineTournament));
    worldTopTen_->setToolTip(words_.WordText(WordKey::WorldTopTen));
    statistics_->setToolTip(words_.WordText(WordKey::Statistics));
    for (QLabel* label : {account_, tournament_, worldTopTen_, statistics_}) label->show();
}

void MenuAccountPictures::Hide() {
    for (QLabel* label : {account_, tournament_, worldTopTen_, statistics_}) label->hide();
}

bool MenuAccountPictures::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == account_) emit AccountClicked();
        if (watched == tournament_) emit TournamentClicked();
        if (watched == worldTopTen_) emit WorldTopTenClicked();
        if (watched == statistics_) emit StatisticsClicked();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace kesp
