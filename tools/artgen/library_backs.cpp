// The back styles 1..12 of the cards library: each a design of its own, each back of a style in
// its own colour (and, for the ten-back styles, with its own motif).
#include <QLinearGradient>
#include <QRadialGradient>
#include <array>
#include <cmath>

#include "artgen.h"
#include "library.h"

namespace artgen {
namespace {

// The colours of the backs 1..10: the weekdays, then three more.
const QColor kBackBase[10] = {
    QColor(24, 62, 150), QColor(160, 22, 36), QColor(18, 104, 62), QColor(92, 40, 136), QColor(0, 104, 116),
    QColor(150, 72, 14), QColor(28, 30, 84),  QColor(120, 24, 80), QColor(60, 90, 30),  QColor(40, 40, 44)};
const QColor kGoldLine(226, 186, 86);
const QColor kCream(252, 246, 226);

// A lozenge of half-diagonal r centred on c.
QPolygonF Lozenge(QPointF c, double r) {
    return QPolygonF{{c.x(), c.y() - r}, {c.x() + r, c.y()}, {c.x(), c.y() + r}, {c.x() - r, c.y()}};
}

// A glyph of a font filled into a square box centred on `c`.
void Glyph(QPainter& p, const QString& text, const char* family, QPointF c, double size,
           const QBrush& brush) {
    QFont f(QString::fromLatin1(family));
    f.setPixelSize(100);
    const QPainterPath path = TextPath(text, f, c.x(), c.y() - size / 2, size, size * 1.1);
    p.setPen(Qt::NoPen);
    p.setBrush(brush);
    p.drawPath(path);
}

QPainterPath Shield(const QRectF& r) {
    QPainterPath s;
    s.moveTo(r.topLeft());
    s.lineTo(r.topRight());
    s.lineTo(r.right(), r.top() + r.height() * 0.45);
    s.cubicTo(r.right(), r.top() + r.height() * 0.8, r.center().x() + r.width() * 0.2,
              r.bottom() - r.height() * 0.08, r.center().x(), r.bottom());
    s.cubicTo(r.center().x() - r.width() * 0.2, r.bottom() - r.height() * 0.08, r.left(),
              r.top() + r.height() * 0.8, r.left(), r.top() + r.height() * 0.45);
    s.closeSubpath();
    return s;
}

// A rounded flower of `petals` petals; `shape` 0 round, 1 pointed, 2 heart-shaped petals.
QPainterPath Flower(QPointF c, double r, int petals, int shape, double turn) {
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (int i = 0; i < petals; ++i) {
        const double a = turn + i * 2 * M_PI / petals;
        const QPointF tip = c + QPointF(r * std::cos(a), r * std::sin(a));
        const double side = r * (shape == 1 ? 0.28 : 0.42);
        const QPointF n(-std::sin(a) * side, std::cos(a) * side);
        const QPointF mid = c + (tip - c) * 0.55;
        QPainterPath petal;
        petal.moveTo(c);
        if (shape == 2) {
            petal.cubicTo(mid + n * 1.4, tip + n, tip - (tip - c) * 0.12);
            petal.cubicTo(tip - n, mid - n * 1.4, c);
        } else {
            petal.quadTo(mid + n * 2, tip);
            petal.quadTo(mid - n * 2, c);
        }
        path.addPath(petal);
    }
    return path;
}

void Lattice(QPainter& p, const QRectF& f, double step, const QColor& c, double line) {
    p.setPen(QPen(c, line));
    for (double k = -f.height(); k < f.width() + f.height(); k += step) {
        p.drawLine(QPointF(f.left() + k, f.top()), QPointF(f.left() + k + f.height(), f.bottom()));
        p.drawLine(QPointF(f.left() + k, f.top()), QPointF(f.left() + k - f.height(), f.bottom()));
    }
}

void Medieval1(QPainter& p, const QRectF& f, double u, const QColor& base) {
    // Quartered field, a fine lattice, and a shield with a lily in gold.
    const QColor dark = Mix(base, Qt::black, 0.3);
    p.fillRect(QRectF(f.left(), f.top(), f.width() / 2, f.height() / 2), dark);
    p.fillRect(QRectF(f.center().x(), f.center().y(), f.width() / 2, f.height() / 2), dark);
    Lattice(p, f, 8 * u, Mix(base, Qt::white, 0.2), 0.5 * u);
    const QRectF s(f.center().x() - 28 * u, f.center().y() - 34 * u, 56 * u, 66 * u);
    p.setPen(QPen(kGoldLine, 1.6 * u));
    p.setBrush(Mix(base, Qt::black, 0.45));
    p.drawPath(Shield(s));
    Glyph(p, QString::fromUtf8("⚜"), "DejaVu Sans", s.center() - QPointF(0, 4 * u), 40 * u, kGoldLine);
}

void Medieval2(QPainter& p, const QRectF& f, double u, const QColor& base) {
    // Quatrefoils in rows, and a rose window in the middle.
    const QColor light = Mix(base, Qt::white, 0.35);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(light, 0.8 * u));
    const double step = 18 * u;
    for (double y = f.top(); y < f.bottom() + step; y += step)
        for (double x = f.left(); x < f.right() + step; x += step) {
            const QPointF c(x, y);
            for (int i = 0; i < 4; ++i)
                p.drawEllipse(c + QPointF(std::cos(i * M_PI / 2) * 3.5 * u, std::sin(i * M_PI / 2) * 3.5 * u),
                              3.5 * u, 3.5 * u);
        }
    const QPointF c = f.center();
    const double r = std::min(f.width(), f.height()) * 0.36;
    p.setPen(QPen(kGoldLine, 1.4 * u));
    p.setBrush(Mix(base, Qt::black, 0.35));
    p.drawEllipse(c, r, r);
    p.setBrush(Mix(base, Qt::white, 0.15));
    p.drawPath(Flower(c, r * 0.9, 12, 0, 0));
    p.setBrush(kGoldLine);
    p.drawEllipse(c, r * 0.18, r * 0.18);
    for (int i = 0; i < 12; ++i) {
        const double a = i * M_PI / 6;
        p.drawLine(c + QPointF(std::cos(a) * r * 0.18, std::sin(a) * r * 0.18),
                   c + QPointF(std::cos(a) * r, std::sin(a) * r));
    }
}

void Carpet(QPainter& p, const QRectF& f, double u, const QColor& base) {
    // Bands of triangles and lozenges round a central medallion, as on a woven rug.
    const QColor gold(214, 160, 60), cream = kCream;
    QRectF band = f;
    for (int ring = 0; ring < 3; ++ring) {
        const double bw = 9 * u;
        const QRectF inner = band.adjusted(bw, bw, -bw, -bw);
        p.setPen(Qt::NoPen);
        p.setBrush(ring % 2 ? Mix(base, Qt::black, 0.35) : cream);
        QPainterPath ringPath;
        ringPath.addRect(band);
        ringPath.addRect(inner);
        ringPath.setFillRule(Qt::OddEvenFill);
        p.drawPath(ringPath);
        p.setBrush(ring % 2 ? gold : base);
        // A row of lozenges along each side of the band.
        const int n = static_cast<int>(band.width() / bw), m = static_cast<int>(band.height() / bw);
        for (int i = 0; i < n; ++i) {
            const double x = band.left() + (i + 0.5) * band.width() / n;
            p.drawPolygon(Lozenge(QPointF(x, band.top() + bw / 2), bw * 0.35));
            p.drawPolygon(Lozenge(QPointF(x, band.bottom() - bw / 2), bw * 0.35));
        }
        for (int i = 0; i < m; ++i) {
            const double y = band.top() + (i + 0.5) * band.height() / m;
            p.drawPolygon(Lozenge(QPointF(band.left() + bw / 2, y), bw * 0.35));
            p.drawPolygon(Lozenge(QPointF(band.right() - bw / 2, y), bw * 0.35));
        }
        band = inner;
    }
    p.fillRect(band, base);
    const QPointF c = band.center();
    QPainterPath medallion;
    const double rx = band.width() * 0.46, ry = band.height() * 0.4;
    for (int i = 0; i < 8; ++i) {
        const double a = i * M_PI / 4;
        const QPointF q =
            c + QPointF(std::cos(a) * rx * (i % 2 ? 0.7 : 1), std::sin(a) * ry * (i % 2 ? 0.7 : 1));
        if (i == 0)
            medallion.moveTo(q);
        else
            medallion.lineTo(q);
    }
    medallion.closeSubpath();
    p.setBrush(cream);
    p.setPen(QPen(gold, 1.2 * u));
    p.drawPath(medallion);
    p.setBrush(Mix(base, Qt::black, 0.2));
    p.drawPath(Flower(c, std::min(rx, ry) * 0.6, 8, 1, 0));
}

QPainterPath CrossPattee(QPointF c, double r) {
    QPainterPath cross;
    cross.setFillRule(Qt::WindingFill);
    for (int i = 0; i < 4; ++i) {
        const double a = i * M_PI / 2;
        const QPointF dir(std::cos(a), std::sin(a)), side(-std::sin(a), std::cos(a));
        QPainterPath arm;
        arm.moveTo(c + side * r * 0.12);
        arm.lineTo(c + dir * r + side * r * 0.42);
        arm.quadTo(c + dir * r * 0.9, c + dir * r - side * r * 0.42);
        arm.lineTo(c - side * r * 0.12);
        arm.closeSubpath();
        cross.addPath(arm);
    }
    return cross.simplified();
}

void Cross(QPainter& p, const QRectF& f, double u, const QColor& base) {
    const double step = 20 * u;
    int row = 0;
    for (double y = f.top() + step / 2; y < f.bottom() + step; y += step, ++row)
        for (double x = f.left() + (row % 2 ? step : step / 2); x < f.right() + step; x += step) {
            p.setPen(Qt::NoPen);
            p.setBrush(row % 2 ? Mix(base, Qt::white, 0.3) : Mix(base, Qt::black, 0.3));
            p.drawPath(CrossPattee(QPointF(x, y), 7 * u));
        }
    const QPointF c = f.center();
    const double r = std::min(f.width(), f.height()) * 0.32;
    p.setBrush(kCream);
    p.setPen(QPen(kGoldLine, 1.5 * u));
    p.drawEllipse(c, r, r);
    p.setBrush(base);
    p.setPen(QPen(Mix(base, Qt::black, 0.4), 0.8 * u));
    p.drawPath(CrossPattee(c, r * 0.8));
}

void Chess(QPainter& p, const QRectF& f, double u, const QColor& base, int back) {
    const int cols = 8;
    const double cell = f.width() / cols;
    for (int r = 0; r * cell < f.height(); ++r)
        for (int c = 0; c < cols; ++c)
            p.fillRect(QRectF(f.left() + c * cell, f.top() + r * cell, cell, cell),
                       (r + c) % 2 ? Mix(base, Qt::black, 0.35) : Mix(base, Qt::white, 0.55));
    static const char* const kPieces[10] = {"♚", "♛", "♜", "♝", "♞", "♟", "♔", "♕", "♖", "♘"};
    const QPointF c = f.center();
    const double r = f.width() * 0.34;
    p.setPen(QPen(kGoldLine, 1.6 * u));
    p.setBrush(kCream);
    p.drawEllipse(c, r, r);
    Glyph(p, QString::fromUtf8(kPieces[back - 1]), "DejaVu Sans", c, r * 1.3, Mix(base, Qt::black, 0.3));
}

void Diamond(QPainter& p, const QRectF& f, double u, const QColor& base) {
    // Argyle: lozenges in two shades with fine diagonal lines over them.
    const double w = 22 * u, h = 30 * u;
    int row = 0;
    for (double y = f.top(); y < f.bottom() + h; y += h / 2, ++row)
        for (double x = f.left() + (row % 2 ? w / 2 : 0); x < f.right() + w; x += w) {
            QPainterPath d;
            d.moveTo(x, y - h / 2);
            d.lineTo(x + w / 2, y);
            d.lineTo(x, y + h / 2);
            d.lineTo(x - w / 2, y);
            d.closeSubpath();
            p.setPen(Qt::NoPen);
            p.setBrush(row % 2 ? Mix(base, Qt::black, 0.3) : Mix(base, Qt::white, 0.25));
            p.drawPath(d);
        }
    p.setPen(QPen(kGoldLine, 0.6 * u, Qt::DashLine));
    for (double k = -f.height(); k < f.width() + f.height(); k += w) {
        p.drawLine(QPointF(f.left() + k, f.top()), QPointF(f.left() + k + f.height() * w / h, f.bottom()));
        p.drawLine(QPointF(f.left() + k, f.top()), QPointF(f.left() + k - f.height() * w / h, f.bottom()));
    }
}

void Knightly(QPainter& p, const QRectF& f, double u, const QColor& base) {
    // Diagonal bands, then a shield with crossed swords and a helmet's crest of plumes.
    p.setPen(QPen(Mix(base, Qt::black, 0.3), 6 * u));
    for (double k = -f.height(); k < f.width() + f.height(); k += 16 * u)
        p.drawLine(QPointF(f.left() + k, f.top()), QPointF(f.left() + k + f.height(), f.bottom()));
    const QRectF s(f.center().x() - 30 * u, f.center().y() - 30 * u, 60 * u, 72 * u);
    p.setPen(QPen(QColor(200, 200, 210), 2 * u));
    p.setBrush(Mix(base, Qt::white, 0.15));
    p.drawPath(Shield(s));
    p.setPen(QPen(kGoldLine, 1 * u));
    p.drawLine(QPointF(s.center().x(), s.top()), QPointF(s.center().x(), s.bottom()));
    Glyph(p, QString::fromUtf8("⚔"), "DejaVu Sans", s.center(), 42 * u, QColor(230, 232, 240));
    p.setPen(Qt::NoPen);
    for (int i = -2; i <= 2; ++i) {
        p.setBrush(i % 2 ? QColor(230, 40, 40) : kCream);
        p.drawEllipse(QPointF(s.center().x() + i * 6 * u, s.top() - 8 * u + std::abs(i) * 2 * u), 3.4 * u,
                      8 * u);
    }
}

void Animals(QPainter& p, const QRectF& f, double u, const QColor& base, int back) {
    // A seal with one of the animals of the calendar, on clouds.
    static const char* const kSigns[10] = {"鼠", "牛", "虎", "兔", "龍", "蛇", "馬", "羊", "猴", "雞"};
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Mix(base, Qt::white, 0.3), 1.0 * u));
    for (double y = f.top() + 10 * u; y < f.bottom(); y += 20 * u)
        for (double x = f.left() + ((int((y - f.top()) / (20 * u)) % 2) ? 0 : 12 * u); x < f.right();
             x += 24 * u) {
            p.drawArc(QRectF(x - 6 * u, y - 4 * u, 12 * u, 8 * u), 0, 180 * 16);
            p.drawArc(QRectF(x + 2 * u, y - 6 * u, 10 * u, 10 * u), 0, 200 * 16);
        }
    const QPointF c = f.center();
    const double r = f.width() * 0.36;
    p.setPen(QPen(kGoldLine, 2 * u));
    p.setBrush(QColor(176, 24, 24));
    p.drawRoundedRect(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), r * 0.2, r * 0.2);
    Glyph(p, QString::fromUtf8(kSigns[back - 1]), "WenQuanYi Micro Hei", c, r * 1.4, kGoldLine);
}

