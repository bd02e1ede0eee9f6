#include "records/checksums.h"

namespace kesp {

Checksums ComputeChecksums(std::string_view bytes) {
    Checksums sums;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const std::size_t position = i + 1;
        const auto value = static_cast<unsigned char>(bytes[i]);
        sums.A += value;
        if (position % 2 == 0) sums.B += value;
        if (position % 3 == 0) sums.C += value;
    }
    return sums;
}

}  // namespace kesp
