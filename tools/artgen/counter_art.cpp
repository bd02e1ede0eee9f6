// The menu counter's pictures: six sets of seven-segment digits (each set in its own colour, with a
// minus sign) for the clock panel's dark glass, and the small icons of the platforms it counts.
#include "artgen.h"

namespace artgen {

namespace {

// Digit pictures are narrow enough that five of them stand side by side on the panel's glass.
constexpr int kDigitWidth = 13;
constexpr int kDigitHeight = 28;

// Segments a..g of the digits 0..9: top, upper right, lower right, bottom, lower left, upper left,
// middle. The minus lights the middle one only.
constexpr int kSegments[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};
constexpr int kMinusSegments = 0x40;

QImage CounterDigit(int segments, const QColor& lit) {
    QImage image = Canvas(kDigitWidth, kDigitHeight);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double t = 2.6;  // segment thickness
    const double left = 2, right = 11, top = 2, middle = 14, bottom = 26;
    auto horizontal = [&](double y) {
        return QPolygonF({QPointF(left, y), QPointF(left + t / 2, y - t / 2),
                          QPointF(right - t / 2, y - t / 2), QPointF(right, y),
                          QPointF(right - t / 2, y + t / 2), QPointF(left + t / 2, y + t / 2)});
    };
    auto vertical = [&](double x, double y0, double y1) {
        return QPolygonF({QPointF(x, y0), QPointF(x + t / 2, y0 + t / 2), QPointF(x + t / 2, y1 - t / 2),
                          QPointF(x, y1), QPointF(x - t / 2, y1 - t / 2), QPointF(x - t / 2, y0 + t / 2)});
    };
    const double gap = 0.6;  // a hair between touching segments, as on a real display
    const QPolygonF shapes[7] = {horizontal(top),
                                 vertical(right, top + gap, middle - gap),
                                 vertical(right, middle + gap, bottom - gap),
                                 horizontal(bottom),
                                 vertical(left, middle + gap, bottom - gap),
                                 vertical(left, top + gap, middle - gap),
                                 horizontal(middle)};
    const QColor unlit(lit.red() / 4, lit.green() / 4, lit.blue() / 4, 60);
    p.setPen(Qt::NoPen);
    // A soft glow under the lit segments, then the segments themselves.
    QColor glow = lit;
    glow.setAlpha(70);
    for (int s = 0; s < 7; ++s) {
        if (!(segments & (1 << s))) continue;
        p.setPen(QPen(glow, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPolygon(shapes[s]);
    }
    p.setPen(Qt::NoPen);
    for (int s = 0; s < 7; ++s) {
        const bool on = segments & (1 << s);
        p.setBrush(on ? lit : unlit);
        p.drawPolygon(shapes[s]);
    }
    return image;
}

// A desktop window: a blue title bar with its three buttons over a light page with a few lines.
QImage DesktopIcon() {
    QImage image = Canvas(48, 48);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF frame(3.5, 6.5, 41, 35);
    p.setPen(QPen(QColor(20, 40, 90), 2.5));
    p.setBrush(QColor(245, 248, 255));
    p.drawRoundedRect(frame, 4, 4);
    QLinearGradient bar(0, 6, 0, 17);
    bar.setColorAt(0, QColor(90, 160, 255));
    bar.setColorAt(1, QColor(30, 90, 210));
    p.setPen(Qt::NoPen);
    p.setBrush(bar);
    p.setClipRect(QRectF(3, 6, 42, 11));
    p.drawRoundedRect(frame.adjusted(1.25, 1.25, -1.25, 0), 3, 3);
    p.setClipping(false);
    const QColor buttons[3] = {QColor(255, 210, 60), QColor(120, 230, 120), QColor(255, 90, 80)};
    for (int i = 0; i < 3; ++i) {
        p.setBrush(buttons[i]);
        p.drawEllipse(QPointF(28 + 5.5 * i, 12), 2.1, 2.1);
    }
    p.setPen(QPen(QColor(30, 90, 210), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10, 24), QPointF(38, 24));
    p.drawLine(QPointF(10, 30), QPointF(32, 30));
    p.drawLine(QPointF(10, 36), QPointF(26, 36));
    return image;
}

// A small friendly robot: a square head with one antenna and round eyes on a boxy body.
QImage RobotIcon() {
    QImage image = Canvas(48, 48);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor body(70, 190, 90), edge(20, 90, 40);
    p.setPen(QPen(edge, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(24, 9), QPointF(24, 4.5));
    p.setBrush(QColor(255, 90, 70));
    p.drawEllipse(QPointF(24, 4), 3, 3);
    p.setBrush(body);
    p.drawRoundedRect(QRectF(11, 9, 26, 17), 5, 5);   // head
    p.drawRoundedRect(QRectF(13, 28, 22, 15), 3, 3);  // body
    p.drawRoundedRect(QRectF(5, 29, 6, 11), 3, 3);    // arms
    p.drawRoundedRect(QRectF(37, 29, 6, 11), 3, 3);
    p.drawLine(QPointF(19, 43), QPointF(19, 46));  // legs
    p.drawLine(QPointF(29, 43), QPointF(29, 46));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(18.5, 16.5), 3.6, 3.6);
    p.drawEllipse(QPointF(29.5, 16.5), 3.6, 3.6);
    p.setBrush(QColor(20, 40, 30));
    p.drawEllipse(QPointF(19, 17), 1.7, 1.7);
    p.drawEllipse(QPointF(30, 17), 1.7, 1.7);
    p.setPen(QPen(edge, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(20, 22), QPointF(28, 22));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 220, 80));
    p.drawEllipse(QPointF(24, 35.5), 3, 3);  // a lamp on the chest
    return image;
}

}  // namespace

void DrawCounterArt(ArtWriter& out) {
    struct DigitSet {
        const char* prefix;
        QColor colour;
    };
    const DigitSet sets[] = {
        {"GRClock", QColor(255, 64, 48)},   {"GAClock", QColor(40, 235, 255)},
        {"GGClock", QColor(80, 255, 110)},  {"GYClock", QColor(255, 225, 40)},
        {"GVClock", QColor(205, 110, 255)}, {"GNClock", QColor(90, 140, 255)},
    };
    for (const DigitSet& set : sets) {
        for (int d = 0; d < 10; ++d)
            out.Png(set.prefix + QString::number(d), CounterDigit(kSegments[d], set.colour));
        out.Png(set.prefix + QStringLiteral("M"), CounterDigit(kMinusSegments, set.colour));
    }
    out.Png("Windows", DesktopIcon());
    out.Png("Android", RobotIcon());
}

}  // namespace artgen
