// The table's pictures: the felt, seat tabs, bubbles, the panel frame, deck symbols, hands, stars.
#include <QLinearGradient>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <vector>

#include "artgen.h"

namespace artgen {

// Felt: a soft light in the middle, a fine fibre texture and per-pixel noise. Every channel is
// computed in floating point and dithered when rounded, so the vignette shows no bands.
QImage Felt(int w, int h, std::uint64_t seed, const QColor& colour) {
    QImage image(w, h, QImage::Format_RGB32);
    Random rnd(seed);
    // Fibre texture: noise smoothed along a slight diagonal.
    std::vector<float> fibre(static_cast<size_t>(w) * h);
    for (auto& v : fibre) v = static_cast<float>(rnd.Unit() - 0.5);
    std::vector<float> smooth(fibre.size());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float sum = 0;
            for (int k = -2; k <= 2; ++k) {
                const int xx = std::clamp(x + k, 0, w - 1), yy = std::clamp(y + k / 2, 0, h - 1);
                sum += fibre[static_cast<size_t>(yy) * w + xx];
            }
            smooth[static_cast<size_t>(y) * w + x] = sum / 5.0f;
        }
    const double cx = w / 2.0, cy = h / 2.0;
    const double maxR = std::sqrt(cx * cx + cy * cy);
    for (int y = 0; y < h; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const double d = std::sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy)) / maxR;
            const double light = 1.12 - 0.38 * d * d;
            const double f = smooth[static_cast<size_t>(y) * w + x] * 14.0 + (rnd.Unit() - 0.5) * 6.0;
            auto channel = [&](double base) {
                const double dither = rnd.Unit() - rnd.Unit();
                return std::clamp(static_cast<int>(std::lround(base * light + f * base / 110.0 + dither)), 0,
                                  255);
            };
            row[x] = qRgb(channel(colour.red()), channel(colour.green()), channel(colour.blue()));
        }
    }
    return image;
}

namespace {

// The felt a recorded deal is drawn on: flat areas of a handful of colours (a darker rim, a thin
// light line inside it), so the recording's frames compress to little.
QImage RecordingFelt(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(QColor(10, 82, 34));
    QPainter p(&image);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(14, 98, 40));
    p.drawRoundedRect(QRect(6, 6, w - 12, h - 12), 14, 14);
    p.setBrush(QColor(40, 132, 64));
    p.drawRoundedRect(QRect(12, 12, w - 24, h - 24), 10, 10);
    p.setBrush(QColor(18, 112, 46));
    p.drawRoundedRect(QRect(14, 14, w - 28, h - 28), 9, 9);
    return image;
}

QColor Shade(const QColor& c, double f) {
    if (f >= 0)
        return QColor::fromRgbF(c.redF() + (1 - c.redF()) * f, c.greenF() + (1 - c.greenF()) * f,
                                c.blueF() + (1 - c.blueF()) * f, c.alphaF());
    return QColor::fromRgbF(c.redF() * (1 + f), c.greenF() * (1 + f), c.blueF() * (1 + f), c.alphaF());
}

// A recessed light well: the places the tab's numbers, hand and star are written on.
void Well(QPainter& p, const QRectF& r, double k) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(226, 220, 200));
    g.setColorAt(0.25, QColor(250, 246, 232));
    g.setColorAt(1, QColor(255, 252, 242));
    p.setBrush(g);
    p.setPen(QPen(QColor(90, 70, 40), k));
    p.drawRoundedRect(r, 4 * k, 4 * k);
}

