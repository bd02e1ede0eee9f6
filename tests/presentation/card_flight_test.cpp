// Card flights: the paths, the pacing, and the frames a flight shows on a screen that records them.
#include "presentation/card_flight.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <memory>

#include "callback_wait.h"
#include "presentation/card_art.h"
#include "presentation/flight_points.h"
#include "qt_test_app.h"

namespace kesp {
using test::App;
using test::CallbackWait;
using test::RunEventLoopFor;
namespace {

using std::chrono::milliseconds;

constexpr int kSpeed5 = 5;
constexpr int kSpeed6 = 6;

// ---- paths ----

TEST(FlightPath, VerticalFlightMovesYOnePixelAndKeepsX) {
    const std::vector<QPoint> drawn = DrawnPositions({40, 100}, {40, 60}, 4);
    ASSERT_EQ(drawn.size(), 41u);  // the start and one frame per pixel
    for (std::size_t i = 0; i < drawn.size(); ++i) EXPECT_EQ(drawn[i], QPoint(40, 100 - static_cast<int>(i)));
}

TEST(FlightPath, StartAtTheTargetDrawsOnceAndEnds) {
    for (const int speed : {1, 4, 6}) {
        EXPECT_EQ(DrawnPositions({7, 9}, {7, 9}, speed), (std::vector<QPoint>{{7, 9}}));
    }
}

TEST(FlightPath, TheMinorAxisIsRoundedHalfToEvenOntoTheLine) {
    struct Case {
        QPoint from, to;
        std::vector<QPoint> drawn;
    };
    const Case cases[] = {
        {{0, 0}, {4, 2}, {{0, 0}, {1, 0}, {2, 1}, {3, 2}, {4, 2}}},            // 0.5 -> 0, 1.5 -> 2
        {{10, 10}, {8, 14}, {{10, 10}, {10, 11}, {9, 12}, {8, 13}, {8, 14}}},  // y leads; 9.5 -> 10, 8.5 -> 8
        {{5, 5}, {2, 2}, {{5, 5}, {4, 4}, {3, 3}, {2, 2}}},                    // the diagonal, backwards
    };
    for (const Case& c : cases) EXPECT_EQ(DrawnPositions(c.from, c.to, 4), c.drawn);
}

TEST(FlightPath, FastestSpeedDrawsEverySecondPositionOfTheSamePath) {
    for (const QPoint to : {QPoint(300, 130), QPoint(-40, 250), QPoint(81, -177)}) {
        const std::vector<QPoint> five = DrawnPositions({80, 60}, to, kSpeed5);
        const std::vector<QPoint> six = DrawnPositions({80, 60}, to, kSpeed6);
        const std::size_t steps = five.size() - 1;
        EXPECT_EQ(six.size() - 1, (steps + 1) / 2) << "half the drawn frames";
        for (std::size_t i = 0; i + 1 < six.size(); ++i) EXPECT_EQ(six[i], five[2 * i]);
        EXPECT_EQ(six.back(), to);
        // Never more than 2 pixels per frame, so the old place widened by 2 covers the new one.
        for (std::size_t i = 1; i < six.size(); ++i) {
            EXPECT_LE(std::abs(six[i].x() - six[i - 1].x()), 2);
            EXPECT_LE(std::abs(six[i].y() - six[i - 1].y()), 2);
        }
    }
}

TEST(GroupPaths, ShorterPathsStopFirstAndLeaveTheBox) {
    GroupPaths group(QSize(71, 96));
    group.Add({100, 100}, {100, 95});   // 5 pixels
    group.Add({200, 100}, {190, 100});  // 10
    group.Add({300, 100}, {300, 120});  // 20
    group.Add({400, 100}, {400, 100});  // already there: stops at the first frame
    EXPECT_EQ(group.BoundingBox(), QRect(90, 90, 400 + 71 - 100 + 20, 96 + 20));
    std::vector<int> stoppedAt(4, 0);
    for (int frame = 1; group.AnyFlying(); ++frame) {
        group.Advance(kSpeed5);
        for (int i = 0; i < 4; ++i)
            if (!group.Flying(i) && stoppedAt[static_cast<std::size_t>(i)] == 0)
                stoppedAt[static_cast<std::size_t>(i)] = frame;
        if (frame == 5) {  // the first card has stopped, the second is half-way
            EXPECT_EQ(group.BoundingBox(),
                      QRect(195 - 10, 100 - 10, 300 + 71 - 195 + 20, 105 + 96 - 100 + 20));
        }
    }
    EXPECT_EQ(stoppedAt, (std::vector<int>{5, 10, 20, 1}));
    EXPECT_TRUE(group.BoundingBox().isEmpty());
}

// ---- pacing ----

TEST(FlightPacer, RestsAfterTheFramesEachSpeedAsks) {
    struct Case {
        int speed;
        std::vector<int> restAfterFrames;  // in the first six frames
        int ms;
    };
    const Case cases[] = {{1, {1, 2, 3, 4, 5, 6}, 2},
                          {2, {1, 2, 3, 4, 5, 6}, 1},
                          {3, {2, 4, 6}, 1},
                          {4, {3, 6}, 1},
                          {5, {}, 0},
                          {6, {}, 0}};
    for (const Case& c : cases) {
        std::vector<int> rested;
        FlightPacer pacer;
        for (int frame = 1; frame <= 6; ++frame) {
            const milliseconds rest = pacer.AfterFrame(c.speed);
            if (rest == milliseconds(0)) continue;
            EXPECT_EQ(rest.count(), c.ms) << "speed " << c.speed;
            rested.push_back(frame);
        }
        EXPECT_EQ(rested, c.restAfterFrames) << "speed " << c.speed;
    }
}

TEST(FlightPacer, TheFrameCountGoesOnFromFlightToFlightButNotAcrossPacers) {
    FlightPacer pacer;
    EXPECT_EQ(pacer.AfterFrame(4), milliseconds(0));
    EXPECT_EQ(pacer.AfterFrame(4), milliseconds(0));  // a two-frame flight: no rest yet
    EXPECT_EQ(pacer.AfterFrame(4), milliseconds(1));  // the next flight's first frame is the third
    FlightPacer fresh;
    EXPECT_EQ(fresh.AfterFrame(4), milliseconds(0));
}

// ---- frames on a screen ----

// A screen that keeps what it was shown: Show copies the working copy's rectangle, Refresh paints
// the rectangle as the table would (the clean table, the caller having drawn nothing new).
class RecordingScreen : public FlightScreen {
  public:
    explicit RecordingScreen(QImage table) : table(std::move(table)), screen(this->table.copy()) {}

