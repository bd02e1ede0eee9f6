// Per-address limits on the posts that write, counted over the last minute. Each instance counts
// for itself; behind several instances the proxy's own limits add to these.
#pragma once

#include <chrono>
#include <map>
#include <mutex>
#include <string>
#include <utility>

namespace kesp::service {

enum class WriteKind { CreateAccount, LogIn, Chat, WorldRecord, Like, StartUp, GameResults, Count };

class WriteLimits {
  public:
    using Clock = std::chrono::steady_clock;
    // Whether one more write of `kind` from `address` is allowed now; counts it when it is.
    bool Allow(WriteKind kind, const std::string& address, Clock::time_point now = Clock::now());

  private:
    struct Window {
        Clock::time_point start;
        int count = 0;
    };
    std::mutex mutex_;
    std::map<std::pair<int, std::string>, Window> windows_;
};

}  // namespace kesp::service
