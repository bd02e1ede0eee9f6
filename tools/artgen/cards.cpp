// Card faces, suit symbols and the seven weekday backs, drawn at the two stored sizes.
#include <QFontMetricsF>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>
#include <array>
#include <cmath>

#include "artgen.h"

namespace artgen {
namespace {

const char* const kSuitTokens[4] = {"Ch", "Bu", "Kr", "Pi"};
const char* const kSymbolNames[4] = {"Cher", "Bubi", "Kres", "Piki"};
const char* const kRankTokens[9] = {"06", "07", "08", "09", "10", "2J", "3Q", "4K", "5A"};

// Where things sit on a face of one stored size.
struct FaceGeometry {
    int w, h;
    double radius;       // rounded corners of the card itself
    bool border;         // big faces carry their own thin border; small ones get the table's frame
    double indexCx;      // centre of the corner index column
    double indexTop;     // top of the rank
    double indexHeight;  // cap height of the rank
    double indexWidth;   // widest rank ("10")
    double symbolTop;    // top of the small suit under the rank
    double symbolSize;
    double pipLeft, pipRight;  // centres of the two pip columns
    double pipTop, pipBottom;  // centres of the first and last pip rows
    double pipSize;
    double aceSize;
    QRectF courtFrame;
    double line;  // width of a thin line
};

const FaceGeometry kSmall{
    69, 94, 2.5, false, 7.5, 4, 9, 11, 15.5, 8, 23, 46, 16, 78, 14, 34, QRectF(15, 10, 39, 74), 0.7};
const QSize kSmallCard(69, 94);
const QSize kBigCard(146, 198);

const FaceGeometry kBig{
    146, 198, 9, true, 14, 8, 18, 22, 30, 14, 48, 98, 34, 164, 30, 70, QRectF(30, 22, 86, 154), 1.0};

// The geometry of a stored size: the small and big wide faces as designed, narrow faces with their
// pips and court frame drawn in, and the large-index decks with a wider index column.
FaceGeometry GeometryFor(QSize size, bool big, const DeckStyle& style) {
    FaceGeometry g = big ? kBig : kSmall;
    const double designW = g.w;
    g.w = size.width();
    g.h = size.height();
    if (g.w != designW) {
        const double f = g.w / designW;
        g.pipLeft *= f;
        g.pipRight = g.w - (designW - g.pipRight) * f;
        g.pipSize *= 0.92;
        g.courtFrame = QRectF(g.courtFrame.left() * f, g.courtFrame.top(), g.courtFrame.width() * f,
                              g.courtFrame.height());
    }
    const double k = style.indexScale;
    if (k != 1.0) {
        const double grow = (k - 1.0) * g.indexWidth;
        g.indexHeight *= k;
        g.indexWidth *= k;
        g.indexCx += grow / 3;
        g.symbolSize *= 1.0 + (k - 1.0) * 0.6;
        g.symbolTop = g.indexTop + g.indexHeight + (big ? 4 : 2);
        g.pipLeft += grow * 0.45;
        g.pipRight -= grow * 0.45;
        g.pipSize *= 0.9;
        g.courtFrame.adjust(grow * 0.45, 0, -grow * 0.45, 0);
    }
    return g;
}

QFont IndexFont(const DeckStyle& style) {
    QFont f(style.indexFamily);
    f.setPixelSize(100);
    f.setBold(style.indexBold);
    return f;
}

// A small flourish in the top-left corner of `r`: two curls meeting in a dot.
void CornerFlourish(QPainter& p, const QRectF& r, double size, double line) {
    QPainterPath curl;
    curl.moveTo(r.left(), r.top() + size);
    curl.cubicTo(r.left(), r.top() + size * 0.3, r.left() + size * 0.3, r.top(), r.left() + size, r.top());
    curl.moveTo(r.left() + size * 0.35, r.top() + size * 0.75);
    curl.quadTo(r.left() + size * 0.35, r.top() + size * 0.35, r.left() + size * 0.75, r.top() + size * 0.35);
    p.setBrush(Qt::NoBrush);
    p.drawPath(curl);
    p.setBrush(p.pen().color());
    p.drawEllipse(QPointF(r.left() + size * 0.12, r.top() + size * 0.12), line * 1.1, line * 1.1);
}

// The blank card: the deck's paper with rounded corners and, on big faces, a thin grey border; then
// the deck's frame.
void DrawBlank(QPainter& p, const FaceGeometry& g, const DeckStyle& style) {
    const QRectF r(0.5, 0.5, g.w - 1.0, g.h - 1.0);
    QLinearGradient paper(0, 0, 0, g.h);
    paper.setColorAt(0, style.paper);
    paper.setColorAt(1, style.paperEdge);
    if (g.border) {
        p.setPen(QPen(QColor(96, 96, 104), 1.0));
        p.setBrush(paper);
        p.drawRoundedRect(r, g.radius, g.radius);
    } else {
        p.setPen(Qt::NoPen);
        p.setBrush(paper);
        p.drawRoundedRect(QRectF(0, 0, g.w, g.h), g.radius, g.radius);
    }
    if (style.frame == FaceFrame::kNone) return;
    const double inset = g.border ? 5 : 2.5;
    const QRectF inner = r.adjusted(inset, inset, -inset, -inset);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(style.frameColour, g.line * (style.frame == FaceFrame::kLine ? 1.2 : 1.0)));
    switch (style.frame) {
        case FaceFrame::kLine:
            p.drawRoundedRect(inner, g.radius * 0.6, g.radius * 0.6);
            break;
        case FaceFrame::kDouble:
            p.drawRoundedRect(inner, g.radius * 0.6, g.radius * 0.6);
            p.setPen(QPen(style.frameColour, g.line * 0.6));
            p.drawRoundedRect(inner.adjusted(g.line * 2.5, g.line * 2.5, -g.line * 2.5, -g.line * 2.5),
                              g.radius * 0.4, g.radius * 0.4);
            break;
        default: {
            const double size = g.border ? 16 : 8;
            for (int corner = 0; corner < 4; ++corner) {
                p.save();
                p.translate(g.w / 2.0, g.h / 2.0);
                p.scale(corner % 2 ? -1 : 1, corner / 2 ? -1 : 1);
                p.translate(-g.w / 2.0, -g.h / 2.0);
                // The flourish sits beside the index, towards the middle of the long edge.
                CornerFlourish(p, QRectF(inner.left(), inner.top() + g.h * 0.28, size, size), size, g.line);
                CornerFlourish(p, QRectF(inner.left() + g.w * 0.3, inner.top(), size, size), size, g.line);
                p.restore();
            }
            break;
        }
    }
}

QString RankText(const DeckStyle& style, int rank) {
    static const char* const kNumbers[5] = {"6", "7", "8", "9", "10"};
    return rank < 5 ? QString::fromLatin1(kNumbers[rank]) : style.courtLetters[rank - 5];
}

// The index text scaled so that its capitals are `height` tall: a tail (the Q's) hangs below, as
// in print, instead of squeezing the letter.
QPainterPath IndexPath(const QString& text, const QFont& font, double cx, double top, double height,
                       double maxWidth) {
    QPainterPath raw;
    raw.addText(0, 0, font, text);
    const QRectF r = raw.boundingRect();
    const double cap = QFontMetricsF(font).capHeight();
    if (r.isEmpty() || cap <= 0) return raw;
    const double sy = height / cap;
    const double sx = std::min(sy, maxWidth / r.width());
    QTransform t;
    t.translate(cx - r.width() * sx / 2, top);
    t.scale(sx, sy);
    t.translate(-r.left(), cap);
    return t.map(raw);
}

void DrawIndex(QPainter& p, const FaceGeometry& g, const DeckStyle& style, int suit, int rank) {
    const QString text = RankText(style, rank);
    const double maxW = text.size() > 1 ? g.indexWidth : g.indexWidth * 0.75;
    // The ten is drawn with its two digits pulled together so it fits the same column.
    QFont f = IndexFont(style);
    if (text.size() > 1) f.setLetterSpacing(QFont::PercentageSpacing, 88);
    const QPainterPath path = IndexPath(text, f, g.indexCx, g.indexTop, g.indexHeight, maxW);
    p.setPen(Qt::NoPen);
    p.setBrush(style.ink[suit]);
    p.drawPath(path);
    const double s = g.symbolSize;
    DrawSuit(p, suit, QRectF(g.indexCx - s / 2, g.symbolTop, s, s), false, false, style);
}

// Pip centres in units of the pip area: columns 0 (left), 0.5, 1 (right); rows 0 (top) .. 1 (bottom).
std::vector<QPointF> PipLayout(int rank) {
    std::vector<QPointF> pips;
    const int pipCount = rank + 6;  // ranks 0..4 are the six .. the ten
    const bool fourRows = pipCount >= 9;
    const std::vector<double> rows =
        fourRows ? std::vector<double>{0, 1.0 / 3, 2.0 / 3, 1} : std::vector<double>{0, 0.5, 1};
    for (double y : rows) {
        pips.emplace_back(0, y);
        pips.emplace_back(1, y);
    }
    switch (pipCount) {
        case 7:
            pips.emplace_back(0.5, 0.25);
            break;
        case 8:
            pips.emplace_back(0.5, 0.25);
            pips.emplace_back(0.5, 0.75);
            break;
        case 9:
            pips.emplace_back(0.5, 0.5);
            break;
        case 10:
            pips.emplace_back(0.5, 1.0 / 6);
            pips.emplace_back(0.5, 5.0 / 6);
            break;
        default:
            break;
    }
    return pips;
}

void DrawPips(QPainter& p, const FaceGeometry& g, const DeckStyle& style, int suit, int rank) {
    const double size = g.pipSize;
    for (const QPointF& u : PipLayout(rank)) {
        const double cx = g.pipLeft + u.x() * (g.pipRight - g.pipLeft);
        const double cy = g.pipTop + u.y() * (g.pipBottom - g.pipTop);
        // Pips below the middle are printed upside down, as on every two-way card.
        const bool down = u.y() > 0.5 + 1e-9;
        DrawSuit(p, suit, QRectF(cx - size / 2, cy - size / 2, size, size), g.border && style.shadedPips,
                 down, style);
    }
}

void DrawAce(QPainter& p, const FaceGeometry& g, const DeckStyle& style, int suit) {
    double s = g.aceSize * (style.ace == AceStyle::kPlain ? 1.35 : 1.0);
    if (g.w < g.h * 0.7) s *= g.w / (g.h * 0.74);  // narrow faces
    const QPointF c(g.w / 2.0, g.h / 2.0);
    QColor ring = style.ink[suit];
    ring.setAlpha(g.border ? 70 : 110);
    const double line = g.line;
    switch (style.ace) {
        case AceStyle::kRings:
            if (g.border) {
                // A fine engraved ring around the big pip.
                p.setBrush(Qt::NoBrush);
                p.setPen(QPen(ring, 1.0));
                p.drawEllipse(c, s * 0.78, s * 0.78);
                p.setPen(QPen(ring, 0.8, Qt::DotLine));
                p.drawEllipse(c, s * 0.86, s * 0.86);
            }
            break;
        case AceStyle::kWreath: {
            // Two laurel branches meeting under the pip.
            QColor leaf(60, 120, 56);
            p.setPen(QPen(leaf.darker(140), line * 0.6));
            p.setBrush(leaf);
            const double r = s * 0.82;
            for (int side = -1; side <= 1; side += 2)
                for (int i = 0; i < 9; ++i) {
                    const double a = M_PI / 2 + side * (0.35 + i * 0.27);
                    const QPointF q(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
                    p.save();
                    p.translate(q);
                    p.rotate(a * 180 / M_PI + (side > 0 ? 60 : 120));
                    p.drawEllipse(QPointF(0, 0), s * 0.11, s * 0.045);
                    p.restore();
                }
            break;
        }
        case AceStyle::kSunburst: {
            QColor ray = style.frameColour;
            ray.setAlpha(150);
            p.setPen(Qt::NoPen);
            p.setBrush(ray);
            for (int i = 0; i < 24; ++i) {
                const double a = i * M_PI / 12, w = M_PI / 48;
                QPainterPath wedge;
                wedge.moveTo(c + QPointF(s * 0.55 * std::cos(a - w), s * 0.55 * std::sin(a - w)));
                wedge.lineTo(c + QPointF(s * (i % 2 ? 0.8 : 0.95) * std::cos(a),
                                         s * (i % 2 ? 0.8 : 0.95) * std::sin(a)));
                wedge.lineTo(c + QPointF(s * 0.55 * std::cos(a + w), s * 0.55 * std::sin(a + w)));
                wedge.closeSubpath();
                p.drawPath(wedge);
            }
            break;
        }
        case AceStyle::kPlain:
            break;
    }
    DrawSuit(p, suit, QRectF(c.x() - s / 2, c.y() - s / 2, s, s), style.shadedPips, false, style);
}

// Colours of a court figure's clothes by suit: robe, trim, and a third for small details.
struct Palette {
    QColor robe, trim, detail;
};
Palette ClassicPalette(int suit) {
    switch (suit) {
        case kHearts:
            return {QColor(198, 32, 44), QColor(38, 72, 168), QColor(240, 196, 48)};
        case kDiamonds:
            return {QColor(38, 72, 168), QColor(232, 186, 40), QColor(198, 32, 44)};
        case kClubs:
            return {QColor(34, 118, 72), QColor(198, 32, 44), QColor(240, 196, 48)};
        default:
            return {QColor(40, 44, 70), QColor(232, 186, 40), QColor(198, 32, 44)};
    }
}

// The clothes of the court figures: 0 classic; 1 pastel; 2 jewel tones; 3 earth and gold; 4 the suit's
// own ink with gold; 5 bright parrot colours.
Palette CourtPalette(int suit, const DeckStyle& style) {
    const Palette classic = ClassicPalette(suit);
    switch (style.palette) {
        case 1:
            return {classic.robe.lighter(150), classic.trim.lighter(140), classic.detail};
        case 2: {
            static const QColor jewels[4] = {QColor(120, 16, 60), QColor(16, 90, 110), QColor(70, 30, 120),
                                             QColor(20, 60, 40)};
            return {jewels[suit], QColor(212, 175, 55), jewels[(suit + 1) % 4].lighter(160)};
        }
        case 3: {
            static const QColor earth[4] = {QColor(176, 64, 36), QColor(200, 140, 50), QColor(60, 110, 120),
                                            QColor(70, 56, 40)};
            return {earth[suit], QColor(226, 190, 90), QColor(36, 90, 140)};
        }
        case 4:
            return {style.ink[suit], QColor(232, 186, 40), style.ink[suit].lighter(170)};
        case 5: {
            static const QColor vivid[4] = {QColor(230, 40, 40), QColor(250, 170, 0), QColor(20, 160, 70),
                                            QColor(30, 90, 220)};
            return {vivid[suit], vivid[(suit + 1) % 4], vivid[(suit + 2) % 4]};
        }
        default:
            return classic;
    }
}

const QColor kSkin(250, 218, 186);
const QColor kInk(46, 34, 34);
const QColor kGold(232, 186, 40);
const QColor kWhite(255, 255, 250);

// One half of a court figure in a 100 x 100 box whose bottom edge is the card's middle line.
// rank: 5 jack, 6 queen, 7 king.
void DrawCourtHalf(QPainter& p, const DeckStyle& style, int suit, int rank, double line) {
    const Palette pal = CourtPalette(suit, style);
    const QPen ink(kInk, line, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(ink);

    // What the figure holds stands behind it: a sword, a rose or a halberd.
    if (rank == 7) {
        p.setBrush(QColor(214, 220, 228));
        QPainterPath blade;
        blade.moveTo(17, 6);
        blade.lineTo(21, 12);
        blade.lineTo(21, 70);
        blade.lineTo(13, 70);
        blade.lineTo(13, 12);
        blade.closeSubpath();
        p.drawPath(blade);
        p.drawLine(QPointF(17, 14), QPointF(17, 66));
        p.setBrush(kGold);
        p.drawRoundedRect(QRectF(6, 68, 22, 5), 2, 2);
        p.drawRect(QRectF(14.5, 73, 5, 12));
    } else if (rank == 6) {
        p.setBrush(QColor(52, 128, 60));
        QPainterPath stem;
        stem.moveTo(82, 90);
        stem.cubicTo(86, 70, 78, 52, 82, 34);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(40, 110, 50), line * 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(stem);
        p.setPen(ink);
        p.setBrush(QColor(60, 140, 64));
        QPainterPath leaf;
        leaf.moveTo(82, 56);
        leaf.cubicTo(90, 50, 96, 52, 97, 55);
        leaf.cubicTo(92, 60, 86, 60, 82, 56);
        p.drawPath(leaf);
        p.setBrush(pal.trim.lightness() > 150 ? QColor(206, 40, 70) : pal.detail);
        for (int i = 0; i < 5; ++i) {
            const double a = i * 2 * M_PI / 5 - M_PI / 2;
            p.drawEllipse(QPointF(82 + 5 * std::cos(a), 30 + 5 * std::sin(a)), 4.6, 4.6);
        }
        p.setBrush(kGold);
        p.drawEllipse(QPointF(82, 30), 3, 3);
    } else {
        p.setBrush(QColor(150, 100, 50));
        p.drawRect(QRectF(83, 10, 4, 88));
        p.setBrush(QColor(214, 220, 228));
        QPainterPath axe;
        axe.moveTo(87, 14);
        axe.cubicTo(97, 16, 99, 26, 97, 34);
        axe.lineTo(87, 30);
        axe.closeSubpath();
        axe.moveTo(83, 16);
        axe.lineTo(77, 22);
        axe.lineTo(83, 26);
        axe.closeSubpath();
        axe.moveTo(85, 2);
        axe.lineTo(88, 10);
        axe.lineTo(82, 10);
        axe.closeSubpath();
        p.drawPath(axe);
    }

    // Hair that falls behind the shoulders (the queen's).
    if (rank == 6) {
        p.setBrush(QColor(196, 140, 60));
        QPainterPath hair;
        hair.moveTo(35, 30);
        hair.cubicTo(30, 50, 28, 62, 32, 70);
        hair.lineTo(68, 70);
        hair.cubicTo(72, 62, 70, 50, 65, 30);
        hair.closeSubpath();
        p.drawPath(hair);
    }

    // The robe: shoulders down to the middle line, with a patterned centre band.
    QPainterPath robe;
    robe.moveTo(11, 101);
    robe.lineTo(11, 76);
    robe.cubicTo(11, 65, 18, 60, 30, 58.5);
    robe.lineTo(70, 58.5);
    robe.cubicTo(82, 60, 89, 65, 89, 76);
    robe.lineTo(89, 101);
    robe.closeSubpath();
    p.setBrush(pal.robe);
    p.drawPath(robe);
    // Sleeves' folds.
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(24, 68), QPointF(24, 101));
    p.drawLine(QPointF(76, 68), QPointF(76, 101));
    // Centre band with a chain of lozenges.
    p.setBrush(pal.trim);
    QPainterPath band;
    band.moveTo(40, 60);
    band.lineTo(60, 60);
    band.lineTo(63, 101);
    band.lineTo(37, 101);
    band.closeSubpath();
    p.drawPath(band);
    p.setBrush(pal.detail);
    for (int i = 0; i < 4; ++i) {
        const double y = 68 + i * 9.5;
        QPainterPath lozenge;
        lozenge.moveTo(50, y - 4);
        lozenge.lineTo(54, y);
        lozenge.lineTo(50, y + 4);
        lozenge.lineTo(46, y);
        lozenge.closeSubpath();
        p.drawPath(lozenge);
    }
    // Side panels with stripes.
    p.setBrush(Qt::NoBrush);
    QPen stripe(pal.detail, line * 1.4);
    p.setPen(stripe);
    for (int i = 0; i < 3; ++i) {
        p.drawLine(QPointF(28 - i * 2, 72 + i * 9), QPointF(38 - i * 0.3, 72 + i * 9));
        p.drawLine(QPointF(62 + i * 0.3, 72 + i * 9), QPointF(72 + i * 2, 72 + i * 9));
    }
    p.setPen(ink);

    // The collar: ermine for the king, lace for the queen, a plain one for the jack.
    QPainterPath collar;
    collar.moveTo(27, 60);
    collar.cubicTo(36, 70, 64, 70, 73, 60);
    collar.cubicTo(64, 56, 36, 56, 27, 60);
    collar.closeSubpath();
    p.setBrush(rank == 5 ? pal.detail : kWhite);
    p.drawPath(collar);
    if (rank == 7) {
        p.setBrush(kInk);
        p.setPen(Qt::NoPen);
        for (double x : {34.0, 42.0, 50.0, 58.0, 66.0}) p.drawEllipse(QPointF(x, 62.5), 1.1, 1.4);
        p.setPen(ink);
    } else if (rank == 6) {
        p.setBrush(Qt::NoBrush);
        for (double x = 31; x <= 69; x += 4.75)
            p.drawEllipse(QPointF(x, 61 + std::abs(x - 50) * -0.08 + 2), 1.6, 1.6);
    }

    // The hand that holds the sword, rose or halberd.
    p.setBrush(kSkin);
    if (rank == 7)
        p.drawEllipse(QPointF(17, 79), 5, 4.5);
    else
        p.drawEllipse(QPointF(84, 82), 5, 4.5);

    // Neck and head.
    p.drawRect(QRectF(45, 50, 10, 8));
    if (rank == 7) {
        // The king's white hair and beard go behind the face.
        p.setBrush(QColor(236, 232, 222));
        QPainterPath beard;
        beard.moveTo(37, 32);
        beard.cubicTo(34, 50, 42, 60, 50, 62);
        beard.cubicTo(58, 60, 66, 50, 63, 32);
        beard.closeSubpath();
        p.drawPath(beard);
    }
    p.setBrush(kSkin);
    p.drawEllipse(QPointF(50, 37), 11.5, 13.5);
    if (rank == 7) {
        p.setBrush(QColor(236, 232, 222));
        QPainterPath moustache;
        moustache.moveTo(42, 45);
        moustache.cubicTo(46, 41, 49, 43, 50, 44);
        moustache.cubicTo(51, 43, 54, 41, 58, 45);
        moustache.cubicTo(54, 47, 46, 47, 42, 45);
        p.drawPath(moustache);
        QPainterPath chin;
        chin.moveTo(41, 44);
        chin.cubicTo(42, 54, 47, 57, 50, 57);
        chin.cubicTo(53, 57, 58, 54, 59, 44);
        chin.cubicTo(55, 49, 45, 49, 41, 44);
        p.drawPath(chin);
    }
    if (rank == 5) {
        p.setBrush(QColor(92, 58, 30));
        QPainterPath hair;
        hair.moveTo(38.5, 38);
        hair.cubicTo(36, 28, 40, 22, 50, 22);
        hair.cubicTo(60, 22, 64, 28, 61.5, 38);
        hair.cubicTo(60, 32, 56, 29, 50, 29);
        hair.cubicTo(44, 29, 40, 32, 38.5, 38);
        p.drawPath(hair);
    } else if (rank == 6) {
        p.setBrush(QColor(196, 140, 60));
        QPainterPath fringe;
        fringe.moveTo(38.5, 36);
        fringe.cubicTo(38, 26, 43, 23, 50, 23);
        fringe.cubicTo(57, 23, 62, 26, 61.5, 36);
        fringe.cubicTo(58, 29, 42, 29, 38.5, 36);
        p.drawPath(fringe);
    }
    // The face.
    p.setBrush(kInk);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(45.5, 36), 1.3, 1.1);
    p.drawEllipse(QPointF(54.5, 36), 1.3, 1.1);
    p.setPen(QPen(kInk, line * 0.8, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(43, 33), QPointF(47.5, 32.5));
    p.drawLine(QPointF(52.5, 32.5), QPointF(57, 33));
    QPainterPath nose;
    nose.moveTo(50, 37);
    nose.cubicTo(49, 40, 48.5, 41.5, 50.5, 42);
    p.drawPath(nose);
    if (rank != 7) {
        p.setPen(QPen(QColor(190, 60, 60), line * 1.1, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(48, 45.5), QPointF(52, 45.5));
        QColor cheek(240, 120, 120, 60);
        p.setPen(Qt::NoPen);
        p.setBrush(cheek);
        p.drawEllipse(QPointF(43.5, 41), 2.5, 2);
        p.drawEllipse(QPointF(56.5, 41), 2.5, 2);
    }
    p.setPen(ink);

    // Headwear: the king's crown, the queen's tiara, the jack's cap with a feather.
    if (rank == 7) {
        p.setBrush(kGold);
        QPainterPath crown;
        crown.moveTo(37, 27);
        crown.lineTo(35, 8);
        crown.lineTo(42, 16);
        crown.lineTo(50, 4);
        crown.lineTo(58, 16);
        crown.lineTo(65, 8);
        crown.lineTo(63, 27);
        crown.closeSubpath();
        p.drawPath(crown);
        p.setBrush(pal.robe == QColor(198, 32, 44) ? pal.trim : QColor(198, 32, 44));
        p.drawEllipse(QPointF(50, 21), 2.6, 2.6);
        p.setBrush(QColor(38, 72, 168));
        p.drawEllipse(QPointF(42, 22), 1.8, 1.8);
        p.drawEllipse(QPointF(58, 22), 1.8, 1.8);
        p.setBrush(kWhite);
        for (double x : {35.0, 50.0, 65.0}) p.drawEllipse(QPointF(x, x == 50 ? 4 : 8), 1.8, 1.8);
    } else if (rank == 6) {
        p.setBrush(kGold);
        QPainterPath tiara;
        tiara.moveTo(39, 26);
        tiara.cubicTo(42, 18, 58, 18, 61, 26);
        tiara.cubicTo(56, 23, 44, 23, 39, 26);
        p.drawPath(tiara);
        for (double x : {42.0, 50.0, 58.0}) {
            p.setBrush(kGold);
            p.drawLine(QPointF(x, 21.5), QPointF(x, 14.5 + std::abs(x - 50) * 0.3));
            p.setBrush(x == 50 ? pal.detail : kWhite);
            p.drawEllipse(QPointF(x, 13.5 + std::abs(x - 50) * 0.3), 2.2, 2.2);
        }
    } else {
        p.setBrush(pal.trim);
        QPainterPath cap;
        cap.moveTo(35, 28);
        cap.cubicTo(34, 16, 44, 12, 52, 12);
        cap.cubicTo(62, 12, 68, 18, 67, 28);
        cap.closeSubpath();
        p.drawPath(cap);
        p.setBrush(pal.detail);
        p.drawRect(QRectF(35, 24, 32, 5));
        p.setBrush(kWhite);
        QPainterPath feather;
        feather.moveTo(64, 24);
        feather.cubicTo(72, 14, 76, 6, 74, 1);
        feather.cubicTo(68, 8, 62, 16, 60, 24);
        feather.closeSubpath();
        p.drawPath(feather);
    }
}

// The double-ended figure: each half drawn in the top half of the frame, the lower one turned.
void DrawFigure(QPainter& p, const FaceGeometry& g, const DeckStyle& style, int suit, int rank) {
    const QRectF frame = g.courtFrame;
    for (int half = 0; half < 2; ++half) {
        p.save();
        if (half == 1) {
            p.translate(frame.center());
            p.rotate(180);
            p.translate(-frame.center());
        }
        const QRectF top(frame.left(), frame.top(), frame.width(), frame.height() / 2);
        p.setClipRect(top);
        p.translate(top.topLeft());
        p.scale(top.width() / 100.0, top.height() / 100.0);
        const double unit = std::min(top.width(), top.height()) / 100.0;
        DrawCourtHalf(p, style, suit, rank, g.line / unit);
        p.restore();
        // The suit marker in the upper corner of each half, beside the figure's head.
        p.save();
        if (half == 1) {
            p.translate(frame.center());
            p.rotate(180);
            p.translate(-frame.center());
        }
        const double m = g.border ? 15 : 8;
        DrawSuit(p, suit,
                 QRectF(frame.left() + frame.width() * 0.27 - m / 2 - (rank == 7 ? -frame.width() * 0.5 : 0),
                        frame.top() + (g.border ? 5 : 2.5), m, m),
                 false, false, style);
        p.restore();
    }
    p.setPen(QPen(style.ink[suit], g.line));
    p.drawLine(QPointF(frame.left(), frame.center().y()), QPointF(frame.right(), frame.center().y()));
}

// A single-ended portrait under an arch, with the suit on a plaque below it.
void DrawPortrait(QPainter& p, const FaceGeometry& g, const DeckStyle& style, int suit, int rank) {
    const QRectF frame = g.courtFrame;
    const double plaque = frame.height() * 0.2;
    const QRectF upper(frame.left(), frame.top(), frame.width(), frame.height() - plaque);
    QPainterPath arch;
    arch.moveTo(upper.bottomLeft());
    arch.lineTo(upper.left(), upper.top() + upper.width() / 2);
    arch.arcTo(QRectF(upper.left(), upper.top(), upper.width(), upper.width()), 180, -180);
    arch.lineTo(upper.bottomRight());
    arch.closeSubpath();
    QLinearGradient sky(upper.topLeft(), upper.bottomLeft());
    sky.setColorAt(0, style.courtField.darker(108));
    sky.setColorAt(1, style.courtField);
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawPath(arch);
    p.save();
    p.setClipPath(arch);
    // The half figure keeps its proportions: a square as wide as the arch, standing on its floor.
    const double side = upper.height() * 0.94;
    const QRectF box(upper.center().x() - side / 2, upper.bottom() - side, side, side);
    p.translate(box.topLeft());
    p.scale(side / 100.0, side / 100.0);
    DrawCourtHalf(p, style, suit, rank, g.line / (side / 100.0));
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(style.frameColour.darker(130), g.line * 1.2));
    p.drawPath(arch);
    const QRectF plate(frame.left(), upper.bottom(), frame.width(), plaque);
    p.setBrush(style.frameColour);
    p.setPen(QPen(style.frameColour.darker(150), g.line));
    p.drawRect(plate);
    const double m = plaque * 0.7;
    DrawSuit(p, suit, QRectF(plate.center().x() - m / 2, plate.center().y() - m / 2, m, m), false, false,
             style);
}

// A large letter between two suit signs, as plain decks for patience have it.
void DrawMonogram(QPainter& p, const FaceGeometry& g, const DeckStyle& style, int suit, int rank) {
    const QRectF frame = g.courtFrame;
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(style.ink[suit], g.line * 1.5));
    p.drawRoundedRect(frame.adjusted(2, 2, -2, -2), g.radius, g.radius);
    QFont f(style.indexFamily);
    f.setPixelSize(100);
    f.setBold(style.indexBold);
    const QPainterPath letter =
        TextPath(style.courtLetters[rank - 5], f, frame.center().x(),
                 frame.center().y() - frame.height() * 0.2, frame.height() * 0.4, frame.width() * 0.8);
    p.setPen(Qt::NoPen);
    p.setBrush(style.ink[suit]);
    p.drawPath(letter);
    const double m = frame.width() * 0.32;
    DrawSuit(p, suit, QRectF(frame.center().x() - m / 2, frame.top() + frame.height() * 0.07, m, m),
             style.shadedPips, false, style);
    DrawSuit(p, suit, QRectF(frame.center().x() - m / 2, frame.bottom() - frame.height() * 0.07 - m, m, m),
             style.shadedPips, true, style);
    // A crown over the king, a coronet over the queen, a plain bar for the jack.
    const double y = frame.center().y() - frame.height() * 0.26;
    p.setBrush(style.frameColour);
    p.setPen(QPen(style.frameColour.darker(150), g.line * 0.6));
    QPainterPath crown;
    const double w = frame.width() * (rank == 7 ? 0.36 : rank == 6 ? 0.28 : 0.2);
    const double x0 = frame.center().x() - w / 2, h = frame.height() * 0.05;
    crown.moveTo(x0, y);
    if (rank == 5) {
        crown.addRect(QRectF(x0, y - h * 0.4, w, h * 0.4));
    } else {
        const int points = rank == 7 ? 3 : 2;
        for (int i = 0; i <= 2 * points; ++i)
            crown.lineTo(x0 + w * i / (2 * points), y - (i % 2 ? h * 0.5 : h * 1.3));
        crown.lineTo(x0 + w, y);
        crown.closeSubpath();
    }
    p.drawPath(crown);
}

// The figure in one ink: every pixel of the court picture becomes a shade between the ink and the
// paper, by its lightness, as in an old engraving.
void Engrave(QImage& image, const QRectF& frame, const QColor& ink, const QColor& paper) {
    const QRect r = frame.toAlignedRect().intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = r.left(); x <= r.right(); ++x) {
            const int a = qAlpha(row[x]);
            if (a == 0) continue;
            const double l = std::pow(qGray(row[x]) / double(std::max(a, 1)), 1.4);
            auto mix = [&](int i, int q) { return int(std::lround((i + (q - i) * l) * a / 255.0)); };
            row[x] = qRgba(mix(ink.red(), paper.red()), mix(ink.green(), paper.green()),
                           mix(ink.blue(), paper.blue()), a);
        }
    }
}

