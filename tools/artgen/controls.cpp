// Pictures of the window's controls: button art, banners, headers, flags, logo, title, clock,
// cursors and the end-of-game medal.
#include <QLinearGradient>
#include <QRadialGradient>
#include <cmath>
#include <vector>

#include "artgen.h"

namespace artgen {
namespace {

// The classic button's red rows, one colour per pixel row, for the three standard heights.
std::vector<QColor> ButtonRows(int rows) {
    std::vector<QColor> c;
    auto band = [&](QColor from, QColor to, int n) {
        for (int i = 0; i < n; ++i) {
            const double t = n == 1 ? 0 : double(i) / (n - 1);
            c.emplace_back(std::lround(from.red() + (to.red() - from.red()) * t),
                           std::lround(from.green() + (to.green() - from.green()) * t),
                           std::lround(from.blue() + (to.blue() - from.blue()) * t));
        }
    };
    if (rows == 29) {
        c = {QColor(128, 0, 0), QColor(17, 0, 0), QColor(135, 91, 91)};
        const int pale[11][2] = {{232, 173}, {223, 163}, {215, 153}, {207, 145}, {200, 136}, {194, 127},
                                 {188, 117}, {184, 108}, {180, 99},  {178, 89},  {176, 80}};
        for (const auto& v : pale) c.emplace_back(v[0], v[1], v[1]);
        c.emplace_back(152, 36, 36);
        for (int r : {136, 144, 153, 161, 170, 178, 187, 195, 204, 212, 221, 229, 238})
            c.emplace_back(r, 0, 0);
        c.emplace_back(128, 0, 0);
    } else if (rows == 44) {
        c = {QColor(128, 0, 0), QColor(11, 0, 0), QColor(132, 93, 93)};
        band(QColor(239, 180, 180), QColor(175, 74, 74), 19);
        c.emplace_back(153, 34, 34);
        band(QColor(136, 0, 0), QColor(244, 0, 0), 20);
        c.emplace_back(128, 0, 0);
    } else {
        c = {QColor(128, 0, 0), QColor(9, 0, 0), QColor(131, 94, 94)};
        band(QColor(243, 183, 183), QColor(172, 71, 71), 26);
        c.emplace_back(150, 33, 33);
        band(QColor(132, 0, 0), QColor(246, 0, 0), 28);
        c.emplace_back(128, 0, 0);
    }
    c.resize(rows, QColor(128, 0, 0));
    return c;
}

QImage Rows(int w, const std::vector<QColor>& rows) {
    QImage image(w, int(rows.size()), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < w; ++x) image.setPixelColor(x, y, rows[y]);
    return image;
}

// A rounded end cut from a picture of the full button face, mirrored for the right end.
QImage End(const QImage& face, int w, double radius, bool right, QColor edge) {
    const int h = face.height();
    QImage image = Canvas(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(right ? -w : 0, 0, 2 * w, h), radius, radius);
    p.setClipPath(shape);
    p.drawImage(0, 0, face, 0, 0, w, h);
    p.setClipping(false);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(edge, 1.0));
    p.drawRoundedRect(QRectF(right ? -w + 0.5 : 0.5, 0.5, 2 * w - 1, h - 1), radius - 0.5, radius - 0.5);
    return image;
}

// The new style's face: a glossy red gradient.
QImage GlossFace(int w, int h) {
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, QColor(240, 60, 50));
    g.setColorAt(0.5, QColor(206, 16, 16));
    g.setColorAt(0.52, QColor(186, 0, 0));
    g.setColorAt(1, QColor(236, 40, 30));
    p.fillRect(image.rect(), g);
    QLinearGradient gloss(0, 0, 0, h / 2.0);
    gloss.setColorAt(0, QColor(255, 255, 255, 110));
    gloss.setColorAt(1, QColor(255, 255, 255, 25));
    p.fillRect(QRectF(0, 1, w, h / 2.0 - 1), gloss);
    p.setPen(QColor(110, 0, 0));
    p.drawLine(0, 0, w, 0);
    p.drawLine(0, h - 1, w, h - 1);
    return image;
}

