#include "network/service_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace kesp {
namespace {

std::string WithoutSeparators(std::string_view value) {
    std::string out;
    for (const char c : value)
        if (c != '$' && c != '*' && c != '~') out.push_back(c);
    return out;
}

}  // namespace

std::string FormatServiceReal(double value) {
    if (!std::isfinite(value) || std::fabs(value) < 0.00001) return "0";
    // Round to 15 significant digits first, then write the shortest fixed form of that value.
    char general[64];
    std::snprintf(general, sizeof general, "%.15g", value);
    const double rounded = std::strtod(general, nullptr);
    char fixed[400];
    const auto result = std::to_chars(fixed, fixed + sizeof fixed, rounded, std::chars_format::fixed);
    return std::string(fixed, result.ptr);
}

std::optional<double> ParseServiceReal(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-') ++i;
    const std::size_t digitsStart = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    bool anyDigit = i > digitsStart;
    if (i < text.size() && text[i] == '.') {
        const std::size_t fractionStart = ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
        anyDigit = anyDigit || i > fractionStart;
    }
    if (!anyDigit || i != text.size() || text.size() > 40) return std::nullopt;
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::string BlankRecordValue(std::string_view value) {
    std::string out = WithoutSeparators(value);
    for (char& c : out)
        if (c == ' ') c = '_';
    return out.empty() ? "#" : out;
}

std::string ProfileRecordValue(std::string_view value) {
    std::string out = WithoutSeparators(value);
    return out.empty() ? "#" : out;
}

std::string ServiceRecord(const std::vector<std::string>& values, char separator, char terminator) {
    std::string out = "$";
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0) out.push_back(separator);
        out += values[i];
    }
    if (terminator != '\0') out.push_back(terminator);
    return out;
}

}  // namespace kesp
