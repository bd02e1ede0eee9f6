#include "presentation/table_layout.h"

#include <gtest/gtest.h>

namespace kesp {
namespace {

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5000001), 3);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(-2.6), -3);
    EXPECT_EQ(RoundHalfEven(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(WindowSizes, EverySizeHasItsClientAreaAndScales) {
    struct Case {
        int size;
        QSize client;
        double scale;
    };
    const Case cases[] = {
        {1, {760, 500}, 1.0}, {3, {990, 650}, 1.3}, {4, {1290, 850}, 1.7}, {5, {1520, 1000}, 2.0}};
    for (const Case& c : cases) {
        EXPECT_EQ(ClientSizeFor(c.size, {1920, 1080}), c.client) << c.size;
        const WindowScales scales = ScalesFor(c.size, {1920, 1080});
        EXPECT_EQ(scales, (WindowScales{c.scale, c.scale, c.scale})) << c.size;
    }
    // A damaged setting is the small window.
    EXPECT_EQ(ClientSizeFor(0, {1920, 1080}), QSize(760, 500));
    EXPECT_EQ(ScalesFor(9, {1920, 1080}), (WindowScales{1, 1, 1}));
}

TEST(WindowSizes, FullScreenScalesEachAxisAndTakesTheSmallerAsGeneral) {
    const WindowScales scales = ScalesFor(window_size::FullScreen, {1920, 1080});
    EXPECT_DOUBLE_EQ(scales.sx, 1920.0 / 760.0);
    EXPECT_DOUBLE_EQ(scales.sy, 2.16);
    EXPECT_DOUBLE_EQ(scales.s, 2.16);
    // A portrait screen takes the horizontal scale as general.
    EXPECT_DOUBLE_EQ(ScalesFor(window_size::FullScreen, {760, 1000}).s, 1.0);
    // No usable client area: the design size.
    EXPECT_EQ(ScalesFor(window_size::FullScreen, {0, 0}), (WindowScales{1, 1, 1}));
}

TEST(WindowSizes, WindowsAreCentredAndOfferedOnlyOnScreensThatHoldThem) {
    EXPECT_EQ(CentredWindowPosition({1024, 768}, {760, 500}), QPoint(132, 134));
    // (1025 - 760) / 2 = 132.5 rounds to the even 132; (769 - 500) / 2 = 134.5 to 134.
    EXPECT_EQ(CentredWindowPosition({1025, 769}, {760, 500}), QPoint(132, 134));
    EXPECT_EQ(CentredWindowPosition({1027, 771}, {760, 500}), QPoint(134, 136));
    EXPECT_TRUE(WindowSizeFitsScreen(3, {990, 670}));
    EXPECT_FALSE(WindowSizeFitsScreen(3, {990, 669}));
    EXPECT_FALSE(WindowSizeFitsScreen(4, {1289, 1000}));
    EXPECT_TRUE(WindowSizeFitsScreen(4, {1290, 870}));
    EXPECT_FALSE(WindowSizeFitsScreen(5, {1920, 1019}));
    EXPECT_TRUE(WindowSizeFitsScreen(5, {1520, 1020}));
    EXPECT_TRUE(WindowSizeFitsScreen(2, {640, 480}));
}

TEST(Placement, FullScreenKeepsProportionsAndCentresInTheStretchedPlace) {
    const Placement p(ScalesFor(window_size::FullScreen, {1920, 1080}));
    // The trick area (264, 150) 232 x 200: round(2.5263 * 264) = 667, round(0.3663 * 116) = 42.
    const QRect trick = p.Rect(264, 150, 232, 200);
    EXPECT_EQ(trick, QRect(709, 324, 501, 432));
    // Its centre stays at the stretched design centre.
    EXPECT_NEAR(trick.x() + trick.width() / 2.0, (264 + 116) * 1920.0 / 760.0, 1.0);
    // Vertically sy equals s, so nothing is added.
    EXPECT_EQ(p.Y(150, 200), 324);
    // An unscaled picture is centred in its stretched place: round(2.5263 * 60) + round(1.5263 * 50).
    EXPECT_EQ(p.FixedX(60, 100), 152 + 76);
    EXPECT_EQ(p.FixedRect(60, 30, 100, 200).size(), QSize(100, 200));
}

TEST(Placement, SmallWindowIsTheDesignAndLengthsRoundHalfToEven) {
    const Placement small;
    EXPECT_EQ(small.Rect(28, 300, 155, 95), QRect(28, 300, 155, 95));
    EXPECT_EQ(small.FixedRect(7, 290, 160, 200), QRect(7, 290, 160, 200));
    const Placement average(ScalesFor(window_size::Average1, {}));
    EXPECT_EQ(average.S(5), 6);    // 6.5
    EXPECT_EQ(average.S(15), 20);  // 19.5
    EXPECT_EQ(average.S(25), 32);  // 32.5
    EXPECT_EQ(average.Rect(10, 5, 110, 160), QRect(13, 6, 143, 208));
}

TEST(CardCells, FollowScaleClassAndDeckWidth) {
    EXPECT_EQ(CardCellFor(1.0, true), (CardCell{CardClass::Small, 71, 96}));
    EXPECT_EQ(CardCellFor(1.0, false), (CardCell{CardClass::Small, 71, 96}));
    EXPECT_EQ(CardCellFor(1.29, true), (CardCell{CardClass::Small, 71, 96}));
    EXPECT_EQ(CardCellFor(1.3, true), (CardCell{CardClass::Scaled, 92, 125}));
    EXPECT_EQ(CardCellFor(1.3, false), (CardCell{CardClass::Scaled, 79, 125}));
    EXPECT_EQ(CardCellFor(1.7, true), (CardCell{CardClass::Scaled, 121, 163}));
    EXPECT_EQ(CardCellFor(2.0, true), (CardCell{CardClass::Large, 146, 198}));
    EXPECT_EQ(CardCellFor(2.16, false), (CardCell{CardClass::Large, 126, 198}));
    EXPECT_EQ(NarrowOffset(1, false), 0);
    EXPECT_EQ(NarrowOffset(3, false), 5);
    EXPECT_EQ(NarrowOffset(5, true), 0);
}

TEST(HandFan, FiveCardsInTheSmallHandOverlapAt29) {
    const Fan fan = FanPositions(190, 5, 71);
    EXPECT_EQ(fan.count, 5);
    const int expected[] = {0, 29, 58, 87, 116};
    for (int k = 1; k <= 5; ++k) EXPECT_EQ(fan.x[k], expected[k - 1]) << k;
    for (int k = 6; k <= 36; ++k) EXPECT_EQ(fan.x[k], 0);
    // The last card ends a few pixels before the right edge.
    EXPECT_LE(fan.x[5] + 71, 190);
    EXPECT_GE(fan.x[5] + 71, 185);
}

TEST(HandFan, CardsThatFitAreCentredWithGaps) {
    // One card: c = 95, x = round(95 - 37) = 58.
    EXPECT_EQ(FanPositions(190, 1, 71).x[1], 58);
    const Fan two = FanPositions(190, 2, 71);
    EXPECT_EQ(two.x[1], 21);
    EXPECT_EQ(two.x[2], 95);
    // A wide hand holds five large cards side by side: c = 400, x1 = round(400 - 74.5 * 5).
    const Fan wide = FanPositions(800, 5, 146);
    EXPECT_EQ(wide.x[1], 28);
    // Every position is rounded on its own, halves to even: 474.5 -> 474, 623.5 -> 624.
    EXPECT_EQ(wide.x[4], 474);
    EXPECT_EQ(wide.x[5], 624);
}

TEST(HandFan, OverlapsInEveryWindowSizeAndDegenerateCounts) {
    // The largest window: R = 380, W = 146, d = trunc(76 - 73 / 4) = 57.
    const Fan large = FanPositions(380, 5, 146);
    EXPECT_EQ(large.x[2], 57);
    EXPECT_EQ(large.x[5], 228);
    // The average window 1: R = 247, W = 92, d = trunc(49.4 - 45.6 / 4) = 38.
    EXPECT_EQ(FanPositions(247, 5, 92).x[2], 38);
    // Outside 1..36 nothing is placed; one card in a hand narrower than a card is still centred.
    EXPECT_EQ(FanPositions(190, 0, 71).count, 0);
    EXPECT_EQ(FanPositions(190, 37, 71).count, 0);
    EXPECT_EQ(FanPositions(190, -3, 71).count, 0);
    EXPECT_EQ(FanPositions(50, 1, 71).count, 1);
    EXPECT_EQ(FanPositions(50, 1, 71).x[1], -12);
    const Fan all = FanPositions(190, 36, 71);
    EXPECT_EQ(all.count, 36);
}

HandSlots FullHand() {
    HandSlots hand;
    for (int k = 1; k <= 5; ++k) hand[k] = Card::FromDeckNumber(k);
    return hand;
}

TEST(CardUnderPointer, OverlappedStripsAndTheWholeLastCard) {
    const Fan fan = FanPositions(190, 5, 71);
    const HandSlots hand = FullHand();
    struct Case {
        int x, slot;
    };
    const Case cases[] = {{-1, 0}, {0, 1},   {28, 1},  {29, 2},  {57, 2},  {58, 3},  {86, 3},
                          {87, 4}, {115, 4}, {116, 5}, {186, 5}, {187, 0}, {189, 0}, {5000, 0}};
    for (const Case& c : cases) EXPECT_EQ(CardAt(fan, hand, c.x), c.slot) << "x = " << c.x;
}

TEST(CardUnderPointer, GapsBelongToTheCardBeforeAndEmptySlotsGiveNothing) {
    const Fan fan = FanPositions(190, 2, 71);
    HandSlots hand;
    hand[1] = Card::FromDeckNumber(1);
    hand[2] = Card::FromDeckNumber(2);
    EXPECT_EQ(CardAt(fan, hand, 20), 0);
    EXPECT_EQ(CardAt(fan, hand, 21), 1);
    EXPECT_EQ(CardAt(fan, hand, 94), 1);  // the gap after card 1
    EXPECT_EQ(CardAt(fan, hand, 95), 2);
    EXPECT_EQ(CardAt(fan, hand, 165), 2);
    EXPECT_EQ(CardAt(fan, hand, 166), 0);
    hand[2] = Card::Empty();
    EXPECT_EQ(CardAt(fan, hand, 100), 0);
    EXPECT_EQ(SlotAt(fan, 100), 2);
    // A fan of more slots than a hand has never names a slot past 5.
    EXPECT_EQ(SlotAt(FanPositions(190, 8, 71), 150), 8);
    EXPECT_EQ(CardAt(FanPositions(190, 8, 71), FullHand(), 150), 0);
    EXPECT_EQ(CardAt(Fan{}, FullHand(), 10), 0);
}

TEST(TableGeometry, SmallWindowIsTheDesign) {
    const TableGeometry g = LayoutTableGeometry({}, CardCellFor(1.0, true), 0, false);
    EXPECT_EQ(g.hand[1], QRect(10, 178, 190, 96));
    EXPECT_EQ(g.hand[2], QRect(285, 8, 190, 96));
    EXPECT_EQ(g.hand[4], QRect(285, 395, 190, 96));
    EXPECT_EQ(g.tab[3], QRect(578, 300, 155, 95));
    EXPECT_EQ(g.bubble[2], QRect(299, 108, 160, 20));
    EXPECT_EQ(g.trickArea, QRect(264, 150, 232, 200));
    EXPECT_EQ(g.TrickCard(1), QRect(264, 200, 71, 96));
    EXPECT_EQ(g.TrickCard(3), QRect(418, 200, 71, 96));
    EXPECT_EQ(g.TrickCard(4), QRect(341, 250, 71, 96));
    EXPECT_EQ(g.TrickCard(0), QRect());
    EXPECT_EQ(g.deck, QRect(598, 3, 100, 170));
    EXPECT_EQ(g.infoPanel, QRect(10, 5, 110, 160));
    EXPECT_EQ(g.button1, QRect(570, 400, 170, 30));
    EXPECT_EQ(g.button2, QRect(570, 430, 170, 30));
    // The chat line: top = 120 + 1 + round(7.5) = 129; the send button at the box's right.
    EXPECT_EQ(g.chatBox, QRect(615, 30, 130, 90));
    EXPECT_EQ(g.chatField, QRect(615, 129, 94, 20));
    EXPECT_EQ(g.chatSend, QRect(710, 121, 35, 35));
    EXPECT_EQ(LayoutTableGeometry({}, CardCellFor(1.0, true), 0, true).deck, QRect(503, 3, 100, 170));
    EXPECT_EQ(g.HandAt({300, 400}), 4);
    EXPECT_EQ(g.HandAt({300, 300}), 0);
    EXPECT_EQ(g.TrickSeatAt({420, 210}), 3);
}

TEST(TableGeometry, NarrowDecksMoveTrickCardsRight) {
    const WindowScales scales = ScalesFor(window_size::Average1, {});
    const TableGeometry wide = LayoutTableGeometry(scales, CardCellFor(1.3, true), 0, false);
    const TableGeometry narrow = LayoutTableGeometry(scales, CardCellFor(1.3, false), 5, false);
    for (int seat = 1; seat <= 4; ++seat) {
        EXPECT_EQ(narrow.TrickCard(seat).x() - wide.TrickCard(seat).x(), 6) << seat;  // S(5) = round(6.5)
        EXPECT_EQ(narrow.TrickCard(seat).width(), 79);
    }
}

// Whatever the window, every element lies inside the client area and the trick cards inside the
// trick area, so nothing is ever drawn off the window or over the next element by the layout.
TEST(TableGeometry, EveryElementFitsInEveryWindow) {
    const QSize screens[] = {{1920, 1080}, {1366, 768}, {1280, 1024}, {2560, 1440}, {800, 600}};
    for (int size = 1; size <= 5; ++size) {
        for (const QSize& screen : screens) {
            const QSize client = ClientSizeFor(size, screen);
            const WindowScales scales = ScalesFor(size, screen);
            for (const bool wideDeck : {true, false}) {
                const CardCell cell = CardCellFor(scales.s, wideDeck);
                const TableGeometry g =
                    LayoutTableGeometry(scales, cell, NarrowOffset(size, wideDeck), size == 1 && !wideDeck);
                const QRect window(QPoint(0, 0), client);
                for (int seat = 1; seat <= 4; ++seat) {
                    SCOPED_TRACE(testing::Message()
                                 << "size " << size << " screen " << screen.width() << "x" << screen.height()
                                 << " seat " << seat << " wide " << wideDeck);
                    EXPECT_TRUE(window.contains(g.hand[seat]));
                    EXPECT_TRUE(window.contains(g.tab[seat]));
                    EXPECT_TRUE(window.contains(g.bubble[seat]));
                    EXPECT_TRUE(g.trickArea.contains(g.TrickCard(seat)));
                    const Fan fan = FanPositions(g.hand[seat].width(), 5, cell.width);
                    EXPECT_LE(fan.x[5] + cell.width, g.hand[seat].width());
                }
                EXPECT_TRUE(window.contains(g.deck));
                EXPECT_TRUE(window.contains(g.infoPanel));
                EXPECT_TRUE(window.contains(g.button2));
                EXPECT_TRUE(window.contains(g.chatSend));
            }
        }
    }
}

}  // namespace
}  // namespace kesp