void ButtonArt(ArtWriter& out) {
    const struct { int rows, end; } bands[] = {{29, 8}, {44, 13}, {59, 17}};
    for (const auto& b : bands) {
        const QString n = QString::number(b.rows);
        const QImage classic = Rows(b.end, ButtonRows(b.rows));
        out.Png("R" + n + "_L", End(classic, b.end, b.end, false, QColor(128, 0, 0)));
        out.Png("R" + n + "_R", End(classic, b.end, b.end, true, QColor(128, 0, 0)));
        out.Png("R" + n + "_2", classic);
        const QImage gloss = GlossFace(b.end, b.rows);
        const double r = std::min<double>(b.end, b.rows / 2.0);
        out.Png("Q" + n + "_L", End(gloss, b.end, r, false, QColor(110, 0, 0)));
        out.Png("Q" + n + "_R", End(gloss, b.end, r, true, QColor(110, 0, 0)));
        out.Png("Q" + n + "_2", gloss);
    }
}

QFont Font(const char* family, bool bold) {
    QFont f(family);
    f.setPixelSize(100);
    f.setBold(bold);
    return f;
}

// Red artwork: every colour is a red, a dark red or white, so recolouring gives clean colours.
void RedPlate(QPainter& p, const QRectF& r, double radius) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(236, 60, 60));
    g.setColorAt(0.5, QColor(196, 14, 14));
    g.setColorAt(1, QColor(130, 0, 0));
    p.setBrush(g);
    p.setPen(QPen(QColor(90, 0, 0), 1.2));
    p.drawRoundedRect(r, radius, radius);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 200), 1));
    p.drawRoundedRect(r.adjusted(3, 3, -3, -3), radius - 2, radius - 2);
    QLinearGradient gloss(r.topLeft(), QPointF(r.left(), r.center().y()));
    gloss.setColorAt(0, QColor(255, 255, 255, 90));
    gloss.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(gloss);
    p.drawRoundedRect(QRectF(r.left() + 5, r.top() + 4, r.width() - 10, r.height() / 2 - 4), radius - 3,
                      radius - 3);
}

