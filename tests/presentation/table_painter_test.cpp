#include "presentation/table_painter.h"

#include <gtest/gtest.h>

#include "qt_test_app.h"

#include <QApplication>
#include <QDir>
#include <memory>

#include "presentation/card_art.h"

namespace kesp {
using test::App;
using test::ScreenshotDir;
namespace {

// A fixed deck: seat 4 gets the first block, so its cards are known.
std::array<std::uint8_t, 36> OrderedDeck() {
    std::array<std::uint8_t, 36> deck{};
    for (int i = 0; i < 36; ++i) deck[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i + 1);
    return deck;
}

bool IsRed(QRgb c) {
    return qRed(c) > 200 && qGreen(c) < 70 && qBlue(c) < 70;
}
bool IsMagenta(QRgb c) {
    return qRed(c) > 200 && qGreen(c) < 70 && qBlue(c) > 200;
}

int CountPixels(const QImage& image, const QRect& rect, bool (*test)(QRgb)) {
    int n = 0;
    const QRect r = rect.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) n += test(image.pixel(x, y)) ? 1 : 0;
    return n;
}

// A table with the built-in art in one window size and a dealt game.
class TablePainterTest : public ::testing::Test {
  protected:
    void SetUpWindow(int windowSize, QSize screen = {1920, 1080}) {
        App();
        art_ = std::make_unique<CardArt>(settings_, "/nonexistent/");
        const QSize client = ClientSizeFor(windowSize, screen);
        const WindowScales scales = ScalesFor(windowSize, screen);
        art_->SetWindow(windowSize, scales.s, client);
        art_->LoadBackground(false);
        art_->LoadFaceDeck();
        art_->BackForDeal(QDate(2024, 5, 6));  // a Monday
        pictures_ = std::make_unique<CardArtPictures>(*art_);
        fonts_ = std::make_unique<FontRoles>(settings_);
        painter_ = std::make_unique<TablePainter>(*pictures_, *fonts_, words_);
        const CardCell cell = CardCellFor(scales.s, true);
        painter_->Layout(windowSize, client, scales, cell, NarrowOffset(windowSize, true), false);
        for (int seat = 1; seat <= 4; ++seat)
            painter_->SetSeatName(seat, QStringLiteral("Player %1").arg(seat));
        game_.SeedShuffle(7);
        ASSERT_TRUE(game_.UseDeck(OrderedDeck()));
        game_.StartDeal(true);
        painter_->DrawAll(game_);
    }

    // The small face picture's pixel at (x, y) of the face, or nothing when the art is missing.
    std::optional<QRgb> FacePixel(Card card, int x, int y) const {
        const QImage face = art_->FaceImage(card);
        if (face.isNull()) return std::nullopt;
        return face.convertToFormat(QImage::Format_ARGB32_Premultiplied).pixel(x, y);
    }

