#include "presentation/cards_button.h"

#include "art_resources.h"

#include <QEnterEvent>
#include <QFile>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <array>
#include <cmath>

namespace kesp {

namespace {

// Rounds a non-negative num / den to the nearest integer, halves upward.
int RoundDiv(long num, long den) {
    return static_cast<int>((2 * num + den) / (2 * den));
}

bool NearPureRed(int r, int g, int b) {
    return (r - 255) * (r - 255) + g * g + b * b < 180 * 180;
}

// The three height bands: art height, the end piece's width at the band's own height, and the
// insets and sizes of the focus marks.
struct Band {
    int art;       // rows of the art: 29, 44, 59
    int endWidth;  // 8, 13, 17
    int base;      // 30, 45, 60
    int konturX, konturY;
    int dotOffset, dotSize;
    int glyphX;
};
constexpr std::array<Band, 3> kBands = {{
    {29, 8, 30, 7, 4, 10, 4, 15},
    {44, 13, 45, 9, 5, 13, 5, 18},
    {59, 17, 60, 11, 6, 15, 6, 20},
}};

const Band& BandOf(int height) {
    return height <= 30 ? kBands[0] : height <= 45 ? kBands[1] : kBands[2];
}
bool IsStandardHeight(int height) {
    return height == 30 || height == 45 || height == 60;
}

// The classic 30-pixel gradient as drawn; the other bands follow its shape.
constexpr std::array<QRgb, 29> kGradient30 = {
    qRgb(128, 0, 0),     qRgb(17, 0, 0),      qRgb(135, 91, 91),   qRgb(232, 173, 173), qRgb(223, 163, 163),
    qRgb(215, 153, 153), qRgb(207, 145, 145), qRgb(200, 136, 136), qRgb(194, 127, 127), qRgb(188, 117, 117),
    qRgb(184, 108, 108), qRgb(180, 99, 99),   qRgb(178, 89, 89),   qRgb(176, 80, 80),   qRgb(152, 36, 36),
    qRgb(136, 0, 0),     qRgb(144, 0, 0),     qRgb(153, 0, 0),     qRgb(161, 0, 0),     qRgb(170, 0, 0),
    qRgb(178, 0, 0),     qRgb(187, 0, 0),     qRgb(195, 0, 0),     qRgb(204, 0, 0),     qRgb(212, 0, 0),
    qRgb(221, 0, 0),     qRgb(229, 0, 0),     qRgb(238, 0, 0),     qRgb(128, 0, 0)};
constexpr int kPaleFirst30 = 3;
constexpr int kPaleRows30 = 11;

// One channel of the pale band: from `from` to `to` over `rows`, along the curve of the 30 band.
int PaleChannel(int row, int rows, int from, int to, bool red) {
    auto shape = [red](int j) {
        const QRgb c = kGradient30[kPaleFirst30 + j];
        const QRgb a = kGradient30[kPaleFirst30];
        const QRgb b = kGradient30[kPaleFirst30 + kPaleRows30 - 1];
        return red ? double(qRed(c) - qRed(a)) / (qRed(b) - qRed(a))
                   : double(qGreen(c) - qGreen(a)) / (qGreen(b) - qGreen(a));
    };
    const double t = rows > 1 ? double(row) / (rows - 1) * (kPaleRows30 - 1) : 0.0;
    const int j = std::min(static_cast<int>(t), kPaleRows30 - 2);
    const double s = shape(j) + (shape(j + 1) - shape(j)) * (t - j);
    return static_cast<int>(std::lround(from + (to - from) * s));
}

std::vector<QRgb> LargeGradient(int nearBlack, QRgb third, QRgb paleFrom, QRgb paleTo, int paleRows,
                                QRgb darker, int redFrom, int redTo, int redRows) {
    std::vector<QRgb> rows{qRgb(128, 0, 0), qRgb(nearBlack, 0, 0), third};
    for (int i = 0; i < paleRows; ++i) {
        const int r = PaleChannel(i, paleRows, qRed(paleFrom), qRed(paleTo), true);
        const int g = PaleChannel(i, paleRows, qGreen(paleFrom), qGreen(paleTo), false);
        rows.push_back(qRgb(r, g, g));
    }
    rows.push_back(darker);
    for (int i = 0; i < redRows; ++i)
        rows.push_back(qRgb(redFrom + (redTo - redFrom) * i / (redRows - 1), 0, 0));
    rows.push_back(qRgb(128, 0, 0));
    return rows;
}

// The stand-in for a missing art piece: the band's gradient in columns, with the outer corners of an
// end piece rounded off.
QImage FallbackPiece(const Band& band, char part) {
    const std::vector<QRgb> rows = ButtonGradient(band.base);
    const int w = part == '2' ? 1 : band.endWidth;
    QImage image(w, band.art, QImage::Format_ARGB32);
    for (int y = 0; y < band.art; ++y)
        for (int x = 0; x < w; ++x) image.setPixel(x, y, rows[y]);
    if (part != '2') {
        const double radius = band.endWidth;
        for (int y = 0; y < band.art; ++y) {
            for (int x = 0; x < w; ++x) {
                // Distance from the inner edge, measured outward.
                const double dx = part == 'L' ? radius - x - 0.5 : x + 0.5;
                const double dy = std::max({0.0, radius - y - 0.5, y + 0.5 - (band.art - radius)});
                if (dx * dx + dy * dy > radius * radius) image.setPixel(x, y, qRgba(0, 0, 0, 0));
            }
        }
    }
    return image;
}

}  // namespace

QImage LoadResourceImage(const QString& name) {
    InitArtResources();
    const QString upper = name.toUpper();
    for (const QString& path :
         {QStringLiteral(":/") + upper, QStringLiteral(":/") + upper + QStringLiteral(".PNG"),
          QStringLiteral(":/") + upper + QStringLiteral(".png"), QStringLiteral(":/") + name}) {
        if (!QFile::exists(path)) continue;
        QImage image(path);
        if (!image.isNull()) return image;
    }
    return {};
}

QRgb SchemeColor(QRgb pixel, TColorSB scheme, int kLight, bool newStyle) {
    const int r0 = qRed(pixel), g0 = qGreen(pixel), b0 = qBlue(pixel);
    const bool nearRed = NearPureRed(r0, g0, b0);
    int r = r0, g = g0, b = b0;
    switch (scheme) {
        case TColorSB::DRed:
            break;
        case TColorSB::DGreen:
            r = g0, g = r0;
            break;
        case TColorSB::DBlue:
            r = b0, g = r0, b = r0;
            break;
        case TColorSB::DNavy:
            r = b0, b = r0;
            break;
        case TColorSB::DYellow:
            g = r0;
            break;
        case TColorSB::DViolet:
            b = r0;
            break;
        case TColorSB::DOrang:
            if (g0 < r0 && b0 < r0) {
                b = RoundDiv(7L * b0, 10);
                g = b + RoundDiv(4L * (r0 - b), 10);
            }
            break;
        case TColorSB::DCards:
            if (!newStyle) {
                r = RoundDiv(7L * r0, 10), g = 0, b = r0;
            } else if (nearRed) {
                r = RoundDiv(6L * r0, 10), g = RoundDiv(7L * g0, 10), b = r0;
            }
            break;
    }
    kLight = std::clamp(kLight, 0, 100);
    if (kLight > 0 && (!newStyle || nearRed)) {
        auto lighten = [kLight](int v) { return v + RoundDiv(long(255 - v) * kLight, 100); };
        r = lighten(r), g = lighten(g), b = lighten(b);
    }
    return qRgba(r, g, b, qAlpha(pixel));
}

QImage ApplyScheme(const QImage& art, TColorSB scheme, int kLight, bool newStyle) {
    QImage image = art.convertToFormat(QImage::Format_ARGB32);
    if (scheme == TColorSB::DRed && kLight <= 0) return image;
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) line[x] = SchemeColor(line[x], scheme, kLight, newStyle);
    }
    return image;
}

