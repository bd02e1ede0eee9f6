// The animations: the top-ten cup and club emblems, the end-of-game pictures and the menu's two side
// pictures. Every frame is painted in full colour; ArtWriter::Gif reduces them to one palette.
#include <QDir>
#include <QLinearGradient>
#include <QRadialGradient>
#include <cmath>
#include <functional>

#include "artgen.h"

namespace artgen {
namespace {

constexpr double kPi = 3.14159265358979323846;
// The paper the record windows are drawn on: half-covered edges are blended towards it.
const QColor kPaper(248, 240, 218);
const QColor kFelt(0, 96, 40);

using FramePainter = std::function<void(QPainter&, int frame)>;

std::vector<QImage> Frames(int w, int h, int count, const FramePainter& paint) {
    std::vector<QImage> frames;
    for (int i = 0; i < count; ++i) {
        QImage image = Canvas(w, h);
        QPainter p(&image);
        p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform |
                         QPainter::TextAntialiasing);
        paint(p, i);
        p.end();
        frames.push_back(image);
    }
    return frames;
}

// A four-pointed glint of radius r; `strength` 0..1 scales and fades it.
void Sparkle(QPainter& p, QPointF c, double r, double strength, QColor colour = QColor(255, 214, 60)) {
    if (strength <= 0.02) return;
    r *= 0.4 + 0.6 * strength;
    QPainterPath star;
    star.moveTo(c.x(), c.y() - r);
    star.quadTo(c, QPointF(c.x() + r, c.y()));
    star.quadTo(c, QPointF(c.x(), c.y() + r));
    star.quadTo(c, QPointF(c.x() - r, c.y()));
    star.quadTo(c, QPointF(c.x(), c.y() - r));
    QRadialGradient glow(c, r * 0.7);
    glow.setColorAt(0, QColor(255, 255, 255, static_cast<int>(200 * strength)));
    glow.setColorAt(1, QColor(255, 230, 120, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(c, r * 0.7, r * 0.7);
    colour.setAlphaF(static_cast<float>(std::min(1.0, 0.3 + strength)));
    p.setBrush(colour);
    p.setPen(QPen(QColor(170, 110, 0, static_cast<int>(220 * strength)), 1.0));
    p.drawPath(star);
}

// Gold with a bright band that sweeps across at `shine` (0..1 from left to right).
QLinearGradient Gold(double left, double right, double shine) {
    QLinearGradient g(left, 0, right, 0);
    g.setColorAt(0.0, QColor(150, 100, 10));
    g.setColorAt(0.35, QColor(230, 180, 40));
    g.setColorAt(0.6, QColor(200, 145, 20));
    g.setColorAt(1.0, QColor(130, 85, 5));
    const double s = std::clamp(shine, 0.08, 0.92);
    g.setColorAt(s - 0.07, QColor(240, 195, 60));
    g.setColorAt(s, QColor(255, 250, 210));
    g.setColorAt(s + 0.07, QColor(235, 185, 50));
    return g;
}

QImage Load(const ArtWriter& out, const QString& name) {
    return QImage(QDir(out.folder()).filePath(name + ".png"));
}

// A card standing in `box`, turned about its upright middle by `angle` (0 shows `front`).
void TurningCard(QPainter& p, const QRectF& box, double angle, const QImage& front, const QImage& back) {
    const double c = std::cos(angle);
    // Edge-on it still shows as a thin sliver, so no frame is empty.
    const double width = std::max(3.0, box.width() * std::abs(c));
    const QImage& shown = c >= 0 ? front : back;
    QRectF r(box.center().x() - width / 2, box.top(), width, box.height());
    // A shadow that stays under the card while it turns.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawRoundedRect(r.translated(3, 4), 5, 5);
    p.drawImage(r, shown);
    // The side turned away from the light darkens a little.
    const int shade = static_cast<int>(90 * (1 - std::abs(c)));
    p.setBrush(QColor(0, 0, 0, shade));
    p.drawRoundedRect(r, 4, 4);
}

// The top-ten cup: a golden cup with a sweeping shine and twinkling glints. 140 x 200.
std::vector<QImage> TopTenCup() {
    const int n = 24;
    return Frames(140, 200, n, [n](QPainter& p, int f) {
        const double t = static_cast<double>(f) / n;
        QPainterPath bowl;
        bowl.moveTo(28, 40);
        bowl.lineTo(112, 40);
        bowl.cubicTo(112, 95, 95, 120, 76, 126);
        bowl.lineTo(64, 126);
        bowl.cubicTo(45, 120, 28, 95, 28, 40);
        QPainterPath handles;
        handles.addEllipse(QPointF(30, 66), 20, 22);
        handles.addEllipse(QPointF(110, 66), 20, 22);
        QPainterPath holes;
        holes.addEllipse(QPointF(30, 66), 13, 15);
        holes.addEllipse(QPointF(110, 66), 13, 15);
        handles = handles.subtracted(holes).subtracted(bowl);
        QPainterPath stem;
        stem.moveTo(63, 126);
        stem.cubicTo(66, 140, 64, 150, 56, 158);
        stem.lineTo(84, 158);
        stem.cubicTo(76, 150, 74, 140, 77, 126);
        stem.closeSubpath();
        QPainterPath base;
        base.addRoundedRect(QRectF(40, 158, 60, 10), 3, 3);
        base.addRoundedRect(QRectF(32, 168, 76, 16), 3, 3);
        const double shine = std::fmod(t * 1.6, 1.6) - 0.3;  // rests off the cup part of the loop
        const QPen edge(QColor(110, 70, 0), 1.4);
        p.setPen(edge);
        p.setBrush(Gold(10, 130, shine));
        p.drawPath(handles);
        p.drawPath(stem);
        p.drawPath(base);
        p.setBrush(Gold(28, 112, shine));
        p.drawPath(bowl);
        p.setBrush(QColor(120, 75, 0));
        p.drawEllipse(QRectF(28, 34, 84, 12));
        // The "10" on the bowl and a plate on the foot.
        QFont font("DejaVu Sans");
        font.setBold(true);
        p.setPen(QPen(QColor(120, 75, 0), 1.2));
        p.setBrush(QColor(255, 236, 150));
        p.drawPath(TextPath("10", font, 70, 64, 30, 60));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(90, 40, 20));
        p.drawRoundedRect(QRectF(46, 171, 48, 10), 2, 2);
        // Glints, each twinkling once a loop at its own moment.
        const QPointF spots[6] = {{22, 30}, {118, 24}, {96, 96}, {40, 110}, {14, 150}, {126, 140}};
        for (int i = 0; i < 6; ++i) {
            const double phase = std::fmod(t + i / 6.0, 1.0);
            Sparkle(p, spots[i], 11, std::pow(std::sin(phase * kPi), 3));
        }
    });
}

// The local club's emblem: the four suits circling a shield with a club on it. 140 x 240.
std::vector<QImage> ClubSuitsCircling() {
    const int n = 24;
    return Frames(140, 240, n, [n](QPainter& p, int f) {
        const double t = static_cast<double>(f) / n;
        const QPointF centre(70, 120);
        auto suitAt = [&](int s) {
            const double a = 2 * kPi * (t + s / 4.0);
            const double depth = std::sin(a);  // -1 behind the shield, 1 in front
            const double size = 30 + 10 * depth;
            const QPointF c(centre.x() + 46 * std::cos(a), centre.y() + 20 * depth - 4);
            DrawSuit(p, s, QRectF(c.x() - size / 2, c.y() - size / 2, size, size), true);
        };
        for (int s = 0; s < 4; ++s)
            if (std::sin(2 * kPi * (t + s / 4.0)) < 0) suitAt(s);
        QPainterPath shield;
        shield.moveTo(70, 62);
        shield.cubicTo(86, 72, 102, 72, 110, 70);
        shield.cubicTo(112, 120, 100, 160, 70, 180);
        shield.cubicTo(40, 160, 28, 120, 30, 70);
        shield.cubicTo(38, 72, 54, 72, 70, 62);
        QLinearGradient blue(0, 62, 0, 180);
        blue.setColorAt(0, QColor(40, 90, 190));
        blue.setColorAt(1, QColor(12, 34, 100));
        p.setPen(QPen(QColor(230, 190, 60), 4));
        p.setBrush(blue);
        p.drawPath(shield);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255));
        p.drawPath(QTransform::fromTranslate(46, 92).scale(0.48, 0.48).map(SuitPath(kClubs)));
        for (int s = 0; s < 4; ++s)
            if (std::sin(2 * kPi * (t + s / 4.0)) >= 0) suitAt(s);
        Sparkle(p, QPointF(70, 40), 14, 0.5 + 0.5 * std::cos(2 * kPi * t));
    });
}

