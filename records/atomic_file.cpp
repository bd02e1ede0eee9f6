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
    const std::string suffix = ".tmpXXXXXX";
    tmp.insert(tmp.end(), suffix.begin(), suffix.end());
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
        if (n <= 0) ok = false;
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

}  // namespace kesp
