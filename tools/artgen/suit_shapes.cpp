// The German and Latin suit signs, each in a 100 x 100 box like the French ones.
#include <QTransform>
#include <cmath>

#include "artgen.h"

namespace artgen {
namespace {

QPainterPath Bell() {
    QPainterPath p;
    p.setFillRule(Qt::WindingFill);
    p.addEllipse(QPointF(50, 9), 6, 6);  // the loop on top
    QPainterPath body;
    body.moveTo(50, 13);
    body.cubicTo(25, 13, 22, 40, 20, 62);
    body.cubicTo(18, 72, 10, 76, 10, 80);
    body.lineTo(90, 80);
    body.cubicTo(90, 76, 82, 72, 80, 62);
    body.cubicTo(78, 40, 75, 13, 50, 13);
    body.closeSubpath();
    p.addPath(body);
    p.addEllipse(QPointF(50, 88), 9, 9);  // the clapper
    QPainterPath slot;                    // the band and the slit cut out of the body
    slot.addRect(QRectF(16, 64, 68, 4));
    slot.addEllipse(QPointF(50, 44), 7, 7);
    return p.simplified().subtracted(slot);
}

QPainterPath Acorn() {
    QPainterPath p;
    p.setFillRule(Qt::WindingFill);
    QPainterPath nut;
    nut.moveTo(24, 44);
    nut.cubicTo(22, 72, 38, 96, 50, 99);
    nut.cubicTo(62, 96, 78, 72, 76, 44);
    nut.closeSubpath();
    p.addPath(nut);
    QPainterPath cup;
    cup.moveTo(18, 46);
    cup.cubicTo(16, 26, 32, 16, 50, 16);
    cup.cubicTo(68, 16, 84, 26, 82, 46);
    cup.closeSubpath();
    p.addPath(cup);
    p.addRect(QRectF(46, 2, 8, 16));  // the stalk
    QPainterPath gap;                 // a light line between cup and nut
    gap.addRect(QRectF(18, 46, 64, 3.5));
    return p.simplified().subtracted(gap);
}

QPainterPath Leaf() {
    QPainterPath leaf;
    leaf.moveTo(50, 2);
    leaf.cubicTo(66, 14, 94, 34, 92, 56);
    leaf.cubicTo(90, 74, 70, 80, 54, 78);
    leaf.lineTo(56, 99);
    leaf.lineTo(44, 99);
    leaf.lineTo(46, 78);
    leaf.cubicTo(30, 80, 10, 74, 8, 56);
    leaf.cubicTo(6, 34, 34, 14, 50, 2);
    leaf.closeSubpath();
    QPainterPath veins;
    veins.addRect(QRectF(48.8, 14, 2.4, 62));
    for (int i = 0; i < 4; ++i) {
        const double y = 30 + i * 11;
        QPainterPath vein;
        vein.moveTo(50, y + 8);
        vein.lineTo(50 - (16 + i * 4), y);
        vein.lineTo(50 - (16 + i * 4), y + 2.2);
        vein.lineTo(50, y + 10.2);
        vein.lineTo(50 + (16 + i * 4), y + 2.2);
        vein.lineTo(50 + (16 + i * 4), y);
        vein.closeSubpath();
        veins.addPath(vein);
    }
    return leaf.subtracted(veins.simplified());
}

QPainterPath Cup() {
    QPainterPath p;
    p.setFillRule(Qt::WindingFill);
    QPainterPath bowl;
    bowl.moveTo(14, 8);
    bowl.lineTo(86, 8);
    bowl.cubicTo(86, 40, 70, 56, 50, 58);
    bowl.cubicTo(30, 56, 14, 40, 14, 8);
    bowl.closeSubpath();
    p.addPath(bowl);
    p.addRect(QRectF(45, 56, 10, 26));
    p.addEllipse(QPointF(50, 68), 9, 6);  // the knot of the stem
    QPainterPath foot;
    foot.moveTo(50, 80);
    foot.cubicTo(36, 84, 24, 90, 22, 98);
    foot.lineTo(78, 98);
    foot.cubicTo(76, 90, 64, 84, 50, 80);
    foot.closeSubpath();
    p.addPath(foot);
    QPainterPath rim;
    rim.addRect(QRectF(14, 15, 72, 3));
    return p.simplified().subtracted(rim);
}

QPainterPath Coin() {
    QPainterPath p;
    p.setFillRule(Qt::OddEvenFill);
    p.addEllipse(QPointF(50, 50), 47, 47);
    p.addEllipse(QPointF(50, 50), 39, 39);
    QPainterPath star;
    for (int i = 0; i < 16; ++i) {
        const double a = -M_PI / 2 + i * M_PI / 8;
        const double r = i % 2 == 0 ? 34 : 17;
        const QPointF q(50 + r * std::cos(a), 50 + r * std::sin(a));
        if (i == 0)
            star.moveTo(q);
        else
            star.lineTo(q);
    }
    star.closeSubpath();
    QPainterPath all = p.united(star);
    QPainterPath eye;
    eye.addEllipse(QPointF(50, 50), 6, 6);
    return all.subtracted(eye);
}

QPainterPath Baton() {
    QPainterPath club;
    club.moveTo(43, 99);
    club.lineTo(57, 99);
    club.cubicTo(60, 70, 66, 40, 68, 12);
    club.cubicTo(68, 3, 58, 0, 50, 1);
    club.cubicTo(40, 2, 34, 6, 34, 14);
    club.cubicTo(36, 40, 40, 70, 43, 99);
    club.closeSubpath();
    QPainterPath knots;
    knots.setFillRule(Qt::WindingFill);
    knots.addEllipse(QPointF(36, 30), 6, 5);
    knots.addEllipse(QPointF(66, 44), 6, 5);
    knots.addEllipse(QPointF(39, 60), 5, 4.5);
    knots.addEllipse(QPointF(61, 76), 5, 4.5);
    QPainterPath all = club.united(knots.simplified());
    QPainterPath grain;
    grain.addRect(QRectF(49, 10, 2.4, 80));
    return all.subtracted(grain);
}

QPainterPath Sword() {
    QPainterPath p;
    p.setFillRule(Qt::WindingFill);
    QPainterPath blade;
    blade.moveTo(50, 99);
    blade.lineTo(57, 84);
    blade.lineTo(57, 28);
    blade.lineTo(43, 28);
    blade.lineTo(43, 84);
    blade.closeSubpath();
    p.addPath(blade);
    QPainterPath guard;
    guard.moveTo(18, 20);
    guard.cubicTo(30, 28, 70, 28, 82, 20);
    guard.lineTo(84, 27);
    guard.cubicTo(70, 34, 30, 34, 16, 27);
    guard.closeSubpath();
    p.addPath(guard);
    p.addRect(QRectF(46, 8, 8, 16));     // the grip
    p.addEllipse(QPointF(50, 7), 7, 7);  // the pommel
    QPainterPath fuller;
    fuller.addRect(QRectF(49, 36, 2, 44));
    return p.simplified().subtracted(fuller);
}

}  // namespace

QPainterPath SuitPath(int suit, SuitShapes shapes) {
    switch (shapes) {
        case SuitShapes::kGerman:
            switch (suit) {
                case kHearts:
                    return SuitPath(kHearts);
                case kDiamonds:
                    return Bell();
                case kClubs:
                    return Acorn();
                default:
                    return Leaf();
            }
        case SuitShapes::kLatin:
            switch (suit) {
                case kHearts:
                    return Cup();
                case kDiamonds:
                    return Coin();
                case kClubs:
                    return Baton();
                default:
                    return Sword();
            }
        case SuitShapes::kFrench:
            break;
    }
    return SuitPath(suit);
}

}  // namespace artgen
