#include "records/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

namespace kesp {
namespace {

// mkstemp() replaces the six X with letters and digits.
constexpr std::string_view kTemporarySuffix = ".tmpXXXXXX";
constexpr std::size_t kRandomLength = 6;

bool IsLetterOrDigit(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return bytes;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
    std::vector<char> tmp(path.begin(), path.end());
    tmp.insert(tmp.end(), kTemporarySuffix.begin(), kTemporarySuffix.end());
    tmp.push_back('\0');
    const int fd = mkstemp(tmp.data());
    if (fd < 0) return false;

    // Keep the permissions of the file being replaced.
    struct stat old {};
    fchmod(fd, stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644);

    bool ok = true;
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (ok && left > 0) {
        const ssize_t n = write(fd, p, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0)
            ok = false;
        else {
            p += n;
            left -= static_cast<std::size_t>(n);
        }
    }
    ok = ok && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && std::rename(tmp.data(), path.c_str()) == 0;
    if (!ok) std::remove(tmp.data());
    return ok;
}

std::optional<std::string_view> AtomicWriteTarget(std::string_view fileName) {
    const std::string_view stem = kTemporarySuffix.substr(0, kTemporarySuffix.size() - kRandomLength);
    if (fileName.size() <= kTemporarySuffix.size()) return std::nullopt;
    const std::size_t targetLength = fileName.size() - kTemporarySuffix.size();
    if (fileName.substr(targetLength, stem.size()) != stem) return std::nullopt;
    for (const char c : fileName.substr(targetLength + stem.size()))
        if (!IsLetterOrDigit(c)) return std::nullopt;
    return fileName.substr(0, targetLength);
}

}  // namespace kesp