void WhiteText(QPainter& p, const QPainterPath& text, double outline) {
    p.setPen(QPen(QColor(90, 0, 0), outline, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(text);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(text);
}

void WhiteSuit(QPainter& p, int suit, const QRectF& box) {
    QTransform t;
    t.translate(box.left(), box.top());
    t.scale(box.width() / 100.0, box.height() / 100.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 230));
    p.drawPath(t.map(SuitPath(suit)));
}

const char* const kLanguages[8] = {"Eng", "Rus", "Deu", "Fra", "Spa", "Chi", "Ita", "Cze"};

QImage Caption(const QString& subtitle) {
    QImage image = Canvas(400, 70);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Ribbon ends folded behind the plate.
    p.setPen(QPen(QColor(90, 0, 0), 1));
    p.setBrush(QColor(150, 0, 0));
    for (int side = 0; side < 2; ++side) {
        p.save();
        if (side) {
            p.translate(400, 0);
            p.scale(-1, 1);
        }
        QPainterPath tail;
        tail.moveTo(40, 18);
        tail.lineTo(2, 18);
        tail.lineTo(16, 35);
        tail.lineTo(2, 52);
        tail.lineTo(40, 52);
        tail.closeSubpath();
        p.drawPath(tail);
        p.restore();
    }
    RedPlate(p, QRectF(24, 4, 352, 62), 12);
    const QPainterPath title = TextPath("KESP", Font("DejaVu Serif", true), 200, 11, 30, 300);
    WhiteText(p, title, 3);
    const QPainterPath sub = TextPath(subtitle, Font("DejaVu Sans", true), 200, 47, 11, 300);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(sub);
    for (int s = 0; s < 4; ++s) {
        WhiteSuit(p, s, QRectF(s < 2 ? 48 + s * 24 : 306 + (s - 2) * 24, 26, 20, 20));
    }
    return image;
}

QImage Header(const QString& text) {
    QImage image = Canvas(350, 40);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    RedPlate(p, QRectF(1, 1, 348, 38), 10);
    WhiteText(p, TextPath(text, Font("DejaVu Serif", true), 175, 11, 17, 250), 2.5);
    WhiteSuit(p, kHearts, QRectF(14, 12, 16, 16));
    WhiteSuit(p, kSpades, QRectF(320, 12, 16, 16));
    return image;
}

void Banners(ArtWriter& out) {
    const QString subtitles[8] = {"CARD GAME",       QString::fromUtf8("КАРТОЧНАЯ ИГРА"),
                                  "KARTENSPIEL",     "JEU DE CARTES",
                                  "JUEGO DE CARTAS", QString::fromUtf8("纸牌游戏"),
                                  "GIOCO DI CARTE",  QString::fromUtf8("KARETNÍ HRA")};
    const QString clubs[8] = {"Elite Club",
                              QString::fromUtf8("Элитный клуб"),
                              "Elite-Club",
                              QString::fromUtf8("Club d'élite"),
                              QString::fromUtf8("Club de élite"),
                              QString::fromUtf8("精英俱乐部"),
                              QString::fromUtf8("Club d'élite"),
                              QString::fromUtf8("Elitní klub")};
    const QString nets[8] = {"Network games",  QString::fromUtf8("Сетевые игры"),
                             "Netzwerkspiele", QString::fromUtf8("Jeux en réseau"),
                             "Juegos en red",  QString::fromUtf8("网络游戏"),
                             "Giochi in rete", QString::fromUtf8("Síťové hry")};
    for (int i = 0; i < 8; ++i) {
        out.Png(QString("Cap") + kLanguages[i], Caption(subtitles[i]));
        out.Png(QString("Elite") + kLanguages[i], Header(clubs[i]));
        out.Png(QString("Net__") + kLanguages[i], Header(nets[i]));
    }
}

QImage Flag(const QString& code) {
    const int w = 48, h = 32;
    QImage image = Canvas(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath clip;
    clip.addRoundedRect(QRectF(0, 0, w, h), 2.5, 2.5);
    p.setClipPath(clip);
    p.setPen(Qt::NoPen);
    auto stripes = [&](std::initializer_list<QColor> colours, bool vertical) {
        const int n = int(colours.size());
        int i = 0;
        for (const QColor& c : colours) {
            p.setBrush(c);
            if (vertical)
                p.drawRect(QRectF(w * i / double(n), 0, w / double(n) + 0.5, h));
            else
                p.drawRect(QRectF(0, h * i / double(n), w, h / double(n) + 0.5));
            ++i;
        }
    };
    auto star = [&](QPointF c, double r, double turn) {
        QPainterPath s;
        for (int i = 0; i < 10; ++i) {
            const double a = -M_PI / 2 + turn + i * M_PI / 5;
            const double rr = i % 2 ? r * 0.38 : r;
            const QPointF q(c.x() + rr * std::cos(a), c.y() + rr * std::sin(a));
            if (i == 0)
                s.moveTo(q);
            else
                s.lineTo(q);
        }
        p.drawPath(s);
    };
    if (code == "Eng") {
        p.fillRect(image.rect(), QColor(1, 33, 105));
        p.setPen(QPen(Qt::white, 6.5));
        p.drawLine(0, 0, w, h);
        p.drawLine(0, h, w, 0);
        p.setPen(QPen(QColor(200, 16, 46), 2.2));
        p.drawLine(QPointF(0, -1.2), QPointF(w, h - 1.2));
        p.drawLine(QPointF(0, h + 1.2), QPointF(w, 1.2));
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(w / 2.0 - 5.5, 0, 11, h));
        p.drawRect(QRectF(0, h / 2.0 - 5.5, w, 11));
        p.setBrush(QColor(200, 16, 46));
        p.drawRect(QRectF(w / 2.0 - 3.3, 0, 6.6, h));
        p.drawRect(QRectF(0, h / 2.0 - 3.3, w, 6.6));
    } else if (code == "Rus") {
        stripes({Qt::white, QColor(0, 57, 166), QColor(213, 43, 30)}, false);
    } else if (code == "Deu") {
        stripes({QColor(20, 20, 20), QColor(221, 0, 0), QColor(255, 206, 0)}, false);
    } else if (code == "Fra") {
        stripes({QColor(0, 35, 149), Qt::white, QColor(237, 41, 57)}, true);
    } else if (code == "Spa") {
        stripes({QColor(170, 21, 27), QColor(241, 191, 0), QColor(241, 191, 0), QColor(170, 21, 27)}, false);
    } else if (code == "Ita") {
        stripes({QColor(0, 146, 70), Qt::white, QColor(206, 43, 55)}, true);
    } else if (code == "Chi") {
        p.fillRect(image.rect(), QColor(238, 28, 37));
        p.setBrush(QColor(255, 255, 0));
        star(QPointF(8, 8), 4.8, 0);
        star(QPointF(16, 3.2), 1.6, 0.4);
        star(QPointF(19.2, 6.4), 1.6, 0.2);
        star(QPointF(19.2, 11.2), 1.6, 0);
        star(QPointF(16, 14.4), 1.6, -0.3);
    } else if (code == "Cze") {
        stripes({Qt::white, QColor(215, 20, 26)}, false);
        p.setBrush(QColor(17, 69, 126));
        p.drawPolygon(QPolygonF({QPointF(0, 0), QPointF(24, 16), QPointF(0, 32)}));
    } else if (code == "Jap") {
        p.fillRect(image.rect(), Qt::white);
        p.setBrush(QColor(188, 0, 45));
        p.drawEllipse(QPointF(24, 16), 9.6, 9.6);
    } else {  // Kor
        p.fillRect(image.rect(), Qt::white);
        const QPointF c(24, 16);
        const double r = 8;
        p.setBrush(QColor(0, 71, 160));
        p.drawEllipse(c, r, r);
        p.save();
        p.translate(c);
        p.rotate(33.7);
        p.setBrush(QColor(205, 46, 58));
        QPainterPath top;
        top.moveTo(-r, 0);
        top.arcTo(QRectF(-r, -r, 2 * r, 2 * r), 180, -180);
        top.arcTo(QRectF(0, -r / 2, r, r), 0, -180);
        top.arcTo(QRectF(-r, -r / 2, r, r), 0, 180);
        p.drawPath(top);
        p.restore();
        p.setBrush(Qt::black);
        const double angles[4] = {-33.7 - 90, 33.7 - 90, 33.7 + 90, -33.7 + 90};
        for (int k = 0; k < 4; ++k) {
            p.save();
            p.translate(c);
            p.rotate(angles[k]);
            for (int bar = 0; bar < 3; ++bar) {
                const double x = 12 + bar * 2.4;
                const bool broken = (k + bar) % 2 == 1 && k > 0;
                if (broken) {
                    p.drawRect(QRectF(x, -4, 1.6, 3.4));
                    p.drawRect(QRectF(x, 0.6, 1.6, 3.4));
                } else {
                    p.drawRect(QRectF(x, -4, 1.6, 8));
                }
            }
            p.restore();
        }
    }
    p.setClipping(false);
    QLinearGradient gloss(0, 0, 0, h);
    gloss.setColorAt(0, QColor(255, 255, 255, 60));
    gloss.setColorAt(0.5, QColor(255, 255, 255, 0));
    gloss.setColorAt(1, QColor(0, 0, 0, 40));
    p.setBrush(gloss);
    p.setPen(QPen(QColor(0, 0, 0, 110), 1));
    p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), 2.5, 2.5);
    return image;
}

