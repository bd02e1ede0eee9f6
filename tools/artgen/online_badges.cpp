// The pictures of the games chat, the news badges and the internet music player: the animated
// sirens, the badge panel with its two icons, the "new" mark and the sex icons of the chat rows,
// and the player's round buttons.
#include <QLinearGradient>
#include <QRadialGradient>
#include <cmath>
#include <functional>

#include "artgen.h"

namespace artgen {
namespace {

QFont BoldFont(const char* family, int pixels) {
    QFont f(family);
    f.setPixelSize(pixels);
    f.setBold(true);
    return f;
}

// A police light on its base: the dome glows in `colour`, a beam turns `turn` of a circle.
QImage Siren(const QColor& colour, double turn) {
    QImage image = Canvas(40, 48);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // The beam, behind the dome.
    const double angle = turn * 2 * M_PI;
    const double reach = std::fabs(std::cos(angle));
    QColor beam = colour;
    beam.setAlpha(static_cast<int>(40 + 120 * reach));
    p.setPen(Qt::NoPen);
    p.setBrush(beam);
    const double side = std::sin(angle) >= 0 ? 1 : -1;
    const QPointF centre(20, 22);
    p.drawPolygon(
        QPolygonF({centre, QPointF(20 + side * 20, 8 + 6 * reach), QPointF(20 + side * 20, 36 - 6 * reach)}));
    // The base.
    QLinearGradient metal(QPointF(0, 36), QPointF(0, 46));
    metal.setColorAt(0, QColor(200, 200, 210));
    metal.setColorAt(1, QColor(70, 70, 80));
    p.setBrush(metal);
    p.setPen(QPen(QColor(40, 40, 50), 1));
    p.drawRoundedRect(QRectF(6, 36, 28, 10), 3, 3);
    // The dome, brighter while the beam faces the viewer.
    QRadialGradient dome(QPointF(16 + 8 * std::sin(angle), 18), 18);
    dome.setColorAt(0, Mix(colour, Qt::white, 0.45 + 0.4 * reach));
    dome.setColorAt(0.6, colour);
    dome.setColorAt(1, colour.darker(220));
    p.setBrush(dome);
    p.setPen(QPen(colour.darker(300), 1));
    QPainterPath shape;
    shape.moveTo(9, 37);
    shape.lineTo(9, 22);
    shape.arcTo(QRectF(9, 8, 22, 28), 180, -180);
    shape.lineTo(31, 37);
    shape.closeSubpath();
    p.drawPath(shape);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 150));
    p.drawEllipse(QRectF(13, 12, 5, 8));
    return image;
}

std::vector<QImage> SirenFrames(const QColor& colour) {
    std::vector<QImage> frames;
    for (int i = 0; i < 12; ++i) frames.push_back(Siren(colour, i / 12.0));
    return frames;
}

// The badge panel's plate: dark wood with a brass rim.
QImage Shelf() {
    QImage image = Canvas(170, 84);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient wood(QPointF(0, 0), QPointF(0, 84));
    wood.setColorAt(0, QColor(110, 62, 30));
    wood.setColorAt(0.5, QColor(76, 40, 18));
    wood.setColorAt(1, QColor(48, 24, 10));
    p.setBrush(wood);
    p.setPen(QPen(QColor(214, 170, 70), 2));
    p.drawRoundedRect(QRectF(1, 1, 168, 82), 10, 10);
    Random random(84);
    for (int i = 0; i < 14; ++i) {
        const double y = 6 + random.Unit() * 72;
        p.setPen(QPen(QColor(30, 14, 4, 60), 1));
        p.drawLine(QPointF(8, y), QPointF(162, y + random.Unit() * 4 - 2));
    }
    p.setPen(QPen(QColor(255, 230, 150, 120), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(5, 5, 160, 74), 7, 7);
    return image;
}

// A folded newspaper with a headline and columns.
QImage NewsIcon() {
    QImage image = Canvas(72, 72);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 1.2));
    p.setBrush(QColor(200, 200, 190));
    p.drawRoundedRect(QRectF(14, 8, 52, 58), 3, 3);  // the back page
    QLinearGradient paper(QPointF(6, 12), QPointF(60, 68));
    paper.setColorAt(0, QColor(255, 255, 250));
    paper.setColorAt(1, QColor(222, 222, 210));
    p.setBrush(paper);
    p.drawRoundedRect(QRectF(6, 12, 54, 56), 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 60, 160));
    p.drawRect(QRectF(11, 17, 44, 11));
    p.setPen(Qt::white);
    p.setFont(BoldFont("DejaVu Sans", 9));
    p.drawText(QRectF(11, 17, 44, 11), Qt::AlignCenter, QStringLiteral("NEWS"));
    p.setPen(QPen(QColor(90, 90, 90), 2));
    for (int row = 0; row < 6; ++row) {
        const double y = 34 + row * 5.5;
        p.drawLine(QPointF(11, y), QPointF(31, y));
        p.drawLine(QPointF(35, y), QPointF(55, y));
    }
    return image;
}