// The network club's emblem: a card turning round, a club on its face and a globe on its back.
std::vector<QImage> ClubTurningCard(const ArtWriter& out) {
    const QImage front = Load(out, "KR5AB");
    QImage back = Canvas(front.width(), front.height());
    {
        QPainter p(&back);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF r(0.5, 0.5, back.width() - 1, back.height() - 1);
        QLinearGradient blue(0, 0, 0, r.height());
        blue.setColorAt(0, QColor(30, 80, 170));
        blue.setColorAt(1, QColor(10, 30, 90));
        p.setPen(QPen(QColor(20, 20, 40), 1));
        p.setBrush(Qt::white);
        p.drawRoundedRect(r, 8, 8);
        p.setBrush(blue);
        p.drawRoundedRect(r.adjusted(7, 7, -7, -7), 5, 5);
        // A globe of meridians and parallels.
        const QPointF c = r.center();
        const double g = r.width() * 0.34;
        p.setPen(QPen(QColor(160, 210, 255), 3));
        p.setBrush(QColor(40, 120, 210));
        p.drawEllipse(c, g, g);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(160, 210, 255), 2));
        for (double k : {0.35, 0.75}) p.drawEllipse(c, g * k, g);
        p.drawLine(QPointF(c.x(), c.y() - g), QPointF(c.x(), c.y() + g));
        for (double y : {-0.5, 0.0, 0.5}) {
            const double half = g * std::sqrt(1 - y * y);
            p.drawLine(QPointF(c.x() - half, c.y() + y * g), QPointF(c.x() + half, c.y() + y * g));
        }
    }
    const int n = 24;
    return Frames(140, 240, n, [=](QPainter& p, int f) {
        // Half a step off, so no frame catches the card exactly edge-on.
        const double angle = 2 * kPi * (f + 0.5) / n;
        const double bob = 4 * std::sin(angle);
        TurningCard(p, QRectF(70 - 53, 46 + bob, 106, 144), angle, front, back);
    });
}

