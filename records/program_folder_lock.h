// One copy of the program per folder at a time owns the folder's record files. The owner holds a
// lock on the hidden file ".Kesp.lock" for as long as it runs; the copy that takes the lock at start
// knows that no other copy is writing there, so the temporary files that an interrupted record
// write left behind are stale and can go. A copy that finds the lock taken runs all the same and
// leaves the folder's files alone.
#pragma once

#include <string>
#include <string_view>

namespace kesp {

inline constexpr std::string_view kProgramFolderLockName = ".Kesp.lock";

class ProgramFolderLock {
  public:
    ProgramFolderLock() = default;  // holds nothing
    // Takes the lock of `programDir` without waiting; Held() tells whether it was free.
    explicit ProgramFolderLock(const std::string& programDir);
    ~ProgramFolderLock();
    ProgramFolderLock(ProgramFolderLock&& other) noexcept;
    ProgramFolderLock& operator=(ProgramFolderLock&& other) noexcept;
    ProgramFolderLock(const ProgramFolderLock&) = delete;
    ProgramFolderLock& operator=(const ProgramFolderLock&) = delete;

    bool Held() const { return fd_ >= 0; }

  private:
    int fd_ = -1;
};

// Takes the folder's lock and, when this copy got it, deletes the leftovers of interrupted record
// writes: the settings and club files' temporaries in `programDir`, the history files' in its
// "History" folder and the deal recordings' in "GIFGame". Only regular files named exactly as the
// atomic writer names its temporaries of those files are touched.
ProgramFolderLock ClaimProgramFolder(const std::string& programDir);

}  // namespace kesp