// Two speech bubbles, a blue and a green one.
QImage ChatIcon() {
    QImage image = Canvas(72, 72);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    auto bubble = [&](const QRectF& r, const QColor& colour, bool tailLeft) {
        QPainterPath path;
        path.addRoundedRect(r, 10, 10);
        QPainterPath tail;
        const double x = tailLeft ? r.left() + 12 : r.right() - 12;
        const double dx = tailLeft ? -8 : 8;
        tail.moveTo(x - 6, r.bottom() - 2);
        tail.lineTo(x + dx, r.bottom() + 10);
        tail.lineTo(x + 6, r.bottom() - 2);
        tail.closeSubpath();
        path = path.united(tail);
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, Mix(colour, Qt::white, 0.45));
        g.setColorAt(1, colour);
        p.setBrush(g);
        p.setPen(QPen(colour.darker(200), 1.2));
        p.drawPath(path);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 230));
        for (int i = 0; i < 3; ++i)
            p.drawEllipse(QPointF(r.center().x() - 9 + 9 * i, r.center().y()), 2.6, 2.6);
    };
    bubble(QRectF(24, 30, 44, 26), QColor(40, 150, 60), false);
    bubble(QRectF(4, 6, 48, 30), QColor(30, 90, 200), true);
    return image;
}

// The "new" mark beside a fresh chat message: a red star with NEW on it.
QImage NewMark() {
    QImage image = Canvas(40, 40);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPolygonF star;
    for (int i = 0; i < 24; ++i) {
        const double a = i * M_PI / 12;
        const double r = i % 2 ? 15 : 19.5;
        star << QPointF(20 + r * std::cos(a), 20 + r * std::sin(a));
    }
    QRadialGradient g(QPointF(16, 15), 22);
    g.setColorAt(0, QColor(255, 120, 90));
    g.setColorAt(1, QColor(190, 0, 0));
    p.setBrush(g);
    p.setPen(QPen(QColor(110, 0, 0), 1));
    p.drawPolygon(star);
    p.setPen(QColor(255, 255, 150));
    p.setFont(BoldFont("DejaVu Sans", 10));
    p.drawText(QRectF(0, 0, 40, 40), Qt::AlignCenter, QStringLiteral("NEW"));
    return image;
}

// The sex of a chat message's sender: the symbols of Mars (blue) and Venus (red).
QImage SexIcon(bool male) {
    QImage image = Canvas(20, 20);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor colour = male ? QColor(20, 80, 210) : QColor(210, 30, 90);
    p.setPen(QPen(colour, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    if (male) {
        p.drawEllipse(QPointF(8, 12), 5.5, 5.5);
        p.drawLine(QPointF(12, 8), QPointF(17.5, 2.5));
        p.drawLine(QPointF(12.5, 2.5), QPointF(17.5, 2.5));
        p.drawLine(QPointF(17.5, 2.5), QPointF(17.5, 7.5));
    } else {
        p.drawEllipse(QPointF(10, 7.5), 5.5, 5.5);
        p.drawLine(QPointF(10, 13), QPointF(10, 19));
        p.drawLine(QPointF(7, 16.5), QPointF(13, 16.5));
    }
    return image;
}

// A round glossy player button with a white symbol.
QImage PlayerButton(const std::function<void(QPainter&)>& symbol) {
    QImage image = Canvas(61, 61);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient body(QPointF(24, 20), 40);
    body.setColorAt(0, QColor(120, 150, 230));
    body.setColorAt(0.6, QColor(30, 50, 150));
    body.setColorAt(1, QColor(10, 16, 70));
    p.setBrush(body);
    p.setPen(QPen(QColor(200, 200, 220), 2));
    p.drawEllipse(QPointF(30.5, 30.5), 28, 28);
    QLinearGradient gloss(QPointF(0, 6), QPointF(0, 30));
    gloss.setColorAt(0, QColor(255, 255, 255, 140));
    gloss.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(gloss);
    p.drawEllipse(QRectF(12, 5, 37, 22));
    p.setBrush(Qt::white);
    p.setPen(QPen(QColor(10, 16, 70), 1));
    symbol(p);
    return image;
}

}  // namespace

void DrawOnlineBadges(ArtWriter& out) {
    const QColor matte(40, 24, 12);
    out.Gif("GSirenaB", SirenFrames(QColor(30, 90, 255)), 8, true, matte);
    out.Gif("GSirenaR", SirenFrames(QColor(230, 20, 20)), 8, true, matte);
    out.Png("GPolkaNw", Shelf());
    out.Png("GNews072", NewsIcon());
    out.Png("GChat072", ChatIcon());
    out.Png("GNew", NewMark());
    out.Png("GSexM", SexIcon(true));
    out.Png("GSexW", SexIcon(false));
    out.Png("MP_Play", PlayerButton([](QPainter& p) {
                p.drawPolygon(QPolygonF({QPointF(23, 17), QPointF(44, 30.5), QPointF(23, 44)}));
            }));
    out.Png("MP_Pause", PlayerButton([](QPainter& p) {
                p.drawRoundedRect(QRectF(20, 18, 8, 25), 2, 2);
                p.drawRoundedRect(QRectF(33, 18, 8, 25), 2, 2);
            }));
    out.Png("MP_Next", PlayerButton([](QPainter& p) {
                p.drawPolygon(QPolygonF({QPointF(15, 19), QPointF(29, 30.5), QPointF(15, 42)}));
                p.drawPolygon(QPolygonF({QPointF(29, 19), QPointF(43, 30.5), QPointF(29, 42)}));
                p.drawRect(QRectF(43, 19, 4, 23));
            }));
    // The volume button leaves its middle free for the number: "-" on the left, "+" on the right.
    out.Png("MP_Volume", PlayerButton([](QPainter& p) {
                p.drawRect(QRectF(8, 28.5, 10, 4));
                p.drawRect(QRectF(43, 28.5, 10, 4));
                p.drawRect(QRectF(46, 25.5, 4, 10));
            }));
}

}  // namespace artgen
