#include "records/program_folder_lock.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "records/atomic_file.h"

namespace kesp {
namespace fs = std::filesystem;

class ProgramFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("kesp-folder-" + std::to_string(getpid()));
        fs::create_directories(dir / "History");
        fs::create_directories(dir / "GIFGame");
    }
    void TearDown() override { fs::remove_all(dir); }

    void Make(const std::string& name) { std::ofstream(dir / name) << "x"; }
    bool Exists(const std::string& name) const { return fs::exists(fs::symlink_status(dir / name)); }

    // A second copy of the program: a child process that claims the folder and holds it until
    // `release` is closed.
    pid_t HoldInAnotherProcess(int& release) {
        int ready[2], hold[2];
        EXPECT_EQ(pipe(ready), 0);
        EXPECT_EQ(pipe(hold), 0);
        const pid_t child = fork();
        if (child == 0) {
            close(ready[0]);
            close(hold[1]);
            const ProgramFolderLock lock = ClaimProgramFolder(dir.string());
            const char held = lock.Held() ? 'y' : 'n';
            (void)!write(ready[1], &held, 1);
            char c;
            (void)!read(hold[0], &c, 1);  // returns when the parent closes its end
            _exit(0);
        }
        close(ready[1]);
        close(hold[0]);
        char held = 0;
        EXPECT_EQ(read(ready[0], &held, 1), 1);
        EXPECT_EQ(held, 'y');
        close(ready[0]);
        release = hold[1];
        return child;
    }

    fs::path dir;
};

TEST(AtomicWriteTarget, RecognisesOnlyTheWritersTemporaryNames) {
    const std::vector<std::pair<std::string, std::string>> temporaries = {
        {"Kesp.clb.tmpaB3xZ9", "Kesp.clb"},
        {"Kesp_I0001.hst.tmp000000", "Kesp_I0001.hst"},
        {"x.tmpABCDEF", "x"}};
    for (const auto& [name, target] : temporaries) EXPECT_EQ(AtomicWriteTarget(name), target) << name;
    for (const std::string name :
         {"Kesp.clb", "Kesp.clb.tmp", "Kesp.clb.tmpABCDE", "Kesp.clb.tmpABCDEFG", "Kesp.clb.tmpAB-DEF",
          "Kesp.clb.tmpAB.DEF", "Kesp.clb.TMPABCDEF", ".tmpABCDEF", "Kesp.clb.tmpABCDEF.bak"})
        EXPECT_FALSE(AtomicWriteTarget(name).has_value()) << name;
}

// A write killed half-way, as by a signal or a power cut: its temporary stays behind until the next
// start of a copy that has the folder to itself.
TEST_F(ProgramFolder, AWriteKilledHalfWayIsClearedAtTheNextStart) {
    const std::string club = (dir / "Kesp.clb").string();
    ASSERT_TRUE(WriteFileAtomically(club, "old club"));
    const pid_t writer = fork();
    if (writer == 0) {
        // Going over the file-size limit kills the process in the middle of its write.
        const struct rlimit small { 8, 8 };
        setrlimit(RLIMIT_FSIZE, &small);
        signal(SIGXFSZ, SIG_DFL);
        WriteFileAtomically(club, std::string(100, 'n'));
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(writer, &status, 0), writer);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ);
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(dir))
        if (AtomicWriteTarget(entry.path().filename().string()) == "Kesp.clb")
            left.push_back(entry.path().filename().string());
    ASSERT_EQ(left.size(), 1u);

    const ProgramFolderLock lock = ClaimProgramFolder(dir.string());
    EXPECT_TRUE(lock.Held());
    EXPECT_FALSE(Exists(left[0]));
    EXPECT_EQ(ReadWholeFile(club), "old club");
}

