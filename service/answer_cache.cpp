#include "service/answer_cache.h"

#include <iterator>

namespace kesp::service {

AnswerCache::AnswerCache(Clock::duration lifetime, Clock::duration longestStale, std::size_t capacity)
    : lifetime_(lifetime), longestStale_(longestStale), capacity_(capacity) {}

AnswerCache::Ticket AnswerCache::Begin(unsigned topics) const {
    Ticket ticket;
    for (std::size_t i = 0; i < kTopicCount; ++i)
        if (topics & (1u << i)) ticket.generation += writes_[i].load();
    return ticket;
}

AnswerCache::Found AnswerCache::Find(const std::string& key, unsigned topics, Clock::time_point now) {
    const Ticket current = Begin(topics);
    std::lock_guard lock(mutex_);
    const auto found = entries_.find(key);
    if (found == entries_.end()) return {};
    Entry& entry = found->second;
    if (entry.generation != current.generation || entry.expires + longestStale_ <= now) {
        entries_.erase(found);
        return {};
    }
    bool readAfresh = false;
    if (entry.expires <= now && (!entry.refreshing || *entry.refreshing + longestRefresh_ <= now)) {
        entry.refreshing = now;
        readAfresh = true;
    }
    return {entry.answer, readAfresh};
}

void AnswerCache::Keep(const std::string& key, unsigned topics, Ticket ticket, std::string answer,
                       Clock::time_point now) {
    if (key.size() > kLongestKey || Begin(topics).generation != ticket.generation) return;
    std::lock_guard lock(mutex_);
    if (entries_.size() >= capacity_) {
        for (auto entry = entries_.begin(); entry != entries_.end();)
            entry = entry->second.expires + longestStale_ <= now ? entries_.erase(entry) : std::next(entry);
        // Many different keys within one lifetime (places by every rating, say): start afresh
        // rather than let the memory grow.
        if (entries_.size() >= capacity_) entries_.clear();
    }
    entries_.insert_or_assign(key,
                              Entry{std::move(answer), ticket.generation, now + lifetime_, std::nullopt});
}

void AnswerCache::Changed(unsigned topics) {
    for (std::size_t i = 0; i < kTopicCount; ++i)
        if (topics & (1u << i)) ++writes_[i];
}

}  // namespace kesp::service
