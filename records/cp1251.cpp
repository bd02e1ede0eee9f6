#include "records/cp1251.h"

#include <iconv.h>

#include <cerrno>

namespace kesp {
namespace {

// Runs iconv over the whole input; false when it meets a byte sequence it cannot convert.
bool Convert(const char* to, const char* from, std::string_view in, std::string& out) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    out.assign(in.size() * 4 + 4, '\0');
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char* dst = out.data();
    std::size_t dstLeft = out.size();
    const std::size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    iconv_close(cd);
    if (r == static_cast<std::size_t>(-1)) return false;
    out.resize(out.size() - dstLeft);
    return true;
}

}  // namespace

std::string Cp1251ToUtf8(std::string_view bytes) {
    std::string out;
    if (Convert("UTF-8", "CP1251", bytes, out)) return out;
    // Slow path for the one unassigned byte: convert byte by byte.
    out.clear();
    for (char c : bytes) {
        std::string one;
        if (Convert("UTF-8", "CP1251", std::string_view(&c, 1), one))
            out += one;
        else
            out += "\xEF\xBF\xBD";
    }
    return out;
}

std::optional<std::string> Utf8ToCp1251(std::string_view text) {
    std::string out;
    if (!Convert("CP1251", "UTF-8", text, out)) return std::nullopt;
    return out;
}

}  // namespace kesp
