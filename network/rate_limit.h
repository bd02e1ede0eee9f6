// Limits on how often something may happen, on a clock the caller passes in: a token bucket for
// the chat lines of one seat, and a log that writes a few lines a second and counts the rest.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <string>

namespace kesp {

using LanClock = std::chrono::steady_clock;
using LanTime = LanClock::time_point;

// Up to `burst` events at once, then one more every `interval`. An interval of zero lets
// everything through.
class TokenBucket {
  public:
    TokenBucket(int burst, std::chrono::milliseconds interval)
        : burst_(burst), interval_(interval), tokens_(burst) {}

    bool Take(LanTime now) {
        if (interval_.count() <= 0) return true;
        if (!started_) {
            started_ = true;
            last_ = now;
        }
        Refill(now);
        if (tokens_ == 0) return false;
        --tokens_;
        return true;
    }

  private:
    // A full bucket earns nothing: its time starts again when a token is taken.
    void Refill(LanTime now) {
        if (tokens_ >= burst_ || now <= last_) {
            if (tokens_ >= burst_) last_ = now;
            return;
        }
        const auto earned = (now - last_) / interval_;
        if (earned <= 0) return;
        tokens_ = std::min<long long>(burst_, tokens_ + earned);
        if (tokens_ == burst_)
            last_ = now;
        else
            last_ += earned * interval_;
    }

    int burst_;
    std::chrono::milliseconds interval_;
    long long tokens_;
    LanTime last_{};
    bool started_ = false;
};

// At most `perSecond` lines in each second; the lines over it are counted, and the next line
// (or Flush) after the second is over says how many there were.
class LogLimiter {
  public:
    explicit LogLimiter(int perSecond) : perSecond_(perSecond) {}

    // Whether `line` may be written now; `summary` is set to the count of the lines held back in
    // the second before, when there were some, and is to be written first.
    bool Allow(LanTime now, std::string& summary) {
        summary = Roll(now);
        if (written_ < perSecond_) {
            ++written_;
            return true;
        }
        ++suppressed_;
        return false;
    }
    // The count of lines held back, once their second is over or at once when `now` is forced.
    std::string Flush(LanTime now, bool force = false) { return Roll(now, force); }
    // When Flush will have something to say.
    bool HasSuppressed() const { return suppressed_ > 0; }
    LanTime WindowEnd() const { return windowStart_ + std::chrono::seconds(1); }

  private:
    std::string Roll(LanTime now, bool force = false) {
        if (now < WindowEnd() && !(force && suppressed_ > 0)) return {};
        std::string summary;
        if (suppressed_ > 0) summary = std::to_string(suppressed_) + " more suppressed";
        windowStart_ = now;
        written_ = 0;
        suppressed_ = 0;
        return summary;
    }

    int perSecond_;
    LanTime windowStart_{};
    int written_ = 0;
    std::uint64_t suppressed_ = 0;
};

}  // namespace kesp
