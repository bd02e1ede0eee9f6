#include "records/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <csignal>

#include <filesystem>

namespace kesp {
namespace fs = std::filesystem;

class AtomicFile : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("kesp-atomic-" + std::to_string(getpid()));
        fs::create_directories(dir);
    }
    void TearDown() override {
        fs::permissions(dir, fs::perms::owner_all);
        fs::remove_all(dir);
    }
    fs::path dir;
};

TEST_F(AtomicFile, WritesAndReadsBack) {
    const std::string path = dir / "a.ini";
    const std::string bytes("line1\r\nline\0two\r\n", 17);
    ASSERT_TRUE(WriteFileAtomically(path, bytes));
    EXPECT_EQ(ReadWholeFile(path), bytes);
    ASSERT_TRUE(WriteFileAtomically(path, "x"));
    EXPECT_EQ(ReadWholeFile(path), "x");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);  // no temporary left
}

TEST_F(AtomicFile, FailedWriteKeepsTheOldFile) {
    const std::string path = dir / "club.clb";
    ASSERT_TRUE(WriteFileAtomically(path, "old contents"));
    // A folder nobody may write into: the temporary cannot be made, the write fails.
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
    if (access(dir.c_str(), W_OK) == 0) GTEST_SKIP() << "running with rights that ignore permissions";
    EXPECT_FALSE(WriteFileAtomically(path, "new contents"));
    EXPECT_EQ(ReadWholeFile(path), "old contents");
}

TEST_F(AtomicFile, WriteCutShortKeepsTheOldFile) {
    const std::string path = dir / "history.hst";
    ASSERT_TRUE(WriteFileAtomically(path, "kept"));
    // A file-size limit makes the write fail half-way, as a full disk would.
    struct rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto* oldHandler = signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 8;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = WriteFileAtomically(path, std::string(100, 'n'));
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(written);
    EXPECT_EQ(ReadWholeFile(path), "kept");
    EXPECT_FALSE(WriteFileAtomically((dir / "missing-folder" / "x").string(), "y"));
}

TEST_F(AtomicFile, MissingFileOrFolderReadsAsNothing) {
    EXPECT_FALSE(ReadWholeFile(dir / "none").has_value());
    EXPECT_FALSE(ReadWholeFile(dir).has_value());
}

}  // namespace kesp
