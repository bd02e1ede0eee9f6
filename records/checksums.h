// The three sums that protect the record files: of all bytes, of the bytes at even positions and
// of the bytes at positions divisible by 3, positions counted from 1.
#pragma once

#include <cstdint>
#include <string_view>

namespace kesp {

struct Checksums {
    std::uint64_t A = 0;  // every byte
    std::uint64_t B = 0;  // bytes at positions 2, 4, 6, ...
    std::uint64_t C = 0;  // bytes at positions 3, 6, 9, ...

    Checksums& operator+=(const Checksums& o) {
        A += o.A;
        B += o.B;
        C += o.C;
        return *this;
    }
    friend bool operator==(const Checksums&, const Checksums&) = default;
};

Checksums ComputeChecksums(std::string_view bytes);

}  // namespace kesp
