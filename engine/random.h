// The shuffle's random generator: wyrand, a small fast 64-bit generator of good statistical
// quality that can be reseeded, so a seed always gives the same decks.
#pragma once

#include <cstdint>

namespace kesp {

class Random {
  public:
    explicit Random(std::uint64_t seed = 0x853c49e6748fea9bULL) { Seed(seed); }

    void Seed(std::uint64_t seed) { state_ = seed; }

    std::uint64_t Next() {
        state_ += 0xa0761d6478bd642fULL;
        const __uint128_t t = static_cast<__uint128_t>(state_) * (state_ ^ 0xe7037ed1a0b428dbULL);
        return static_cast<std::uint64_t>(t >> 64) ^ static_cast<std::uint64_t>(t);
    }

    // Uniform integer 0..bound-1 without modulo bias (multiply and shift, rejecting the few
    // values that would favour low results).
    std::uint32_t Below(std::uint32_t bound) {
        __uint128_t m = static_cast<__uint128_t>(Next()) * bound;
        auto low = static_cast<std::uint64_t>(m);
        if (low < bound) {
            const std::uint64_t threshold = (0ULL - bound) % bound;
            while (low < threshold) {
                m = static_cast<__uint128_t>(Next()) * bound;
                low = static_cast<std::uint64_t>(m);
            }
        }
        return static_cast<std::uint32_t>(m >> 64);
    }

  private:
    std::uint64_t state_ = 0;
};

}  // namespace kesp
