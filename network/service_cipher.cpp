#include "network/service_cipher.h"

#include <array>
#include <cstdint>
#include <utility>

namespace kesp {
namespace {

// The program's own alphabet: no character that a form body, a configuration entry ('#') or a
// reply record would treat specially.
constexpr std::string_view kAlphabet = "Qw3ErTy7UiOp1AsDfGh5JkLzXc9VbNm0qWe2RtYu8IoPa4SdFgH6jKlZx-CvBnM_";
static_assert(kAlphabet.size() == 64);

constexpr std::uint16_t kStepMultiplier = 52845;
constexpr std::uint16_t kStepAddend = 22719;

constexpr std::array<std::pair<std::string_view, std::uint16_t>, 12> kKeys{{
    {"AccountAddress", 40213},
    {"StatisticsAddress", 17761},
    {"WorldTopTenAddress", 29347},
    {"TablesAddress", 51083},
    {"AvatarAddress", 8527},
    {"ConfigAddress", 63109},
    {"NewsAddress", 33391},
    {"PictureStoreHost", 12853},
    {"PictureStoreUser", 47911},
    {"PictureStorePassword", 21377},
    {"PictureStoreFolder", 58243},
    {"UserPassword", 36791},
}};

std::uint16_t KeyValue(CipherKey key) {
    return kKeys[static_cast<std::size_t>(key)].second;
}

std::uint16_t Step(std::uint16_t key, std::uint8_t cipherByte) {
    return static_cast<std::uint16_t>((cipherByte + key) * kStepMultiplier + kStepAddend);
}

int AlphabetIndex(char c) {
    const auto at = kAlphabet.find(c);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

}  // namespace

std::optional<CipherKey> CipherKeyByName(std::string_view name) {
    for (std::size_t i = 0; i < kKeys.size(); ++i)
        if (kKeys[i].first == name) return static_cast<CipherKey>(i);
    return std::nullopt;
}

std::string Encipher(std::string_view plain, CipherKey key) {
    std::uint16_t running = KeyValue(key);
    std::string bytes;
    for (const char c : plain) {
        const auto out = static_cast<std::uint8_t>(static_cast<std::uint8_t>(c) ^ (running >> 8));
        bytes.push_back(static_cast<char>(out));
        running = Step(running, out);
    }
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
        std::uint32_t group = 0;
        for (std::size_t j = 0; j < 3; ++j)
            group = (group << 8) | (j < n ? static_cast<std::uint8_t>(bytes[i + j]) : 0u);
        for (std::size_t j = 0; j < n + 1; ++j) text.push_back(kAlphabet[(group >> (18 - 6 * j)) & 63]);
    }
    return text;
}

std::optional<std::string> Decipher(std::string_view text, CipherKey key) {
    if (text.size() % 4 == 1) return std::nullopt;
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); i += 4) {
        const std::size_t n = std::min<std::size_t>(4, text.size() - i);
        std::uint32_t group = 0;
        for (std::size_t j = 0; j < 4; ++j) {
            const int index = j < n ? AlphabetIndex(text[i + j]) : 0;
            if (index < 0) return std::nullopt;
            group = (group << 6) | static_cast<std::uint32_t>(index);
        }
        for (std::size_t j = 0; j + 1 < n; ++j)
            bytes.push_back(static_cast<char>((group >> (16 - 8 * j)) & 0xFF));
    }
    std::uint16_t running = KeyValue(key);
    std::string plain;
    for (const char c : bytes) {
        const auto in = static_cast<std::uint8_t>(c);
        plain.push_back(static_cast<char>(in ^ (running >> 8)));
        running = Step(running, in);
    }
    return plain;
}

}  // namespace kesp
