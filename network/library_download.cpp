#include "network/library_download.h"

#include <curl/curl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>

namespace kesp {
namespace {

struct Target {
    std::FILE* file = nullptr;
    std::int64_t written = 0;
    std::int64_t maxBytes = 0;
    bool tooLarge = false;
    bool writeFailed = false;
};

size_t WriteBody(char* data, size_t size, size_t count, void* user) {
    auto* target = static_cast<Target*>(user);
    const size_t bytes = size * count;
    if (target->written + static_cast<std::int64_t>(bytes) > target->maxBytes) {
        target->tooLarge = true;
        return 0;  // ends the transfer
    }
    if (std::fwrite(data, 1, bytes, target->file) != bytes) {
        target->writeFailed = true;
        return 0;
    }
    target->written += static_cast<std::int64_t>(bytes);
    return bytes;
}

struct CurlDeleter {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};

}  // namespace

std::string LibraryDownloadAddress(std::string_view serviceBase, std::string_view fileName) {
    std::string address(serviceBase);
    if (address.empty() || address.back() != '/') address += '/';
    address += kLibraryDownloadFolder;
    address += fileName;
    return address;
}

DownloadResult DownloadFile(const std::string& url, const std::string& targetPath,
                            const DownloadLimits& limits) {
    DownloadResult result;
    // The temporary file sits beside the target, so the final rename never crosses file systems.
    std::string temporary = targetPath + ".part-XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        result.error = "cannot create a file beside " + targetPath;
        return result;
    }
    fchmod(fd, 0644);  // a library is an ordinary readable file, not a private one
    Target target;
    target.file = fdopen(fd, "wb");
    target.maxBytes = limits.maxBytes;
    if (!target.file) {
        close(fd);
        std::remove(temporary.c_str());
        result.error = "cannot write " + temporary;
        return result;
    }

    std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    CURLcode code = CURLE_FAILED_INIT;
    if (curl) {
        char errorText[CURL_ERROR_SIZE] = {};
        curl_easy_setopt(curl.get(), CURLOPT_URL, url.c_str());
        curl_easy_setopt(curl.get(), CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(curl.get(), CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(curl.get(), CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(curl.get(), CURLOPT_MAXREDIRS, 5L);
        curl_easy_setopt(curl.get(), CURLOPT_FAILONERROR, 1L);
        curl_easy_setopt(curl.get(), CURLOPT_NOSIGNAL, 1L);  // safe on a worker thread
        curl_easy_setopt(curl.get(), CURLOPT_CONNECTTIMEOUT, limits.connectSeconds);
        curl_easy_setopt(curl.get(), CURLOPT_TIMEOUT, limits.totalSeconds);
        curl_easy_setopt(curl.get(), CURLOPT_LOW_SPEED_LIMIT, limits.stallBytesPerSecond);
        curl_easy_setopt(curl.get(), CURLOPT_LOW_SPEED_TIME, limits.stallSeconds);
        curl_easy_setopt(curl.get(), CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.maxBytes));
        curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, WriteBody);
        curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &target);
        curl_easy_setopt(curl.get(), CURLOPT_ERRORBUFFER, errorText);
        code = curl_easy_perform(curl.get());
        if (code != CURLE_OK) result.error = errorText[0] ? errorText : curl_easy_strerror(code);
    } else {
        result.error = "cannot start a transfer";
    }
    const bool flushed = std::fflush(target.file) == 0 && fsync(fileno(target.file)) == 0;
    const bool closed = std::fclose(target.file) == 0;
    if (target.tooLarge)
        result.error = "the file is larger than " + std::to_string(limits.maxBytes) + " bytes";
    if (target.writeFailed || (code == CURLE_OK && (!flushed || !closed)))
        result.error = "cannot write " + temporary;
    if (code == CURLE_OK && result.error.empty() && target.written == 0) result.error = "the file is empty";

    std::error_code ignored;
    if (result.error.empty()) {
        std::filesystem::rename(temporary, targetPath, ignored);
        if (ignored) result.error = "cannot rename " + temporary + " to " + targetPath;
    }
    if (!result.error.empty()) {
        std::filesystem::remove(temporary, ignored);
        return result;
    }
    result.ok = true;
    return result;
}

}  // namespace kesp
