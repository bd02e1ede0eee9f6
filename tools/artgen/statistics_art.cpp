// The main menu's world statistics picture: a globe with a rising bar chart in front of it.
#include "artgen.h"

namespace artgen {

namespace {

QImage StatisticsBadge() {
    const int size = 48;
    QImage image = Canvas(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // The globe: a blue sphere with its meridians and parallels.
    const QRectF globe(3, 3, 42, 42);
    QRadialGradient sea(QPointF(17, 15), 34);
    sea.setColorAt(0, QColor(140, 205, 255));
    sea.setColorAt(1, QColor(16, 70, 160));
    p.setBrush(sea);
    p.setPen(QPen(QColor(230, 190, 60), 2.5));
    p.drawEllipse(globe);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 110), 1));
    p.drawEllipse(QRectF(14, 4, 20, 40));
    p.drawLine(QPointF(24, 4), QPointF(24, 44));
    p.drawLine(QPointF(5, 24), QPointF(43, 24));
    p.drawLine(QPointF(8, 14), QPointF(40, 14));
    p.drawLine(QPointF(8, 34), QPointF(40, 34));

    // Three rising bars on a base line, gold to red.
    const QColor bars[3] = {QColor(250, 210, 40), QColor(250, 140, 30), QColor(220, 40, 30)};
    const double heights[3] = {11, 18, 26};
    for (int i = 0; i < 3; ++i) {
        const QRectF bar(13 + i * 8.5, 38 - heights[i], 6.5, heights[i]);
        QLinearGradient shade(bar.topLeft(), bar.topRight());
        shade.setColorAt(0, Mix(bars[i], Qt::white, 0.35));
        shade.setColorAt(1, Mix(bars[i], Qt::black, 0.25));
        p.setBrush(shade);
        p.setPen(QPen(QColor(50, 30, 10), 1));
        p.drawRect(bar);
    }
    p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10, 38.5), QPointF(40, 38.5));
    return image;
}

}  // namespace

void DrawStatisticsArt(ArtWriter& out) {
    out.Png("Statistics48", StatisticsBadge());
}

}  // namespace artgen
