#include "presentation/table_painter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace kesp {

namespace {

// The information panel's frame, in design pixels, that its texts keep clear of.
constexpr int kInfoMargin = 10;

// Inverts the colour of every pixel of `image` inside `area` (alpha kept).
void InvertArea(QImage& image, const QPainterPath& area) {
    const QRect bounds = area.boundingRect().toAlignedRect().intersected(image.rect());
    if (bounds.isEmpty()) return;
    QImage mask(bounds.size(), QImage::Format_Grayscale8);
    mask.fill(0);
    {
        QPainter p(&mask);
        p.translate(-bounds.topLeft());
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawPath(area);
    }
    for (int y = 0; y < bounds.height(); ++y) {
        const uchar* m = mask.constScanLine(y);
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(bounds.y() + y)) + bounds.x();
        for (int x = 0; x < bounds.width(); ++x)
            if (m[x] >= 128) row[x] = (row[x] & 0xff000000u) | (~row[x] & 0x00ffffffu);
    }
}

void DrawTextTop(QPainter& painter, int left, int top, const QString& text) {
    painter.drawText(left, top + QFontMetrics(painter.font()).ascent(), text);
}

QString ScoreText(int score, bool sign) {
    return (sign && score > 0 ? QStringLiteral("+") : QString()) + QString::number(score);
}

}  // namespace

TablePainter::TablePainter(const TableArt& art, const FontRoles& fonts, const Localisation& words)
    : art_(art), fonts_(fonts), words_(words) {
    Layout(window_size::Small, {kDesignWidth, kDesignHeight}, {}, CardCellFor(1.0, true), 0, false);
}

void TablePainter::Layout(int windowSize, QSize client, const WindowScales& scales, const CardCell& cell,
                          int narrowOffset, bool network) {
    windowSize_ = WindowSizeInRange(windowSize);
    placement_ = Placement(scales);
    geometry_ = LayoutTableGeometry(scales, cell, narrowOffset, network);
    if (client.width() <= 0 || client.height() <= 0) client = {kDesignWidth, kDesignHeight};
    canvas_ = QImage(client, QImage::Format_ARGB32_Premultiplied);
    tabPicture_ = QImage();
    for (int seat = 1; seat <= 4; ++seat) {
        fans_[seat] = Fan{};
        lastCardX_[seat].fill(std::nullopt);
    }
    QPainter painter(&canvas_);
    PaintBackground(painter, canvas_.rect());
    dirty_ = QRegion(canvas_.rect());
}

QRegion TablePainter::TakeDirty() {
    QRegion dirty = dirty_;
    dirty_ = QRegion();
    return dirty;
}

void TablePainter::SetSeatName(int seat, const QString& name) {
    if (seat >= 1 && seat <= 4) names_[seat] = name;
}

void TablePainter::PaintBackground(QPainter& painter, const QRect& rect) const {
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    const QImage background = art_.Background();
    painter.fillRect(rect, art_.WindowColour());
    if (!background.isNull()) painter.drawImage(rect.topLeft(), background, rect);
    painter.restore();
}

QImage TablePainter::PictureOr(std::string_view name, QSize size) const {
    const QImage picture = art_.Picture(name);
    return picture.isNull() ? StandInPicture(name, size) : picture;
}

void TablePainter::DrawFaceAt(QPainter& painter, int x, int y, Card card) const {
    DrawFaceOrStandIn(art_, painter, QRect(x, y, geometry_.cell.width, geometry_.cell.height), card);
}

void TablePainter::DrawBackAt(QPainter& painter, int x, int y, bool turned) const {
    const QSize size = turned ? QSize(geometry_.cell.height, geometry_.cell.width)
                              : QSize(geometry_.cell.width, geometry_.cell.height);
    DrawBackOrStandIn(art_, painter, QRect(QPoint(x, y), size), turned);
}

// ---- everything from the game ----

