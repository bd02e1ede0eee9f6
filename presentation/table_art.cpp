#include "presentation/table_art.h"

#include <QPainterPath>
#include <QPolygonF>
#include <cmath>

#include "presentation/card_art.h"

namespace kesp {

QImage CardArtPictures::Picture(std::string_view name) const {
    const QString key = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())).toUpper();
    const auto found = pictures_.constFind(key);
    if (found != pictures_.constEnd()) return *found;
    QImage image = LoadOwnImage(name);
    pictures_.insert(key, image);
    return image;
}

QImage CardArtPictures::Background() const {
    return art_.Background();
}

QColor CardArtPictures::WindowColour() const {
    return art_.WindowColour();
}

QImage CardArtPictures::Symbol(std::uint8_t suitChar, bool big) const {
    return big ? art_.SymbolImagePng(suitChar) : art_.SymbolImage(suitChar);
}

bool CardArtPictures::DrawFace(QPainter& painter, int x, int y, Card card) const {
    const bool small = art_.SizeClass() == CardSizeClass::kSmall;
    if (!card.IsCard() || (small ? art_.FaceImage(card) : art_.FaceImagePng(card)).isNull()) return false;
    art_.DrawCardCell(x, y, card, painter);
    return true;
}

bool CardArtPictures::DrawBack(QPainter& painter, int x, int y, bool turned) const {
    if (art_.BackImage(art_.CurrentBack(), turned).isNull()) return false;
    art_.DrawBackCell(x, y, turned, painter);
    return true;
}

void DrawFaceOrStandIn(const TableArt& art, QPainter& painter, const QRect& cell, Card card) {
    if (card.IsCard() && !art.DrawFace(painter, cell.x(), cell.y(), card))
        DrawStandInFace(painter, cell, card);
}

void DrawBackOrStandIn(const TableArt& art, QPainter& painter, const QRect& cell, bool turned) {
    if (!art.DrawBack(painter, cell.x(), cell.y(), turned)) DrawStandInBack(painter, cell);
}