// The king's crown, its base centred at (cx, y), `w` wide.
void Crown(QPainter& p, double cx, double y, double w, double shine) {
    const double h = w * 0.7;
    const double l = cx - w / 2;
    QPainterPath crown;
    crown.moveTo(l, y);
    crown.lineTo(l - w * 0.04, y - h);
    crown.lineTo(l + w * 0.25, y - h * 0.45);
    crown.lineTo(cx, y - h * 1.12);
    crown.lineTo(l + w * 0.75, y - h * 0.45);
    crown.lineTo(l + w * 1.04, y - h);
    crown.lineTo(l + w, y);
    crown.closeSubpath();
    p.setPen(QPen(QColor(110, 70, 0), 1.5));
    p.setBrush(Gold(l - 5, l + w + 5, shine));
    p.drawPath(crown);
    p.drawRoundedRect(QRectF(l - 3, y - 4, w + 6, 14), 3, 3);
    p.setPen(QPen(QColor(90, 0, 0), 1));
    const QColor jewels[3] = {QColor(200, 20, 40), QColor(30, 90, 200), QColor(200, 20, 40)};
    for (int i = 0; i < 3; ++i) {
        p.setBrush(jewels[i]);
        p.drawEllipse(QPointF(l + w * (0.2 + 0.3 * i), y + 3), 4, 4);
    }
    p.setBrush(QColor(230, 30, 50));
    for (double x : {0.0, 0.5, 1.0}) {
        const double tipY = x == 0.5 ? y - h * 1.12 : y - h;
        const double tipX = x == 0.0 ? l - w * 0.04 : x == 1.0 ? l + w * 1.04 : cx;
        p.drawEllipse(QPointF(tipX, tipY), 4.5, 4.5);
    }
}