void TablePainter::DrawAll(const Game& game) {
    {
        QPainter painter(&canvas_);
        PaintBackground(painter, canvas_.rect());
    }
    dirty_ = QRegion(canvas_.rect());
    tabPicture_ = QImage();
    for (int seat = 1; seat <= 4; ++seat) {
        DrawHand(game, seat);
        DrawSeatTab(game, seat);
        DrawBubble(game, seat);
    }
    DrawTrickArea(game);
    DrawDeckPicture(game);
    DrawInfoPanel(game);
}

void TablePainter::DrawHand(const Game& game, int seat) {
    if (seat < 1 || seat > 4) return;
    const GameState& gs = game.State();
    const bool open = seat == 4 || game.View().handFaceUp[seat] != 0 || revealHands_;
    DrawHand(seat, gs.Hand[seat], open);
    // The own cards chosen for discarding keep their inverted look.
    if (seat == 4 && gs.Phase == phase::Discard(4)) {
        for (int i = 1; i <= 4; ++i) {
            const int slot = gs.DiscardSel[i];
            bool twice = false;
            for (int j = 1; j < i; ++j) twice = twice || gs.DiscardSel[j] == slot;
            if (slot >= 1 && slot <= 5 && !twice && !gs.Hand[4][slot].IsEmpty()) MarkCard(4, slot);
        }
    }
}

void TablePainter::DrawTrickArea(const Game& game) {
    const GameState& gs = game.State();
    // A complete trick stays on the table until it is cleared; the engine keeps it as the last trick.
    const bool complete = gs.Phase == phase::TrickComplete ||
                          (gs.Phase == phase::DealOver && gs.SingleOrNone == 0 && gs.TrickNo == 6);
    const Slots<Card, 1, 4>& cards = complete ? gs.LastTrick : gs.Table;
    const int leader = gs.TableLeader >= 1 && gs.TableLeader <= 4 ? gs.TableLeader : 1;
    ClearTrickArea();
    for (int p = 1; p <= 4; ++p)
        if (cards[p].IsCard()) DrawTrickCard(SeatAtTablePosition(leader, p), cards[p]);
}

void TablePainter::DrawDeckPicture(const Game& game) {
    const GameState& gs = game.State();
    const bool trumpOnDeck = game.View().trumpCardOnDeck != 0 && gs.Deck[36].IsCard();
    const int left = std::clamp(37 - static_cast<int>(gs.NextDraw), 0, 36);
    const int count = std::max(0, left - (trumpOnDeck ? 1 : 0));
    const std::uint8_t trump = gs.DealRunning || gs.Phase != phase::Menu ? gs.Trump : suit::None;
    DrawDeckPicture(count, trumpOnDeck, gs.Deck[36], trump);
}

void TablePainter::DrawInfoPanel(const Game& game) {
    const GameState& gs = game.State();
    DrawInfoPanel(gs.DealNo, gs.Trump);
}

void TablePainter::DrawSeatTab(const Game& game, int seat) {
    if (seat < 1 || seat > 4) return;
    const SeatTab& t = game.View().tabs[seat];
    DrawSeatTab(seat, t.leads ? tab::HandDraw : tab::HandClear, true,
                t.changeShown ? t.change : tab::ClearNumber, game.State().Score[seat],
                t.star ? tab::StarRed : tab::StarClear, t.settled);
}

void TablePainter::DrawBubble(const Game& game, int seat) {
    if (seat < 1 || seat > 4) return;
    if (game.State().Phase == phase::Menu && !game.State().DealRunning) {
        ShowBubble(seat, {}, 'y');
        return;
    }
    switch (game.View().bubbles[seat]) {
        case Bubble::SeatName:
            ShowBubble(seat, names_[seat], 'y');
            break;
        case Bubble::ToPlay:
            ShowBubble(seat, words_.WordText(WordId::ToPlay) + "!", 'r');
            break;
        case Bubble::Pass:
            ShowBubble(seat, words_.WordText(WordId::Pass), 'g');
            break;
        case Bubble::CommunicateCards:
            ShowBubble(seat, words_.WordText(WordId::CommunicateCards), 'b');
            break;
        case Bubble::Kesp:
            ShowBubble(seat, words_.WordText(WordId::KespWin), 'o');
            break;
    }
}