namespace {

bool StartsWith(const QString& s, const char* prefix) {
    return s.startsWith(QLatin1String(prefix));
}

QImage Blank(QSize size) {
    QImage image(size.expandedTo({1, 1}), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QPolygonF StarPolygon(const QRectF& box) {
    QPolygonF star;
    const QPointF c = box.center();
    const double outer = std::min(box.width(), box.height()) / 2.0;
    const double inner = outer * 0.45;
    for (int i = 0; i < 10; ++i) {
        const double angle = -M_PI / 2 + i * M_PI / 5;
        const double r = i % 2 == 0 ? outer : inner;
        star << QPointF(c.x() + r * std::cos(angle), c.y() + r * std::sin(angle));
    }
    return star;
}

QColor StripColour(const QString& name) {
    if (StartsWith(name, "SPBLUE")) return {34, 76, 196};
    if (StartsWith(name, "SPGREEN")) return {24, 138, 56};
    if (StartsWith(name, "SPRED")) return {196, 32, 32};
    if (StartsWith(name, "SPYELLOW")) return {206, 156, 0};
    return {128, 44, 168};  // SPFiolet
}

}  // namespace

void DrawSuitShape(QPainter& painter, std::uint8_t suitChar, const QRectF& box) {
    const bool red = suitChar == suit::Hearts || suitChar == suit::Diamonds;
    QPainterPath path;
    const double x = box.x(), y = box.y(), w = box.width(), h = box.height();
    if (suitChar == suit::Diamonds) {
        path.moveTo(x + w / 2, y);
        path.lineTo(x + w * 0.9, y + h / 2);
        path.lineTo(x + w / 2, y + h);
        path.lineTo(x + w * 0.1, y + h / 2);
        path.closeSubpath();
    } else if (suitChar == suit::Hearts) {
        path.moveTo(x + w / 2, y + h);
        path.cubicTo(x - w * 0.1, y + h * 0.45, x + w * 0.15, y - h * 0.1, x + w / 2, y + h * 0.28);
        path.cubicTo(x + w * 0.85, y - h * 0.1, x + w * 1.1, y + h * 0.45, x + w / 2, y + h);
    } else if (suitChar == suit::Spades) {
        path.moveTo(x + w / 2, y);
        path.cubicTo(x + w * 1.1, y + h * 0.5, x + w * 0.75, y + h * 0.85, x + w / 2, y + h * 0.62);
        path.cubicTo(x + w * 0.25, y + h * 0.85, x - w * 0.1, y + h * 0.5, x + w / 2, y);
        path.addRect(QRectF(x + w * 0.44, y + h * 0.55, w * 0.12, h * 0.45));
    } else if (suitChar == suit::Clubs) {
        const double r = w * 0.22;
        path.addEllipse(QPointF(x + w / 2, y + h * 0.25), r, r);
        path.addEllipse(QPointF(x + w * 0.27, y + h * 0.55), r, r);
        path.addEllipse(QPointF(x + w * 0.73, y + h * 0.55), r, r);
        path.addRect(QRectF(x + w * 0.44, y + h * 0.45, w * 0.12, h * 0.55));
        path.setFillRule(Qt::WindingFill);
    } else {
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(red ? QColor(206, 17, 38) : QColor(22, 22, 26));
    painter.drawPath(path);
    painter.restore();
}

void DrawStandInFace(QPainter& painter, const QRect& cell, Card card) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(40, 40, 40), 1));
    painter.setBrush(QColor(252, 252, 248));
    painter.drawRoundedRect(QRectF(cell).adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
    if (card.IsCard()) {
        static const char* kRanks[9] = {"6", "7", "8", "9", "10", "J", "Q", "K", "A"};
        const bool red = card.suit == suit::Hearts || card.suit == suit::Diamonds;
        QFont font;
        font.setBold(true);
        font.setPixelSize(std::max(8, cell.height() / 6));
        painter.setFont(font);
        painter.setPen(red ? QColor(206, 17, 38) : QColor(22, 22, 26));
        const int m = std::max(2, cell.width() / 18);
        painter.drawText(QRect(cell.x() + m, cell.y() + m, cell.width() / 2, cell.height() / 5),
                         Qt::AlignLeft | Qt::AlignTop, kRanks[RankValue(card.rank) - 1]);
        const double sw = cell.width() * 0.5;
        DrawSuitShape(painter, card.suit,
                      QRectF(cell.x() + (cell.width() - sw) / 2,
                             cell.y() + (cell.height() - sw) / 2 + cell.height() / 12.0, sw, sw));
    }
    painter.restore();
}

void DrawStandInBack(QPainter& painter, const QRect& cell) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(20, 20, 20), 1));
    painter.setBrush(QColor(250, 250, 250));
    painter.drawRoundedRect(QRectF(cell).adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
    const QRectF inner = QRectF(cell).adjusted(4, 4, -4, -4);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(30, 60, 150));
    painter.drawRoundedRect(inner, 3, 3);
    painter.setClipRect(inner);
    painter.setPen(QPen(QColor(90, 130, 220), 1));
    for (double d = -inner.height(); d < inner.width(); d += 6) {
        painter.drawLine(QPointF(inner.left() + d, inner.top()),
                         QPointF(inner.left() + d + inner.height(), inner.bottom()));
        painter.drawLine(QPointF(inner.left() + d + inner.height(), inner.top()),
                         QPointF(inner.left() + d, inner.bottom()));
    }
    painter.restore();
}

