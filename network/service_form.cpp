#include "network/service_form.h"

#include "records/cp1251.h"

#include <algorithm>

namespace kesp {

std::string PercentEncoded(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                           (byte >= '0' && byte <= '9') || c == '-' || c == '.' || c == '_' || c == '~';
        if (plain) {
            out.push_back(c);
        } else {
            out.push_back('%');
            out.push_back(kHex[byte >> 4]);
            out.push_back(kHex[byte & 15]);
        }
    }
    return out;
}

namespace {

// The length of the UTF-8 sequence that starts with `lead`; 1 for a stray byte.
std::size_t SequenceLength(unsigned char lead) {
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

}  // namespace

std::string ToCp1251Lossy(std::string_view utf8) {
    if (auto whole = Utf8ToCp1251(utf8)) return *whole;
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t length =
            std::min(SequenceLength(static_cast<unsigned char>(utf8[i])), utf8.size() - i);
        const auto one = Utf8ToCp1251(utf8.substr(i, length));
        out += one ? *one : std::string("?");
        i += length;
    }
    return out;
}

std::string ListFormBody(const FormFields& fields) {
    const auto oneLine = [](std::string text) {
        std::erase_if(text, [](char c) { return c == '\n' || c == '\r'; });
        return PercentEncoded(ToCp1251Lossy(text));
    };
    std::string body;
    for (const auto& [name, value] : fields) {
        if (!body.empty()) body += "&&";
        body += oneLine(name);
        body += '=';
        body += oneLine(value);
    }
    return body;
}

std::string TextFormBody(const FormFields& fields) {
    std::string body;
    for (const auto& [name, value] : fields) {
        if (!body.empty()) body += '&';
        body += ToCp1251Lossy(name);
        body += '=';
        body += ToCp1251Lossy(value);
    }
    return body;
}

}  // namespace kesp
