// The per-address write limits: counted per kind and address over a minute, then open again.
#include <gtest/gtest.h>

#include "service/write_limits.h"

namespace kesp::service {
namespace {

TEST(WriteLimits, CountsEachKindAndAddressForAMinute) {
    WriteLimits limits;
    const auto start = WriteLimits::Clock::now();
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(limits.Allow(WriteKind::Like, "10.0.0.1", start));
    EXPECT_FALSE(limits.Allow(WriteKind::Like, "10.0.0.1", start + std::chrono::seconds(59)));
    EXPECT_TRUE(limits.Allow(WriteKind::Like, "10.0.0.2", start)) << "another address";
    EXPECT_TRUE(limits.Allow(WriteKind::Chat, "10.0.0.1", start)) << "another kind";
    EXPECT_TRUE(limits.Allow(WriteKind::Like, "10.0.0.1", start + std::chrono::seconds(60)))
        << "a new minute";
}

TEST(WriteLimits, ForgetsOldAddressesWhenManyAreKnown) {
    WriteLimits limits;
    const auto start = WriteLimits::Clock::now();
    for (int i = 0; i < 10001; ++i) limits.Allow(WriteKind::Like, "a" + std::to_string(i), start);
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(limits.Allow(WriteKind::Like, "busy", start));
    EXPECT_FALSE(limits.Allow(WriteKind::Like, "busy", start)) << "pruning keeps the live windows";
    EXPECT_TRUE(limits.Allow(WriteKind::Like, "a1", start + std::chrono::minutes(2)));
}

}  // namespace
}  // namespace kesp::service