std::vector<QRgb> ButtonGradient(int height) {
    switch (height) {
        case 30:
            return {kGradient30.begin(), kGradient30.end()};
        case 45:
            return LargeGradient(11, qRgb(132, 93, 93), qRgb(239, 180, 180), qRgb(175, 74, 74), 19,
                                 qRgb(153, 34, 34), 136, 244, 20);
        case 60:
            return LargeGradient(9, qRgb(131, 94, 94), qRgb(243, 183, 183), qRgb(172, 71, 71), 26,
                                 qRgb(150, 33, 33), 132, 246, 28);
        default:
            return {};
    }
}

int ButtonBand(int height) {
    return BandOf(height).art;
}

int EndPieceWidth(int height) {
    const Band& band = BandOf(height);
    return RoundDiv(long(band.endWidth) * std::max(height, 0), band.base);
}

QColor KonturColor(TColorSB scheme) {
    switch (scheme) {
        case TColorSB::DRed:
            return {255, 200, 200};
        case TColorSB::DGreen:
            return {200, 200, 255};
        case TColorSB::DBlue:
        case TColorSB::DNavy:
            return {200, 255, 200};
        case TColorSB::DYellow:
            return {255, 200, 200};
        case TColorSB::DViolet:
            return {255, 255, 200};
        case TColorSB::DOrang:
            return {255, 128, 64};
        case TColorSB::DCards:
            return {200, 175, 50};
    }
    return {255, 200, 200};
}

