#include "service/write_limits.h"

#include <array>

namespace kesp::service {
namespace {

constexpr std::array<int, static_cast<int>(WriteKind::Count)> kPerMinute{
    10,  // create account
    30,  // log in: each try costs a slow password check
    20,  // chat
    30,  // world record
    5,   // like
    30,  // start-up report
    60,  // game results
};
// Past this many remembered windows the expired ones are dropped.
constexpr std::size_t kPruneAbove = 10000;

}  // namespace

bool WriteLimits::Allow(WriteKind kind, const std::string& address, Clock::time_point now) {
    const auto minute = std::chrono::minutes(1);
    std::lock_guard lock(mutex_);
    if (windows_.size() > kPruneAbove)
        std::erase_if(windows_, [&](const auto& entry) { return now - entry.second.start >= minute; });
    Window& window = windows_[{static_cast<int>(kind), address}];
    if (window.count == 0 || now - window.start >= minute) window = {now, 0};
    if (window.count >= kPerMinute[static_cast<int>(kind)]) return false;
    ++window.count;
    return true;
}

}  // namespace kesp::service