// The emblem: the four suits inside a gold ring.
QImage Logo(int size) {
    QImage image = Canvas(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    QRadialGradient ring(QPointF(26, 24), 44);
    ring.setColorAt(0, QColor(255, 232, 150));
    ring.setColorAt(0.6, QColor(214, 162, 40));
    ring.setColorAt(1, QColor(130, 90, 14));
    p.setBrush(ring);
    p.setPen(QPen(QColor(90, 60, 8), 1));
    p.drawEllipse(QPointF(32, 32), 31, 31);
    QRadialGradient field(QPointF(28, 26), 30);
    field.setColorAt(0, QColor(255, 255, 252));
    field.setColorAt(1, QColor(230, 224, 206));
    p.setBrush(field);
    p.drawEllipse(QPointF(32, 32), 25, 25);
    DrawSuit(p, kHearts, QRectF(23, 10, 18, 18), true);
    DrawSuit(p, kSpades, QRectF(23, 36, 18, 18), true);
    DrawSuit(p, kDiamonds, QRectF(10, 23, 18, 18), true);
    DrawSuit(p, kClubs, QRectF(36, 23, 18, 18), true);
    return image;
}

// The main menu's title picture: the name between two fans of aces.
QImage Title() {
    const int w = 600, h = 180;
    QImage image = Canvas(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    auto fan = [&](double cx, double dir) {
        for (int i = 0; i < 4; ++i) {
            p.save();
            p.translate(cx, 168);
            p.rotate(dir * (-27 + i * 18));
            const QRectF card(-34, -150, 68, 96);
            p.setPen(QPen(QColor(80, 80, 90), 1.2));
            p.setBrush(QColor(255, 255, 252));
            p.drawRoundedRect(card, 6, 6);
            const int suit = dir > 0 ? i : 3 - i;
            DrawSuit(p, suit, QRectF(-17, -120, 34, 34), true);
            p.setPen(Qt::NoPen);
            p.setBrush(SuitColour(suit));
            p.drawPath(TextPath("A", Font("DejaVu Serif", true), -25, -146, 11, 12));
            p.restore();
        }
    };
    fan(80, -1);
    fan(520, 1);
    const QPainterPath name = TextPath("KESP", Font("DejaVu Serif", true), 300, 38, 92, 300);
    p.save();
    p.translate(4, 5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 110));
    p.drawPath(name);
    p.restore();
    QLinearGradient gold(0, 38, 0, 130);
    gold.setColorAt(0, QColor(255, 240, 170));
    gold.setColorAt(0.5, QColor(232, 180, 40));
    gold.setColorAt(1, QColor(160, 100, 10));
    p.setPen(QPen(QColor(110, 0, 0), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(name);
    p.setPen(QPen(QColor(90, 50, 0), 1.2));
    p.setBrush(gold);
    p.drawPath(name);
    return image;
}

// The digital clock: a dark glass panel, seven-segment digits and the blinking colon.
QImage ClockPanel() {
    QImage image = Canvas(115, 64);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient body(0, 0, 0, 64);
    body.setColorAt(0, QColor(90, 94, 100));
    body.setColorAt(1, QColor(30, 32, 36));
    p.setBrush(body);
    p.setPen(QPen(QColor(10, 10, 12), 1));
    p.drawRoundedRect(QRectF(0.5, 0.5, 114, 63), 9, 9);
    p.setBrush(QColor(8, 22, 12));
    p.setPen(QPen(QColor(0, 0, 0), 1));
    p.drawRoundedRect(QRectF(8, 9, 99, 46), 5, 5);
    QLinearGradient glass(0, 9, 0, 30);
    glass.setColorAt(0, QColor(255, 255, 255, 40));
    glass.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glass);
    p.drawRoundedRect(QRectF(10, 10, 95, 20), 4, 4);
    return image;
}

// The bar under "Creating a GIF...": a gold-framed cream plate with a row of small gold dots
// along its foot, light enough for red writing.
QImage AdvertBar(int w, int h) {
    QImage image = Canvas(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient frame(0, 0, 0, h);
    frame.setColorAt(0, QColor(246, 214, 120));
    frame.setColorAt(0.5, QColor(200, 150, 40));
    frame.setColorAt(1, QColor(130, 84, 16));
    p.setPen(QPen(QColor(90, 50, 10), 1));
    p.setBrush(frame);
    p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), 9, 9);
    QLinearGradient plate(0, 3, 0, h - 3);
    plate.setColorAt(0, QColor(255, 252, 236));
    plate.setColorAt(1, QColor(244, 230, 196));
    p.setPen(QPen(QColor(150, 100, 30), 0.8));
    p.setBrush(plate);
    p.drawRoundedRect(QRectF(3.5, 3.5, w - 7, h - 7), 6, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(214, 168, 60));
    for (double x = 14; x < w - 10; x += 8) p.drawEllipse(QPointF(x, h - 6.5), 1.2, 1.2);
    return image;
}

QImage ClockDigit(int digit) {
    // Segments a..g: top, upper right, lower right, bottom, lower left, upper left, middle.
    static const int segments[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};
    QImage image = Canvas(20, 34);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double t = 3.4;
    auto horizontal = [&](double y) {
        return QPolygonF({QPointF(4, y), QPointF(4 + t / 2, y - t / 2), QPointF(16 - t / 2, y - t / 2),
                          QPointF(16, y), QPointF(16 - t / 2, y + t / 2), QPointF(4 + t / 2, y + t / 2)});
    };
    auto vertical = [&](double x, double y0, double y1) {
        return QPolygonF({QPointF(x, y0), QPointF(x + t / 2, y0 + t / 2), QPointF(x + t / 2, y1 - t / 2),
                          QPointF(x, y1), QPointF(x - t / 2, y1 - t / 2), QPointF(x - t / 2, y0 + t / 2)});
    };
    const QPolygonF shapes[7] = {horizontal(2.5),  vertical(17, 3, 16.5), vertical(17, 17.5, 31),
                                 horizontal(31.5), vertical(3, 17.5, 31), vertical(3, 3, 16.5),
                                 horizontal(17)};
    for (int s = 0; s < 7; ++s) {
        const bool on = segments[digit] & (1 << s);
        p.setPen(Qt::NoPen);
        p.setBrush(on ? QColor(90, 255, 130) : QColor(40, 90, 50, 70));
        p.drawPolygon(shapes[s]);
    }
    return image;
}

QImage ClockColon() {
    QImage image = Canvas(6, 16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 255, 130));
    p.drawEllipse(QPointF(3, 3), 2.2, 2.2);
    p.drawEllipse(QPointF(3, 13), 2.2, 2.2);
    return image;
}

