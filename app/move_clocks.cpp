#include "app/move_clocks.h"

#include <QPainter>
#include <algorithm>

namespace kesp {
namespace {

// Design pixels of the 760 x 500 table: each clock sits in the free felt next to its seat's tab,
// clear of the hands, the trick area, the deck and the buttons.
constexpr int kClockSize = 44;
constexpr int kClockX[5] = {0, 205, 205, 520, 505};
constexpr int kClockY[5] = {0, 300, 112, 300, 430};
// The last seconds are drawn in red, as the clock's second sound changes.
constexpr int kHurrySeconds = 7;

}  // namespace

MoveClockFace::MoveClockFace(const QImage& picture, QWidget* parent) : QWidget(parent), picture_(picture) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void MoveClockFace::SetCountdown(int seconds) {
    if (seconds == countdown_) return;
    countdown_ = seconds;
    update();
}

void MoveClockFace::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(rect(), picture_);
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(std::max(8, height() * 2 / 5));
    p.setFont(font);
    p.setPen(countdown_ <= kHurrySeconds ? QColor(200, 0, 0) : QColor(20, 20, 60));
    // The dial's middle lies a little below the picture's, under the crown.
    p.drawText(rect().adjusted(0, height() / 10, 0, 0), Qt::AlignCenter, QString::number(countdown_));
}

MoveClocks::MoveClocks(QWidget& window, const TableArt& art) : picture_(art.Picture("GMOVECLOCK")) {
    if (picture_.isNull()) picture_ = StandInPicture("GMOVECLOCK", QSize(64, 64));
    for (int position = 1; position <= 4; ++position) {
        faces_[position] = new MoveClockFace(picture_, &window);
        faces_[position]->setObjectName(QStringLiteral("MoveClock%1").arg(position));
    }
}

void MoveClocks::Layout(const TableGeometry& geometry) {
    const Placement placement(geometry.scales);
    for (int position = 1; position <= 4; ++position)
        faces_[position]->setGeometry(
            placement.Rect(kClockX[position], kClockY[position], kClockSize, kClockSize));
}

void MoveClocks::Show(const MoveClock& clock) {
    for (int position = 1; position <= 4; ++position) {
        MoveClockFace* face = faces_[position];
        const bool running = clock.running && clock.position == position;
        if (running) {
            face->SetCountdown(clock.countdown);
            face->raise();
        }
        face->setVisible(running);
    }
}

void MoveClocks::Hide() {
    for (int position = 1; position <= 4; ++position) faces_[position]->hide();
}

MoveClockFace* MoveClocks::Face(int position) const {
    return position >= 1 && position <= 4 ? faces_[position] : nullptr;
}

}  // namespace kesp
