// The graphics library: the purple design of the menu, the table and the dialogs. Its pictures are
// the purple background "BGLilu", the click burst "GTouch", the dialogs' backgrounds ("GFormOpt"),
// their headers in each language ("GFormOptEng"), the title pictures of the plain designs
// ("OptionsEng"), the ribbons, the icons, the count window's emblems and the options animation.
#include <QLinearGradient>
#include <QRadialGradient>
#include <cmath>

#include "library.h"
#include "presentation/word_table.h"

namespace artgen {
namespace {

const QColor kPurple(120, 0, 200);
const QColor kGold(240, 200, 90);
const char* const kSuffixes[8] = {"Eng", "Rus", "Deu", "Fra", "Spa", "Chi", "Ita", "Cze"};

QString Text(kesp::WordKey key, int language) {
    const std::string_view text = kesp::WordOf(key)[language];
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QFont TitleFont() {
    QFont f(QStringLiteral("DejaVu Serif"));
    f.setPixelSize(100);
    f.setBold(true);
    return f;
}

// Deep purple lit from above, printed with faint suit signs.
QImage Lilac(int w, int h, std::uint64_t seed) {
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient light(QPointF(w * 0.5, h * 0.3), std::max(w, h) * 0.8);
    light.setColorAt(0, QColor(150, 40, 220));
    light.setColorAt(0.6, kPurple);
    light.setColorAt(1, QColor(60, 0, 110));
    p.fillRect(image.rect(), light);
    Random rnd(seed);
    const double step = std::max(48.0, w / 16.0);
    int row = 0;
    for (double y = step / 2; y < h + step; y += step * 0.8, ++row)
        for (double x = row % 2 ? step / 2 : 0; x < w + step; x += step) {
            QTransform t;
            const double s = step * 0.3;
            t.translate(x - s / 2, y - s / 2);
            t.rotate((rnd.Unit() - 0.5) * 20);
            t.scale(s / 100.0, s / 100.0);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(255, 255, 255, 18));
            p.drawPath(t.map(SuitPath((int(x / step) + row) % 4)));
        }
    return image;
}

// A gold text on the picture, centred in `box` with a dark outline.
void GoldText(QPainter& p, const QString& text, const QRectF& box, double height) {
    const QPainterPath path = TextPath(text, TitleFont(), box.center().x(), box.center().y() - height / 2,
                                       height, box.width() * 0.9);
    QLinearGradient g(0, box.center().y() - height / 2, 0, box.center().y() + height / 2);
    g.setColorAt(0, QColor(255, 240, 170));
    g.setColorAt(0.5, kGold);
    g.setColorAt(1, QColor(190, 130, 30));
    p.setPen(QPen(QColor(60, 0, 40), height * 0.08));
    p.setBrush(g);
    p.drawPath(path);
}

// The title picture of the plain dialog design: a purple plate with the title in gold.
QImage Title(const QString& text, int w, int h) {
    QImage image = Canvas(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, QColor(150, 40, 220));
    g.setColorAt(1, QColor(70, 0, 120));
    p.setPen(QPen(kGold, 2));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(1, 1, w - 2, h - 2), h / 3.0, h / 3.0);
    GoldText(p, text, QRectF(0, 0, w, h), h * 0.5);
    return image;
}

// A red ribbon with folded ends; with a text it is a dialog's header.
QImage Ribbon(int w, int h, const QString& text) {
    QImage image = Canvas(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double fold = h * 0.25;
    QPainterPath band;
    band.moveTo(0, fold);
    band.lineTo(fold * 1.5, fold);
    band.lineTo(fold * 1.5, h - fold * 0.3);
    band.lineTo(0, h - fold * 0.3);
    band.lineTo(fold * 0.7, (fold + h - fold * 0.3) / 2);
    band.closeSubpath();
    QPainterPath right = QTransform(-1, 0, 0, 1, w, 0).map(band);
    p.setPen(QPen(QColor(90, 0, 0), 1.5));
    p.setBrush(QColor(140, 10, 20));
    p.drawPath(band);
    p.drawPath(right);
    QLinearGradient g(0, fold * 0.3, 0, h - fold);
    g.setColorAt(0, QColor(230, 60, 60));
    g.setColorAt(0.5, QColor(190, 20, 30));
    g.setColorAt(1, QColor(140, 10, 20));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(fold, fold * 0.3, w - 2 * fold, h - fold * 1.3), 4, 4);
    p.setPen(QPen(kGold, 1.5, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(fold + 5, fold * 0.3 + 5, w - 2 * fold - 10, h - fold * 1.3 - 10), 3, 3);
    if (!text.isEmpty()) GoldText(p, text, QRectF(fold, fold * 0.3, w - 2 * fold, h - fold * 1.3), h * 0.36);
    return image;
}

// A dialog's purple background with a thin gold frame.
QImage FormBackground(int w, int h, std::uint64_t seed) {
    QImage image = Lilac(w, h, seed);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kGold, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(4, 4, w - 8, h - 8), 10, 10);
    return image;
}

// The end-of-game window's background in one language: parchment in a purple frame, titled.
QImage EndOfGame(const QString& title) {
    const int w = 450, h = 450;
    QImage image = FormBackground(w, h, 31);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient paper(0, 60, 0, h);
    paper.setColorAt(0, QColor(252, 246, 228));
    paper.setColorAt(1, QColor(238, 224, 190));
    p.setPen(QPen(kGold, 2));
    p.setBrush(paper);
    p.drawRoundedRect(QRectF(24, 62, w - 48, h - 84), 14, 14);
    GoldText(p, title, QRectF(0, 10, w, 46), 26);
    return image;
}

// An icon of 48 x 48: a gold disc with a sign.
QImage Icon(const QString& sign) {
    QImage image = Canvas(48, 48);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient g(QPointF(18, 16), 30);
    g.setColorAt(0, QColor(255, 236, 160));
    g.setColorAt(1, QColor(200, 140, 30));
    p.setPen(QPen(QColor(110, 60, 0), 1.5));
    p.setBrush(g);
    p.drawEllipse(QRectF(2, 2, 44, 44));
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setBold(true);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 0, 130));
    p.drawPath(TextPath(sign, f, 24, 11, 26, 32));
    return image;
}

