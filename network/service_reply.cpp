#include "network/service_reply.h"

#include <charconv>
#include <cmath>

namespace kesp {
namespace {

ServiceRecordValues SplitRecord(std::string_view body, char separator) {
    ServiceRecordValues values;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = body.find(separator, start);
        values.emplace_back(
            body.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return values;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

bool HasMarker(std::string_view reply, std::string_view marker) {
    const std::string_view head = reply.substr(0, reply.find('$'));
    return head.find(marker) != std::string_view::npos;
}

std::optional<ServiceRecordValues> ReadFirstRecord(std::string_view reply, char terminator, char separator) {
    auto records = ReadRecords(reply, terminator, separator, 1);
    if (records.empty()) return std::nullopt;
    return std::move(records.front());
}

std::vector<ServiceRecordValues> ReadRecords(std::string_view reply, char terminator, char separator,
                                             std::size_t maxRecords) {
    std::vector<ServiceRecordValues> records;
    std::size_t at = reply.find('$');
    while (at != std::string_view::npos && records.size() < maxRecords) {
        const std::size_t start = at + 1;
        std::size_t end = reply.find(terminator, start);
        if (end == std::string_view::npos) end = reply.size();
        records.push_back(SplitRecord(reply.substr(start, end - start), separator));
        // With '$' as terminator the record's closing '$' opens no new record of its own.
        at =
            end >= reply.size() ? std::string_view::npos : reply.find('$', terminator == '$' ? end + 1 : end);
    }
    return records;
}

std::optional<long long> ReadLastNumber(std::string_view reply) {
    const std::size_t dollar = reply.rfind('$');
    if (dollar == std::string_view::npos) return std::nullopt;
    std::size_t end = dollar + 1;
    while (end < reply.size() && IsDigit(reply[end])) ++end;
    long long number = 0;
    const auto result = std::from_chars(reply.data() + dollar + 1, reply.data() + end, number);
    if (result.ec != std::errc() || result.ptr != reply.data() + end) return std::nullopt;
    return number;
}

std::string RecordValue(const ServiceRecordValues& values, std::size_t index, std::string_view fallback) {
    if (index == 0 || index > values.size()) return std::string(fallback);
    return values[index - 1];
}

long long RecordInteger(const ServiceRecordValues& values, std::size_t index, long long fallback) {
    if (index == 0 || index > values.size()) return fallback;
    const std::string& text = values[index - 1];
    long long number = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), number);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return fallback;
    return number;
}

std::optional<double> ReadServiceReal(std::string_view text, double fallback) {
    if (text.empty()) return fallback;
    std::string normal(text);
    for (char& c : normal) {
        if (c != ' ' && c != '-' && !IsDigit(c)) {
            c = '.';
            break;
        }
    }
    std::size_t start = 0;
    while (start < normal.size() && normal[start] == ' ') ++start;
    std::size_t end = normal.size();
    while (end > start && normal[end - 1] == ' ') --end;
    double value = 0;
    const auto result =
        std::from_chars(normal.data() + start, normal.data() + end, value, std::chars_format::fixed);
    if (result.ec != std::errc() || result.ptr != normal.data() + end || start == end ||
        !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string RecordText(std::string_view value) {
    if (value == "#") return {};
    std::string text(value);
    for (char& c : text)
        if (c == '_') c = ' ';
    return text;
}

}  // namespace kesp
