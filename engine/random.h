// The shuffle's random generator: a small permuted congruential generator (PCG32) that can be
// reseeded, so a seed always gives the same decks.
#pragma once

#include <cstdint>

namespace kesp {

class Random {
public:
    explicit Random(std::uint64_t seed = 0x853c49e6748fea9bULL) { Seed(seed); }

    void Seed(std::uint64_t seed) {
        state_ = 0;
        Next();
        state_ += seed;
        Next();
    }

    std::uint32_t Next() {
        const std::uint64_t old = state_;
        state_ = old * 6364136223846793005ULL + kIncrement;
        const auto xorshifted = static_cast<std::uint32_t>(((old >> 18u) ^ old) >> 27u);
        const auto rot = static_cast<std::uint32_t>(old >> 59u);
        return (xorshifted >> rot) | (xorshifted << ((32u - rot) & 31u));
    }

    // Uniform integer 0..bound-1, without modulo bias.
    std::uint32_t Below(std::uint32_t bound) {
        const std::uint32_t threshold = (0u - bound) % bound;
        for (;;) {
            const std::uint32_t r = Next();
            if (r >= threshold) return r % bound;
        }
    }

private:
    static constexpr std::uint64_t kIncrement = 1442695040888963407ULL;
    std::uint64_t state_ = 0;
};

}  // namespace kesp
