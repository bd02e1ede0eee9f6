// The account's pictures: the menu's account badge, the state lamps, the window's animated state
// stars and the frame laid over a player's photo.
#include <cmath>

#include "artgen.h"

namespace artgen {

namespace {

// A glossy round lamp of one colour.
QImage Lamp(int size, const QColor& colour) {
    QImage image = Canvas(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF ball(1.5, 1.5, size - 3, size - 3);
    QRadialGradient body(ball.center() + QPointF(-size * 0.12, -size * 0.14), size * 0.55);
    body.setColorAt(0, Mix(colour, Qt::white, 0.55));
    body.setColorAt(0.55, colour);
    body.setColorAt(1, Mix(colour, Qt::black, 0.45));
    p.setBrush(body);
    p.setPen(QPen(QColor(40, 40, 40), 1.2));
    p.drawEllipse(ball);
    QLinearGradient shine(0, size * 0.15, 0, size * 0.5);
    shine.setColorAt(0, QColor(255, 255, 255, 210));
    shine.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shine);
    p.drawEllipse(QRectF(size * 0.25, size * 0.12, size * 0.5, size * 0.34));
    return image;
}

// The menu's account badge: a player's bust on a blue medallion.
QImage AccountBadge() {
    const int size = 48;
    QImage image = Canvas(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient disc(QPointF(18, 16), 34);
    disc.setColorAt(0, QColor(120, 180, 250));
    disc.setColorAt(1, QColor(20, 60, 150));
    p.setBrush(disc);
    p.setPen(QPen(QColor(230, 190, 60), 2.5));
    p.drawEllipse(QRectF(3, 3, 42, 42));
    p.setClipRegion(QRegion(4, 4, 40, 40, QRegion::Ellipse));
    QLinearGradient figure(0, 10, 0, 46);
    figure.setColorAt(0, QColor(255, 255, 255));
    figure.setColorAt(1, QColor(200, 214, 235));
    p.setBrush(figure);
    p.setPen(QPen(QColor(30, 50, 100), 1));
    p.drawEllipse(QRectF(16.5, 10, 15, 16));
    QPainterPath shoulders;
    shoulders.moveTo(8, 48);
    shoulders.cubicTo(8, 32, 16, 28, 24, 28);
    shoulders.cubicTo(32, 28, 40, 32, 40, 48);
    shoulders.closeSubpath();
    p.drawPath(shoulders);
    return image;
}

// A five-pointed star with a glint that sweeps across it; `phase` 0..1 through one sweep.
QImage StarFrame(int size, const QColor& colour, double phase) {
    QImage image = Canvas(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double c = size / 2.0, outer = size * 0.47, inner = outer * 0.45;
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const double a = -M_PI / 2 + i * M_PI / 5;
        const double r = i % 2 ? inner : outer;
        const QPointF q(c + r * std::cos(a), c + 0.04 * size + r * std::sin(a));
        i == 0 ? star.moveTo(q) : star.lineTo(q);
    }
    star.closeSubpath();
    QRadialGradient body(QPointF(c * 0.85, c * 0.75), outer);
    body.setColorAt(0, Mix(colour, Qt::white, 0.5));
    body.setColorAt(0.5, colour);
    body.setColorAt(1, Mix(colour, Qt::black, 0.35));
    p.setBrush(body);
    p.setPen(QPen(Mix(colour, Qt::black, 0.6), size / 30.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(star);
    p.setClipPath(star);
    const double x = -size * 0.4 + phase * size * 1.8;
    QLinearGradient glint(x - size * 0.2, 0, x + size * 0.2, size * 0.4);
    glint.setColorAt(0, QColor(255, 255, 255, 0));
    glint.setColorAt(0.5, QColor(255, 255, 255, 190));
    glint.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(image.rect(), glint);
    return image;
}

std::vector<QImage> StarAnimation(const QColor& colour) {
    std::vector<QImage> frames;
    const int sweep = 10, rest = 14;
    for (int i = 0; i < sweep + rest; ++i)
        frames.push_back(StarFrame(40, colour, i < sweep ? i / (sweep - 1.0) : 2));
    return frames;
}

// A gilded frame for a 200 x 250 photo: a transparent window with rounded inner corners.
QImage PhotoFrame() {
    const int w = 200, h = 250, border = 10;
    QImage image = Canvas(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath frame;
    frame.addRect(0, 0, w, h);
    QPainterPath window;
    window.addRoundedRect(QRectF(border, border, w - 2 * border, h - 2 * border), 12, 12);
    frame = frame.subtracted(window);
    QLinearGradient gold(0, 0, w, h);
    gold.setColorAt(0, QColor(250, 226, 140));
    gold.setColorAt(0.35, QColor(196, 146, 40));
    gold.setColorAt(0.65, QColor(245, 214, 120));
    gold.setColorAt(1, QColor(150, 104, 24));
    p.fillPath(frame, gold);
    p.setPen(QPen(QColor(110, 70, 10), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.75, 0.75, w - 1.5, h - 1.5));
    p.drawPath(window);
    p.setPen(QPen(QColor(255, 245, 200, 180), 1));
    p.drawRoundedRect(QRectF(border - 3, border - 3, w - 2 * border + 6, h - 2 * border + 6), 14, 14);
    return image;
}

// The menu's tournament badge: a card table seen from above with its four seats.
QImage TournamentBadge() {
    const int size = 48;
    QImage image = Canvas(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 30, 10), 1.5));
    p.setBrush(QColor(200, 150, 40));
    for (const QPointF seat : {QPointF(24, 5), QPointF(24, 43), QPointF(5, 24), QPointF(43, 24)})
        p.drawEllipse(seat, 4.5, 4.5);
    QRadialGradient felt(QPointF(20, 20), 22);
    felt.setColorAt(0, QColor(60, 190, 90));
    felt.setColorAt(1, QColor(10, 100, 40));
    p.setBrush(felt);
    p.setPen(QPen(QColor(120, 70, 20), 3));
    p.drawEllipse(QRectF(9, 9, 30, 30));
    p.setPen(Qt::NoPen);
    DrawSuit(p, kHearts, QRectF(15, 15, 9, 9), false);
    DrawSuit(p, kSpades, QRectF(24, 15, 9, 9), false);
    DrawSuit(p, kDiamonds, QRectF(15, 24, 9, 9), false);
    DrawSuit(p, kClubs, QRectF(24, 24, 9, 9), false);
    return image;
}

}  // namespace

void DrawAccountArt(ArtWriter& out) {
    out.Png("Account48", AccountBadge());
    out.Png("Tournament48", TournamentBadge());
    out.Png("LampR24", Lamp(24, QColor(225, 30, 30)));
    out.Png("LampY24", Lamp(24, QColor(245, 200, 20)));
    out.Png("LampG24", Lamp(24, QColor(30, 190, 50)));
    out.Png("LampR16", Lamp(16, QColor(225, 30, 30)));
    out.Png("LampY16", Lamp(16, QColor(245, 200, 20)));
    out.Png("LampG16", Lamp(16, QColor(30, 190, 50)));
    const QColor matte(60, 60, 60);
    out.Gif("StarR0", StarAnimation(QColor(220, 24, 24)), 8, true, matte);
    out.Gif("StarY0", StarAnimation(QColor(250, 200, 20)), 8, true, matte);
    out.Gif("StarG0", StarAnimation(QColor(30, 180, 50)), 8, true, matte);
    out.Png("GAcFrame", PhotoFrame());
}

}  // namespace artgen