    QImage Capture() const override { return table; }
    void Show(const QRect& rect) override {
        ++shows;
        shown.push_back(rect);
        Copy(flights->WorkingCopy(), rect);
        if (onShow) onShow();
    }
    void Refresh(const QRect& rect) override { Copy(table, rect); }

    QImage table;
    QImage screen;
    const CardFlights* flights = nullptr;
    int shows = 0;
    std::vector<QRect> shown;
    std::function<void()> onShow;

  private:
    void Copy(const QImage& from, const QRect& rect) {
        QPainter painter(&screen);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(rect.topLeft(), from, rect);
    }
};

// A table with a pattern in every pixel, so a rectangle restored from the wrong place shows.
QImage PatternedTable(QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb((x * 7) % 256, (y * 5) % 256, (x + y) % 256));
    return image;
}

// The bounding box of the pixels where two images of one size and format differ; empty when
// they agree.
QRect Difference(const QImage& a, const QImage& b) {
    QRect box;
    for (int y = 0; y < a.height(); ++y) {
        const auto* rowA = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* rowB = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        if (std::equal(rowA, rowA + a.width(), rowB)) continue;
        for (int x = 0; x < a.width(); ++x)
            if (rowA[x] != rowB[x]) box |= QRect(x, y, 1, 1);
    }
    return box;
}

class CardFlightTest : public ::testing::Test {
  protected:
    void SetUpArt(int windowSize) {
        App();
        const QSize client = ClientSizeFor(windowSize, {1920, 1080});
        const WindowScales scales = ScalesFor(windowSize, {1920, 1080});
        art_ = std::make_unique<CardArt>(settings_, "/nonexistent/");
        art_->SetWindow(windowSize, scales.s, client);
        art_->LoadFaceDeck();
        art_->LoadBacks();
        art_->BackForDeal(QDate(2024, 5, 6));
        pictures_ = std::make_unique<CardArtPictures>(*art_);
        cell_ = CardCellFor(scales.s, true);
        geometry_ = LayoutTableGeometry(scales, cell_, NarrowOffset(windowSize, true), false);
        screen_ = std::make_unique<RecordingScreen>(PatternedTable(client));
        flights_ = std::make_unique<CardFlights>(*screen_, *pictures_);
        screen_->flights = flights_.get();
    }

