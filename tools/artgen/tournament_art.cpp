// The tournament pictures: the game server's lamp on and off, the scroll under the tournament top
// ten and the small faces of its rows.
#include "artgen.h"

namespace artgen {
namespace {

// A round lamp with a server tower: lit green when the server is on, dull red when off.
QImage ServerLamp(bool on) {
    const int size = 48;
    QImage image = Canvas(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor light = on ? QColor(120, 240, 120) : QColor(230, 110, 100);
    const QColor dark = on ? QColor(10, 120, 30) : QColor(120, 20, 20);
    QRadialGradient glass(QPointF(18, 16), 30);
    glass.setColorAt(0, Mix(light, Qt::white, 0.5));
    glass.setColorAt(0.6, light);
    glass.setColorAt(1, dark);
    p.setBrush(glass);
    p.setPen(QPen(QColor(60, 60, 70), 2.5));
    p.drawEllipse(QRectF(3, 3, 42, 42));
    // The server: a tower of three slots with their small lights.
    const QRectF tower(16, 11, 16, 26);
    p.setBrush(QColor(40, 44, 56, 220));
    p.setPen(QPen(QColor(230, 230, 235), 1.2));
    p.drawRoundedRect(tower, 2, 2);
    for (int slot = 0; slot < 3; ++slot) {
        const double y = tower.top() + 4 + slot * 7.5;
        p.setPen(QPen(QColor(200, 200, 210), 1));
        p.drawLine(QPointF(tower.left() + 3, y + 2), QPointF(tower.right() - 6, y + 2));
        p.setPen(Qt::NoPen);
        p.setBrush(on ? QColor(140, 255, 140) : QColor(110, 110, 110));
        p.drawEllipse(QPointF(tower.right() - 3.5, y + 2), 1.6, 1.6);
    }
    if (!on) {  // a red bar across the lamp
        p.setPen(QPen(QColor(200, 0, 0), 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(11, 37), QPointF(37, 11));
    }
    return image;
}

// An unrolled parchment scroll with its two rolls at top and bottom.
QImage Scroll() {
    const int w = 632, h = 502;
    QImage image = Canvas(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF sheet(30, 24, w - 60, h - 48);
    QLinearGradient paper(sheet.topLeft(), sheet.topRight());
    paper.setColorAt(0, QColor(226, 200, 150));
    paper.setColorAt(0.15, QColor(246, 230, 190));
    paper.setColorAt(0.85, QColor(246, 230, 190));
    paper.setColorAt(1, QColor(222, 194, 140));
    p.setBrush(paper);
    p.setPen(QPen(QColor(150, 110, 60), 1.5));
    p.drawRect(sheet);
    Random random(632502);
    for (int i = 0; i < 400; ++i) {  // a little age in the paper
        const QPointF spot(sheet.left() + random.Unit() * sheet.width(),
                           sheet.top() + random.Unit() * sheet.height());
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(180, 140, 80, 18 + static_cast<int>(random.Unit() * 20)));
        p.drawEllipse(spot, 1 + random.Unit() * 3, 1 + random.Unit() * 2);
    }
    for (const double y : {6.0, h - 42.0}) {
        const QRectF roll(12, y, w - 24, 36);
        QLinearGradient shade(roll.topLeft(), roll.bottomLeft());
        shade.setColorAt(0, QColor(200, 160, 100));
        shade.setColorAt(0.45, QColor(250, 232, 190));
        shade.setColorAt(1, QColor(150, 105, 55));
        p.setBrush(shade);
        p.setPen(QPen(QColor(120, 80, 40), 1.5));
        p.drawRoundedRect(roll, 18, 18);
        for (const double x : {4.0, w - 22.0}) {  // the wooden knobs
            QRadialGradient knob(QPointF(x + 9, y + 14), 14);
            knob.setColorAt(0, QColor(190, 110, 50));
            knob.setColorAt(1, QColor(90, 40, 10));
            p.setBrush(knob);
            p.drawEllipse(QRectF(x, y + 4, 18, 28));
        }
    }
    return image;
}

// A 16-pixel face: short dark hair for a man, long fair hair for a woman.
QImage Face(bool woman) {
    QImage image = Canvas(16, 16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor hair = woman ? QColor(210, 150, 40) : QColor(70, 40, 20);
    p.setPen(Qt::NoPen);
    p.setBrush(hair);
    if (woman)
        p.drawRoundedRect(QRectF(2, 1, 12, 14), 5, 5);
    else
        p.drawEllipse(QRectF(3, 1, 10, 8));
    p.setBrush(QColor(250, 210, 170));
    p.setPen(QPen(QColor(150, 90, 50), 0.8));
    p.drawEllipse(QRectF(4, 3, 8, 10));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 30, 60));
    p.drawEllipse(QPointF(6.5, 7.5), 0.8, 0.8);
    p.drawEllipse(QPointF(9.5, 7.5), 0.8, 0.8);
    p.setPen(QPen(woman ? QColor(200, 30, 60) : QColor(150, 60, 40), 0.9));
    p.drawLine(QPointF(6.8, 10.5), QPointF(9.2, 10.5));
    return image;
}

}  // namespace

void DrawTournamentArt(ArtWriter& out) {
    out.Png("GTourOn", ServerLamp(true));
    out.Png("GTourOff", ServerLamp(false));
    out.Png("GSvitok", Scroll());
    out.Png("FaceMan16", Face(false));
    out.Png("FaceWoman16", Face(true));
}

}  // namespace artgen