// A wooden board with a gold inlay: the base of the seat tab and the information panel.
void Board(QPainter& p, const QRectF& r, double k) {
    QLinearGradient wood(r.topLeft(), r.bottomRight());
    wood.setColorAt(0, QColor(120, 62, 28));
    wood.setColorAt(0.5, QColor(92, 44, 18));
    wood.setColorAt(1, QColor(64, 28, 10));
    p.setPen(QPen(QColor(40, 18, 6), k));
    p.setBrush(wood);
    p.drawRoundedRect(r.adjusted(0.5 * k, 0.5 * k, -0.5 * k, -0.5 * k), 9 * k, 9 * k);
    // Grain.
    Random rnd(7);
    p.save();
    QPainterPath clip;
    clip.addRoundedRect(r.adjusted(k, k, -k, -k), 8 * k, 8 * k);
    p.setClipPath(clip);
    for (int i = 0; i < 22; ++i) {
        const double y = r.top() + r.height() * rnd.Unit();
        QPainterPath grain;
        grain.moveTo(r.left(), y);
        grain.cubicTo(r.left() + r.width() * 0.3, y + (rnd.Unit() - 0.5) * 8 * k, r.left() + r.width() * 0.7,
                      y + (rnd.Unit() - 0.5) * 8 * k, r.right(), y + (rnd.Unit() - 0.5) * 4 * k);
        p.setPen(QPen(QColor(150, 90, 50, 40 + static_cast<int>(rnd.Unit() * 40)), k * (0.5 + rnd.Unit())));
        p.setBrush(Qt::NoBrush);
        p.drawPath(grain);
    }
    p.restore();
    // Bevel light on top, gold inlay line.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 220, 160, 90), k));
    p.drawRoundedRect(r.adjusted(1.5 * k, 1.5 * k, -1.5 * k, -1.5 * k), 8 * k, 8 * k);
    p.setPen(QPen(QColor(222, 178, 70), 1.2 * k));
    p.drawRoundedRect(r.adjusted(5 * k, 5 * k, -5 * k, -5 * k), 6 * k, 6 * k);
}

QImage Tab(int k) {
    QImage image = Canvas(155 * k, 95 * k);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(k, k);
    Board(p, QRectF(0, 0, 155, 95), 1);
    Well(p, QRectF(15, 15, 125, 31), 1);
    Well(p, QRectF(15, 50, 35, 31), 1);
    Well(p, QRectF(55, 50, 45, 31), 1);
    Well(p, QRectF(105, 50, 35, 31), 1);
    return image;
}

// A framed cream panel of w x h design pixels; the ornate one (the information panel) has corner
// flourishes and a rule, the plain one (the chat box) leaves all its room to the text.
QImage Panel(int k, int w, int h, bool ornate) {
    QImage image = Canvas(w * k, h * k);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(k, k);
    Board(p, QRectF(0, 0, w, h), 1);
    const QRectF inner(9, 9, w - 18, h - 18);
    QLinearGradient g(inner.topLeft(), inner.bottomLeft());
    g.setColorAt(0, QColor(255, 251, 236));
    g.setColorAt(1, QColor(242, 232, 204));
    p.setBrush(g);
    p.setPen(QPen(QColor(90, 70, 40), 1));
    p.drawRoundedRect(inner, 5, 5);
    if (!ornate) return image;
    // Corner flourishes.
    p.setPen(QPen(QColor(200, 160, 70), 1));
    p.setBrush(Qt::NoBrush);
    for (int c = 0; c < 4; ++c) {
        p.save();
        p.translate(inner.center());
        p.scale(c % 2 ? -1 : 1, c / 2 ? -1 : 1);
        p.translate(-inner.center());
        QPainterPath f;
        f.moveTo(inner.left() + 4, inner.top() + 18);
        f.cubicTo(inner.left() + 4, inner.top() + 8, inner.left() + 8, inner.top() + 4, inner.left() + 18,
                  inner.top() + 4);
        p.drawPath(f);
        p.drawEllipse(QPointF(inner.left() + 9, inner.top() + 9), 1.5, 1.5);
        p.restore();
    }
    p.setPen(QPen(QColor(200, 160, 70), 0.8));
    p.drawLine(QPointF(25, 58), QPointF(85, 58));
    return image;
}

