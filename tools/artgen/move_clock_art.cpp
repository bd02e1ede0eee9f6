// The move clock of the online table: a stopwatch whose middle stays plain for the countdown the
// table writes over it.
#include "artgen.h"

namespace artgen {
namespace {

QImage MoveClock() {
    const int size = 64;
    QImage image = Canvas(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(32, 35);
    const double radius = 26;
    // The crown and the two pushers on top.
    p.setPen(QPen(QColor(70, 60, 40), 1.2));
    p.setBrush(QColor(196, 164, 84));
    p.drawRoundedRect(QRectF(27, 1, 10, 6), 2, 2);
    p.drawRect(QRectF(30, 6, 4, 4));
    p.save();
    p.translate(centre);
    for (const double angle : {-45.0, 45.0}) {
        p.save();
        p.rotate(angle);
        p.drawRoundedRect(QRectF(-3, -radius - 6, 6, 6), 1.5, 1.5);
        p.restore();
    }
    p.restore();
    // The golden case.
    QRadialGradient metal(centre - QPointF(8, 10), radius * 1.4);
    metal.setColorAt(0, QColor(255, 236, 160));
    metal.setColorAt(0.6, QColor(210, 170, 70));
    metal.setColorAt(1, QColor(120, 88, 24));
    p.setBrush(metal);
    p.setPen(QPen(QColor(80, 60, 20), 1.4));
    p.drawEllipse(centre, radius, radius);
    // The dial, a little shaded at its rim.
    QRadialGradient dial(centre - QPointF(4, 6), radius);
    dial.setColorAt(0, Qt::white);
    dial.setColorAt(0.8, QColor(248, 246, 236));
    dial.setColorAt(1, QColor(210, 206, 190));
    p.setBrush(dial);
    p.setPen(QPen(QColor(90, 80, 60), 1));
    p.drawEllipse(centre, radius - 4, radius - 4);
    // Sixty marks, every fifth longer and red; the middle is left for the digits.
    p.translate(centre);
    for (int mark = 0; mark < 60; ++mark) {
        const bool major = mark % 5 == 0;
        p.setPen(QPen(major ? QColor(190, 30, 30) : QColor(60, 60, 60), major ? 1.8 : 0.8, Qt::SolidLine,
                      Qt::RoundCap));
        p.drawLine(QPointF(0, -(radius - 6)), QPointF(0, -(radius - (major ? 11 : 8))));
        p.rotate(6);
    }
    return image;
}

}  // namespace

void DrawMoveClockArt(ArtWriter& out) {
    out.Png("GMoveClock", MoveClock());
}

}  // namespace artgen