// The best result: fireworks burst while a crown comes down and settles by frame 25. 140 x 440.
std::vector<QImage> EndBest() {
    const int n = 28;
    struct Burst {
        double x, y;
        int start;
        QColor colour;
    };
    const Burst bursts[5] = {{45, 90, -2, QColor(255, 80, 60)},
                             {100, 150, 4, QColor(80, 170, 255)},
                             {60, 220, 9, QColor(250, 200, 40)},
                             {95, 70, 14, QColor(120, 220, 90)},
                             {40, 160, 19, QColor(230, 90, 230)}};
    return Frames(140, 440, n, [&](QPainter& p, int f) {
        for (int b = 0; b < 5; ++b) {
            const Burst& burst = bursts[b];
            const int age = f - burst.start;
            if (age < -4 || age > 9) continue;
            p.setPen(Qt::NoPen);
            if (age < 0) {  // the rocket climbing to its burst
                const double y = burst.y + 110 * (-age) / 4.0;
                p.setBrush(QColor(255, 230, 160));
                p.drawEllipse(QPointF(burst.x, y), 2.2, 2.2);
                QLinearGradient trail(0, y, 0, y + 26);
                trail.setColorAt(0, QColor(255, 200, 120, 180));
                trail.setColorAt(1, QColor(255, 200, 120, 0));
                p.setBrush(trail);
                p.drawRect(QRectF(burst.x - 1, y, 2, 26));
                continue;
            }
            const double grow = 1 - std::pow(1 - age / 9.0, 2);
            const double fade = age < 6 ? 1.0 : 1 - (age - 6) / 4.0;
            Random random(static_cast<std::uint64_t>(b + 11));
            for (int k = 0; k < 20; ++k) {
                const double a = 2 * kPi * k / 20 + random.Unit() * 0.2;
                const double reach = 42 * grow * (0.8 + 0.3 * random.Unit());
                const QPointF tip(burst.x + reach * std::cos(a),
                                  burst.y + reach * std::sin(a) + 6 * grow * grow);
                QColor c = burst.colour;
                c.setAlphaF(static_cast<float>(fade));
                p.setPen(QPen(c, 2.6, Qt::SolidLine, Qt::RoundCap));
                p.drawLine(
                    QPointF(burst.x + 0.45 * reach * std::cos(a), burst.y + 0.55 * reach * std::sin(a)), tip);
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(255, 255, 230, static_cast<int>(255 * fade)));
                p.drawEllipse(tip, 2.6, 2.6);
            }
        }
        // The crown comes down from above and rests from frame 25 (index 24) on.
        const double arrive = std::min(1.0, f / 24.0);
        const double ease = 1 - std::pow(1 - arrive, 3);
        const double y = 90 + (330 - 90) * ease;
        Crown(p, 70, y, 96, std::fmod(f / 10.0, 1.4) - 0.2);
        if (f >= 22) {
            const double glow = std::min(1.0, (f - 21) / 3.0);
            Sparkle(p, QPointF(22, y - 70), 12, glow);
            Sparkle(p, QPointF(118, y - 80), 10, glow * 0.8);
            Sparkle(p, QPointF(70, y + 40), 14, glow);
        }
    });
}

