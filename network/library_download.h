// Plain downloads of the optional resource libraries over HTTP, free of Qt.
//
// A library is fetched from the service's download folder into a temporary file beside its target
// and renamed into place only when the whole body has arrived, so a failed or cut download never
// leaves a half-written library behind. Every transfer is bounded in size and in time.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kesp {

// The nine libraries of the download buttons, in the order of their library number 1..9.
inline constexpr std::array<std::string_view, 9> kDownloadableLibraries = {
    "ZunCards06A.dll", "ZunCards06B.dll", "ZunBackG03.dll",  "ZunCalendar01.dll", "ZunRadio.rad",
    "ZunRadio02.dll",  "ZunCVoice3.dll",  "ZunCards06C.dll", "ZunCGraph1.dll",
};

// The folder of the service that holds the libraries, below the service's base address.
inline constexpr std::string_view kLibraryDownloadFolder = "downloads/progr/cards/";

// The address of a library: the base (a '/' is added when it has none), the folder, the file name.
std::string LibraryDownloadAddress(std::string_view serviceBase, std::string_view fileName);

struct DownloadLimits {
    std::int64_t maxBytes = 256ll * 1024 * 1024;  // a library larger than this is refused
    long connectSeconds = 10;
    long totalSeconds = 600;
    // A transfer slower than this many bytes a second for `stallSeconds` is given up.
    long stallBytesPerSecond = 64;
    long stallSeconds = 20;
};

struct DownloadResult {
    bool ok = false;
    std::string error;  // what went wrong, for the message; empty on success
};

// GETs `url` into `targetPath` (its folder must exist). On any failure (no connection, an HTTP error
// status, a body over the size bound, a time-out, a write error) the target is left as it was and no
// temporary file remains. Blocks until done: call it off the GUI thread.
DownloadResult DownloadFile(const std::string& url, const std::string& targetPath,
                            const DownloadLimits& limits = {});

}  // namespace kesp