    Settings settings_;
    Localisation words_;
    std::unique_ptr<CardArt> art_;
    std::unique_ptr<CardArtPictures> pictures_;
    std::unique_ptr<FontRoles> fonts_;
    std::unique_ptr<TablePainter> painter_;
    Game game_;
};

TEST_F(TablePainterTest, DealtTableShowsOwnFacesOtherBacksAndTheTrumpUnderTheDeck) {
    SetUpWindow(window_size::Small);
    const GameState& gs = game_.State();
    const QImage& canvas = painter_->Canvas();
    const TableGeometry& g = painter_->Geometry();
    ASSERT_EQ(gs.HandCount[4], 5);

    // Seat 4: the last card is whole, framed in black, its face inside the frame.
    const QRect own = g.hand[4];
    const Fan& fan = painter_->HandFan(4);
    EXPECT_EQ(fan.x[5], 116);
    const Card last = gs.Hand[4][5];
    EXPECT_EQ(canvas.pixel(own.x() + 116, own.y() + 48), qRgb(0, 0, 0)) << "left frame line";
    EXPECT_EQ(canvas.pixel(own.x() + 116 + 35, own.y()), qRgb(0, 0, 0)) << "top frame line";
    if (const auto face = FacePixel(last, 34, 47)) {
        EXPECT_EQ(canvas.pixel(own.x() + 116 + 35, own.y() + 48), *face);
    }
    // The first card shows only its 29-pixel strip: its corner index sits there.
    if (const auto face = FacePixel(gs.Hand[4][1], 10, 10)) {
        EXPECT_EQ(canvas.pixel(own.x() + 11, own.y() + 11), *face);
    }

    // Seat 2: backs, never faces.
    const QImage back =
        art_->BackImage(art_->CurrentBack(), false).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    ASSERT_FALSE(back.isNull());
    const QRect top = g.hand[2];
    EXPECT_EQ(canvas.pixel(top.x() + 116 + 35, top.y() + 48), back.pixel(34, 47));
    EXPECT_EQ(canvas.pixel(top.x() + 11, top.y() + 11), back.pixel(10, 10));

    // The trump card lies upright under the turned backs; its lower part shows.
    EXPECT_TRUE(game_.View().trumpCardOnDeck);
    const QPoint trump = g.deck.topLeft() + QPoint(12, 70);
    if (const auto face = FacePixel(gs.Deck[36], 34, 88)) {
        EXPECT_EQ(canvas.pixel(trump + QPoint(35, 89)), *face);
    }
    // The deck's count, 15 after the deal, is written in red in the band at the top.
    EXPECT_GT(CountPixels(canvas, QRect(g.deck.x() + 20, g.deck.y() + 1, 59, 26), IsRed), 10);

    // Seat tabs: the score in magenta; the bubbles and the panel cover their places.
    EXPECT_GT(CountPixels(canvas, g.tab[4], IsMagenta), 20);
    EXPECT_NE(canvas.pixel(g.bubble[1].center()), art_->Background().pixel(g.bubble[1].center()));
    EXPECT_NE(canvas.pixel(g.infoPanel.center()), art_->Background().pixel(g.infoPanel.center()));
    EXPECT_FALSE(painter_->TakeDirty().isEmpty());
    EXPECT_TRUE(painter_->TakeDirty().isEmpty());

    canvas.save(ScreenshotDir() + "/table_small.png");
}

TEST_F(TablePainterTest, CardAtFollowsTheFanThatWasDrawn) {
    SetUpWindow(window_size::Small);
    const HandSlots& hand = game_.State().Hand[4];
    EXPECT_EQ(painter_->CardAt(4, hand, 0), 1);
    EXPECT_EQ(painter_->CardAt(4, hand, 29), 2);
    EXPECT_EQ(painter_->CardAt(4, hand, 186), 5);
    EXPECT_EQ(painter_->CardAt(4, hand, 187), 0);
    EXPECT_EQ(painter_->CardAt(0, hand, 10), 0);
    // After a card leaves the hand the fan has four cards, centred... or overlapped as they fit.
    HandSlots four = hand;
    four[5] = Card::Empty();
    painter_->DrawHand(4, four, true);
    EXPECT_EQ(painter_->HandFan(4).count, 4);
    EXPECT_EQ(painter_->CardAt(4, four, painter_->HandFan(4).x[4] + 70), 4);
}

TEST_F(TablePainterTest, MarkingInvertsTheVisiblePartAndTwiceRestores) {
    for (const int size : {window_size::Small, window_size::Average1, window_size::Large}) {
        SetUpWindow(size);
        SCOPED_TRACE(size);
        const QImage before = painter_->Canvas().copy();
        const QRect own = painter_->Geometry().hand[4];
        const Fan& fan = painter_->HandFan(4);
        const QPoint strip(own.x() + fan.x[2] + 10, own.y() + own.height() / 2);
        const QPoint next(own.x() + fan.x[3] + 10, own.y() + own.height() / 2);
        painter_->MarkCard(4, 2);
        const QImage& marked = painter_->Canvas();
        EXPECT_EQ(marked.pixel(strip) & 0xffffff, ~before.pixel(strip) & 0xffffff);
        EXPECT_EQ(marked.pixel(next), before.pixel(next)) << "the next card stays plain";
        painter_->MarkCard(4, 2);
        EXPECT_EQ(painter_->Canvas(), before);
        // Slots that hold nothing are ignored.
        painter_->MarkCard(4, 6);
        painter_->MarkCard(5, 1);
        EXPECT_EQ(painter_->Canvas(), before);
    }
}

TEST_F(TablePainterTest, OwnHandKeepsTheMarksOfTheDiscardChoice) {
    SetUpWindow(window_size::Small);
    const QImage plain = painter_->Canvas().copy();
    GameState& gs = game_.State();
    gs.Phase = phase::Discard(4);
    gs.DiscardSel[1] = 3;
    gs.DiscardSel[2] = 3;  // a repeated slot is marked once
    painter_->DrawHand(game_, 4);
    const QRect own = painter_->Geometry().hand[4];
    const QPoint third(own.x() + 58 + 10, own.y() + 40);
    EXPECT_EQ(painter_->Canvas().pixel(third) & 0xffffff, ~plain.pixel(third) & 0xffffff);
    // Outside the discard phase the same selection shows nothing.
    gs.Phase = phase::Play(4);
    painter_->DrawHand(game_, 4);
    EXPECT_EQ(painter_->Canvas().pixel(third), plain.pixel(third));
}

TEST_F(TablePainterTest, TrickCardsLieAtTheirSeatsPlacesAndClearFromTheBackground) {
    SetUpWindow(window_size::Small);
    const TableGeometry& g = painter_->Geometry();
    const QImage background = art_->Background().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const Card card = Card::FromDeckNumber(36);
    painter_->DrawTrickCard(3, card);
    const QRect place = g.TrickCard(3);
    EXPECT_EQ(place, QRect(418, 200, 71, 96));
    if (const auto face = FacePixel(card, 34, 47)) {
        EXPECT_EQ(painter_->Canvas().pixel(place.topLeft() + QPoint(35, 48)), *face);
    }
    painter_->ClearTrickPlace(3);
    EXPECT_EQ(painter_->Canvas().pixel(place.center()), background.pixel(place.center()));

    // The engine's table, read in table positions from the trick's leader.
    GameState& gs = game_.State();
    gs.TableLeader = 2;
    gs.Table[1] = Card::FromDeckNumber(1);  // seat 2 led
    gs.Table[2] = Card::FromDeckNumber(5);  // seat 3 followed
    painter_->DrawTrickArea(game_);
    EXPECT_NE(painter_->Canvas().pixel(g.TrickCard(2).center()), background.pixel(g.TrickCard(2).center()));
    EXPECT_NE(painter_->Canvas().pixel(g.TrickCard(3).center()), background.pixel(g.TrickCard(3).center()));
    EXPECT_EQ(painter_->Canvas().pixel(g.TrickCard(1).center()), background.pixel(g.TrickCard(1).center()));
    painter_->ClearTrickArea();
    EXPECT_EQ(painter_->Canvas().copy(g.trickArea), background.copy(g.trickArea));
}

TEST_F(TablePainterTest, DeckPictureByCount) {
    struct Case {
        int count;
        bool trump;
        int backs;
    };
    const Case cases[] = {{0, false, 0},  {1, false, 0},  {1, true, 1},   {2, false, 1}, {5, true, 1},
                          {6, false, 2},  {10, true, 2},  {11, true, 3},  {15, true, 3}, {16, false, 4},
                          {21, false, 5}, {26, false, 6}, {30, false, 6}, {35, false, 6}};
    for (const Case& c : cases) EXPECT_EQ(TablePainter::DeckBackCount(c.count, c.trump), c.backs) << c.count;

    SetUpWindow(window_size::Small);
    const TableGeometry& g = painter_->Geometry();
    const QImage background = art_->Background().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    // The used-up deck: the large symbol with the trump suit's symbol in its middle, and no count.
    painter_->DrawDeckPicture(0, false, Card::Empty(), suit::Hearts);
    const QImage& canvas = painter_->Canvas();
    EXPECT_EQ(CountPixels(canvas, QRect(g.deck.x() + 20, g.deck.y() + 1, 59, 26), IsRed), 0);
    EXPECT_GT(CountPixels(canvas, QRect(g.deck.topLeft() + QPoint(40, 74), QSize(20, 20)), IsRed), 20);
    // No trump known yet: only the symbol.
    painter_->DrawDeckPicture(0, false, Card::Empty(), suit::None);
    EXPECT_EQ(CountPixels(painter_->Canvas(), QRect(g.deck.topLeft() + QPoint(40, 74), QSize(20, 20)), IsRed),
              0);
}

TEST_F(TablePainterTest, SeatTabNumbersAndSpecialValues) {
    SetUpWindow(window_size::Small);
    const TableGeometry& g = painter_->Geometry();
    const QRect scorePlace(g.tab[1].x() + 15, g.tab[1].y() + 15, 125, 31);
    const QRect changePlace(g.tab[1].x() + 105, g.tab[1].y() + 50, 35, 31);
    auto blue = [](QRgb c) { return qBlue(c) > 200 && qRed(c) < 60 && qGreen(c) < 60; };
    painter_->DrawSeatTab(1, tab::HandDraw, true, -7, 93, tab::StarRed, false);
    EXPECT_GT(CountPixels(painter_->Canvas(), scorePlace, IsMagenta), 20);
    EXPECT_GT(CountPixels(painter_->Canvas(), changePlace, blue), 5);
    const QImage drawn = painter_->Canvas().copy(g.tab[1]);
    // Leaving everything leaves the tab as it is.
    painter_->DrawSeatTab(1, tab::Leave, false, tab::KeepNumber, tab::KeepNumber, tab::Leave, false);
    EXPECT_EQ(painter_->Canvas().copy(g.tab[1]), drawn);
    // Clearing the numbers empties their places.
    painter_->DrawSeatTab(1, tab::Leave, false, tab::ClearNumber, tab::ClearNumber, tab::Leave, false);
    EXPECT_EQ(CountPixels(painter_->Canvas(), scorePlace, IsMagenta), 0);
    EXPECT_EQ(CountPixels(painter_->Canvas(), changePlace, blue), 0);
    // A settled score is red; clearing the hand and star restores their places from a full repaint.
    painter_->DrawSeatTab(1, tab::HandClear, false, tab::KeepNumber, 12, tab::StarClear, true);
    EXPECT_GT(CountPixels(painter_->Canvas(), scorePlace, IsRed), 20);
    EXPECT_EQ(CountPixels(painter_->Canvas(), scorePlace, IsMagenta), 0);
    const QImage cleared = painter_->Canvas().copy(g.tab[1]);
    painter_->DrawSeatTab(1, tab::HandClear, true, tab::ClearNumber, 12, tab::StarClear, true);
    EXPECT_EQ(painter_->Canvas().copy(g.tab[1]), cleared);

    EXPECT_EQ(TablePainter::CentredLeft(0, 155, 40), 57);
    EXPECT_EQ(TablePainter::CentredLeft(105, 142, 50), 99);  // wider than the place: half of -13 is -6
}

TEST_F(TablePainterTest, BubblesShrinkLongTextsAndBlankOnEmptyText) {
    SetUpWindow(window_size::Small);
    const TableGeometry& g = painter_->Geometry();
    const QImage background = art_->Background().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    auto white = [](QRgb c) { return qRed(c) > 240 && qGreen(c) > 240 && qBlue(c) > 240; };
    painter_->ShowBubble(2, QStringLiteral("A rather long player name   "), 'g');
    const QRect bubble = g.bubble[2];
    EXPECT_GT(CountPixels(painter_->Canvas(), bubble, white), 10);
    painter_->ShowBubble(2, QStringLiteral("   "), 'r');
    EXPECT_EQ(painter_->Canvas().copy(bubble), background.copy(bubble));
    painter_->ShowBubble(9, QStringLiteral("x"), 'r');  // no such seat: nothing happens
}

TEST_F(TablePainterTest, InfoPanelShowsTheTrumpOnlyOnceKnown) {
    SetUpWindow(window_size::Small);
    const TableGeometry& g = painter_->Geometry();
    auto green = [](QRgb c) { return qGreen(c) > 100 && qRed(c) < 40 && qBlue(c) < 40; };
    const QRect trumpWord(g.infoPanel.x(), g.infoPanel.y() + 65, g.infoPanel.width(), 24);
    painter_->DrawInfoPanel(3, suit::None);
    EXPECT_EQ(CountPixels(painter_->Canvas(), trumpWord, green), 0);
    painter_->DrawInfoPanel(3, suit::Spades);
    EXPECT_GT(CountPixels(painter_->Canvas(), trumpWord, green), 10);
}

// "Round:" and a two-digit deal number keep clear of the panel's frame in every language and every
// window size (with one font for all its letters, the Cyrillic words are no wider than the others).
TEST_F(TablePainterTest, RoundWordStaysInsideTheInfoPanelFrame) {
    for (const int size : {1, 2, 3, 4, 5}) {
        SetUpWindow(size);
        const QRect panel = painter_->Geometry().infoPanel;
        const int margin = Placement(painter_->Geometry().scales).S(10);
        for (int language = 0; language < kLanguageCount; ++language) {
            words_.SetCurrentLanguage(language);
            painter_->DrawInfoPanel(25, suit::None);
            const QImage& canvas = painter_->Canvas();
            int left = panel.right();
            int right = panel.left();
            for (int y = panel.top(); y < panel.top() + panel.height() / 3; ++y)
                for (int x = panel.left(); x <= panel.right(); ++x) {
                    const QRgb c = canvas.pixel(x, y);
                    if (qBlue(c) > 200 && qRed(c) < 60 && qGreen(c) < 60) {
                        left = std::min(left, x);
                        right = std::max(right, x);
                    }
                }
            EXPECT_LT(left, right) << "size " << size << ", language " << language << ": no text";
            EXPECT_GE(left, panel.left() + margin) << "size " << size << ", language " << language;
            EXPECT_LE(right, panel.right() - margin) << "size " << size << ", language " << language;
        }
    }
    words_.SetCurrentLanguage(kEnglish);
}

// Every window size lays out and paints a whole dealt table; the screenshots are for looking at.
TEST_F(TablePainterTest, EveryWindowSizePaintsTheTable) {
    for (const int size : {1, 2, 3, 4, 5}) {
        SetUpWindow(size);
        const QImage& canvas = painter_->Canvas();
        EXPECT_EQ(canvas.size(), ClientSizeFor(size, {1920, 1080}));
        const TableGeometry& g = painter_->Geometry();
        // The own last card's centre is a face pixel, not the background.
        const QRect own = g.hand[4];
        const QPoint centre(own.x() + painter_->HandFan(4).x[5] + g.cell.width / 2,
                            own.y() + g.cell.height / 2);
        const QImage background = art_->Background().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        if (!background.isNull()) {
            EXPECT_NE(canvas.pixel(centre), background.pixel(centre)) << size;
        }
        if (size == 5) canvas.save(ScreenshotDir() + "/table_large.png");
        if (size == 2) canvas.save(ScreenshotDir() + "/table_full_screen.png");
    }
}

}  // namespace
}  // namespace kesp