// ---- hands ----

void TablePainter::DrawHand(int seat, const HandSlots& hand, bool open) {
    if (seat < 1 || seat > 4) return;
    const QRect rect = geometry_.hand[seat];
    // Hands are kept compact, so the fan spans the slots up to the last occupied one.
    int count = 0;
    for (int k = 1; k <= 5; ++k)
        if (!hand[k].IsEmpty()) count = k;
    fans_[seat] = FanPositions(rect.width(), count, geometry_.cell.width);
    QPainter painter(&canvas_);
    painter.setClipRect(rect);
    PaintBackground(painter, rect);
    for (int k = 1; k <= count; ++k) {
        if (hand[k].IsEmpty()) continue;
        const int x = rect.x() + fans_[seat].x[k];
        lastCardX_[seat][static_cast<std::size_t>(hand[k].DeckNumber())] = fans_[seat].x[k];
        if (open)
            DrawFaceAt(painter, x, rect.y(), hand[k]);
        else
            DrawBackAt(painter, x, rect.y(), false);
    }
    MarkDirty(rect);
}

void TablePainter::MarkCard(int seat, int slot) {
    if (seat < 1 || seat > 4) return;
    const Fan& fan = fans_[seat];
    if (slot < 1 || slot > fan.count) return;
    const QRect hand = geometry_.hand[seat];
    const int x = hand.x() + fan.x[slot];
    const int y = hand.y();
    const int w = geometry_.cell.width;
    const int h = geometry_.cell.height;
    const bool overlapped = slot < fan.count && fan.x[slot + 1] < fan.x[slot] + w;
    QPainterPath area;
    if (geometry_.cell.sizeClass == CardClass::Small) {
        // The face inside the frame, or the strip of it that the next card leaves visible.
        const int right = overlapped ? hand.x() + fan.x[slot + 1] - 1 : x + 69;
        const int left = overlapped ? x + 2 : x + 1;
        area.addRect(QRectF(left, y + 1, right - left + 1, 94));
    } else {
        const double radius = geometry_.cell.sizeClass == CardClass::Large ? 16 : S(8);
        area.addRoundedRect(QRectF(x, y, w, h), radius, radius);
        if (overlapped) {
            QPainterPath next;
            next.addRoundedRect(QRectF(hand.x() + fan.x[slot + 1], y, w, h), radius, radius);
            area = area.subtracted(next);
        }
    }
    area = area.intersected([&] {
        QPainterPath clip;
        clip.addRect(QRectF(hand));
        return clip;
    }());
    InvertArea(canvas_, area);
    MarkDirty(area.boundingRect().toAlignedRect());
}

std::optional<int> TablePainter::LastCardX(int seat, Card card) const {
    if (seat < 1 || seat > 4 || !card.IsCard()) return std::nullopt;
    return lastCardX_[seat][static_cast<std::size_t>(card.DeckNumber())];
}

int TablePainter::CardAt(int seat, const HandSlots& hand, int x) const {
    if (seat < 1 || seat > 4) return 0;
    return kesp::CardAt(fans_[seat], hand, x);
}

// ---- the trick area ----

void TablePainter::DrawTrickCard(int seat, Card card) {
    if (seat < 1 || seat > 4 || !card.IsCard()) return;
    const QRect place = geometry_.TrickCard(seat);
    QPainter painter(&canvas_);
    painter.setClipRect(geometry_.trickArea);
    DrawFaceAt(painter, place.x(), place.y(), card);
    MarkDirty(place);
}

void TablePainter::ClearTrickPlace(int seat) {
    if (seat < 1 || seat > 4) return;
    const QRect place = geometry_.TrickCard(seat);
    QPainter painter(&canvas_);
    PaintBackground(painter, place);
    MarkDirty(place);
}

void TablePainter::ClearTrickArea() {
    QPainter painter(&canvas_);
    PaintBackground(painter, geometry_.trickArea);
    MarkDirty(geometry_.trickArea);
}

// ---- the deck picture ----

