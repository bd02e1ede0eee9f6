// The database connections' pool: how many pieces of work run at once, how many may wait and for how
// long, and work posted without waiting for it.
#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <latch>
#include <vector>

#include "service/connection_pool.h"

namespace kesp::service {
namespace {

using namespace std::chrono_literals;

// Connections that never open: the work here needs none.
QSqlDatabase NoConnection() {
    return {};
}

TEST(ConnectionPool, RunsAsManyAtOnceAsItHasConnectionsAndTurnsAwayTheRest) {
    ConnectionPool pool(2, NoConnection, ConnectionPool::Queue{2, 10s});
    std::atomic<int> running = 0, mostRunning = 0;
    std::latch release(1);
    std::atomic<int> started = 0;
    const auto work = [&](QSqlDatabase&) {
        const int now = ++running;
        int most = mostRunning;
        while (now > most && !mostRunning.compare_exchange_weak(most, now)) {
        }
        ++started;
        release.wait();
        --running;
    };
    // Two run, two wait, and the fifth finds the queue full.
    std::vector<std::future<PoolTiming>> callers;
    for (int i = 0; i < 2; ++i)
        callers.push_back(std::async(std::launch::async, [&] { return pool.Run(work); }));
    while (started < 2) std::this_thread::yield();
    EXPECT_TRUE(pool.Post(work));
    EXPECT_TRUE(pool.Post(work));
    EXPECT_FALSE(pool.Post(work));
    bool ran = false;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(pool.Run([&](QSqlDatabase&) { ran = true; }).ran) << "a full queue turns work away";
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s) << "at once";
    release.count_down();
    for (auto& caller : callers) EXPECT_TRUE(caller.get().ran);
    while (started < 4) std::this_thread::yield();
    EXPECT_EQ(2, mostRunning);
    EXPECT_FALSE(ran);
}

TEST(ConnectionPool, WorkThatWaitsTooLongIsNotRun) {
    ConnectionPool pool(1, NoConnection, ConnectionPool::Queue{8, 50ms});
    std::latch release(1), holding(1);
    auto holder = std::async(std::launch::async, [&] {
        return pool.Run([&](QSqlDatabase&) {
            holding.count_down();
            release.wait();
        });
    });
    holding.wait();
    bool ran = false;
    const PoolTiming late = pool.Run([&](QSqlDatabase&) { ran = true; });
    EXPECT_FALSE(late.ran);
    EXPECT_GE(late.waited, 50ms);
    release.count_down();
    EXPECT_TRUE(holder.get().ran);
    EXPECT_TRUE(pool.Run([](QSqlDatabase&) {}).ran) << "the pool goes on";
    EXPECT_FALSE(ran) << "work turned away never runs later";
}

TEST(ConnectionPool, PostedWorkRunsWithoutItsCallerAndBeforeThePoolEnds) {
    std::atomic<int> done = 0;
    {
        ConnectionPool pool(1, NoConnection);
        std::latch release(1);
        ASSERT_TRUE(pool.Post([&](QSqlDatabase&) { release.wait(); }));
        for (int i = 0; i < 5; ++i) ASSERT_TRUE(pool.Post([&](QSqlDatabase&) { ++done; }));
        ASSERT_TRUE(pool.Post([](QSqlDatabase&) { throw std::runtime_error("dropped"); }));
        EXPECT_EQ(0, done) << "Post does not wait";
        release.count_down();
    }
    EXPECT_EQ(5, done);
}

TEST(ConnectionPool, AnExceptionInRunWorkComesBackToItsCaller) {
    ConnectionPool pool(1, NoConnection);
    EXPECT_THROW(pool.Run([](QSqlDatabase&) { throw std::runtime_error("failed"); }), std::runtime_error);
    EXPECT_TRUE(pool.Run([](QSqlDatabase&) {}).ran);
}

}  // namespace
}  // namespace kesp::service
