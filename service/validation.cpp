#include "service/validation.h"

#include <QString>
#include <charconv>

#include "records/cp1251.h"

namespace kesp::service {
namespace {

// Control characters and the one byte code page 1251 does not define.
bool IsForbiddenByte(unsigned char c) {
    return c < 0x20 || c == 0x7F || c == 0x98;
}

}  // namespace

std::optional<std::string> CleanText(std::string_view cp1251, std::size_t minLength, std::size_t maxLength) {
    std::string kept;
    for (const char c : cp1251) {
        if (IsForbiddenByte(static_cast<unsigned char>(c))) return std::nullopt;
        if (c != '$' && c != '*' && c != '~') kept.push_back(c);
    }
    if (kept.size() < minLength || kept.size() > maxLength) return std::nullopt;
    return Cp1251ToUtf8(kept);
}

std::optional<std::string> ValidNick(std::string_view cp1251) {
    if (cp1251.size() < 2 || cp1251.size() > 12) return std::nullopt;
    if (cp1251.front() == ' ' || cp1251.back() == ' ') return std::nullopt;
    for (const char c : cp1251) {
        if (IsForbiddenByte(static_cast<unsigned char>(c))) return std::nullopt;
        if (std::string_view("/\\$*~").find(c) != std::string_view::npos) return std::nullopt;
    }
    return Cp1251ToUtf8(cp1251);
}

std::optional<std::string> ValidNickUtf8(std::string_view utf8) {
    const auto bytes = Utf8ToCp1251(utf8);
    if (!bytes) return std::nullopt;
    return ValidNick(*bytes);
}

std::string NickKey(const std::string& utf8Nick) {
    return QString::fromStdString(utf8Nick).toLower().toStdString();
}

std::optional<long long> ParseInteger(std::string_view text, long long min, long long max) {
    if (text.empty() || text.size() > 19 || text.front() == '+') return std::nullopt;
    long long value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
    if (value < min || value > max) return std::nullopt;
    return value;
}

}  // namespace kesp::service