int TablePainter::DeckBackCount(int count, bool trumpOnDeck) {
    if (count <= 0) return 0;
    if (count == 1) return trumpOnDeck ? 1 : 0;
    return std::min(6, (count + 4) / 5);
}

void TablePainter::DrawDeckPicture(int count, bool trumpOnDeck, Card trumpCard, std::uint8_t trumpSuit) {
    const QRect rect = geometry_.deck;
    QPainter painter(&canvas_);
    painter.setClipRect(rect);
    PaintBackground(painter, rect);
    painter.translate(rect.topLeft());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    count = std::clamp(count, 0, 36);
    trumpOnDeck = trumpOnDeck && trumpCard.IsCard();
    if (count > 0 || trumpOnDeck) {
        if (Small())
            painter.drawImage(20, 1, PictureOr("GKolodaSmall", {58, 25}));
        else
            painter.drawImage(QRect(S(20), S(1), S(58), S(25)), PictureOr("GKolodaSmallB", {116, 50}));
        if (trumpOnDeck) DrawFaceAt(painter, S(12) + S(geometry_.narrowOffset), S(70), trumpCard);
        const int backs = DeckBackCount(count, trumpOnDeck);
        for (int i = 0; i < backs; ++i) DrawBackAt(painter, 0, S(45 - 3 * i), true);
        QFont font = FontOfHeight(QStringLiteral("Comic Sans MS"), S(20), true);
        painter.setFont(font);
        painter.setPen(QColor(255, 0, 0));
        const QString text = QString::number(count);
        const QFontMetrics metrics(font);
        const int left = CentredLeft(S(20), S(79), metrics.horizontalAdvance(text));
        const int top = Small() ? S(4) : S(1) + (S(25) - metrics.height()) / 2;
        DrawTextTop(painter, left, top, text);
    } else {
        if (Small())
            painter.drawImage(20, 54, PictureOr("GKolodaLarge", {60, 60}));
        else
            painter.drawImage(QRect(S(20), S(54), S(60), S(60)), PictureOr("GKolodaLargeB", {120, 120}));
        if (IsSuit(trumpSuit)) {
            if (Small()) {
                const QImage symbol = art_.Symbol(trumpSuit, false);
                if (symbol.isNull())
                    DrawSuitShape(painter, trumpSuit, QRectF(40, 74, 20, 20));
                else
                    painter.drawImage(40, 74, symbol);
            } else {
                const QRect box(S(20) + (S(60) - S(20)) / 2, S(54) + (S(60) - S(20)) / 2, S(20), S(20));
                const QImage symbol = art_.Symbol(trumpSuit, true);
                if (symbol.isNull())
                    DrawSuitShape(painter, trumpSuit, box);
                else
                    painter.drawImage(box, symbol);
            }
        }
    }
    MarkDirty(rect);
}

// ---- the information panel ----

void TablePainter::DrawInfoPanel(int dealNo, std::uint8_t trumpSuit) {
    const QRect rect = geometry_.infoPanel;
    QPainter painter(&canvas_);
    painter.setClipRect(rect);
    PaintBackground(painter, rect);
    painter.translate(rect.topLeft());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (Small())
        painter.drawImage(0, 0, PictureOr("RamkaABSm", {110, 160}));
    else
        painter.drawImage(QRect(QPoint(0, 0), rect.size()), PictureOr("RamkaABBg", rect.size()));
    const QString round = words_.WordText(WordKey::Round) + " " + QString::number(dealNo);
    // A long word is drawn smaller rather than over the frame.
    int height = fonts_.FontSize(S(24), FontRole::Decor);
    QFont font = FontOfHeight(fonts_.Family(FontRole::Decor), height);
    while (height > 1 && QFontMetrics(font).horizontalAdvance(round) > rect.width() - 2 * S(kInfoMargin))
        font = FontOfHeight(fonts_.Family(FontRole::Decor), --height);
    painter.setFont(font);
    const QFontMetrics metrics(font);
    painter.setPen(QColor(0, 0, 255));
    DrawTextTop(painter, CentredLeft(0, rect.width(), metrics.horizontalAdvance(round)), S(15), round);
    if (IsSuit(trumpSuit)) {
        painter.setPen(QColor(0, 128, 0));
        const QString trump = words_.WordText(WordKey::Trump);
        DrawTextTop(painter, CentredLeft(0, rect.width(), metrics.horizontalAdvance(trump)), S(65), trump);
        if (Small()) {
            const QImage symbol = art_.Symbol(trumpSuit, false);
            if (symbol.isNull())
                DrawSuitShape(painter, trumpSuit, QRectF(45, 90, 20, 20));
            else
                painter.drawImage(45, 90, symbol);
        } else {
            const int size = S(40);
            const QRect box(CentredLeft(0, rect.width(), size), S(90), size, size);
            const QImage symbol = art_.Symbol(trumpSuit, true);
            if (symbol.isNull())
                DrawSuitShape(painter, trumpSuit, box);
            else
                painter.drawImage(box, symbol);
        }
    }
    MarkDirty(rect);
}