void DrawCourt(QPainter& p, const FaceGeometry& g, const DeckStyle& style, int suit, int rank) {
    const QRectF frame = g.courtFrame;
    if (style.court != CourtStyle::kMonogram && style.court != CourtStyle::kPortrait) {
        // A cream field framed in the suit's colour.
        p.setPen(Qt::NoPen);
        p.setBrush(style.courtField);
        p.drawRect(frame);
    }
    switch (style.court) {
        case CourtStyle::kPortrait:
            DrawPortrait(p, g, style, suit, rank);
            return;
        case CourtStyle::kMonogram:
            DrawMonogram(p, g, style, suit, rank);
            return;
        case CourtStyle::kEngraving: {
            QImage figure = Canvas(g.w, g.h);
            {
                QPainter q(&figure);
                q.setRenderHint(QPainter::Antialiasing);
                q.setPen(Qt::NoPen);
                q.setBrush(style.courtField);
                q.drawRect(frame);
                DrawFigure(q, g, style, suit, rank);
            }
            Engrave(figure, frame, style.ink[suit], style.courtField);
            p.drawImage(0, 0, figure);
            break;
        }
        case CourtStyle::kFigure:
            DrawFigure(p, g, style, suit, rank);
            break;
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(70, 62, 60), g.line));
    p.drawRect(frame);
    if (g.border) {
        p.setPen(QPen(style.frameColour, 1.0));
        p.drawRect(frame.adjusted(-2.5, -2.5, 2.5, 2.5));
    }
}

}  // namespace

