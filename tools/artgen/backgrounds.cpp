// The table backgrounds of the background library: ten styles, each in seven colours.
#include <QLinearGradient>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <vector>

#include "library.h"

namespace artgen {
namespace {

// Green, red, orange, yellow, light blue, dark blue, violet: deep enough for cards to stand out.
const QColor kColours[7] = {QColor(14, 112, 46),  QColor(130, 18, 28),  QColor(176, 84, 16),
                            QColor(168, 138, 20), QColor(30, 120, 170), QColor(18, 36, 110),
                            QColor(92, 30, 124)};

QColor Scale(const QColor& c, double f) {
    return QColor(std::clamp(int(c.red() * f), 0, 255), std::clamp(int(c.green() * f), 0, 255),
                  std::clamp(int(c.blue() * f), 0, 255));
}

// A per-pixel pass: `value(x, y)` gives a brightness factor around 1 for the colour, plus a fine
// dither so gradients show no bands.
template <typename Value>
QImage Shade(int w, int h, const QColor& c, std::uint64_t seed, Value value) {
    QImage image(w, h, QImage::Format_RGB32);
    Random rnd(seed);
    for (int y = 0; y < h; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const double f = value(x, y);
            auto ch = [&](int base) {
                return std::clamp(int(std::lround(base * f + (rnd.Unit() - 0.5) * 3)), 0, 255);
            };
            row[x] = qRgb(ch(c.red()), ch(c.green()), ch(c.blue()));
        }
    }
    return image;
}

double Vignette(int x, int y, int w, int h) {
    const double dx = (x - w / 2.0) / (w / 2.0), dy = (y - h / 2.0) / (h / 2.0);
    return 1.1 - 0.3 * (dx * dx + dy * dy) / 2;
}

QImage Sun(int w, int h, const QColor& c) {
    // Rays from the middle with a warm light.
    return Shade(w, h, c, 11, [&](int x, int y) {
        const double a = std::atan2(y - h / 2.0, x - w / 2.0);
        const double ray = 0.5 + 0.5 * std::cos(36 * a);
        const double d = std::hypot(x - w / 2.0, y - h / 2.0) / std::hypot(w / 2.0, h / 2.0);
        return (1.3 - 0.6 * d) * (0.9 + 0.12 * ray);
    });
}

QImage Gradient(int w, int h, const QColor& c) {
    return Shade(w, h, c, 12, [&](int x, int y) {
        const double d = std::hypot((x - w * 0.5) / w, (y - h * 0.35) / h);
        return 1.35 - 1.1 * d;
    });
}

QImage Cloth(int w, int h, const QColor& c, int k) {
    // A plain weave: threads over and under, each with its own sheen.
    return Shade(w, h, c, 13, [&](int x, int y) {
        const int t = 4 * k;
        const bool over = ((x / t) + (y / t)) % 2 == 0;
        const double along = over ? std::sin(M_PI * (x % t) / t) : std::sin(M_PI * (y % t) / t);
        return Vignette(x, y, w, h) * (0.86 + 0.16 * along);
    });
}

QImage Tree(int w, int h, const QColor& c, int k) {
    // Wood: long rings bent by a slow wave, with pores.
    Random rnd(14);
    std::vector<double> phase(64);
    for (double& v : phase) v = rnd.Unit() * 2 * M_PI;
    return Shade(w, h, Scale(c, 0.9).lighter(110), 15, [&](int x, int y) {
        const double yy = y / double(k) + 9 * std::sin(x / (180.0 * k) + phase[(y / (60 * k)) % 64]);
        const double ring = std::sin(yy / 3.2 + 2 * std::sin(x / (400.0 * k)));
        return Vignette(x, y, w, h) * (0.9 + 0.1 * ring * ring * ring + 0.04 * std::sin(x / (2.0 * k)));
    });
}

QImage Silk(int w, int h, const QColor& c) {
    // Broad soft folds of light.
    return Shade(w, h, c, 16, [&](int x, int y) {
        const double u = x / double(w), v = y / double(h);
        const double fold = std::sin(6 * u + 3 * std::sin(4 * v)) * std::sin(3 * v + 2 * u);
        return 1.0 + 0.22 * fold;
    });
}

// The felt with a printed table: a light line round an oval, as on a casino's table.
QImage Casino(int w, int h, const QColor& c, int k) {
    QImage image = Felt(w, h, 17, c);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 230, 150, 150), 3 * k));
    p.drawRoundedRect(QRectF(w * 0.07, h * 0.1, w * 0.86, h * 0.8), h * 0.35, h * 0.35);
    p.setPen(QPen(QColor(255, 230, 150, 90), 1.2 * k));
    p.drawRoundedRect(QRectF(w * 0.085, h * 0.125, w * 0.83, h * 0.75), h * 0.33, h * 0.33);
    return image;
}

