// The main menu's world top ten badge: a globe with a golden "10" laurel star in front.
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

#include "artgen.h"

namespace artgen {
namespace {

QImage WorldTopTenBadge() {
    const int size = 48;
    QImage image = Canvas(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // The globe: ocean, a grid of meridians and parallels.
    QRadialGradient ocean(QPointF(17, 15), 30);
    ocean.setColorAt(0, QColor(120, 190, 255));
    ocean.setColorAt(0.7, QColor(20, 90, 200));
    ocean.setColorAt(1, QColor(8, 40, 110));
    p.setBrush(ocean);
    p.setPen(QPen(QColor(10, 30, 80), 1.5));
    const QRectF globe(3, 3, 38, 38);
    p.drawEllipse(globe);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(200, 230, 255, 150), 1));
    p.drawEllipse(QRectF(13, 3, 18, 38));
    p.drawLine(QPointF(22, 3), QPointF(22, 41));
    p.drawLine(QPointF(3, 22), QPointF(41, 22));
    p.drawArc(QRectF(6, 8, 32, 10), 0, 180 * 16);
    p.drawArc(QRectF(6, 26, 32, 10), 180 * 16, 180 * 16);
    // A golden star with "10" over the lower right.
    QPainterPath star;
    const QPointF centre(34, 34);
    for (int i = 0; i < 10; ++i) {
        const double radius = i % 2 == 0 ? 13.5 : 6.5;
        const double angle = -M_PI / 2 + i * M_PI / 5;
        const QPointF point(centre.x() + radius * std::cos(angle), centre.y() + radius * std::sin(angle));
        if (i == 0)
            star.moveTo(point);
        else
            star.lineTo(point);
    }
    star.closeSubpath();
    QLinearGradient gold(QPointF(22, 22), QPointF(46, 46));
    gold.setColorAt(0, QColor(255, 240, 150));
    gold.setColorAt(0.5, QColor(235, 180, 30));
    gold.setColorAt(1, QColor(170, 110, 10));
    p.setBrush(gold);
    p.setPen(QPen(QColor(110, 60, 0), 1.2));
    p.drawPath(star);
    QFont font("DejaVu Sans");
    font.setPixelSize(9);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(120, 20, 0));
    p.drawText(QRectF(centre.x() - 8, centre.y() - 5, 16, 11), Qt::AlignCenter, QStringLiteral("10"));
    return image;
}

}  // namespace

void DrawWorldArt(ArtWriter& out) {
    out.Png("WorldTopTen48", WorldTopTenBadge());
}

}  // namespace artgen