QImage DrawFace(QSize size, bool big, const DeckStyle& style, int suit, int rank) {
    const FaceGeometry g = GeometryFor(size, big, style);
    QImage image = Canvas(g.w, g.h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    DrawBlank(p, g, style);
    if (rank <= 4)
        DrawPips(p, g, style, suit, rank);
    else if (rank == 8)
        DrawAce(p, g, style, suit);
    else
        DrawCourt(p, g, style, suit, rank);
    DrawIndex(p, g, style, suit, rank);
    p.translate(g.w / 2.0, g.h / 2.0);
    p.rotate(180);
    p.translate(-g.w / 2.0, -g.h / 2.0);
    DrawIndex(p, g, style, suit, rank);
    return image;
}

QImage DrawSymbol(int suit, int size, const DeckStyle& style) {
    QImage image = Canvas(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double m = size * 0.06;
    DrawSuit(p, suit, QRectF(m, m, size - 2 * m, size - 2 * m), size > 20, false, style);
    return image;
}

namespace {

// The colour of each weekday's back, Monday first; the two Sunday backs differ in colour.
const QColor kBackColours[7] = {QColor(24, 62, 150), QColor(160, 22, 36), QColor(18, 104, 62),
                                QColor(92, 40, 136), QColor(0, 104, 116), QColor(150, 72, 14),
                                QColor(28, 30, 84)};
const char* const kWeekdayTokens[7] = {"Mo", "Tu", "We", "Th", "Fr", "Su", "Su"};

// An upright back: white margin, a field in the day's colour with a fine lattice, a guilloche
// border and a rosette in the middle.
}  // namespace

QRectF DrawBackPaper(QPainter& p, int w, int h, bool big) {
    const double radius = big ? 9 : 2.5;
    if (big) {
        p.setPen(QPen(QColor(96, 96, 104), 1.0));
        p.setBrush(QColor(255, 255, 252));
        p.drawRoundedRect(QRectF(0.5, 0.5, w - 1.0, h - 1.0), radius, radius);
    } else {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 252));
        p.drawRoundedRect(QRectF(0, 0, w, h), radius, radius);
    }
    const double margin = big ? 7 : 3.5;
    return QRectF(margin, margin, w - 2 * margin, h - 2 * margin);
}