// The click burst: 30 frames of 100 x 100, a ring of sparks and suit signs flying out and fading.
QImage TouchStrip() {
    QImage strip = Canvas(3000, 100);
    QPainter p(&strip);
    p.setRenderHint(QPainter::Antialiasing);
    for (int k = 0; k < 30; ++k) {
        const double t = (k + 1) / 30.0;
        const QPointF c(k * 100 + 50, 50);
        const double r = 8 + 38 * std::sqrt(t);
        const int alpha = static_cast<int>(255 * (1 - t * t));
        p.setPen(QPen(QColor(255, 230, 120, alpha / 2), 2 * (1 - t) + 0.5));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, r * 0.8, r * 0.8);
        for (int i = 0; i < 12; ++i) {
            const double a = i * M_PI / 6 + t * 0.8;
            const QPointF q = c + QPointF(std::cos(a) * r, std::sin(a) * r);
            if (i % 3 == 0) {
                QTransform tr;
                const double s = 12 * (1 - t * 0.5);
                tr.translate(q.x() - s / 2, q.y() - s / 2);
                tr.scale(s / 100.0, s / 100.0);
                QColor ink = SuitColour(i / 3);
                if (!IsRed(i / 3)) ink = QColor(80, 20, 160);
                ink.setAlpha(alpha);
                p.setPen(Qt::NoPen);
                p.setBrush(ink);
                p.drawPath(tr.map(SuitPath(i / 3)));
            } else {
                QRadialGradient spark(q, 5);
                spark.setColorAt(0, QColor(255, 255, 255, alpha));
                spark.setColorAt(1, QColor(255, 200, 60, 0));
                p.setPen(Qt::NoPen);
                p.setBrush(spark);
                p.drawEllipse(q, 5, 5);
            }
        }
    }
    return strip;
}

// An emblem of the count window: a medallion turning about its upright axis, with a sign.
std::vector<QImage> Emblem(const QString& sign, const QColor& colour) {
    std::vector<QImage> frames;
    const int n = 24;
    for (int f = 0; f < n; ++f) {
        QImage image = Canvas(140, 200);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        const double turn = std::cos(2 * M_PI * f / n);
        p.translate(70, 100);
        p.scale(std::max(0.08, std::abs(turn)), 1);
        QRadialGradient g(QPointF(-20, -30), 90);
        g.setColorAt(0, colour.lighter(160));
        g.setColorAt(1, colour.darker(140));
        p.setPen(QPen(kGold, 5));
        p.setBrush(g);
        p.drawEllipse(QPointF(0, 0), 60, 80);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setBold(true);
        p.setPen(QPen(QColor(80, 40, 0), 1.5));
        p.setBrush(kGold);
        p.drawPath(TextPath(sign, font, 0, -30, 60, 90));
        frames.push_back(image);
    }
    return frames;
}

}  // namespace

