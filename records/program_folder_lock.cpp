#include "records/program_folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cctype>
#include <filesystem>
#include <functional>
#include <system_error>
#include <utility>

#include "records/atomic_file.h"
#include "records/club.h"
#include "records/history.h"
#include "records/settings.h"

namespace kesp {
namespace fs = std::filesystem;

ProgramFolderLock::ProgramFolderLock(const std::string& programDir) {
    const std::string path = ProgramDirOf(programDir) + std::string(kProgramFolderLockName);
    // The lock file stays in place after the program ends: removing it would let a copy starting
    // at that moment lock a file that the next copy no longer sees.
    const int fd = open(path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0) return;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return;
    }
    fd_ = fd;
}

ProgramFolderLock::~ProgramFolderLock() {
    if (fd_ >= 0) close(fd_);  // closing releases the lock
}

ProgramFolderLock::ProgramFolderLock(ProgramFolderLock&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)) {}

ProgramFolderLock& ProgramFolderLock::operator=(ProgramFolderLock&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) close(fd_);
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

namespace {

constexpr std::string_view kRecordingFolder = "GIFGame";  // where the deals are recorded as GIFs

bool IsSettingsOrClubFile(std::string_view name) {
    return name == kSettingsFileName || name == LocalClubFileName || name == NetworkClubFileName;
}

// "Kesp_I0001.hst" and the other numbers.
bool IsHistoryFileName(std::string_view name) {
    const std::string prefix = std::string(HistoryBaseName) + "_I";
    constexpr std::string_view extension = ".hst";
    constexpr std::size_t digits = 4;
    if (name.size() != prefix.size() + digits + extension.size()) return false;
    if (name.substr(0, prefix.size()) != prefix || name.substr(prefix.size() + digits) != extension)
        return false;
    for (const char c : name.substr(prefix.size(), digits))
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

bool IsRecordingFileName(std::string_view name) {
    constexpr std::string_view extension = ".gif";
    return name.size() > extension.size() && name.substr(name.size() - extension.size()) == extension;
}

// Deletes the regular files of `folder` that are temporaries of a file `isTarget` accepts.
void RemoveTemporariesIn(const fs::path& folder, const std::function<bool(std::string_view)>& isTarget) {
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        const std::optional<std::string_view> target = AtomicWriteTarget(name);
        if (!target || !isTarget(*target)) continue;
        std::error_code statusError;
        if (!it->is_regular_file(statusError) || it->is_symlink(statusError)) continue;
        std::error_code removeError;
        fs::remove(it->path(), removeError);  // one that cannot go is left for the next start
    }
}

}  // namespace

ProgramFolderLock ClaimProgramFolder(const std::string& programDir) {
    ProgramFolderLock lock(programDir);
    if (!lock.Held()) return lock;
    const fs::path folder(ProgramDirOf(programDir));
    RemoveTemporariesIn(folder, IsSettingsOrClubFile);
    RemoveTemporariesIn(folder / HistoryFolder, IsHistoryFileName);
    RemoveTemporariesIn(folder / kRecordingFolder, IsRecordingFileName);
    return lock;
}

}  // namespace kesp