void Flowers(QPainter& p, const QRectF& f, double u, const QColor& base, int back) {
    const int petals = 4 + back % 6;
    const int shape = back % 3;
    const QColor petal = Mix(QColor::fromHsv((back * 36) % 360, 120, 255), Qt::white, 0.2);
    const double step = 24 * u;
    int row = 0;
    for (double y = f.top(); y < f.bottom() + step; y += step * 0.8, ++row)
        for (double x = f.left() + (row % 2 ? step / 2 : 0); x < f.right() + step; x += step) {
            p.setPen(Qt::NoPen);
            p.setBrush(Mix(base, Qt::white, 0.25));
            p.drawPath(Flower(QPointF(x, y), 6 * u, petals, shape, row * 0.3));
        }
    const QPointF c = f.center();
    const double r = f.width() * 0.4;
    p.setBrush(Mix(base, Qt::black, 0.3));
    p.setPen(QPen(kGoldLine, 1.2 * u));
    p.drawEllipse(c, r, r);
    QRadialGradient g(c, r);
    g.setColorAt(0, petal.lighter(120));
    g.setColorAt(1, petal.darker(120));
    p.setBrush(g);
    p.setPen(QPen(petal.darker(160), 0.8 * u));
    p.drawPath(Flower(c, r * 0.9, petals, shape, -M_PI / 2));
    p.setBrush(QColor(250, 210, 60));
    p.drawEllipse(c, r * 0.18, r * 0.18);
}

