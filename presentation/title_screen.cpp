#include "presentation/title_screen.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "presentation/font_roles.h"
#include "presentation/table_layout.h"

namespace kesp {

namespace {

constexpr int kMaxLetters = 10;
constexpr int kSuitSize = 20;  // the small suit symbols
constexpr int kLetterStep = 26;

// How a letter moves the start of the name and the letters after it.
struct LetterShift {
    int start = 0;
    int following = 0;
};

LetterShift ShiftOf(QChar c) {
    switch (c.unicode()) {
        case u'W':
        case u'M':
        case u'\u041C':  // М
        case u'\u0416':  // Ж
        case u'\u042E':  // Ю
            return {-5, 8};
        case u'Q':
            return {-4, 6};
        case u'I':
        case u'\u00CD':  // Í
            return {6, -12};
        case u'-':
            return {6, -10};
        default:
            return {};
    }
}

const QColor kLetterColours[10] = {
    QColor(128, 0, 128),   // purple
    QColor(0, 255, 255),   // aqua
    QColor(255, 128, 64),  // orange
    QColor(0, 0, 128),     // navy
    QColor(255, 0, 0),     // red
    QColor(0, 128, 0),     // green
    QColor(255, 255, 0),   // yellow
    QColor(0, 0, 255),     // blue
    QColor(128, 0, 0),     // maroon
    QColor(0, 255, 0),     // lime
};

constexpr QPoint kCorners[4] = {{155, 68}, {550, 68}, {550, 362}, {155, 362}};
constexpr int kWidth = 550 - 155;
constexpr int kHeight = 362 - 68;
constexpr int kPerimeter = 2 * (kWidth + kHeight);

// The point `d` pixels clockwise from the top-left corner.
QPoint PointAlong(int d) {
    d %= kPerimeter;
    if (d < kWidth) return {155 + d, 68};
    d -= kWidth;
    if (d < kHeight) return {550, 68 + d};
    d -= kHeight;
    if (d < kWidth) return {550 - d, 362};
    d -= kWidth;
    return {155, 362 - d};
}

void DrawCentred(QPainter& painter, const QString& text, int top) {
    const QFontMetrics metrics(painter.font());
    const int left = 230 + (300 - metrics.horizontalAdvance(text)) / 2;
    painter.drawText(left, top + metrics.ascent(), text);
}

// The credit line runs between the two logos; a long one is drawn smaller so that it does not run
// into them, down to a size that still reads well.
void DrawCredit(QPainter& painter, const QString& text) {
    constexpr int kRoomBetweenLogos = 445 - (250 + 64) - 6;
    constexpr int kSmallestHeight = 14;
    const QFont normal = painter.font();
    int height = 24;
    while (height > kSmallestHeight &&
           QFontMetrics(FontOfHeight(QStringLiteral("Comic Sans MS"), height)).horizontalAdvance(text) >
               kRoomBetweenLogos)
        --height;
    painter.setFont(FontOfHeight(QStringLiteral("Comic Sans MS"), height));
    DrawCentred(painter, text, 265 + (24 - height) / 2);
    painter.setFont(normal);
}

}  // namespace

TitleScreen::TitleScreen(const TableArt& art, TitleTexts texts, QSize client)
    : art_(art), texts_(std::move(texts)), client_(client.expandedTo({kDesignWidth, kDesignHeight})) {
    origin_ = QPoint((client_.width() - kDesignWidth) / 2, (client_.height() - kDesignHeight) / 2);
    still_ = StillPicture();
    frame_ = still_;
    Compose(QRegion(frame_.rect()));
}

QRegion TitleScreen::Tick() {
    QRegion changed = SuitRects();
    ++ticks_;
    changed += SuitRects();
    if (ticks_ % 10 == 0) changed += NameRect();
    Compose(changed);
    return changed;
}

std::vector<int> TitleScreen::LetterPositions(const QString& name) {
    const int n = static_cast<int>(std::min<qsizetype>(name.size(), kMaxLetters));
    std::vector<int> x(static_cast<std::size_t>(n));
    int start = 381 - 13 * n;
    for (int i = 0; i < n; ++i) start += ShiftOf(name[i]).start;
    int push = 0;
    for (int i = 0; i < n; ++i) {
        x[static_cast<std::size_t>(i)] = start + kLetterStep * i + push;
        push += ShiftOf(name[i]).following;
    }
    return x;
}

QColor TitleScreen::LetterColour(int index, int ticks) {
    const int shift = std::max(0, ticks) / 10;
    return kLetterColours[((index - shift) % 10 + 10) % 10];
}

QPoint TitleScreen::SuitPosition(int suitIndex, int ticks) {
    static const int kStart[4] = {0, kWidth, kWidth + kHeight, 2 * kWidth + kHeight};
    const int d = kStart[std::clamp(suitIndex, 0, 3)] + std::max(0, ticks) % kPerimeter;
    return PointAlong(d);
}

QImage TitleScreen::StillPicture() const {
    QImage image(client_, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(origin_);

    // Two white frames, the inner one holding the name and the texts.
    painter.setPen(QPen(QColor(0, 0, 0), 1));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(130.5, 50.5, 500, 400));
    painter.setPen(QPen(QColor(90, 90, 90), 2));
    painter.drawRect(QRectF(231, 151, 298, 198));

    // The logos first, so that a long credit line stays readable over them.
    for (const QPoint at : {QPoint(250, 270), QPoint(445, 270)}) {
        const QImage logo = art_.Picture("Logo");
        painter.drawImage(at, logo.isNull() ? StandInPicture("Logo", {64, 64}) : logo);
    }
    painter.setFont(FontOfHeight(QStringLiteral("Comic Sans MS"), 24));
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setPen(QColor(255, 0, 0));
    DrawCentred(painter, texts_.releaseDate, 240);
    painter.setPen(QColor(0, 0, 255));
    DrawCredit(painter, texts_.credit);
    painter.setPen(QColor(0, 100, 100));
    DrawCentred(painter, texts_.version, 315);
    return image;
}

QRegion TitleScreen::SuitRects() const {
    QRegion rects;
    for (int i = 0; i < 4; ++i)
        rects += QRect(origin_ + SuitPosition(i, ticks_), QSize(kSuitSize, kSuitSize));
    return rects;
}

QRect TitleScreen::NameRect() const {
    return QRect(origin_ + QPoint(232, 152), QSize(296, 80));  // inside the inner frame, above the date
}

void TitleScreen::Compose(const QRegion& area) {
    QPainter painter(&frame_);
    painter.setClipRegion(area);
    for (const QRect& r : area) painter.drawImage(r.topLeft(), still_, r);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(origin_);

    // The running suits.
    const std::uint8_t suits[4] = {suit::Hearts, suit::Diamonds, suit::Clubs, suit::Spades};
    for (int i = 0; i < 4; ++i) {
        const QPoint at = SuitPosition(i, ticks_);
        const QImage symbol = art_.Symbol(suits[i], false);
        if (symbol.isNull())
            DrawSuitShape(painter, suits[i], QRectF(at, QSizeF(kSuitSize, kSuitSize)));
        else
            painter.drawImage(QRect(at, QSize(kSuitSize, kSuitSize)), symbol);
    }

    // The name, one colour per letter.
    if (!area.intersects(NameRect())) return;
    painter.setFont(FontOfHeight(QStringLiteral("Arial"), 44, true));
    const std::vector<int> xs = LetterPositions(texts_.nameUpper);
    const int ascent = QFontMetrics(painter.font()).ascent();
    for (std::size_t i = 0; i < xs.size(); ++i) {
        painter.setPen(LetterColour(static_cast<int>(i), ticks_));
        painter.drawText(xs[i], 175 + ascent, QString(texts_.nameUpper[static_cast<qsizetype>(i)]));
    }
}

}  // namespace kesp