// A good result: a medal on a ribbon swinging to rest by frame 24. 140 x 440.
std::vector<QImage> EndGood() {
    const int n = 26;
    return Frames(140, 440, n, [](QPainter& p, int f) {
        // A damped swing of at most 0.13 radians, so the medal stays inside the column.
        const double swing =
            f >= 23 ? 0.0 : 0.13 * std::exp(-f / 12.0) * std::cos(f * 2 * kPi / 8) * (1 - f / 23.0);
        p.translate(70, 110);
        p.rotate(swing * 180 / kPi);
        // The ribbon: two bands in a V down to the ring.
        const double drop = 140;
        QPainterPath left, right;
        left.moveTo(-34, 0);
        left.lineTo(-10, 0);
        left.lineTo(8, drop);
        left.lineTo(-12, drop);
        left.closeSubpath();
        right.moveTo(10, 0);
        right.lineTo(34, 0);
        right.lineTo(12, drop);
        right.lineTo(-8, drop);
        right.closeSubpath();
        QLinearGradient red(-34, 0, 34, 0);
        red.setColorAt(0, QColor(150, 10, 20));
        red.setColorAt(0.5, QColor(220, 40, 50));
        red.setColorAt(1, QColor(150, 10, 20));
        p.setPen(QPen(QColor(90, 0, 10), 1));
        p.setBrush(red);
        p.drawPath(left);
        QLinearGradient blue(-34, 0, 34, 0);
        blue.setColorAt(0, QColor(20, 50, 140));
        blue.setColorAt(0.5, QColor(60, 110, 220));
        blue.setColorAt(1, QColor(20, 50, 140));
        p.setBrush(blue);
        p.drawPath(right);
        p.setPen(QPen(QColor(110, 70, 0), 3));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(0, drop + 6), 8, 8);
        // The medal, its shine moving with the swing.
        p.translate(0, drop + 14 + 0.82 * 46);
        p.scale(0.82, 0.82);
        const QPointF c(0, 0);
        p.setPen(QPen(QColor(110, 70, 0), 1.5));
        p.setBrush(Gold(-48, 48, 0.5 + swing));
        p.drawEllipse(c, 46, 46);
        p.setBrush(Gold(-40, 40, 0.5 - swing));
        p.drawEllipse(c, 36, 36);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(140, 95, 10));
        QPainterPath star;
        for (int k = 0; k < 10; ++k) {
            const double a = -kPi / 2 + k * kPi / 5;
            const double r = k % 2 ? 11 : 26;
            const QPointF pt(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
            k ? star.lineTo(pt) : star.moveTo(pt);
        }
        star.closeSubpath();
        p.drawPath(star.translated(1, 1.5));
        p.setBrush(QColor(255, 230, 120));
        p.drawPath(star);
        if (f >= 20) Sparkle(p, c + QPointF(30, -32), 12, std::min(1.0, (f - 19) / 4.0));
    });
}

