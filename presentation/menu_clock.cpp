#include "presentation/menu_clock.h"

#include <QPainter>

#include "presentation/menu_layout.h"

namespace kesp {

MenuClock::MenuClock(const TableArt& art, QWidget* parent) : QWidget(parent), art_(art) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    resize(115, 64);
    change_.setSingleShot(true);
    change_.setTimerType(Qt::PreciseTimer);  // the colon keeps step with the seconds
    connect(&change_, &QTimer::timeout, this, [this] {
        update();
        Arm();
    });
    hide();
}

int MenuClock::MsecToNextChange(QTime now) {
    const int msec = now.isValid() ? now.msec() : 0;
    return msec <= 500 ? 501 - msec : 1000 - msec;
}

void MenuClock::Arm() {
    change_.start(MsecToNextChange(QTime::currentTime()));
}

void MenuClock::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, DrawClockPanel(art_, QImage(), QTime::currentTime()));
}

void MenuClock::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Arm();
}

void MenuClock::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    change_.stop();
}

}  // namespace kesp