// ---- seat tabs ----

QImage TablePainter::TabPicture() const {
    const QSize size = geometry_.tab[1].size();
    QImage picture = Small() ? PictureOr("TabloSm", {155, 95}) : PictureOr("TabloBg", size);
    if (picture.size() != size)
        picture = picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QRect TablePainter::TabPiece(int seat, double x, double y, double w, double h) const {
    return QRect(geometry_.tab[seat].x() + S(x), geometry_.tab[seat].y() + S(y), S(w), S(h));
}

void TablePainter::RestoreTabPiece(QPainter& painter, int seat, const QRect& piece) const {
    // The piece of the tab picture over the background under it, as the repainted tab shows it.
    PaintBackground(painter, piece);
    const QPoint origin = geometry_.tab[seat].topLeft();
    painter.drawImage(piece.topLeft(), tabPicture_, piece.translated(-origin));
}

void TablePainter::DrawSeatTab(int seat, int handMark, bool repaint, int change, int score, int star,
                               bool settled) {
    if (seat < 1 || seat > 4) return;
    const QRect rect = geometry_.tab[seat];
    if (tabPicture_.isNull()) tabPicture_ = TabPicture();
    QPainter painter(&canvas_);
    painter.setClipRect(rect);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (repaint) {
        PaintBackground(painter, rect);
        painter.drawImage(rect.topLeft(), tabPicture_);
    }
    const QRect scorePlace = TabPiece(seat, 15, 15, 125, 31);
    const QRect handPlace = TabPiece(seat, 15, 50, 35, 31);
    const QRect starPlace = TabPiece(seat, 55, 50, 45, 31);
    const QRect changePlace = TabPiece(seat, 105, 50, 35, 31);
    const bool upright = seat == 1 || seat == 3;

    if (handMark == tab::HandDraw) {
        RestoreTabPiece(painter, seat, handPlace);
        const std::string_view name = upright ? "Hand_Up" : "Hand_Right";
        const QSize size = upright ? QSize(20, 30) : QSize(30, 20);
        const QImage picture = PictureOr(name, size);
        QRect target;
        if (Small())
            target = QRect(upright ? QPoint(22, 49) : QPoint(18, 54), size);
        else
            target = upright ? QRect(S(23), S(49), S(20), S(30)) : QRect(S(18), S(54), S(30), S(20));
        // Kept inside its place, so that clearing the place removes all of it.
        painter.save();
        painter.setClipRect(handPlace);
        painter.drawImage(target.translated(rect.topLeft()), picture);
        painter.restore();
    } else if (handMark == tab::HandClear) {
        RestoreTabPiece(painter, seat, handPlace);
    }

    if (star == tab::StarRed || star == tab::StarYellow) {
        RestoreTabPiece(painter, seat, starPlace);
        const double s = placement_.Scales().s;
        const bool big = s >= 2.0;
        const char* name =
            star == tab::StarRed ? (big ? "ZvezdaR" : "ZvezdaRSm") : (big ? "ZvezdaY" : "ZvezdaYSm");
        const QImage picture = PictureOr(name, big ? QSize(50, 50) : QSize(24, 24));
        QPoint corner;
        if (s == 1.0 || s == 2.0)
            corner = QPoint(S(65), S(52));
        else if (s < 2.0)
            corner = QPoint(RoundHalfEven(rect.width() / 2.0) - 12, S(65) - 12);
        else
            corner = QPoint(RoundHalfEven(rect.width() / 2.0) - 25, S(65) - 25);
        painter.save();
        painter.setClipRect(starPlace);
        painter.drawImage(rect.topLeft() + corner, picture);
        painter.restore();
    } else if (star == tab::StarClear) {
        RestoreTabPiece(painter, seat, starPlace);
    }

    painter.setBackgroundMode(Qt::TransparentMode);
    const QString family = fonts_.Family(FontRole::Decor);
    if (score != tab::ClearNumber && score != tab::KeepNumber) {
        RestoreTabPiece(painter, seat, scorePlace);
        const QFont font = FontOfHeight(family, fonts_.FontSize(S(30), FontRole::Decor));
        painter.setFont(font);
        painter.setPen(settled ? QColor(255, 0, 0) : QColor(255, 0, 255));
        const QString text = ScoreText(score, true);
        const int left = CentredLeft(0, S(155), QFontMetrics(font).horizontalAdvance(text));
        DrawTextTop(painter, rect.x() + left, rect.y() + S(16), text);
    } else if (score == tab::ClearNumber) {
        RestoreTabPiece(painter, seat, scorePlace);
    }
    if (change != tab::ClearNumber && change != tab::KeepNumber) {
        RestoreTabPiece(painter, seat, changePlace);
        const QFont font = FontOfHeight(family, fonts_.FontSize(S(20), FontRole::Decor));
        painter.setFont(font);
        painter.setPen(QColor(0, 0, 255));
        const QString text = ScoreText(change, false);
        const int left = CentredLeft(S(105), S(142), QFontMetrics(font).horizontalAdvance(text));
        DrawTextTop(painter, rect.x() + left, rect.y() + S(54), text);
    } else if (change == tab::ClearNumber) {
        RestoreTabPiece(painter, seat, changePlace);
    }
    MarkDirty(rect);
}

// ---- bubbles ----

void TablePainter::ShowBubble(int seat, const QString& text, char colour) {
    if (seat < 1 || seat > 4) return;
    const QRect rect = geometry_.bubble[seat];
    QPainter painter(&canvas_);
    painter.setClipRect(rect);
    PaintBackground(painter, rect);
    MarkDirty(rect);
    QString shown = text;
    while (!shown.isEmpty() && shown.back().isSpace()) shown.chop(1);
    if (shown.isEmpty()) return;
    std::string name;
    switch (colour) {
        case 'b':
            name = "SPBlue";
            break;
        case 'g':
            name = "SPGreen";
            break;
        case 'r':
            name = "SPRed";
            break;
        case 'o':
            name = "SPFiolet";
            break;
        default:
            name = "SPYellow";
            break;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (Small())
        painter.drawImage(rect.topLeft(), PictureOr(name, {160, 20}));
    else
        painter.drawImage(rect, PictureOr(name + "B", {320, 40}));

    const QString family = fonts_.Family(FontRole::Serif);
    int height = fonts_.FontSize(S(18), FontRole::Serif);
    for (const int smaller : {16, 14}) {
        if (QFontMetrics(FontOfHeight(family, height)).horizontalAdvance(shown) <= S(150)) break;
        height = fonts_.FontSize(S(smaller), FontRole::Serif);
    }
    const QFont font = FontOfHeight(family, height, true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    const QFontMetrics metrics(font);
    const int left = CentredLeft(rect.x(), rect.x() + rect.width(), metrics.horizontalAdvance(shown));
    const int top = rect.y() + (rect.height() - metrics.height()) / 2;
    DrawTextTop(painter, left, top, shown);
}

int TablePainter::CentredLeft(int left, int right, int textWidth) {
    return left + (right - left - textWidth) / 2;
}

}  // namespace kesp
