#include "service/form_body.h"

namespace kesp::service {
namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::optional<std::string> PercentDecode(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '+') {
            out.push_back(' ');
        } else if (text[i] == '%') {
            if (i + 2 >= text.size()) return std::nullopt;
            const int high = HexDigit(text[i + 1]), low = HexDigit(text[i + 2]);
            if (high < 0 || low < 0) return std::nullopt;
            out.push_back(static_cast<char>(high * 16 + low));
            i += 2;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

}  // namespace

std::optional<std::vector<std::string>> ReadListForm(std::string_view body,
                                                     const std::vector<std::string_view>& keys) {
    std::vector<std::string> values;
    std::size_t start = 0;
    while (start <= body.size()) {
        std::size_t end = body.find('&', start);
        if (end == std::string_view::npos) end = body.size();
        const std::string_view pair = body.substr(start, end - start);
        start = end + 1;
        if (pair.empty()) continue;
        const std::size_t equals = pair.find('=');
        if (equals == std::string_view::npos || values.size() >= keys.size()) return std::nullopt;
        const auto name = PercentDecode(pair.substr(0, equals));
        const auto value = PercentDecode(pair.substr(equals + 1));
        if (!name || !value || *name != keys[values.size()]) return std::nullopt;
        values.push_back(*value);
    }
    if (values.size() != keys.size()) return std::nullopt;
    return values;
}

std::optional<std::vector<std::string>> ReadTextForm(std::string_view body,
                                                     const std::vector<std::string_view>& keys) {
    std::vector<std::string> values;
    std::size_t at = 0;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const std::string head = std::string(i == 0 ? "" : "&") + std::string(keys[i]) + "=";
        if (body.substr(at, head.size()) != head) return std::nullopt;
        at += head.size();
        std::size_t end = body.size();
        if (i + 1 < keys.size()) {
            end = body.find("&" + std::string(keys[i + 1]) + "=", at);
            if (end == std::string_view::npos) return std::nullopt;
        }
        values.emplace_back(body.substr(at, end - at));
        at = end;
    }
    return values;
}

}  // namespace kesp::service