QImage StandInPicture(std::string_view name, QSize size) {
    const QString key = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())).toUpper();
    QImage image = Blank(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box(0.5, 0.5, image.width() - 1.0, image.height() - 1.0);
    const double sx = image.width() / 155.0, sy = image.height() / 95.0;
    if (StartsWith(key, "TABLO")) {
        p.setPen(QPen(QColor(200, 160, 60), 2));
        p.setBrush(QColor(70, 44, 20, 235));
        p.drawRoundedRect(box.adjusted(1, 1, -1, -1), 10 * sx, 10 * sy);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(250, 240, 210));
        const QRectF places[4] = {{15, 15, 125, 31}, {15, 50, 35, 31}, {55, 50, 45, 31}, {105, 50, 35, 31}};
        for (const QRectF& r : places)
            p.drawRoundedRect(QRectF(r.x() * sx, r.y() * sy, r.width() * sx, r.height() * sy), 5 * sx,
                              5 * sy);
    } else if (StartsWith(key, "SP")) {
        const QColor c = StripColour(key);
        QLinearGradient g(0, 0, 0, image.height());
        g.setColorAt(0, c.lighter(150));
        g.setColorAt(0.5, c);
        g.setColorAt(1, c.darker(150));
        p.setPen(QPen(c.darker(200), 1));
        p.setBrush(g);
        p.drawRoundedRect(box, image.height() / 2.0, image.height() / 2.0);
    } else if (StartsWith(key, "RAMKA")) {
        p.setPen(QPen(QColor(180, 140, 50), 3));
        p.setBrush(QColor(252, 246, 226, 240));
        p.drawRoundedRect(box.adjusted(1.5, 1.5, -1.5, -1.5), 8, 8);
    } else if (StartsWith(key, "GKOLODASMALL")) {
        p.setPen(QPen(QColor(30, 30, 30), 1));
        for (int i = 0; i < 3; ++i) {
            p.setBrush(i == 2 ? QColor(30, 60, 150) : QColor(240, 240, 240));
            p.drawRoundedRect(QRectF(box.width() * (0.1 + 0.08 * i), box.height() * 0.1, box.width() * 0.6,
                                     box.height() * 0.8),
                              3, 3);
        }
    } else if (StartsWith(key, "GKOLODALARGE")) {
        p.setPen(QPen(QColor(230, 220, 180), 3));
        p.setBrush(QColor(0, 0, 0, 60));
        p.drawEllipse(box.adjusted(2, 2, -2, -2));
    } else if (StartsWith(key, "HAND")) {
        const bool up = StartsWith(key, "HAND_UP");
        QPolygonF arrow;
        const double w = box.width(), h = box.height();
        if (up)
            arrow << QPointF(w / 2, 1) << QPointF(w - 1, h * 0.45) << QPointF(w * 0.68, h * 0.45)
                  << QPointF(w * 0.68, h - 1) << QPointF(w * 0.32, h - 1) << QPointF(w * 0.32, h * 0.45)
                  << QPointF(1, h * 0.45);
        else
            arrow << QPointF(w - 1, h / 2) << QPointF(w * 0.55, 1) << QPointF(w * 0.55, h * 0.32)
                  << QPointF(1, h * 0.32) << QPointF(1, h * 0.68) << QPointF(w * 0.55, h * 0.68)
                  << QPointF(w * 0.55, h - 1);
        p.setPen(QPen(QColor(120, 60, 0), 1));
        p.setBrush(QColor(255, 200, 40));
        p.drawPolygon(arrow);
    } else if (StartsWith(key, "ZVEZDA")) {
        const bool yellow = StartsWith(key, "ZVEZDAY");
        p.setPen(QPen(QColor(90, 20, 0), 1));
        p.setBrush(yellow ? QColor(255, 220, 0) : QColor(230, 20, 20));
        p.drawPolygon(StarPolygon(box));
    } else if (StartsWith(key, "GBCLOCKP")) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 60, 40));
        const double r = image.width() / 3.0;
        p.drawEllipse(QPointF(image.width() / 2.0, image.height() * 0.25), r, r);
        p.drawEllipse(QPointF(image.width() / 2.0, image.height() * 0.75), r, r);
    } else if (StartsWith(key, "GBCLOCK")) {
        QFont font;
        font.setBold(true);
        font.setPixelSize(std::max(1, image.height()));
        p.setFont(font);
        p.setPen(QColor(255, 60, 40));
        p.drawText(image.rect(), Qt::AlignCenter, key.right(1));
    } else if (StartsWith(key, "GCLOCKBG")) {
        p.setPen(QPen(QColor(120, 120, 120), 2));
        p.setBrush(QColor(16, 16, 16));
        p.drawRoundedRect(box.adjusted(1, 1, -1, -1), 8, 8);
    } else if (StartsWith(key, "CAP") || StartsWith(key, "ELITE") || StartsWith(key, "NET__")) {
        p.setPen(QPen(QColor(120, 0, 0), 2));
        p.setBrush(QColor(190, 20, 20));
        p.drawRoundedRect(box.adjusted(1, 1, -1, -1), image.height() / 3.0, image.height() / 3.0);
    } else if (StartsWith(key, "LOGO")) {
        const double w = box.width() / 2, h = box.height() / 2;
        DrawSuitShape(p, suit::Spades, QRectF(0, 0, w, h));
        DrawSuitShape(p, suit::Hearts, QRectF(w, 0, w, h));
        DrawSuitShape(p, suit::Diamonds, QRectF(0, h, w, h));
        DrawSuitShape(p, suit::Clubs, QRectF(w, h, w, h));
    } else {
        p.setPen(QPen(QColor(200, 200, 200), 1));
        p.setBrush(QColor(40, 40, 40, 160));
        p.drawRoundedRect(box, 4, 4);
    }
    return image;
}

}  // namespace kesp
