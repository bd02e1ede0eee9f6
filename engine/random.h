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

    // Uniform integer 0..bound-1 without modulo bias (multiply and shift, drawing again for the few
    // values that would favour low results), and one for which taken(i) is false: a taken number
    // is drawn again too. Either test sends the draw back, so the cheap test of `taken` comes first
    // and the bias test is made only for the number that is kept.
    template <typename Taken>
    std::uint64_t BelowUnless(std::uint32_t bound, Taken taken) {
        for (;;) {
            const __uint128_t m = static_cast<__uint128_t>(Next()) * bound;
            const auto i = static_cast<std::uint64_t>(m >> 64);
            if (taken(i)) continue;
            const auto low = static_cast<std::uint64_t>(m);
            if (low < bound && low < (0ULL - bound) % bound) continue;
            return i;
        }
    }

  private:
    std::uint64_t state_ = 0;
};

}  // namespace kesp