void Places(QPainter& p, const QRectF& f, double u, const QColor& base, int back) {
    // A small landscape in an arched window: mountains, sea, a town, a forest or dunes, by day or
    // by night, framed by the back's colour.
    p.fillRect(f, Mix(base, Qt::black, 0.2));
    const QRectF win = f.adjusted(10 * u, 14 * u, -10 * u, -14 * u);
    QPainterPath arch;
    arch.moveTo(win.bottomLeft());
    arch.lineTo(win.left(), win.top() + win.width() / 2);
    arch.arcTo(QRectF(win.left(), win.top(), win.width(), win.width()), 180, -180);
    arch.lineTo(win.bottomRight());
    arch.closeSubpath();
    const bool night = back % 2 == 0;
    QLinearGradient sky(win.topLeft(), win.bottomLeft());
    sky.setColorAt(0, night ? QColor(10, 20, 60) : QColor(90, 160, 230));
    sky.setColorAt(1, night ? QColor(50, 60, 120) : QColor(250, 220, 170));
    p.save();
    p.setClipPath(arch);
    p.fillRect(win, sky);
    const double horizon = win.top() + win.height() * 0.62;
    p.setPen(Qt::NoPen);
    p.setBrush(night ? QColor(250, 250, 220) : QColor(255, 220, 80));
    p.drawEllipse(QPointF(win.left() + win.width() * 0.72, win.top() + win.height() * 0.25), 8 * u, 8 * u);
    const int scene = (back - 1) / 2;
    Random rnd(static_cast<std::uint64_t>(back) * 77);
    if (scene == 0 || scene == 3) {
        // Mountains with snow.
        QPainterPath m;
        m.moveTo(win.left(), horizon);
        double x = win.left();
        while (x < win.right()) {
            const double peak = horizon - (20 + rnd.Unit() * 30) * u;
            m.lineTo(x + 12 * u, peak);
            x += 24 * u;
            m.lineTo(x, horizon - 6 * u);
        }
        m.lineTo(win.right(), win.bottom());
        m.lineTo(win.left(), win.bottom());
        m.closeSubpath();
        p.setBrush(night ? QColor(40, 50, 70) : QColor(110, 120, 140));
        p.drawPath(m);
    }
    if (scene == 1 || scene == 3) {
        // The sea with a sail.
        p.setBrush(night ? QColor(20, 40, 90) : QColor(30, 110, 180));
        p.drawRect(QRectF(win.left(), horizon, win.width(), win.bottom() - horizon));
        p.setPen(QPen(QColor(255, 255, 255, 120), 0.8 * u));
        for (double y = horizon + 6 * u; y < win.bottom(); y += 7 * u)
            p.drawLine(QPointF(win.left() + 6 * u, y), QPointF(win.right() - 10 * u, y));
        p.setPen(Qt::NoPen);
        p.setBrush(kCream);
        QPainterPath sail;
        sail.moveTo(win.center().x(), horizon - 22 * u);
        sail.lineTo(win.center().x() + 12 * u, horizon - 2 * u);
        sail.lineTo(win.center().x(), horizon - 2 * u);
        sail.closeSubpath();
        p.drawPath(sail);
        p.setBrush(QColor(120, 60, 20));
        p.drawRect(QRectF(win.center().x() - 8 * u, horizon - 2 * u, 22 * u, 4 * u));
    } else if (scene == 2) {
        // A town: houses and towers with lit windows.
        p.setBrush(night ? QColor(30, 30, 40) : QColor(150, 110, 90));
        double x = win.left();
        while (x < win.right()) {
            const double bw = (10 + rnd.Unit() * 10) * u, bh = (14 + rnd.Unit() * 34) * u;
            p.setBrush(night ? QColor(30, 30, 40) : QColor::fromHsv(20, 80, int(140 + rnd.Unit() * 80)));
            p.drawRect(QRectF(x, horizon + 20 * u - bh, bw, bh));
            p.setBrush(QColor(250, 220, 100));
            for (double wy = horizon + 24 * u - bh; wy < horizon + 14 * u; wy += 7 * u)
                p.drawRect(QRectF(x + bw * 0.35, wy, bw * 0.3, 3 * u));
            x += bw + 2 * u;
        }
        p.setBrush(QColor(90, 130, 60));
        p.drawRect(QRectF(win.left(), horizon + 20 * u, win.width(), win.bottom() - horizon));
    } else if (scene == 4) {
        // A forest, or dunes with a pyramid.
        const bool forest = back % 2 == 1;
        p.setBrush(forest ? QColor(60, 110, 50) : QColor(220, 180, 110));
        QPainterPath ground;
        ground.moveTo(win.left(), horizon);
        ground.cubicTo(win.left() + win.width() * 0.3, horizon - 12 * u, win.left() + win.width() * 0.6,
                       horizon + 10 * u, win.right(), horizon - 6 * u);
        ground.lineTo(win.bottomRight());
        ground.lineTo(win.bottomLeft());
        ground.closeSubpath();
        p.drawPath(ground);
        if (forest) {
            for (int i = 0; i < 6; ++i) {
                const double tx = win.left() + (i + 0.5) * win.width() / 6;
                QPainterPath tree;
                tree.moveTo(tx, horizon - 26 * u);
                tree.lineTo(tx + 8 * u, horizon + 4 * u);
                tree.lineTo(tx - 8 * u, horizon + 4 * u);
                tree.closeSubpath();
                p.setBrush(QColor(30, 80, 40));
                p.drawPath(tree);
            }
        } else {
            QPainterPath pyramid;
            pyramid.moveTo(win.center().x(), horizon - 30 * u);
            pyramid.lineTo(win.center().x() + 30 * u, horizon + 4 * u);
            pyramid.lineTo(win.center().x() - 30 * u, horizon + 4 * u);
            pyramid.closeSubpath();
            p.setBrush(QColor(200, 150, 80));
            p.drawPath(pyramid);
        }
    } else {
        // A meadow at the foot of the mountains.
        p.setBrush(night ? QColor(30, 60, 40) : QColor(90, 150, 60));
        p.drawRect(QRectF(win.left(), horizon - 4 * u, win.width(), win.bottom() - horizon + 4 * u));
    }
    if (night) {
        p.setBrush(QColor(255, 255, 230));
        for (int i = 0; i < 14; ++i)
            p.drawEllipse(
                QPointF(win.left() + rnd.Unit() * win.width(), win.top() + rnd.Unit() * win.height() * 0.4),
                0.7 * u, 0.7 * u);
    }
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kGoldLine, 2 * u));
    p.drawPath(arch);
}

