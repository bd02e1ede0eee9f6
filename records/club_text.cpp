#include "records/club_text.h"

#include <charconv>
#include <cmath>

#include "records/cp1251.h"

namespace kesp {
namespace {

std::int64_t PowerOfTen(int n) {
    std::int64_t p = 1;
    for (int i = 0; i < n; ++i) p *= 10;
    return p;
}

// Length of the UTF-8 sequence that starts with `lead`, or 0 when it cannot start one.
std::size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

}  // namespace

std::string JoinPath(std::string_view dir, std::string_view name) {
    std::string path(dir);
    if (!path.empty() && path.back() != '/') path += '/';
    path += name;
    return path;
}

std::string ToFieldBytes(std::string_view utf8) {
    std::string out;
    std::size_t i = 0;
    while (i < utf8.size()) {
        std::size_t n = SequenceLength(static_cast<unsigned char>(utf8[i]));
        if (n == 0 || i + n > utf8.size()) {
            out += '?';
            ++i;
            continue;
        }
        const auto converted = Utf8ToCp1251(utf8.substr(i, n));
        if (converted && converted->size() == 1) {
            const auto c = static_cast<unsigned char>((*converted)[0]);
            out += (c < 0x20 || c == 0x7F) ? ' ' : (*converted)[0];
        } else {
            out += '?';
        }
        i += n;
    }
    return out;
}

std::string LeftAligned(std::string_view text, std::size_t width) {
    std::string out(text.substr(0, width));
    out.resize(width, ' ');
    return out;
}

std::string RightAligned(std::string_view text, std::size_t width) {
    if (text.size() >= width) return std::string(text.substr(0, width));
    return std::string(width - text.size(), ' ') + std::string(text);
}

std::string_view TrimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string_view TrimTrailingBlanks(std::string_view text) {
    const auto last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string_view{} : text.substr(0, last + 1);
}

std::vector<std::string_view> SplitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const auto end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back(bytes.substr(start));
            break;
        }
        lines.push_back(bytes.substr(start, end - start));
        start = end + 1;
        if (bytes[end] == '\r' && start < bytes.size() && bytes[start] == '\n') ++start;
    }
    return lines;
}

std::optional<std::int64_t> ParseInteger(std::string_view field) {
    std::string_view t = TrimBlanks(field);
    bool negative = false;
    if (!t.empty() && (t[0] == '-' || t[0] == '+')) {
        negative = t[0] == '-';
        t.remove_prefix(1);
    }
    if (t.empty() || t.size() > 18) return std::nullopt;
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (ec != std::errc() || end != t.data() + t.size()) return std::nullopt;
    return negative ? -value : value;
}

std::string FormatScaled(std::int64_t value, int decimals) {
    const std::int64_t unit = PowerOfTen(decimals);
    const bool negative = value < 0;
    const std::uint64_t magnitude =
        negative ? static_cast<std::uint64_t>(-(value + 1)) + 1 : static_cast<std::uint64_t>(value);
    std::string fraction = std::to_string(magnitude % static_cast<std::uint64_t>(unit));
    fraction.insert(0, static_cast<std::size_t>(decimals) - fraction.size(), '0');
    std::string text = negative ? "-" : "";
    text += std::to_string(magnitude / static_cast<std::uint64_t>(unit));
    if (decimals > 0) text += "," + fraction;
    return text;
}

std::optional<std::int64_t> ParseScaled(std::string_view field, int decimals) {
    std::string_view t = TrimBlanks(field);
    bool negative = false;
    if (!t.empty() && (t[0] == '-' || t[0] == '+')) {
        negative = t[0] == '-';
        t.remove_prefix(1);
    }
    const auto mark = t.find_first_of(",.");
    std::string_view whole = t.substr(0, mark);
    std::string_view fraction = mark == std::string_view::npos ? std::string_view{} : t.substr(mark + 1);
    if (whole.empty() || whole.size() > 12 || fraction.size() > static_cast<std::size_t>(decimals))
        return std::nullopt;
    std::int64_t value = 0;
    for (std::string_view digits : {whole, fraction})
        for (char c : digits) {
            if (c < '0' || c > '9') return std::nullopt;
            value = value * 10 + (c - '0');
        }
    value *= PowerOfTen(decimals - static_cast<int>(fraction.size()));
    return negative ? -value : value;
}

std::int64_t RescaleRounded(std::int64_t value, int fromDecimals, int toDecimals) {
    if (toDecimals >= fromDecimals) return value * PowerOfTen(toDecimals - fromDecimals);
    const std::int64_t unit = PowerOfTen(fromDecimals - toDecimals);
    const std::int64_t half = unit / 2;
    return value >= 0 ? (value + half) / unit : -((-value + half) / unit);
}

std::string FormatTwoDecimals(double value) {
    if (!std::isfinite(value)) value = 0;
    // Beyond this the text could not fit any field it is written to.
    value = std::fmax(-9.0e12, std::fmin(9.0e12, value));
    return FormatScaled(std::llround(value * 100.0), 2);
}

}  // namespace kesp
