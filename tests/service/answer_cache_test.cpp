// The kept answers of public reads: fresh for their lifetime, dropped by a write to what they were
// read from, never kept when a write came between the read and the keeping, and bounded in number.
#include <gtest/gtest.h>

#include "service/answer_cache.h"

namespace kesp::service {
namespace {

using std::chrono::seconds;

TEST(AnswerCache, KeepsAnAnswerForItsLifetime) {
    AnswerCache cache(seconds(2), 16);
    const auto start = AnswerCache::Clock::now();
    cache.Keep("count", kAccountsTopic, cache.Begin(kAccountsTopic), "$7", start);
    EXPECT_EQ("$7", cache.Find("count", kAccountsTopic, start + seconds(1)));
    EXPECT_FALSE(cache.Find("other", kAccountsTopic, start + seconds(1)));
    EXPECT_FALSE(cache.Find("count", kAccountsTopic, start + seconds(2))) << "expired: read it afresh";
    EXPECT_EQ("$7", cache.Find("count", kAccountsTopic, start + seconds(2)))
        << "the others keep the expired copy meanwhile";
    EXPECT_FALSE(cache.Find("count", kAccountsTopic, start + seconds(3))) << "that reader took too long";
    cache.Keep("count", kAccountsTopic, cache.Begin(kAccountsTopic), "$8", start + seconds(3));
    EXPECT_EQ("$8", cache.Find("count", kAccountsTopic, start + seconds(3)));
    EXPECT_FALSE(cache.Find("count", kAccountsTopic, start + seconds(7))) << "too old to give out";
    EXPECT_FALSE(cache.Find("count", kAccountsTopic, start + seconds(7)));
}

TEST(AnswerCache, AnExpiredAnswerDroppedByAWriteIsNotGivenOut) {
    AnswerCache cache(seconds(2), 16);
    const auto start = AnswerCache::Clock::now();
    cache.Keep("count", kAccountsTopic, cache.Begin(kAccountsTopic), "$7", start);
    EXPECT_FALSE(cache.Find("count", kAccountsTopic, start + seconds(2)));
    cache.Changed(kAccountsTopic);
    EXPECT_FALSE(cache.Find("count", kAccountsTopic, start + seconds(2)));
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
        AnswerCache cache(seconds(2), 16);
        const auto now = AnswerCache::Clock::now();
        cache.Keep("key", c.readFrom, cache.Begin(c.readFrom), "$1", now);
        cache.Changed(c.written);
        EXPECT_EQ(c.kept, cache.Find("key", c.readFrom, now).has_value())
            << "read from " << c.readFrom << ", written " << c.written;
    }
}

TEST(AnswerCache, AnAnswerReadAcrossAWriteIsNotKept) {
    AnswerCache cache(seconds(2), 16);
    const auto now = AnswerCache::Clock::now();
    const AnswerCache::Ticket ticket = cache.Begin(kWorldListsTopic);
    // The read may have seen the list before this write was committed.
    cache.Changed(kWorldListsTopic);
    cache.Keep("list", kWorldListsTopic, ticket, "$old", now);
    EXPECT_FALSE(cache.Find("list", kWorldListsTopic, now));
    cache.Keep("list", kWorldListsTopic, cache.Begin(kWorldListsTopic), "$new", now);
    EXPECT_EQ("$new", cache.Find("list", kWorldListsTopic, now));
}

TEST(AnswerCache, StaysWithinItsCapacityAndSkipsLongKeys) {
    AnswerCache cache(seconds(2), 2);
    const auto now = AnswerCache::Clock::now();
    const auto keep = [&](const std::string& key) {
        cache.Keep(key, kAccountsTopic, cache.Begin(kAccountsTopic), key, now);
    };
    keep("a");
    keep("b");
    keep("c");
    EXPECT_FALSE(cache.Find("a", kAccountsTopic, now)) << "full of fresh answers: started afresh";
    EXPECT_EQ("c", cache.Find("c", kAccountsTopic, now));
    keep("d");
    keep("e");
    EXPECT_EQ("e", cache.Find("e", kAccountsTopic, now));
    const std::string longKey(AnswerCache::kLongestKey + 1, 'x');
    keep(longKey);
    EXPECT_FALSE(cache.Find(longKey, kAccountsTopic, now));
}

}  // namespace
}  // namespace kesp::service
