#include "network/account_rating.h"

#include <gtest/gtest.h>
#include <limits>

#include "network/game_results.h"

namespace kesp {
namespace {

TEST(AccountRating, FirstGameIsBookedAsALossAndReplacedByItsResult) {
    const TZunGame fresh;
    const TZunGame booked = PreBookedRecord(fresh);
    EXPECT_EQ(booked.Kon, 1);
    EXPECT_NEAR(booked.Rating, -499.96, 1e-9);
    const FinishedRecord done = RecordAfterGame(booked, 40, 40);
    EXPECT_NEAR(done.Record.Rating, 40.04, 1e-9);
    EXPECT_EQ(done.Record.KonL, 1);
    EXPECT_EQ(done.Record.Score, 40);
    EXPECT_FALSE(done.CycleEnded);
}

// The rating stays the average of the results plus the games over 25, whatever the history.
TEST(AccountRating, RatingIsTheAverageOfTheResultsPlusTheGamesBonus) {
    const int results[] = {40, -120, 0, 75, 310, -5};
    TZunGame record;
    double sum = 0;
    for (int i = 0; i < 6; ++i) {
        TZunGame booked = PreBookedRecord(record);
        booked.KonL = record.KonL;  // the service keeps what was sent; the cycle comes from memory
        booked.Score = record.Score;
        record = RecordAfterGame(booked, results[i], 0).Record;
        sum += results[i];
        EXPECT_NEAR(record.Rating, sum / (i + 1) + (i + 1) / 25.0, 1e-9) << i;
    }
    EXPECT_EQ(record.Kon, 6);
}

TEST(AccountRating, TheTwentyFifthGameClosesTheCycle) {
    TZunGame read;
    read.Kon = 50;
    read.KonL = 24;
    read.Score = 300;
    read.Best = 250;
    read.Sessions = 1;
    FinishedRecord done = RecordAfterGame(read, 10, 310);
    EXPECT_TRUE(done.CycleEnded);
    EXPECT_EQ(done.Record.KonL, 0);
    EXPECT_EQ(done.Record.Score, 0);
    EXPECT_EQ(done.Record.Sessions, 2);
    EXPECT_EQ(done.Record.Best, 310);
    done = RecordAfterGame(read, 10, 100);  // a lower total keeps the best
    EXPECT_EQ(done.Record.Best, 250);
    read.KonL = 23;
    done = RecordAfterGame(read, 10, 310);
    EXPECT_FALSE(done.CycleEnded);
    EXPECT_EQ(done.Record.KonL, 24);
}

TEST(AccountRating, HalvesRoundToTheEvenNeighbour) {
    const std::pair<double, std::int64_t> cases[] = {{0.5, 0},        {1.5, 2},   {2.5, 2},
                                                     {-0.5, 0},       {-1.5, -2}, {40.04, 40},
                                                     {-499.96, -500}, {2.51, 3},  {1e300 * 1e300, 0}};
    for (const auto& [value, rounded] : cases) EXPECT_EQ(RoundRatingHalfEven(value), rounded) << value;
}

TEST(MenuCounter, KindByMinute) {
    // 10:05 and 10:06 show the member count, 10:07 the percentage.
    const std::pair<int, int> cases[] = {{5, 7}, {6, 7}, {7, 1}, {0, 1}, {4, 5}, {12, 7}, {59, 4}};
    for (const auto& [minute, kind] : cases) EXPECT_EQ(CounterKind(minute), kind) << minute;
}

TEST(MenuCounter, ShortNumbers) {
    struct Case {
        std::int64_t value;
        bool cut;
        std::string digits;
        char suffix;
    };
    const Case cases[] = {
        {1234567, true, "1", 'M'},    {999, true, "999", 0},           {1000, true, "1", 'K'},
        {999999, true, "999", 'K'},   {5'600'000'000, true, "5", 'G'}, {0, true, "0", 0},
        {123456, false, "123456", 0}, {-1234, false, "-1234", 0},      {-1234567, false, "-1", 'M'}};
    for (const Case& c : cases) {
        const CounterNumber n = ShortCounterNumber(c.value, c.cut);
        EXPECT_EQ(n.Digits, c.digits) << c.value;
        EXPECT_EQ(n.Suffix, c.suffix) << c.value;
    }
}

TEST(MenuCounter, IqPercentRoundsHalvesToEven) {
    EXPECT_EQ(IqPercent(0, 0), 0);
    EXPECT_EQ(IqPercent(1, 1), 50);
    EXPECT_EQ(IqPercent(199, 1), 0);  // 0.5 → 0
    EXPECT_EQ(IqPercent(197, 3), 2);  // 1.5 → 2
    EXPECT_EQ(IqPercent(2, 1), 33);
    EXPECT_EQ(IqPercent(1, 2), 67);
    EXPECT_EQ(IqPercent(-5, 2), 0);  // nonsense from the service
    constexpr std::int64_t kHuge = std::numeric_limits<std::int64_t>::max();
    EXPECT_EQ(IqPercent(kHuge, kHuge), 50);  // no overflow on absurd counts
    EXPECT_EQ(IqPercent(1, kHuge), 100);
}

TEST(AccountClubLine, BothViews) {
    TZunGame game;
    game.Kon = 321;
    game.KonL = 7;
    game.Score = -45;
    game.Rating = 12.5;
    const std::string nick = "Ivan" + std::string(16, ' ');
    EXPECT_EQ(AccountClubLine("Ivan", game, 1), nick + "    " + "  7" + "    " + "   -45");
    EXPECT_EQ(AccountClubLine("Ivan", game, 2), nick + "  " + "    321" + "  " + "    12");
    // Padding counts characters, not bytes.
    EXPECT_EQ(AccountClubLine("Иван", game, 2).substr(0, 8 + 16), "Иван" + std::string(16, ' '));
}

TEST(GameResults, WhatEachGameAdds) {
    using R = std::array<long long, 12>;
    EXPECT_EQ(GameResults(GameKind::Local, 7, 55, 1), (R{1, 0, 55, 0}));
    EXPECT_EQ(GameResults(GameKind::Local, 50, -30, 1), (R{1, 1, 0, 30}));
    EXPECT_EQ(GameResults(GameKind::LanHost, 25, 40, 1), (R{0, 0, 0, 0, 1}));
    EXPECT_EQ(GameResults(GameKind::LanClient, 25, 40, 1), (R{}));
    EXPECT_EQ(GameResults(GameKind::Online, 3, 40, 1), (R{0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(GameResults(GameKind::Online, 3, 40, 2), (R{}));
}

}  // namespace
}  // namespace kesp
