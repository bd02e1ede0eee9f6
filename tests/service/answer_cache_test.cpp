// The kept answers of public reads: fresh for their lifetime, then given out for a bounded time while
// one caller reads them afresh; dropped by a write to what they were read from, never kept when a
// write came between the read and the keeping, and bounded in number.
#include <gtest/gtest.h>

#include <ostream>

#include "service/answer_cache.h"

namespace kesp::service {

bool operator==(const AnswerCache::Found& a, const AnswerCache::Found& b) {
    return a.answer == b.answer && a.readAfresh == b.readAfresh;
}

std::ostream& operator<<(std::ostream& out, const AnswerCache::Found& found) {
    return out << (found.answer ? *found.answer : "(none)") << (found.readAfresh ? " read afresh" : "");
}

namespace {

using std::chrono::seconds;

constexpr auto kLifetime = seconds(2);
constexpr auto kLongestStale = seconds(10);

AnswerCache::Found Found(std::optional<std::string> answer, bool readAfresh) {
    return {std::move(answer), readAfresh};
}

TEST(AnswerCache, AnExpiredAnswerIsGivenOutWhileOneCallerReadsItAfresh) {
    AnswerCache cache(kLifetime, kLongestStale, 16);
    const auto start = AnswerCache::Clock::now();
    cache.Keep("count", kAccountsTopic, cache.Begin(kAccountsTopic), "$7", start);
    EXPECT_EQ(Found("$7", false), cache.Find("count", kAccountsTopic, start + seconds(1)));
    EXPECT_EQ(Found({}, false), cache.Find("other", kAccountsTopic, start + seconds(1)));
    EXPECT_EQ(Found("$7", true), cache.Find("count", kAccountsTopic, start + seconds(2)))
        << "expired: this caller reads it afresh, and is answered at once";
    EXPECT_EQ(Found("$7", false), cache.Find("count", kAccountsTopic, start + seconds(2)))
        << "the others keep the expired copy meanwhile";
    EXPECT_EQ(Found("$7", true), cache.Find("count", kAccountsTopic, start + seconds(3)))
        << "that reader took too long: another one tries";
    cache.Keep("count", kAccountsTopic, cache.Begin(kAccountsTopic), "$8", start + seconds(3));
    EXPECT_EQ(Found("$8", false), cache.Find("count", kAccountsTopic, start + seconds(4)));
}

TEST(AnswerCache, AnAnswerNotReadAfreshInTimeIsNoLongerGivenOut) {
    AnswerCache cache(kLifetime, kLongestStale, 16);
    const auto start = AnswerCache::Clock::now();
    cache.Keep("count", kAccountsTopic, cache.Begin(kAccountsTopic), "$7", start);
    EXPECT_EQ(Found("$7", true), cache.Find("count", kAccountsTopic, start + kLifetime));
    const auto tooOld = start + kLifetime + kLongestStale;
    EXPECT_EQ(Found("$7", true), cache.Find("count", kAccountsTopic, tooOld - seconds(1)));
    EXPECT_EQ(Found({}, false), cache.Find("count", kAccountsTopic, tooOld)) << "callers read it themselves";
    EXPECT_EQ(Found({}, false), cache.Find("count", kAccountsTopic, tooOld));
}

TEST(AnswerCache, AnExpiredAnswerDroppedByAWriteIsNotGivenOut) {
    AnswerCache cache(kLifetime, kLongestStale, 16);
    const auto start = AnswerCache::Clock::now();
    cache.Keep("count", kAccountsTopic, cache.Begin(kAccountsTopic), "$7", start);
    EXPECT_EQ(Found("$7", true), cache.Find("count", kAccountsTopic, start + seconds(2)));
    cache.Changed(kAccountsTopic);
    EXPECT_EQ(Found({}, false), cache.Find("count", kAccountsTopic, start + seconds(2)));
}

TEST(AnswerCache, AWriteDropsOnlyTheAnswersReadFromWhatItChanged) {
    const struct {
        unsigned readFrom, written;
        bool kept;
    } cases[] = {
        {kAccountsTopic, kAccountsTopic, false},
        {kAccountsTopic, kWorldListsTopic, true},
        {kStatisticsTopic | kAccountsTopic, kAccountsTopic, false},
        {kStatisticsTopic | kAccountsTopic, kStatisticsTopic, false},
        {kStatisticsTopic | kAccountsTopic, kWorldListsTopic, true},
        // Two writes to different topics of one answer must not cancel out in its generation.
        {kWorldListsTopic, kStatisticsTopic | kAccountsTopic, true},
    };
    for (const auto& c : cases) {
        AnswerCache cache(kLifetime, kLongestStale, 16);
        const auto now = AnswerCache::Clock::now();
        cache.Keep("key", c.readFrom, cache.Begin(c.readFrom), "$1", now);
        cache.Changed(c.written);
        EXPECT_EQ(c.kept, cache.Find("key", c.readFrom, now).answer.has_value())
            << "read from " << c.readFrom << ", written " << c.written;
    }
}

TEST(AnswerCache, AnAnswerReadAcrossAWriteIsNotKept) {
    AnswerCache cache(kLifetime, kLongestStale, 16);
    const auto now = AnswerCache::Clock::now();
    const AnswerCache::Ticket ticket = cache.Begin(kWorldListsTopic);
    // The read may have seen the list before this write was committed.
    cache.Changed(kWorldListsTopic);
    cache.Keep("list", kWorldListsTopic, ticket, "$old", now);
    EXPECT_FALSE(cache.Find("list", kWorldListsTopic, now).answer);
    cache.Keep("list", kWorldListsTopic, cache.Begin(kWorldListsTopic), "$new", now);
    EXPECT_EQ("$new", cache.Find("list", kWorldListsTopic, now).answer);
}

TEST(AnswerCache, StaysWithinItsCapacityAndSkipsLongKeys) {
    AnswerCache cache(kLifetime, kLongestStale, 2);
    const auto now = AnswerCache::Clock::now();
    const auto keep = [&](const std::string& key) {
        cache.Keep(key, kAccountsTopic, cache.Begin(kAccountsTopic), key, now);
    };
    keep("a");
    keep("b");
    keep("c");
    EXPECT_FALSE(cache.Find("a", kAccountsTopic, now).answer) << "full of fresh answers: started afresh";
    EXPECT_EQ("c", cache.Find("c", kAccountsTopic, now).answer);
    keep("d");
    keep("e");
    EXPECT_EQ("e", cache.Find("e", kAccountsTopic, now).answer);
    const std::string longKey(AnswerCache::kLongestKey + 1, 'x');
    keep(longKey);
    EXPECT_FALSE(cache.Find(longKey, kAccountsTopic, now).answer);
}

}  // namespace
}  // namespace kesp::service