void Other(QPainter& p, const QRectF& f, double u, const QColor& base, int back) {
    // Ten geometric patterns in the spirit of op art.
    const QColor light = Mix(base, Qt::white, 0.6), dark = Mix(base, Qt::black, 0.3);
    const QPointF c = f.center();
    p.fillRect(f, dark);
    p.setPen(Qt::NoPen);
    switch (back) {
        case 1:  // concentric rings
            for (double r = f.height(); r > 0; r -= 6 * u) {
                p.setBrush(int(r / (6 * u)) % 2 ? light : dark);
                p.drawEllipse(c, r, r);
            }
            break;
        case 2:  // stripes that bend round the middle
            for (double x = f.left(); x < f.right(); x += 6 * u) {
                QPainterPath s;
                s.moveTo(x, f.top());
                s.cubicTo(x + (c.x() - x) * 0.4, c.y() - 20 * u, x + (c.x() - x) * 0.4, c.y() + 20 * u, x,
                          f.bottom());
                p.setPen(QPen(light, 2.2 * u));
                p.drawPath(s);
            }
            break;
        case 3:  // a spiral
        {
            QPainterPath s;
            for (double t = 0; t < 40 * M_PI; t += 0.05) {
                const double r = t * 1.1 * u;
                const QPointF q = c + QPointF(r * std::cos(t), r * std::sin(t));
                t == 0 ? s.moveTo(q) : s.lineTo(q);
            }
            p.setPen(QPen(light, 2.2 * u));
            p.drawPath(s);
            break;
        }
        case 4:  // waves
            for (double y = f.top(); y < f.bottom() + 8 * u; y += 8 * u) {
                QPainterPath s;
                for (double x = f.left(); x <= f.right(); x += 1) {
                    const QPointF q(x, y + 3 * u * std::sin((x - f.left()) / (8 * u)));
                    x == f.left() ? s.moveTo(q) : s.lineTo(q);
                }
                p.setPen(QPen(light, 2 * u));
                p.drawPath(s);
            }
            break;
        case 5:  // a field of stars
            for (double y = f.top(); y < f.bottom() + 14 * u; y += 14 * u)
                for (double x = f.left(); x < f.right() + 14 * u; x += 14 * u)
                    Glyph(p, QString::fromUtf8("★"), "DejaVu Sans",
                          QPointF(x + (int(y / (14 * u)) % 2) * 7 * u, y), 9 * u, light);
            break;
        case 6:  // hexagons
            for (double y = f.top(); y < f.bottom() + 12 * u; y += 10.4 * u)
                for (double x = f.left() + (int((y - f.top()) / (10.4 * u)) % 2) * 9 * u;
                     x < f.right() + 18 * u; x += 18 * u) {
                    QPolygonF hex;
                    for (int i = 0; i < 6; ++i)
                        hex << QPointF(x + 5.6 * u * std::cos(i * M_PI / 3),
                                       y + 5.6 * u * std::sin(i * M_PI / 3));
                    p.setBrush(light);
                    p.drawPolygon(hex);
                }
            break;
        case 7:  // dots growing towards the middle
            for (double y = f.top(); y < f.bottom() + 8 * u; y += 8 * u)
                for (double x = f.left(); x < f.right() + 8 * u; x += 8 * u) {
                    const double d = std::hypot(x - c.x(), y - c.y()) / std::hypot(f.width(), f.height());
                    p.setBrush(light);
                    p.drawEllipse(QPointF(x, y), (1 - d) * 3.6 * u, (1 - d) * 3.6 * u);
                }
            break;
        case 8:  // zigzag
            for (double y = f.top(); y < f.bottom() + 10 * u; y += 10 * u) {
                QPainterPath s;
                s.moveTo(f.left(), y);
                for (double x = f.left(); x < f.right() + 10 * u; x += 10 * u)
                    s.lineTo(x + 5 * u, y + 5 * u), s.lineTo(x + 10 * u, y);
                p.setPen(QPen(light, 2 * u));
                p.drawPath(s);
            }
            break;
        case 9:  // a sunburst
            for (int i = 0; i < 36; i += 2) {
                QPainterPath ray;
                ray.moveTo(c);
                ray.arcTo(QRectF(c.x() - f.height(), c.y() - f.height(), 2 * f.height(), 2 * f.height()),
                          i * 10, 10);
                ray.closeSubpath();
                p.setBrush(light);
                p.drawPath(ray);
            }
            break;
        default:  // a checked diagonal
            p.save();
            p.translate(c);
            p.rotate(45);
            for (int i = -20; i < 20; ++i)
                for (int j = -20; j < 20; ++j)
                    if ((i + j) % 2) p.fillRect(QRectF(i * 8 * u, j * 8 * u, 8 * u, 8 * u), light);
            p.restore();
            break;
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kGoldLine, 1.2 * u));
    p.drawRect(f.adjusted(3 * u, 3 * u, -3 * u, -3 * u));
}