QColor FocusDotColor(TColorSB scheme) {
    switch (scheme) {
        case TColorSB::DRed:
            return {255, 255, 0};
        case TColorSB::DYellow:
            return {255, 0, 0};
        case TColorSB::DGreen:
        case TColorSB::DBlue:
            return {0, 0, 255};
        case TColorSB::DNavy:
            return {0, 128, 0};
        case TColorSB::DViolet:
        case TColorSB::DOrang:
            return {255, 255, 255};
        case TColorSB::DCards:
            return {220, 180, 255};
    }
    return {255, 255, 0};
}

double ContrastRatio(const QColor& a, const QColor& b) {
    auto luminance = [](const QColor& c) {
        auto linear = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor PaleBandColor(TColorSB scheme, int kLight, bool newStyle) {
    return QColor::fromRgb(SchemeColor(kGradient30[kPaleFirst30], scheme, kLight, newStyle));
}

QColor CaptionOutlineColor(TColorSB scheme, int kLight, bool newStyle) {
    return QColor::fromRgb(SchemeColor(qRgb(64, 0, 0), scheme, kLight, newStyle));
}

QFont CaptionFont(const QFont& font, const QString& text, int room) {
    QFont fitted = font;
    const bool pixels = font.pixelSize() > 0;
    auto size = [&] { return pixels ? static_cast<double>(fitted.pixelSize()) : fitted.pointSizeF(); };
    auto setSize = [&](double v) {
        if (pixels)
            fitted.setPixelSize(std::max(1, static_cast<int>(v)));
        else
            fitted.setPointSizeF(std::max(1.0, v));
    };
    for (int step = 0; step < 40 && room > 0 && size() > 1; ++step) {
        const int width = QFontMetrics(fitted).horizontalAdvance(text);
        if (width <= room) break;
        setSize(std::min(size() - 1, size() * room / width));
    }
    return fitted;
}

TZunCardsButton::TZunCardsButton(QWidget* parent) : QPushButton(parent) {
    resize(100, 30);
}

TZunCardsButton::TZunCardsButton(const QString& caption, QWidget* parent) : TZunCardsButton(parent) {
    setText(caption);
}

void TZunCardsButton::SetColorSB(TColorSB scheme) {
    if (scheme == FColorSB) return;
    FColorSB = scheme;
    update();
}

void TZunCardsButton::SetColorMouse(const QColor& colour) {
    FColorMouse = colour;
    update();
}

void TZunCardsButton::SetLightFont(bool on) {
    FLightFont = on;
    update();
}

void TZunCardsButton::SetGrayDis(bool on) {
    FGrayDis = on;
    update();
}

void TZunCardsButton::SetHeightSB(THeightSB band) {
    FHeightSB = band;
    resize(width(), band == THeightSB::D30 ? 30 : band == THeightSB::D45 ? 45 : 60);
    update();
}

void TZunCardsButton::SetKLightSB(int percent) {
    percent = std::clamp(percent, 0, 100);
    if (percent == FKLightSB) return;
    FKLightSB = percent;
    update();
}

void TZunCardsButton::SetKontur(bool on) {
    FKontur = on;
    update();
}

void TZunCardsButton::SetSmooth(bool on) {
    FSmooth = on;
    update();
}

void TZunCardsButton::SetNewStyle(bool on) {
    FNewStyle = on;
    update();
}

void TZunCardsButton::SetLayout(GlyphLayout layout) {
    FLayout = layout;
    update();
}

QImage TZunCardsButton::Piece(const char* part) const {
    const Band& band = BandOf(height());
    const QString name =
        QStringLiteral("%1%2_%3").arg(FNewStyle ? 'Q' : 'R').arg(band.art).arg(QLatin1String(part));
    QImage art = LoadResourceImage(name);
    if (art.isNull()) art = FallbackPiece(band, part[0]);
    return ApplyScheme(art, FColorSB, FKLightSB, FNewStyle);
}

void TZunCardsButton::paintEvent(QPaintEvent*) {
    const int w = width();
    const int h = height();
    if (w <= 0 || h <= 1) return;
    const Band& band = BandOf(h);
    const bool standard = IsStandardHeight(h);
    const int endWidth = standard ? band.endWidth : EndPieceWidth(h);
    const int rows = h - 1;

    // The work picture: transparent where the art is, so the window behind shows through.
    QImage work(w, h, QImage::Format_ARGB32_Premultiplied);
    work.fill(Qt::transparent);
    {
        QPainter wp(&work);
        const auto mode = standard || !FSmooth ? Qt::FastTransformation : Qt::SmoothTransformation;
        const QImage left = Piece("L").scaled(endWidth, rows, Qt::IgnoreAspectRatio, mode);
        const QImage right = Piece("R").scaled(endWidth, rows, Qt::IgnoreAspectRatio, mode);
        wp.drawImage(0, 0, left);
        wp.drawImage(w - endWidth - 1, 0, right);
        if (standard && !FNewStyle && FColorSB != TColorSB::DCards) {
            const std::vector<QRgb> gradient = ButtonGradient(h);
            for (int i = 1; i <= rows; ++i) {
                wp.setPen(QColor::fromRgb(SchemeColor(gradient[i - 1], FColorSB, FKLightSB, false)));
                wp.drawLine(band.endWidth, i - 1, w - band.endWidth - 1, i - 1);
            }
        } else if (w - 2 * endWidth - 1 > 0) {
            const QImage middle = Piece("2").scaled(w - 2 * endWidth - 1, rows, Qt::IgnoreAspectRatio, mode);
            wp.drawImage(endWidth, 0, middle);
        }
        if (!icon().isNull()) {
            const QSize size = iconSize();
            const QPixmap glyph = icon().pixmap(size, isEnabled() ? QIcon::Normal : QIcon::Disabled);
            int x = standard ? band.glyphX : static_cast<int>(std::lround(1.6 * endWidth));
            if (FLayout == GlyphLayout::Right) x = w - x - size.width();
            if (FLayout == GlyphLayout::Centre) x = (w - size.width()) / 2;
            wp.drawPixmap(x, (h - size.height()) / 2, glyph);
        }
    }

    QPainter painter(this);
    FCanvas = &painter;
    const QPoint offset = isDown() ? QPoint(1, 1) : QPoint(0, 0);
    painter.drawImage(offset, work);

    const QColor textColour = CaptionColor();
    painter.setFont(CaptionFont(font(), text(), w - 2 * endWidth));
    QRect textRect = rect().translated(offset);
    if (FNewStyle) textRect.translate(0, -1);
    // A light caption over the pale upper rows gets a dark outline, so that it reads on every row.
    if (ContrastRatio(textColour, PaleBandColor(FColorSB, FKLightSB, FNewStyle)) < 4.5) {
        painter.setPen(CaptionOutlineColor(FColorSB, FKLightSB, FNewStyle));
        const int d = std::max(1, h / 30);
        for (const QPoint step : {QPoint(-d, 0), QPoint(d, 0), QPoint(0, -d), QPoint(0, d), QPoint(-d, -d),
                                  QPoint(d, d), QPoint(-d, d), QPoint(d, -d)})
            painter.drawText(textRect.translated(step), Qt::AlignCenter | Qt::TextSingleLine, text());
    }
    painter.setPen(textColour);
    painter.drawText(textRect, Qt::AlignCenter | Qt::TextSingleLine, text());

    const DrawState state{isDown(), !isEnabled(), hasFocus()};
    emit DrawButton(painter, rect(), state);
    if (hasFocus() && IsFocused() && FKontur) PaintFocus(painter, endWidth);
    FCanvas = nullptr;
}

QColor TZunCardsButton::CaptionColor() const {
    // Grey on the full colour; on a body drawn lighter for a locked button, a darker grey that
    // still reads.
    if (!isEnabled() && FGrayDis) return FKLightSB > 0 ? QColor(96, 96, 96) : QColor(192, 192, 192);
    if (FLightFont && FMouseInPos) return FColorMouse;
    return palette().color(QPalette::Active, QPalette::ButtonText);
}

void TZunCardsButton::PaintFocus(QPainter& painter, int endWidth) const {
    const int w = width();
    const int h = height();
    const Band& band = BandOf(h);
    painter.save();
    if (FNewStyle) {
        // Two dots, one near each end.
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(FocusDotColor(FColorSB));
        const double d = band.dotSize;
        const double cy = h / 2.0;
        painter.drawEllipse(QPointF(band.dotOffset, cy), d / 2, d / 2);
        painter.drawEllipse(QPointF(w - band.dotOffset, cy), d / 2, d / 2);
    } else {
        int ix = band.konturX;
        int iy = band.konturY;
        if (!IsStandardHeight(h)) {
            ix = static_cast<int>(std::lround(0.8 * endWidth));
            iy = h <= 20 ? 3 : h <= 30 ? 4 : h <= 60 ? 5 : 6;
        }
        painter.setPen(KonturColor(FColorSB));
        painter.setBrush(Qt::NoBrush);
        const QRect r(ix, iy, w - 2 * ix - 1, h - 2 * iy - 1);
        if (r.width() > 0 && r.height() > 0) painter.drawRoundedRect(r, ix / 2.0, iy / 2.0);
    }
    painter.restore();
}

void TZunCardsButton::enterEvent(QEnterEvent* event) {
    QPushButton::enterEvent(event);
    FMouseInPos = true;
    update();
    emit MouseEnter();
}

void TZunCardsButton::leaveEvent(QEvent* event) {
    QPushButton::leaveEvent(event);
    FMouseInPos = false;
    update();
    emit MouseLeave();
}

void TZunCardsButton::changeEvent(QEvent* event) {
    QPushButton::changeEvent(event);
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::FontChange) update();
}

}  // namespace kesp