QImage DrawClassicBack(int w, int h, int day, bool big) {
    const QColor base = kBackColours[day];
    const QColor light = Mix(base, Qt::white, 0.45);
    const QColor pale = Mix(base, Qt::white, 0.78);
    QImage image = Canvas(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double line = big ? 1.0 : 0.6;
    const QRectF field = DrawBackPaper(p, w, h, big);
    QPainterPath fieldPath;
    fieldPath.addRoundedRect(field, big ? 5 : 2, big ? 5 : 2);
    p.setPen(Qt::NoPen);
    p.setBrush(base);
    p.drawPath(fieldPath);
    p.setClipPath(fieldPath);

    // The lattice: two families of fine lines, with small dots where they cross.
    const double step = big ? 9.0 : 4.5;
    p.setPen(QPen(Mix(base, Qt::white, 0.25), line * 0.9));
    for (double k = -h; k < w + h; k += step) {
        p.drawLine(QPointF(k, 0), QPointF(k + h, h));
        p.drawLine(QPointF(k, 0), QPointF(k - h, h));
    }
    // Guilloche bands along the edges: two phase-shifted waves.
    const QPointF c = field.center();
    auto wave = [&](double inset, double amplitude, double periods, double phase) {
        const QRectF r = field.adjusted(inset, inset, -inset, -inset);
        QPainterPath path;
        const int n = 720;
        const double perimeter = 2 * (r.width() + r.height());
        for (int i = 0; i <= n; ++i) {
            const double s = perimeter * i / n;
            QPointF pt, normal;
            if (s < r.width()) {
                pt = QPointF(r.left() + s, r.top());
                normal = QPointF(0, 1);
            } else if (s < r.width() + r.height()) {
                pt = QPointF(r.right(), r.top() + s - r.width());
                normal = QPointF(-1, 0);
            } else if (s < 2 * r.width() + r.height()) {
                pt = QPointF(r.right() - (s - r.width() - r.height()), r.bottom());
                normal = QPointF(0, -1);
            } else {
                pt = QPointF(r.left(), r.bottom() - (s - 2 * r.width() - r.height()));
                normal = QPointF(1, 0);
            }
            const double off = amplitude * std::sin(2 * M_PI * periods * s / perimeter + phase);
            const QPointF q = pt + normal * off;
            if (i == 0)
                path.moveTo(q);
            else
                path.lineTo(q);
        }
        p.drawPath(path);
    };
    p.setBrush(Qt::NoBrush);
    const double band = big ? 7 : 3.5;
    p.setPen(Qt::NoPen);
    p.setBrush(Mix(base, Qt::black, 0.25));
    QPainterPath ring;
    ring.addRect(field);
    ring.addRect(field.adjusted(2 * band, 2 * band, -2 * band, -2 * band));
    ring.setFillRule(Qt::OddEvenFill);
    p.drawPath(ring);
    p.setBrush(Qt::NoBrush);
    const double periods = big ? 64 : 48;
    for (int k = 0; k < 4; ++k) {
        p.setPen(QPen(k % 2 ? light : pale, line * 0.8));
        wave(band, band * 0.8, periods, k * M_PI / 2);
    }
    p.setPen(QPen(pale, line));
    p.drawRect(field.adjusted(2 * band, 2 * band, -2 * band, -2 * band));

    // The rosette: epitrochoid-like loops turning around the centre.
    const double rx = field.width() / 2 - 2 * band - (big ? 6 : 3);
    const double ry = field.height() / 2 - 2 * band - (big ? 6 : 3);
    const double rr = std::min(rx, ry);
    p.setPen(Qt::NoPen);
    p.setBrush(Mix(base, Qt::black, 0.2));
    p.drawEllipse(c, rr, rr * ry / rx > rr ? rr : rr);
    const int loops = big ? 18 : 12;
    for (int k = 0; k < loops; ++k) {
        QPainterPath path;
        const double phase = 2 * M_PI * k / loops;
        const int n = 360;
        for (int i = 0; i <= n; ++i) {
            const double t = 2 * M_PI * i / n;
            const double r = rr * (0.62 + 0.36 * std::cos(5 * t));
            const QPointF q(c.x() + r * std::cos(t + phase), c.y() + r * std::sin(t + phase));
            if (i == 0)
                path.moveTo(q);
            else
                path.lineTo(q);
        }
        p.setPen(QPen(k % 2 ? light : pale, line * 0.7));
        p.drawPath(path);
    }
    // The oval extends the pattern up and down the long side.
    for (int k = 0; k < 2; ++k) {
        const double dy = (ry - rr) * 0.5 + rr * 0.5;
        const QPointF cc(c.x(), c.y() + (k ? dy : -dy));
        if (ry - rr < rr * 0.3) break;
        for (int j = 0; j < 8; ++j) {
            QPainterPath path;
            const double phase = 2 * M_PI * j / 8;
            for (int i = 0; i <= 240; ++i) {
                const double t = 2 * M_PI * i / 240;
                const double r = rr * 0.42 * (0.6 + 0.38 * std::cos(4 * t));
                const QPointF q(cc.x() + r * std::cos(t + phase), cc.y() + r * std::sin(t + phase));
                if (i == 0)
                    path.moveTo(q);
                else
                    path.lineTo(q);
            }
            p.setPen(QPen(j % 2 ? light : pale, line * 0.6));
            p.drawPath(path);
        }
    }
    // The centre jewel.
    p.setPen(QPen(pale, line));
    p.setBrush(base);
    p.drawEllipse(c, rr * 0.14, rr * 0.14);
    p.setBrush(light);
    p.setPen(Qt::NoPen);
    p.drawEllipse(c, rr * 0.06, rr * 0.06);
    return image;
}

QImage Turned(const QImage& upright) {
    QTransform t;
    t.rotate(90);
    return upright.transformed(t);
}

void DrawCards(ArtWriter& out) {
    for (int rank = 0; rank < 9; ++rank) {
        for (int suit = 0; suit < 4; ++suit) {
            const QString name = QString(kSuitTokens[suit]) + kRankTokens[rank];
            out.Png(name, DrawFace(kSmallCard, false, ClassicStyle(), suit, rank));
            out.Png(name + "B", DrawFace(kBigCard, true, ClassicStyle(), suit, rank));
        }
    }
    for (int suit = 0; suit < 4; ++suit) {
        out.Png(kSymbolNames[suit], DrawSymbol(suit, 20, ClassicStyle()));
        out.Png(QString(kSymbolNames[suit]) + "B", DrawSymbol(suit, 40, ClassicStyle()));
    }
    for (int day = 0; day < 7; ++day) {
        const QString name = QString("Ob%1%2").arg(day + 1, 2, 10, QChar('0')).arg(kWeekdayTokens[day]);
        const QImage small = DrawClassicBack(69, 94, day, false);
        const QImage big = DrawClassicBack(146, 198, day, true);
        out.Png(name, small);
        out.Png(name + "R", Turned(small));
        out.Png(name + "B", big);
        out.Png(name + "RB", Turned(big));
    }
}

}  // namespace artgen