TEST_F(ProgramFolder, StartingAloneRemovesOnlyTheStaleTemporaries) {
    const std::vector<std::string> stale = {"Kesp.clb.tmpAb12Z9",
                                            "Kesp.net.tmp000000",
                                            "Kesp.ini.tmpQWERTY",
                                            "History/Kesp_I0001.hst.tmpXyZ123",
                                            "History/Kesp_I0420.hst.tmpaaaaaa",
                                            "GIFGame/2024.01.02-10.11.12.gif.tmpABC123"};
    const std::vector<std::string> kept = {
        "Kesp.clb",
        "Kesp.ini",
        "Kesp.clb.tmpABCDE",
        "Kesp.clb.tmpABCDEFG",
        "Kesp.clb.tmpAB-DEF",
        "Other.clb.tmpABCDEF",
        "notes.txt.tmpABCDEF",
        "ZunUser.zun.tmpABCDEF",
        "Kesp_I0001.hst.tmpABCDEF",         // a history temporary outside the history folder
        "History/Kesp.ini.tmpABCDEF",       // a settings temporary inside it
        "History/Kesp_I001.hst.tmpABCDEF",  // not a history file's name
        "History/Kesp_I0001.hst",
        "GIFGame/deal.png.tmpABCDEF",
        "GIFGame/2024.01.02-10.11.12.gif"};
    for (const auto& name : stale) Make(name);
    for (const auto& name : kept) Make(name);
    fs::create_directory(dir / "Kesp.net.tmpFOLDER");  // only files are removed
    std::ofstream(dir / "Kesp.net.tmpFOLDER" / "inside") << "y";
    const fs::path outside = dir.parent_path() / ("kesp-outside-" + std::to_string(getpid()));
    std::ofstream(outside) << "z";
    fs::create_symlink(outside, dir / "Kesp.ini.tmpSYMLNK");  // a link is not what the writer makes

    const ProgramFolderLock lock = ClaimProgramFolder(dir.string());
    EXPECT_TRUE(lock.Held());
    for (const auto& name : stale) EXPECT_FALSE(Exists(name)) << name;
    for (const auto& name : kept) EXPECT_TRUE(Exists(name)) << name;
    EXPECT_TRUE(fs::exists(dir / "Kesp.net.tmpFOLDER" / "inside"));
    EXPECT_TRUE(Exists("Kesp.ini.tmpSYMLNK"));
    EXPECT_TRUE(fs::exists(outside));
    fs::remove(outside);
}

TEST_F(ProgramFolder, AnotherCopyHoldingTheFolderKeepsItsTemporaries) {
    int release = -1;
    const pid_t other = HoldInAnotherProcess(release);
    // Temporaries of writes the running copy may be in the middle of.
    Make("Kesp.clb.tmpAb12Z9");
    Make("History/Kesp_I0001.hst.tmpXyZ123");

    {
        // This copy starts while the other runs: it runs too, without the lock, and deletes nothing.
        const ProgramFolderLock second = ClaimProgramFolder(dir.string());
        EXPECT_FALSE(second.Held());
        EXPECT_TRUE(Exists("Kesp.clb.tmpAb12Z9"));
        EXPECT_TRUE(Exists("History/Kesp_I0001.hst.tmpXyZ123"));
    }

    close(release);  // the other copy ends
    int status = 0;
    ASSERT_EQ(waitpid(other, &status, 0), other);
    const ProgramFolderLock next = ClaimProgramFolder(dir.string());
    EXPECT_TRUE(next.Held());
    EXPECT_FALSE(Exists("Kesp.clb.tmpAb12Z9"));
    EXPECT_FALSE(Exists("History/Kesp_I0001.hst.tmpXyZ123"));
    EXPECT_TRUE(Exists(std::string(kProgramFolderLockName)));
}

TEST_F(ProgramFolder, ReleasedWhenTheHolderGoes) {
    ProgramFolderLock first(dir.string());
    ASSERT_TRUE(first.Held());
    ProgramFolderLock moved = std::move(first);
    EXPECT_TRUE(moved.Held());
    EXPECT_FALSE(ProgramFolderLock(dir.string()).Held());
    moved = ProgramFolderLock();  // releases it
    EXPECT_TRUE(ProgramFolderLock(dir.string()).Held());
}

TEST_F(ProgramFolder, AFolderWithoutRoomForTheLockStillRuns) {
    // A lock file that cannot be made (a missing folder, a regular file as the folder, a link in
    // the lock's place): no lock, nothing deleted, no failure.
    EXPECT_FALSE(ClaimProgramFolder((dir / "missing").string()).Held());
    Make("plain");
    EXPECT_FALSE(ClaimProgramFolder((dir / "plain").string()).Held());
    Make("Kesp.clb.tmpAb12Z9");
    fs::create_symlink(dir / "target", dir / std::string(kProgramFolderLockName));
    EXPECT_FALSE(ClaimProgramFolder(dir.string()).Held());
    EXPECT_TRUE(Exists("Kesp.clb.tmpAb12Z9"));
    EXPECT_FALSE(fs::exists(dir / "target"));
}

}  // namespace kesp