void DrawGraphicsLibrary(ArtWriter& out) {
    out.Jpeg("BGLilu", Lilac(760, 500, 1), 92);
    out.Jpeg("BGLiluB", Lilac(1520, 1000, 1), 90);
    out.Png("GTouch", TouchStrip());

    // Dialogs: the background of the purple design, the header in each language (variant 3 and the
    // purple design) and the title picture of variant 1.
    using kesp::WordKey;
    struct Dialog {
        const char* form;   // background and header pictures
        const char* title;  // title picture, or none
        WordKey word;
        int width, height;     // the background
        int headerW, headerH;  // the header
    };
    const Dialog dialogs[] = {
        {"GFormOpt", "Options", WordKey::Options, 420, 400, 280, 90},
        {"GFormHistory", "History", WordKey::HistoryOfGames, 640, 490, 590, 116},
        {"GFormSpeed", "Speed", WordKey::ChoiceOfSpeed, 360, 260, 280, 90},
        {"GFormPass", "Passport", WordKey::Welcome, 400, 320, 280, 90},
        {"GFormAcc1", "MyAccount", WordKey::MyAccount, 640, 500, 590, 116},
        {"GFormEndG", "EndGame", WordKey::TheCompletionOfGame, 0, 0, 0, 0},
    };
    for (const Dialog& d : dialogs) {
        if (d.width > 0) out.Png(d.form, FormBackground(d.width, d.height, 7));
        for (int language = 0; language < 8; ++language) {
            const QString suffix = QString::fromLatin1(kSuffixes[language]);
            const QString text = Text(d.word, language);
            if (d.width > 0)
                out.Png(QString::fromLatin1(d.form) + suffix, Ribbon(d.headerW, d.headerH, text));
            else
                out.Png(QString::fromLatin1(d.form) + suffix, EndOfGame(text));
            out.Png(QString::fromLatin1(d.title) + suffix,
                    Title(text, d.headerW > 0 ? d.headerW + 100 : 450, 48));
        }
    }
    // Windows without a word of their own keep an English title in every language.
    struct Fixed {
        const char* form;
        const char* title;
        const char* text;
    };
    const Fixed fixed[] = {{"GFormThank", "SupportUs", "Thank you!"}, {"GFormAdv", "OurGames", "Our games"}};
    for (const Fixed& f : fixed) {
        out.Png(f.form, FormBackground(420, 360, 9));
        for (const char* suffix : kSuffixes) {
            out.Png(QString::fromLatin1(f.form) + suffix, Ribbon(280, 90, QString::fromLatin1(f.text)));
            out.Png(QString::fromLatin1(f.title) + suffix, Title(QString::fromLatin1(f.text), 380, 48));
        }
    }
    for (int language = 0; language < 8; ++language) {
        const QString suffix = QString::fromLatin1(kSuffixes[language]);
        out.Png("MyAccountR" + suffix, Title(Text(WordKey::MyAccount, language), 690, 48));
        out.Png("ZunGamesChat" + suffix, Title(Text(WordKey::Chat, language), 400, 48));
    }
    out.Png("GFormTour", FormBackground(640, 520, 11));
    out.Png("GFormTourL", Ribbon(590, 116, Text(WordKey::OnlineTournament, 0)));
    out.Png("GFormTopTenL", Ribbon(590, 116, Text(WordKey::TopTen, 0)));
    out.Png("WorldOnlineTournament", Title(Text(WordKey::OnlineTournament, 0), 610, 48));
    out.Png("OnlineTopTen", Title(Text(WordKey::TopTen, 0), 550, 48));
    out.Png("GLenta280x090", Ribbon(280, 90, {}));
    out.Png("GLenta590x116", Ribbon(590, 116, {}));

    out.Png("GIcon48WT", Icon(QStringLiteral("10")));
    out.Png("GIcon48Opt", Icon(QString::fromUtf8("⚙")));
    out.Png("GIcon48Acc", Icon(QString::fromUtf8("☺")));
    out.Png("GIcon48History", Icon(QString::fromUtf8("✎")));
    out.Png("GIcon48Tour", Icon(QString::fromUtf8("♛")));

    const QColor matte(110, 0, 180);
    out.Gif("GifC", Emblem(QStringLiteral("PC"), QColor(40, 90, 200)), 8, true, matte);
    out.Gif("GifF", Emblem(QString::fromUtf8("♣"), QColor(30, 130, 60)), 8, true, matte);
    out.Gif("GifA", Emblem(QStringLiteral("A"), QColor(190, 30, 40)), 8, true, matte);
    out.Gif("GifB", Emblem(QString::fromUtf8("★"), QColor(200, 120, 0)), 8, true, matte);
    out.Gif("GifG", Emblem(QString::fromUtf8("⇄"), QColor(0, 120, 140)), 8, true, matte);
    out.Gif("GifE", Emblem(QString::fromUtf8("♛"), QColor(120, 20, 160)), 8, true, matte);
    out.Gif("GOpt", OptionsAnimation(), 6, true, QColor(236, 236, 236));
}

}  // namespace artgen