// A result that could be better: a soft rain from a cloud onto a lying card. Loops. 140 x 440.
std::vector<QImage> EndRain(const ArtWriter& out) {
    const QImage card = Load(out, "PI06B");
    const int n = 24;
    struct Drop {
        double x, y0, speed;
    };
    std::vector<Drop> drops;
    Random random(7);
    for (int i = 0; i < 40; ++i)
        // Whole screen heights per loop so the last frame leads back into the first.
        drops.push_back({22 + random.Unit() * 96, random.Unit() * 300,
                         300.0 * (1 + static_cast<int>(random.Unit() * 2))});
    return Frames(140, 440, n, [=](QPainter& p, int f) {
        const double t = static_cast<double>(f) / n;
        // The card, lying a little tilted at the bottom.
        p.save();
        p.translate(70, 345);
        p.rotate(-8 + 1.5 * std::sin(2 * kPi * t));
        p.scale(0.72, 0.72);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 50));
        p.drawRoundedRect(
            QRectF(-card.width() / 2.0 + 4, -card.height() / 2.0 + 5, card.width(), card.height()), 8, 8);
        p.drawImage(QPointF(-card.width() / 2.0, -card.height() / 2.0), card);
        p.restore();
        // Drops fall from under the cloud to the card.
        for (const Drop& d : drops) {
            const double y = 90 + std::fmod(d.y0 + d.speed * t, 300.0) * 0.62 + 8;
            QLinearGradient streak(0, y - 20, 0, y);
            streak.setColorAt(0, QColor(90, 140, 210, 60));
            streak.setColorAt(1, QColor(50, 100, 200, 255));
            p.setPen(QPen(QBrush(streak), 2.6, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(d.x + 3, y - 20), QPointF(d.x, y));
        }
        // Ripples on the card.
        for (int k = 0; k < 3; ++k) {
            const double age = std::fmod(t * 2 + k / 3.0, 1.0);
            p.setPen(QPen(QColor(70, 120, 200, static_cast<int>(200 * (1 - age))), 1.2));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QPointF(45 + 25 * k, 320 + 18 * k), 4 + 12 * age, 2 + 4 * age);
        }
        // The cloud, drifting a little.
        const double dx = 4 * std::sin(2 * kPi * t);
        auto puff = [dx](double x, double y, double rx, double ry) {
            QPainterPath path;
            path.addEllipse(QPointF(x + dx, y), rx, ry);
            return path;
        };
        QPainterPath base;
        base.addRoundedRect(QRectF(18 + dx, 76, 108, 24), 12, 12);
        const QPainterPath cloud =
            puff(40, 78, 26, 20).united(puff(72, 64, 32, 28)).united(puff(104, 80, 24, 18)).united(base);
        QLinearGradient grey(0, 36, 0, 100);
        grey.setColorAt(0, QColor(200, 205, 215));
        grey.setColorAt(1, QColor(120, 128, 145));
        p.setPen(QPen(QColor(90, 96, 110), 1.2));
        p.setBrush(grey);
        p.drawPath(cloud);
    });
}

// The menu's felt panel behind its side pictures, with a thin golden frame.
void MenuPanel(QPainter& p, int w, int h) {
    QRadialGradient felt(w / 2.0, h / 2.0, h * 0.7);
    felt.setColorAt(0, kFelt.lighter(125));
    felt.setColorAt(1, kFelt.darker(130));
    p.fillRect(QRect(0, 0, w, h), felt);
    p.setPen(QPen(QColor(200, 160, 60), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(2, 2, w - 4, h - 4), 6, 6);
}

// The left menu picture: four cards dealt from a deck in turn, then gathered again. 160 x 200.
std::vector<QImage> MenuDealing(const ArtWriter& out) {
    const QImage back = Load(out, "OB01MO");
    const QImage faces[4] = {Load(out, "CH5A"), Load(out, "PI4K"), Load(out, "BU3Q"), Load(out, "KR2J")};
    const int n = 30;
    const QPointF deck(80, 100);
    const QPointF places[4] = {{80, 52}, {126, 100}, {80, 150}, {34, 100}};
    return Frames(160, 200, n, [&](QPainter& p, int f) {
        MenuPanel(p, 160, 200);
        auto card = [&](QPointF c, double angle, const QImage& image, double scale) {
            p.save();
            p.translate(c);
            p.rotate(angle);
            p.scale(scale, scale);
            const QRectF r(-image.width() / 2.0, -image.height() / 2.0, image.width(), image.height());
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0, 0, 0, 70));
            p.drawRoundedRect(r.translated(2, 3), 4, 4);
            p.drawImage(r, image);
            p.restore();
        };
        // Frames 0..23 deal one card every six frames; 24..29 slide them all back to the deck.
        const double gather = f < 24 ? 0.0 : (f - 23) / 6.0;
        for (int k = 0; k < 3; ++k) card(deck + QPointF(-k * 0.6, -k * 0.6), 0, back, 0.62);
        for (int k = 0; k < 4; ++k) {
            const double progress = std::clamp((f - 6.0 * k) / 5.0, 0.0, 1.0);
            if (progress <= 0) continue;
            const double ease = 1 - std::pow(1 - progress, 2);
            const double move = gather > 0 ? 1 - gather : ease;
            const QPointF at = deck + (places[k] - deck) * move;
            const double angle = (k % 2 ? 90 : 0) * move + 360 * (1 - move) * (gather > 0 ? 0 : 1) * 0.25;
            // Each card turns face up as it lands.
            const bool faceUp = progress >= 1 && gather < 0.5;
            card(at, angle, faceUp ? faces[k] : back, 0.62);
        }
    });
}