void Russian(QPainter& p, const QRectF& f, double u, const QColor& base) {
    // Painted folk ornament: gold stems curling over black, with red berries and leaves.
    p.fillRect(f, QColor(18, 14, 12));
    const QColor gold(224, 170, 50), red(200, 30, 24);
    p.setBrush(Qt::NoBrush);
    const QPointF c = f.center();
    for (int side = -1; side <= 1; side += 2) {
        QPainterPath stem;
        stem.moveTo(c.x(), f.bottom());
        stem.cubicTo(c.x() + side * 30 * u, f.bottom() - 40 * u, c.x() - side * 30 * u, f.top() + 60 * u,
                     c.x(), f.top() + 10 * u);
        p.setPen(QPen(gold, 2 * u, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(stem);
        for (int i = 1; i < 8; ++i) {
            const QPointF q = stem.pointAtPercent(i / 8.0);
            const double a = (i % 2 ? 1 : -1) * side;
            p.setPen(QPen(gold, 1.2 * u));
            QPainterPath curl;
            curl.moveTo(q);
            curl.cubicTo(q + QPointF(a * 10 * u, -6 * u), q + QPointF(a * 18 * u, 4 * u),
                         q + QPointF(a * 12 * u, 8 * u));
            p.drawPath(curl);
            p.setPen(Qt::NoPen);
            p.setBrush(i % 3 ? QColor(70, 120, 40) : gold);
            p.save();
            p.translate(q + QPointF(a * 7 * u, -7 * u));
            p.rotate(a * 40);
            p.drawEllipse(QPointF(0, 0), 5 * u, 2.2 * u);
            p.restore();
            p.setBrush(red);
            for (int k = 0; k < 3; ++k)
                p.drawEllipse(q + QPointF(a * (12 + k * 3) * u, (8 + (k % 2) * 3) * u), 2.3 * u, 2.3 * u);
            p.setBrush(Qt::NoBrush);
        }
    }
    p.setPen(QPen(Mix(base, gold, 0.7), 1.4 * u));
    p.drawRect(f.adjusted(2.5 * u, 2.5 * u, -2.5 * u, -2.5 * u));
}

}  // namespace

QImage DrawLibraryBack(int style, int back, int w, int h, bool big) {
    QImage image = Canvas(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF f = DrawBackPaper(p, w, h, big);
    QPainterPath field;
    field.addRoundedRect(f, big ? 5 : 2, big ? 5 : 2);
    const QColor base = kBackBase[(back - 1) % 10];
    p.setPen(Qt::NoPen);
    p.setBrush(base);
    p.drawPath(field);
    p.setClipPath(field);
    const double u = f.width() / 132.0;  // one design unit: the big wide field is 132 wide
    switch (style) {
        case 1:
            Medieval1(p, f, u, base);
            break;
        case 2:
            Medieval2(p, f, u, base);
            break;
        case 3:
            Carpet(p, f, u, base);
            break;
        case 4:
            Cross(p, f, u, base);
            break;
        case 5:
            Chess(p, f, u, base, back);
            break;
        case 6:
            Diamond(p, f, u, base);
            break;
        case 7:
            Knightly(p, f, u, base);
            break;
        case 8:
            Animals(p, f, u, base, back);
            break;
        case 9:
            Flowers(p, f, u, base, back);
            break;
        case 10:
            Places(p, f, u, base, back);
            break;
        case 11:
            Other(p, f, u, base, back);
            break;
        default:
            Russian(p, f, u, base);
            break;
    }
    return image;
}

}  // namespace artgen