    // Flies a card and runs the event loop until it has landed; the landing never comes from
    // inside the call that starts the flight.
    void FlyAndLand(QPoint from, QPoint to, SpriteFace face, bool eraseAtEnd, int speed) {
        CallbackWait landed;
        ASSERT_TRUE(flights_->FlyCard(from, to, face, eraseAtEnd, cell_, speed, landed.Callback()));
        EXPECT_TRUE(flights_->Running());
        EXPECT_EQ(landed.calls, 0);
        ASSERT_TRUE(landed.Run());
        EXPECT_FALSE(flights_->Running());
        EXPECT_EQ(landed.calls, 1);
    }
    void FlyGroupAndLand(std::span<const GroupCard> cards, int speed) {
        CallbackWait landed;
        ASSERT_TRUE(flights_->FlyGroup(screen_->table, cards, cell_, speed, landed.Callback()));
        EXPECT_EQ(landed.calls, 0);
        ASSERT_TRUE(landed.Run());
        EXPECT_FALSE(flights_->Running());
    }

    Settings settings_;
    std::unique_ptr<CardArt> art_;
    std::unique_ptr<CardArtPictures> pictures_;
    CardCell cell_;
    TableGeometry geometry_;
    std::unique_ptr<RecordingScreen> screen_;
    std::unique_ptr<CardFlights> flights_;
};

const Card kQueenOfHearts = Card::Make(rank::Queen, suit::Hearts);
const Card kSixOfSpades = Card::Make(rank::Six, suit::Spades);

TEST_F(CardFlightTest, EveryFrameShowsTheOneCardOnTheTableAndTheEndShowsTheTable) {
    for (const int windowSize : {window_size::Small, window_size::Average1, window_size::Large}) {
        SCOPED_TRACE(windowSize);
        SetUpArt(windowSize);
        const QPoint from = HandMiddle(geometry_, 4);
        const QPoint to = geometry_.TrickCard(4).topLeft();
        const QSize cell(cell_.width, cell_.height);
        QPoint expected = from;
        FlightPath path(from, to);
        screen_->onShow = [&] {
            EXPECT_TRUE(flights_->Running());
            // The screen holds all the working copy: nothing drawn was left unshown.
            EXPECT_EQ(Difference(screen_->screen, flights_->WorkingCopy()), QRect());
            // Only the card differs from the table, inside its cell, and its corners are the table's.
            const QRect card(expected, cell);
            EXPECT_TRUE(card.contains(Difference(screen_->screen, screen_->table)))
                << expected.x() << "," << expected.y();
            EXPECT_EQ(screen_->screen.pixel(card.topLeft()), screen_->table.pixel(card.topLeft()));
            EXPECT_EQ(screen_->screen.pixel(card.center()), flights_->WorkingCopy().pixel(card.center()));
            EXPECT_NE(screen_->screen.pixel(card.center()), screen_->table.pixel(card.center()));
            path.Advance(kSpeed5);
            expected = path.Position();
        };
        FlyAndLand(from, to, {kQueenOfHearts}, true, kSpeed5);
        EXPECT_EQ(screen_->shows, static_cast<int>(DrawnPositions(from, to, kSpeed5).size()));
        EXPECT_EQ(screen_->shown.front(), screen_->table.rect()) << "the first frame shows the whole table";
        EXPECT_EQ(Difference(screen_->screen, screen_->table), QRect()) << "erased at the end";
    }
}

TEST_F(CardFlightTest, SmallCardsKeepTheTableInTheirOpenCornersAndShowTheFrame) {
    SetUpArt(window_size::Small);
    const QPoint at(200, 150);
    FlyAndLand(at, at, {kSixOfSpades, true}, false, kSpeed5);
    EXPECT_EQ(screen_->shows, 1);
    const QImage& shown = screen_->screen;
    const QImage& table = screen_->table;
    for (const QPoint corner :
         {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(70, 0), QPoint(69, 95), QPoint(70, 94)})
        EXPECT_EQ(shown.pixel(at + corner), table.pixel(at + corner)) << corner.x() << "," << corner.y();
    for (const QPoint frame : {QPoint(2, 0), QPoint(0, 2), QPoint(35, 95), QPoint(70, 50)})
        EXPECT_EQ(shown.pixel(at + frame), qRgb(0, 0, 0)) << frame.x() << "," << frame.y();
    const QImage back =
        art_->BackImage(art_->CurrentBack(), false).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    ASSERT_FALSE(back.isNull());
    for (const QPoint inside : {QPoint(10, 10), QPoint(35, 48), QPoint(60, 85)})
        EXPECT_EQ(shown.pixel(at + inside), back.pixel(inside - QPoint(1, 1)))
            << inside.x() << "," << inside.y();
}

TEST_F(CardFlightTest, FastestSpeedShowsHalfTheFramesOfSpeedFive) {
    SetUpArt(window_size::Small);
    const QPoint from = geometry_.deck.topLeft();
    const QPoint to = HandMiddle(geometry_, 2);
    FlyAndLand(from, to, {kQueenOfHearts, true}, true, kSpeed5);
    const std::uint64_t five = flights_->Frames();
    FlyAndLand(from, to, {kQueenOfHearts, true}, true, kSpeed6);
    const std::uint64_t six = flights_->Frames() - five;
    EXPECT_EQ(five,
              static_cast<std::uint64_t>(std::max(std::abs(to.x() - from.x()), std::abs(to.y() - from.y()))));
    EXPECT_EQ(six, (five + 1) / 2);
    EXPECT_EQ(Difference(screen_->screen, screen_->table), QRect());
}

TEST_F(CardFlightTest, GroupCardsStopInTurnAndStopBeingDrawn) {
    SetUpArt(window_size::Small);
    std::vector<GroupCard> cards;
    GroupPaths expected(QSize(cell_.width, cell_.height));
    for (const int i : {0, 1, 2, 3}) {
        const QPoint from(40 + 150 * i, 100);
        const QPoint to = from + QPoint(0, 10 << i);  // 10, 20, 40 and 80 pixels down
        cards.push_back({{Card::FromDeckNumber(9 + i)}, from, to});
        expected.Add(from, to);
    }
    cards.push_back({{Card::Empty()}, {0, 0}, {500, 400}});  // an empty place takes no part
    std::vector<int> flyingPerFrame;
    screen_->onShow = [&] {
        expected.Advance(kSpeed6);
        EXPECT_EQ(Difference(screen_->screen, flights_->WorkingCopy()), QRect());
        int flying = 0;
        for (int i = 0; i < 4; ++i) {
            const QPoint centre = expected.Position(i) + QPoint(cell_.width / 2, cell_.height / 2);
            if (expected.Flying(i)) ++flying;
            // A flying card is drawn; one that has stopped shows the table at its place.
            EXPECT_EQ(screen_->screen.pixel(centre) != screen_->table.pixel(centre), expected.Flying(i)) << i;
        }
        flyingPerFrame.push_back(flying);
    };
    FlyGroupAndLand(cards, kSpeed6);
    EXPECT_EQ(screen_->shown.front(), screen_->table.rect());
    EXPECT_EQ(flyingPerFrame.size(), 40u);
    EXPECT_EQ(flights_->Frames(), 40u);
    EXPECT_EQ(flyingPerFrame[3], 4);
    EXPECT_EQ(flyingPerFrame[4], 3);  // the 10-pixel card stops at its fifth frame
    EXPECT_EQ(flyingPerFrame[9], 2);
    EXPECT_EQ(flyingPerFrame[19], 1);
    EXPECT_EQ(flyingPerFrame.back(), 0);
    EXPECT_EQ(Difference(screen_->screen, screen_->table), QRect()) << "no card is left behind";
}

TEST_F(CardFlightTest, ACollectedTrickLeavesTheWindowOnTheWinnersSide) {
    for (const int winner : {1, 2, 3, 4}) {
        SetUpArt(window_size::Average1);
        const QSize client = screen_->table.size();
        std::vector<GroupCard> trick;
        for (const int seat : {1, 2, 3, 4})
            trick.push_back({{Card::FromDeckNumber(seat * 7)},
                             geometry_.TrickCard(seat).topLeft(),
                             OffWindowToward(geometry_, client, winner)});
        FlyGroupAndLand(trick, kSpeed6);
        EXPECT_GT(flights_->Frames(), 50u);
        EXPECT_EQ(Difference(screen_->screen, screen_->table), QRect()) << "winner " << winner;
        for (const QRect& r : screen_->shown) EXPECT_TRUE(screen_->table.rect().contains(r));
    }
}

TEST_F(CardFlightTest, NothingFliesWithoutACardOrBesideARunningFlight) {
    SetUpArt(window_size::Small);
    int wrongLandings = 0;
    const auto wrong = [&] { ++wrongLandings; };
    const std::vector<GroupCard> noCards{{{Card::Empty()}, {0, 0}, {50, 50}}};
    EXPECT_FALSE(flights_->FlyCard({0, 0}, {50, 50}, {Card::Empty()}, true, cell_, kSpeed5, wrong));
    EXPECT_FALSE(flights_->FlyGroup(screen_->table, noCards, cell_, kSpeed5, wrong));
    EXPECT_FALSE(flights_->FlyGroup(screen_->table, {}, cell_, kSpeed5, wrong));
    EXPECT_FALSE(flights_->Running());
    EXPECT_EQ(screen_->shows, 0);

    // A second flight is refused while one runs; the landing starts the next one, as a game does.
    CallbackWait second;
    bool secondStarted = false;
    const auto startSecond = [&] {
        secondStarted =
            flights_->FlyCard({300, 40}, {330, 40}, {kSixOfSpades}, true, cell_, kSpeed5, second.Callback());
    };
    ASSERT_TRUE(flights_->FlyCard({10, 10}, {60, 60}, {kQueenOfHearts}, true, cell_, kSpeed5, startSecond));
    EXPECT_FALSE(flights_->FlyCard({10, 10}, {60, 60}, {kQueenOfHearts}, true, cell_, kSpeed5, wrong));
    EXPECT_FALSE(flights_->FlyGroup(screen_->table, std::vector<GroupCard>{{{kSixOfSpades}, {0, 0}, {9, 9}}},
                                    cell_, kSpeed5, wrong));
    ASSERT_TRUE(second.Run());
    EXPECT_TRUE(secondStarted);
    EXPECT_EQ(flights_->Frames(), 50u + 30u);
    RunEventLoopFor(milliseconds(50));
    EXPECT_EQ(wrongLandings, 0);
    EXPECT_EQ(second.calls, 1);
    EXPECT_EQ(Difference(screen_->screen, screen_->table), QRect());
}

TEST_F(CardFlightTest, TheEventLoopRunsBetweenTheFramesOfAFlight) {
    SetUpArt(window_size::Small);
    // At the slowest speed the loop runs in every rest: a timer armed during a frame fires before
    // the next one. Without rests it still runs every few milliseconds of drawing (each frame here
    // takes at least 0.2 ms, as on a slow display).
    for (const int speed : {1, 5}) {
        SCOPED_TRACE(speed);
        const std::uint64_t before = flights_->Frames();
        std::uint64_t armedAt = 0, firedAt = 0;
        bool firedWhileFlying = false;
        screen_->onShow = [&] {
            if (speed == 5) {
                QElapsedTimer slowDisplay;
                slowDisplay.start();
                while (slowDisplay.nsecsElapsed() < 200'000) {
                }
            }
            // A frame is counted once it has been shown.
            const std::uint64_t shown = flights_->Frames() + 1;
            if (shown - before != 10) return;
            armedAt = shown;
            QTimer::singleShot(0, [&] {
                firedAt = flights_->Frames();
                firedWhileFlying = flights_->Running();
            });
        };
        FlyAndLand({20, 20}, {220, 120}, {kQueenOfHearts}, true, speed);
        EXPECT_EQ(flights_->Frames() - before, 200u);
        ASSERT_NE(armedAt, 0u);
        EXPECT_TRUE(firedWhileFlying);
        if (speed == 1) {
            EXPECT_EQ(firedAt, armedAt) << "no frame is drawn before the loop has run";
        }
        EXPECT_LT(firedAt, flights_->Frames());
    }
}

TEST_F(CardFlightTest, ACancelledFlightNeverLandsAndTheTableShowsAgain) {
    SetUpArt(window_size::Small);
    CallbackWait landed;
    screen_->onShow = [&] {
        // Cancelled from the event loop, as leaving the table does, not from inside a frame.
        if (flights_->Frames() + 1 == 5) QTimer::singleShot(0, [&] { flights_->Cancel(); });
    };
    ASSERT_TRUE(flights_->FlyCard({20, 20}, {220, 20}, {kQueenOfHearts}, false, cell_, 1, landed.Callback()));
    EXPECT_FALSE(landed.Run(milliseconds(600)));  // the whole flight would take 400 ms and more
    EXPECT_FALSE(flights_->Running());
    EXPECT_EQ(flights_->Frames(), 5u);
    EXPECT_EQ(Difference(screen_->screen, screen_->table), QRect()) << "the card is gone from the screen";
    flights_->Cancel();  // nothing runs: nothing happens

    screen_->onShow = nullptr;
    FlyAndLand({20, 20}, {40, 20}, {kQueenOfHearts}, true, kSpeed5);
    EXPECT_EQ(landed.calls, 0);
}

}  // namespace
}  // namespace kesp