// The right menu picture: the ace of hearts flipping over and back. 160 x 200.
std::vector<QImage> MenuFlipping(const ArtWriter& out) {
    const QImage front = Load(out, "CH5AB");
    const QImage back = Load(out, "OB01MOB");
    const int n = 30;
    return Frames(160, 200, n, [&](QPainter& p, int f) {
        MenuPanel(p, 160, 200);
        const double t = static_cast<double>(f) / n;
        // Rests face up for a moment, then one smooth full turn.
        const double turn = std::clamp((t - 0.25) / 0.75, 0.0, 1.0);
        const double angle = 2 * kPi * (0.5 - 0.5 * std::cos(kPi * turn));
        const double lift = 6 * std::sin(kPi * turn);
        TurningCard(p, QRectF(80 - 51, 30 - lift, 102, 139), angle, front, back);
        Sparkle(p, QPointF(134, 30), 12, std::pow(std::max(0.0, std::cos(2 * kPi * t)), 4));
    });
}

}  // namespace

std::vector<QImage> OptionsAnimation() {
    // A gear turning behind a fan of four cards that opens and closes: 40 frames.
    std::vector<QImage> frames;
    for (int f = 0; f < 40; ++f) {
        QImage image = Canvas(90, 120);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.translate(45, 42);
        p.rotate(f * 9);
        QPainterPath gear;
        gear.setFillRule(Qt::WindingFill);
        gear.addEllipse(QPointF(0, 0), 26, 26);
        for (int i = 0; i < 10; ++i) {
            QTransform t;
            t.rotate(i * 36);
            QPainterPath tooth;
            tooth.addRect(QRectF(-5, -34, 10, 12));
            gear.addPath(t.map(tooth));
        }
        QPainterPath hole;
        hole.addEllipse(QPointF(0, 0), 10, 10);
        p.setPen(QPen(QColor(80, 80, 90), 1.2));
        p.setBrush(QColor(170, 170, 185));
        p.drawPath(gear.simplified().subtracted(hole));
        p.resetTransform();
        const double open = 0.5 + 0.5 * std::sin(2 * M_PI * f / 40);
        for (int c = 0; c < 4; ++c) {
            p.save();
            p.translate(45, 112);
            p.rotate((c - 1.5) * 14 * (0.3 + open));
            p.setPen(QPen(QColor(60, 60, 60), 1));
            p.setBrush(QColor(255, 255, 250));
            p.drawRoundedRect(QRectF(-14, -52, 28, 40), 3, 3);
            DrawSuit(p, c, QRectF(-8, -44, 16, 16), false);
            p.restore();
        }
        frames.push_back(image);
    }
    return frames;
}

void DrawAnimations(ArtWriter& out) {
    // Sizes follow the places the windows give them: the top-ten column is 140 wide with 200 for the
    // cup and 240 for the emblem; the end-of-game column is 140 x 440; the menu's are 160 x 200.
    out.Gif("GTopTen", TopTenCup(), 8, true, kPaper);
    out.Gif("GClubF", ClubSuitsCircling(), 8, true, kPaper);
    out.Gif("GClubG", ClubTurningCard(out), 8, true, kPaper);
    out.Gif("GEndBest", EndBest(), 9, false, kPaper);
    out.Gif("GEndGood", EndGood(), 8, false, kPaper);
    out.Gif("GEndBads", EndRain(out), 7, true, kPaper);
    out.Gif("GifMenu1", MenuDealing(out), 8, true, kFelt);
    out.Gif("GifMenu2", MenuFlipping(out), 7, true, kFelt);
    out.Gif("GOpt", OptionsAnimation(), 6, true, QColor(236, 236, 236));
}

}  // namespace artgen
