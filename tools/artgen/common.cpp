// Shared pieces of the art generator: the writer, the suit shapes and text outlines.
#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QTransform>

#include "artgen.h"
#include "library_pack.h"

namespace artgen {

void ArtWriter::Png(const QString& name, const QImage& image) {
    const QString upper = name.toUpper();
    const QString file = upper + ".png";
    if (!image.save(QDir(folder_).filePath(file), "PNG")) ok_ = false;
    names_ << upper;
    files_ << file;
}

void ArtWriter::Jpeg(const QString& name, const QImage& image, int quality) {
    const QString upper = name.toUpper();
    const QString file = upper + ".jpg";
    if (!image.convertToFormat(QImage::Format_RGB32).save(QDir(folder_).filePath(file), "JPEG", quality))
        ok_ = false;
    names_ << upper;
    files_ << file;
}

bool ArtWriter::WriteQrc(const QString& fileName) const {
    return kesp::WriteResourceList(fileName, names_, files_);
}

void ArtWriter::Absorb(const ArtWriter& other) {
    names_ << other.names_;
    files_ << other.files_;
    ok_ = ok_ && other.ok_;
}

QImage Canvas(int w, int h) {
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QColor Mix(const QColor& a, const QColor& b, double t) {
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t, a.greenF() + (b.greenF() - a.greenF()) * t,
                            a.blueF() + (b.blueF() - a.blueF()) * t);
}

bool IsRed(int suit) {
    return suit == kHearts || suit == kDiamonds;
}

QColor SuitColour(int suit) {
    return IsRed(suit) ? QColor(206, 17, 38) : QColor(22, 22, 26);
}

QPainterPath SuitPath(int suit) {
    QPainterPath path;
    switch (suit) {
        case kHearts:
            path.moveTo(50, 95);
            path.cubicTo(38, 78, 4, 58, 3, 31);
            path.cubicTo(2, 13, 15, 3, 29, 3);
            path.cubicTo(40, 3, 47, 10, 50, 20);
            path.cubicTo(53, 10, 60, 3, 71, 3);
            path.cubicTo(85, 3, 98, 13, 97, 31);
            path.cubicTo(96, 58, 62, 78, 50, 95);
            path.closeSubpath();
            break;
        case kDiamonds:
            path.moveTo(50, 1);
            path.cubicTo(60, 19, 72, 35, 86, 50);
            path.cubicTo(72, 65, 60, 81, 50, 99);
            path.cubicTo(40, 81, 28, 65, 14, 50);
            path.cubicTo(28, 35, 40, 19, 50, 1);
            path.closeSubpath();
            break;
        case kClubs: {
            QPainterPath parts;
            parts.setFillRule(Qt::WindingFill);
            parts.addEllipse(QPointF(50, 25), 21.5, 21.5);
            parts.addEllipse(QPointF(25.5, 60), 21.5, 21.5);
            parts.addEllipse(QPointF(74.5, 60), 21.5, 21.5);
            QPainterPath middle;
            middle.moveTo(40, 40);
            middle.lineTo(60, 40);
            middle.lineTo(62, 62);
            middle.lineTo(38, 62);
            middle.closeSubpath();
            parts.addPath(middle);
            QPainterPath stem;
            stem.moveTo(47, 58);
            stem.cubicTo(47, 78, 42, 90, 31, 98);
            stem.lineTo(69, 98);
            stem.cubicTo(58, 90, 53, 78, 53, 58);
            stem.closeSubpath();
            parts.addPath(stem);
            path = parts.simplified();
            break;
        }
        default: {
            QPainterPath body;
            body.setFillRule(Qt::WindingFill);
            body.moveTo(50, 1);
            body.cubicTo(62, 20, 97, 38, 97, 62);
            body.cubicTo(97, 77, 86, 84, 74, 84);
            body.cubicTo(64, 84, 57, 79, 53, 72);
            body.lineTo(47, 72);
            body.cubicTo(43, 79, 36, 84, 26, 84);
            body.cubicTo(14, 84, 3, 77, 3, 62);
            body.cubicTo(3, 38, 38, 20, 50, 1);
            body.closeSubpath();
            QPainterPath stem;
            stem.moveTo(47.5, 66);
            stem.cubicTo(47, 82, 42, 91, 31, 98);
            stem.lineTo(69, 98);
            stem.cubicTo(58, 91, 53, 82, 52.5, 66);
            stem.closeSubpath();
            body.addPath(stem);
            path = body.simplified();
            break;
        }
    }
    return path;
}

void DrawSuit(QPainter& p, int suit, const QRectF& box, bool shaded, bool upsideDown) {
    DrawSuit(p, suit, box, shaded, upsideDown, ClassicStyle());
}

void DrawSuit(QPainter& p, int suit, const QRectF& box, bool shaded, bool upsideDown,
              const DeckStyle& style) {
    QTransform t;
    if (upsideDown) {
        t.translate(box.right(), box.bottom());
        t.scale(-box.width() / 100.0, -box.height() / 100.0);
    } else {
        t.translate(box.left(), box.top());
        t.scale(box.width() / 100.0, box.height() / 100.0);
    }
    const QPainterPath path = t.map(SuitPath(suit, style.shapes));
    const QColor c = style.ink[suit];
    p.save();
    p.setPen(Qt::NoPen);
    if (shaded) {
        // Lighter at the top left, deeper at the bottom right; the classic inks keep their own.
        QLinearGradient g(box.topLeft(), box.bottomRight());
        if (c == SuitColour(kHearts)) {
            g.setColorAt(0, QColor(232, 45, 60));
            g.setColorAt(1, QColor(170, 6, 24));
        } else if (c == SuitColour(kSpades)) {
            g.setColorAt(0, QColor(62, 62, 72));
            g.setColorAt(1, QColor(8, 8, 12));
        } else {
            g.setColorAt(0, c.lighter(130));
            g.setColorAt(1, c.darker(140));
        }
        p.setBrush(g);
    } else {
        p.setBrush(c);
    }
    p.drawPath(path);
    p.restore();
}

QPainterPath TextPath(const QString& text, const QFont& font, double cx, double top, double height,
                      double maxWidth) {
    QPainterPath raw;
    raw.addText(0, 0, font, text);
    const QRectF r = raw.boundingRect();
    if (r.isEmpty()) return raw;
    double sy = height / r.height();
    double sx = sy;
    if (maxWidth > 0 && r.width() * sx > maxWidth) sx = maxWidth / r.width();
    QTransform t;
    t.translate(cx - r.width() * sx / 2, top);
    t.scale(sx, sy);
    t.translate(-r.left(), -r.top());
    return t.map(raw);
}

}  // namespace artgen