// A coloured strip with a glossy top half; white bold names are written on it.
QImage Bubble(QColor colour, int k) {
    QImage image = Canvas(160 * k, 20 * k);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(k, k);
    const QRectF r(0.5, 0.5, 159, 19);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, Shade(colour, 0.35));
    g.setColorAt(0.45, colour);
    g.setColorAt(1, Shade(colour, -0.35));
    p.setBrush(g);
    p.setPen(QPen(Shade(colour, -0.55), 1));
    p.drawRoundedRect(r, 9.5, 9.5);
    QLinearGradient gloss(0, 1, 0, 10);
    gloss.setColorAt(0, QColor(255, 255, 255, 120));
    gloss.setColorAt(1, QColor(255, 255, 255, 10));
    p.setBrush(gloss);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(4, 1.5, 152, 8), 4, 4);
    return image;
}

// The label behind the deck's count.
QImage DeckPlaque(int k) {
    QImage image = Canvas(58 * k, 25 * k);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(k, k);
    QLinearGradient g(0, 0, 0, 25);
    g.setColorAt(0, QColor(255, 250, 226));
    g.setColorAt(1, QColor(236, 222, 180));
    p.setBrush(g);
    p.setPen(QPen(QColor(176, 132, 40), 1.4));
    p.drawRoundedRect(QRectF(1, 1, 56, 23), 7, 7);
    p.setPen(QPen(QColor(176, 132, 40, 120), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(3.5, 3.5, 51, 18), 5, 5);
    return image;
}

// The empty deck: a gold ring around a light field where the trump's symbol is shown.
QImage DeckMedallion(int k) {
    QImage image = Canvas(60 * k, 60 * k);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(k, k);
    QRadialGradient ring(QPointF(24, 22), 40);
    ring.setColorAt(0, QColor(255, 230, 140));
    ring.setColorAt(0.6, QColor(212, 160, 40));
    ring.setColorAt(1, QColor(140, 96, 16));
    p.setBrush(ring);
    p.setPen(QPen(QColor(100, 66, 10), 1));
    p.drawEllipse(QPointF(30, 30), 28.5, 28.5);
    QRadialGradient field(QPointF(27, 26), 24);
    field.setColorAt(0, QColor(255, 255, 250));
    field.setColorAt(1, QColor(236, 228, 206));
    p.setBrush(field);
    p.drawEllipse(QPointF(30, 30), 21, 21);
    p.setPen(QPen(QColor(100, 66, 10, 150), 0.8, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(30, 30), 25, 25);
    return image;
}

}  // namespace

// A pointing hand in a 40 x 60 box, finger up.
void PointingHandShape(QPainter& p) {
    const QPen ink(QColor(60, 40, 30), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(ink);
    QLinearGradient skin(0, 0, 40, 0);
    skin.setColorAt(0, QColor(255, 236, 214));
    skin.setColorAt(1, QColor(236, 196, 160));
    p.setBrush(skin);
    // Folded fingers and palm.
    QPainterPath palm;
    palm.moveTo(9, 30);
    palm.cubicTo(7, 24, 12, 22, 15, 24);
    palm.lineTo(15, 6);
    palm.cubicTo(15, 1, 22, 1, 22, 6);
    palm.lineTo(22, 22);
    palm.cubicTo(24, 19, 29, 20, 29, 24);
    palm.cubicTo(31, 21, 36, 22, 36, 27);
    palm.lineTo(36, 40);
    palm.cubicTo(36, 46, 32, 49, 28, 50);
    palm.lineTo(14, 50);
    palm.cubicTo(10, 46, 8, 40, 6, 36);
    palm.cubicTo(4, 32, 6, 28, 9, 30);
    palm.closeSubpath();
    p.drawPath(palm);
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(22, 24), QPointF(22, 31));
    p.drawLine(QPointF(29, 25), QPointF(29, 32));
    p.drawLine(QPointF(15, 24), QPointF(15, 34));
    // Nail.
    p.setPen(QPen(QColor(200, 150, 130), 1));
    p.drawArc(QRectF(16.5, 3, 4, 5), 0, 180 * 16);
    // The cuff.
    p.setPen(ink);
    QLinearGradient cuff(0, 50, 0, 58);
    cuff.setColorAt(0, QColor(255, 255, 255));
    cuff.setColorAt(1, QColor(200, 206, 220));
    p.setBrush(cuff);
    p.drawRoundedRect(QRectF(11, 49, 20, 9), 2, 2);
}

namespace {

QImage Hand(int w, int h, bool right) {
    QImage image = Canvas(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (right) {
        p.translate(w, 0);
        p.rotate(90);
        p.scale(h / 40.0, w / 60.0);
    } else {
        p.scale(w / 40.0, h / 60.0);
    }
    PointingHandShape(p);
    return image;
}

QImage Star(int size, QColor colour) {
    QImage image = Canvas(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double c = size / 2.0;
    const double outer = size * 0.48, inner = outer * 0.45;
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const double a = -M_PI / 2 + i * M_PI / 5;
        const double r = i % 2 ? inner : outer;
        const QPointF q(c + r * std::cos(a), c + 0.04 * size + r * std::sin(a));
        if (i == 0)
            star.moveTo(q);
        else
            star.lineTo(q);
    }
    star.closeSubpath();
    QRadialGradient g(QPointF(c * 0.85, c * 0.75), outer);
    g.setColorAt(0, Shade(colour, 0.55));
    g.setColorAt(0.5, colour);
    g.setColorAt(1, Shade(colour, -0.35));
    p.setBrush(g);
    p.setPen(
        QPen(Shade(colour, -0.6), std::max(0.8, size / 40.0), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(star);
    return image;
}

}  // namespace

void DrawTable(ArtWriter& out) {
    out.Jpeg("FonG", Felt(760, 500, 1), 92);
    out.Jpeg("FonGB", Felt(1520, 1000, 2), 90);
    out.Png("GIFBackGr", RecordingFelt(760, 500));
    out.Png("TabloSm", Tab(1));
    out.Png("TabloBg", Tab(2));
    out.Png("RamkaABSm", Panel(1, 110, 160, true));
    out.Png("RamkaABBg", Panel(2, 110, 160, true));
    out.Png("RamkaERSm", Panel(1, 130, 90, false));
    out.Png("RamkaERBg", Panel(2, 130, 90, false));
    const struct {
        const char* name;
        QColor colour;
    } bubbles[] = {{"SPBlue", QColor(30, 84, 200)},
                   {"SPGreen", QColor(22, 146, 54)},
                   {"SPRed", QColor(206, 30, 30)},
                   {"SPYellow", QColor(214, 152, 0)},
                   {"SPFiolet", QColor(136, 44, 178)}};
    for (const auto& b : bubbles) {
        out.Png(b.name, Bubble(b.colour, 1));
        out.Png(QString(b.name) + "B", Bubble(b.colour, 2));
    }
    out.Png("GKolodaSmall", DeckPlaque(1));
    out.Png("GKolodaSmallB", DeckPlaque(2));
    out.Png("GKolodaLarge", DeckMedallion(1));
    out.Png("GKolodaLargeB", DeckMedallion(2));
    out.Png("Hand_Up", Hand(40, 60, false));
    out.Png("Hand_Right", Hand(60, 40, true));
    out.Png("Hand_UpSm", Hand(20, 30, false));
    out.Png("Hand_RightSm", Hand(30, 20, true));
    out.Png("ZvezdaRSm", Star(25, QColor(220, 24, 24)));
    out.Png("ZvezdaYSm", Star(25, QColor(250, 200, 20)));
    out.Png("ZvezdaR", Star(50, QColor(220, 24, 24)));
    out.Png("ZvezdaY", Star(50, QColor(250, 200, 20)));
}

}  // namespace artgen
