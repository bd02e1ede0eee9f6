// Answers of the public reads (counts, top ten lists, statistics, profiles) kept for a moment: every
// open game asks for the same few lists again and again, and each ask would otherwise be a trip to
// the database. A kept answer is dropped as soon as a write to what it was read from has been
// answered by this service, so no reader is shown an answer older than a write the service already
// confirmed.
// When an answer expires, one caller is told to read it afresh (in the background) while every
// caller, that one included, is still given the expired copy (no write has dropped it): a popular
// answer never sends every caller to the database at once, and no caller waits for a database that
// is slow to answer. An expired copy is given out for a bounded time only; after that the callers
// read it themselves. Another instance of the service on the same database therefore sees a write
// once its own copy has expired and been read again: after the lifetime and the time the database
// takes to answer, and at most after the lifetime and the longest staleness.
#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

namespace kesp::service {

// What an answer was read from, or what a write changes: a set of these bits.
enum Topic : unsigned {
    kAccountsTopic = 1,
    kWorldListsTopic = 2,
    kStatisticsTopic = 4,
};
inline constexpr std::size_t kTopicCount = 3;

class AnswerCache {
  public:
    using Clock = std::chrono::steady_clock;
    AnswerCache(Clock::duration lifetime, Clock::duration longestStale, std::size_t capacity);

    // Taken before the answer is read, and handed back to Keep with it.
    struct Ticket {
        std::uint64_t generation = 0;
    };
    Ticket Begin(unsigned topics) const;

    struct Found {
        // The kept answer, fresh or expired for less than the longest staleness; nothing tells the
        // caller to read it (and Keep it) before answering.
        std::optional<std::string> answer;
        // The answer given has expired and nobody is reading it afresh: this caller should, without
        // making its own caller wait.
        bool readAfresh = false;
    };
    Found Find(const std::string& key, unsigned topics, Clock::time_point now);
    // Keeps `answer`, unless one of `topics` changed since `ticket` was taken (the answer may then
    // have been read before the change) or the key is too long to be worth keeping.
    void Keep(const std::string& key, unsigned topics, Ticket ticket, std::string answer,
              Clock::time_point now);

    // Called once a write to `topics` is committed, before it is answered.
    void Changed(unsigned topics);

    static constexpr std::size_t kLongestKey = 256;

  private:
    struct Entry {
        std::string answer;
        std::uint64_t generation;
        Clock::time_point expires;
        // Since when a caller has been reading it afresh.
        std::optional<Clock::time_point> refreshing;
    };
    // Each topic's count of writes only grows, so their sum over a set of topics changes exactly
    // when one of them is written.
    std::array<std::atomic<std::uint64_t>, kTopicCount> writes_{};
    const Clock::duration lifetime_, longestStale_;
    // A caller that takes longer than this to read an answer afresh leaves it to the next one.
    const Clock::duration longestRefresh_ = std::chrono::seconds(1);
    const std::size_t capacity_;
    std::mutex mutex_;
    std::unordered_map<std::string, Entry> entries_;
};

}  // namespace kesp::service