QImage WithHotSpot(QImage image, int x, int y) {
    image.setText("HotX", QString::number(x));
    image.setText("HotY", QString::number(y));
    return image;
}

QImage ArrowCursor() {
    QImage image = Canvas(32, 32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath arrow;
    arrow.moveTo(1.5, 1.5);
    arrow.lineTo(1.5, 22);
    arrow.lineTo(6.5, 17.5);
    arrow.lineTo(10.5, 26.5);
    arrow.lineTo(14, 25);
    arrow.lineTo(10, 16.2);
    arrow.lineTo(16.5, 16.2);
    arrow.closeSubpath();
    p.setPen(QPen(Qt::black, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QLinearGradient g(0, 0, 12, 24);
    g.setColorAt(0, Qt::white);
    g.setColorAt(1, QColor(220, 224, 235));
    p.setBrush(g);
    p.drawPath(arrow);
    DrawSuit(p, kHearts, QRectF(18, 20, 9, 9), false);
    return WithHotSpot(image, 1, 1);
}

// Animated cursors are stored as frames NAME_1, NAME_2, ...; NAME alone is the first frame.
void CursorFrames(ArtWriter& out, const QString& name, const std::vector<QImage>& frames) {
    out.Png(name, frames.front());
    for (size_t i = 0; i < frames.size(); ++i) out.Png(name + "_" + QString::number(i + 1), frames[i]);
}

void Cursors(ArtWriter& out) {
    out.Png("CurArrow", ArrowCursor());
    // The hand: a pointing finger with the four suits turning in its corner.
    std::vector<QImage> hand;
    for (int f = 0; f < 4; ++f) {
        QImage image = Canvas(32, 32);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.translate(3, 1);
        p.scale(0.5, 0.5);
        PointingHandShape(p);
        p.resetTransform();
        DrawSuit(p, f, QRectF(21, 20, 10, 10), false);
        hand.push_back(WithHotSpot(image, 12, 1));
    }
    CursorFrames(out, "CurHand", hand);
    // Waiting: four suits running round a circle.
    std::vector<QImage> wait;
    for (int f = 0; f < 8; ++f) {
        QImage image = Canvas(32, 32);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0, 0, 0, 120), 1));
        p.setBrush(QColor(255, 255, 255, 220));
        p.drawEllipse(QPointF(16, 16), 14.5, 14.5);
        for (int s = 0; s < 4; ++s) {
            const double a = (s * 90 + f * 45) * M_PI / 180;
            const QPointF c(16 + 8.5 * std::cos(a), 16 + 8.5 * std::sin(a));
            DrawSuit(p, s, QRectF(c.x() - 5, c.y() - 5, 10, 10), false);
        }
        wait.push_back(WithHotSpot(image, 16, 16));
    }
    CursorFrames(out, "CurWait", wait);
    // Editing: a text beam whose caret blinks red.
    std::vector<QImage> edit;
    for (int f = 0; f < 4; ++f) {
        QImage image = Canvas(32, 32);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath beam;
        beam.moveTo(11, 4);
        beam.cubicTo(14, 4, 16, 5, 16, 7);
        beam.cubicTo(16, 5, 18, 4, 21, 4);
        beam.moveTo(16, 7);
        beam.lineTo(16, 25);
        beam.moveTo(11, 28);
        beam.cubicTo(14, 28, 16, 27, 16, 25);
        beam.cubicTo(16, 27, 18, 28, 21, 28);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Qt::white, 3.2, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(beam);
        p.setPen(QPen(Qt::black, 1.4, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(beam);
        if (f < 2) DrawSuit(p, kDiamonds, QRectF(20, 12, 8, 8), false);
        edit.push_back(WithHotSpot(image, 16, 16));
    }
    CursorFrames(out, "CurEdit", edit);
}

QImage Medal() {
    QImage image = Canvas(104, 104);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Ribbon.
    p.setPen(QPen(QColor(60, 0, 0), 1));
    p.setBrush(QColor(200, 24, 40));
    p.drawPolygon(QPolygonF({QPointF(30, 0), QPointF(48, 0), QPointF(58, 40), QPointF(42, 44)}));
    p.setBrush(QColor(30, 70, 170));
    p.drawPolygon(QPolygonF({QPointF(74, 0), QPointF(56, 0), QPointF(46, 40), QPointF(62, 44)}));
    QRadialGradient gold(QPointF(44, 54), 50);
    gold.setColorAt(0, QColor(255, 240, 160));
    gold.setColorAt(0.55, QColor(226, 172, 36));
    gold.setColorAt(1, QColor(130, 86, 10));
    p.setBrush(gold);
    p.setPen(QPen(QColor(100, 64, 8), 1.2));
    p.drawEllipse(QPointF(52, 66), 36, 36);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 236, 150), 1.4));
    p.drawEllipse(QPointF(52, 66), 29, 29);
    p.setPen(QPen(QColor(140, 96, 16), 1, Qt::DotLine));
    p.drawEllipse(QPointF(52, 66), 32.5, 32.5);
    return image;
}