// Felt printed with a repeat: suit signs (pattern) or rosettes in a lattice (ornament).
QImage Printed(int w, int h, const QColor& c, int k, bool rosettes) {
    QImage image = Felt(w, h, rosettes ? 18 : 19, c);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double step = 56.0 * k;
    int row = 0;
    for (double y = step / 2; y < h + step; y += step * 0.866, ++row)
        for (double x = (row % 2 ? step / 2 : 0); x < w + step; x += step) {
            const QColor ink = row % 2 ? Scale(c, 1.25) : Scale(c, 0.78);
            if (rosettes) {
                p.setPen(QPen(ink, 1.2 * k));
                p.setBrush(Qt::NoBrush);
                for (int i = 0; i < 6; ++i) {
                    const double a = i * M_PI / 3;
                    p.drawEllipse(QPointF(x + std::cos(a) * 8 * k, y + std::sin(a) * 8 * k), 8 * k, 8 * k);
                }
            } else {
                const int suit = (int(x / step) + row) % 4;
                QTransform t;
                t.translate(x - 9 * k, y - 9 * k);
                t.scale(0.18 * k, 0.18 * k);
                p.setPen(Qt::NoPen);
                p.setBrush(ink);
                p.drawPath(t.map(SuitPath(suit)));
            }
        }
    return image;
}

// A carpet: a wide patterned border and a medallion on a plain field.
QImage CarpetBackground(int w, int h, const QColor& c, int k) {
    QImage image = Cloth(w, h, c, k);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double b = 34.0 * k;
    const QColor dark = Scale(c, 0.6), light = Scale(c, 1.35), gold(200, 160, 70);
    QPainterPath border;
    border.addRect(0, 0, w, h);
    border.addRect(b, b, w - 2 * b, h - 2 * b);
    border.setFillRule(Qt::OddEvenFill);
    p.setPen(Qt::NoPen);
    p.setBrush(dark);
    p.drawPath(border);
    p.setBrush(light);
    auto lozenge = [&](double x, double y) {
        p.drawPolygon(QPolygonF{{x, y - b * 0.32}, {x + b * 0.32, y}, {x, y + b * 0.32}, {x - b * 0.32, y}});
    };
    for (double x = b / 2; x < w; x += b) {
        lozenge(x, b / 2);
        lozenge(x, h - b / 2);
    }
    for (double y = b * 1.5; y < h - b; y += b) {
        lozenge(b / 2, y);
        lozenge(w - b / 2, y);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(gold, 2 * k));
    p.drawRect(QRectF(b + 4 * k, b + 4 * k, w - 2 * b - 8 * k, h - 2 * b - 8 * k));
    const QPointF centre(w / 2.0, h / 2.0);
    QPolygonF medallion;
    for (int i = 0; i < 16; ++i) {
        const double a = i * M_PI / 8, r = (i % 2 ? 0.7 : 1.0) * h * 0.22;
        medallion << centre + QPointF(std::cos(a) * r * 1.5, std::sin(a) * r);
    }
    p.setPen(QPen(gold, 2 * k));
    p.setBrush(QColor(dark.red(), dark.green(), dark.blue(), 150));
    p.drawPolygon(medallion);
    return image;
}

}  // namespace

QImage DrawBackground(int style, int colour, int w, int h) {
    const QColor c = kColours[std::clamp(colour, 0, 6)];
    const int k = w > 1000 ? 2 : 1;
    switch (style) {
        case 1:
            return Sun(w, h, c);
        case 2:
            return Felt(w, h, 20 + colour, c);
        case 3:
            return Gradient(w, h, c);
        case 4:
            return Cloth(w, h, c, k);
        case 5:
            return CarpetBackground(w, h, c, k);
        case 6:
            return Tree(w, h, c, k);
        case 7:
            return Casino(w, h, c, k);
        case 8:
            return Printed(w, h, c, k, false);
        case 9:
            return Silk(w, h, c);
        default:
            return Printed(w, h, c, k, true);
    }
}

}  // namespace artgen
