#include "network/printable_bytes.h"

#include <cstdio>

namespace kesp {

std::string PrintableBytes(std::string_view bytes) {
    constexpr std::size_t kShown = 120;
    std::string out;
    for (std::size_t i = 0; i < bytes.size() && i < kShown; ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c >= 0x20 && c < 0x7f && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            out += hex;
        }
    }
    if (bytes.size() > kShown) out += "... (" + std::to_string(bytes.size()) + " bytes)";
    return out;
}

}  // namespace kesp