QImage Place(int place) {
    QImage image = Canvas(104, 104);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath text =
        TextPath(QString::number(place), Font("DejaVu Serif", true), 52, 52, 28, place >= 10 ? 40 : 24);
    p.translate(0.8, 1);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 245, 190, 200));
    p.drawPath(text);
    p.resetTransform();
    p.setBrush(QColor(110, 60, 0));
    p.drawPath(text);
    return image;
}

}  // namespace

void DrawControls(ArtWriter& out) {
    ButtonArt(out);
    Banners(out);
    for (const char* code : {"Eng", "Rus", "Deu", "Fra", "Spa", "Chi", "Ita", "Cze", "Jap", "Kor"})
        out.Png(QString("FlagO") + code, Flag(code));
    out.Png("Logo", Logo(64));
    out.Png("GTitle", Title());
    out.Png("GClockBG", ClockPanel());
    out.Png("AdvBar3", AdvertBar(175, 40));
    for (int d = 0; d < 10; ++d) out.Png("GBClock" + QString::number(d), ClockDigit(d));
    out.Png("GBClockP", ClockColon());
    Cursors(out);
    out.Png("GMedal", Medal());
    for (int place = 1; place <= 10; ++place)
        out.Png(QString("GPlace%1").arg(place, 2, 10, QChar('0')), Place(place));
}

}  // namespace artgen
