#include "records/chat_state.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "records/atomic_file.h"

namespace kesp {
namespace fs = std::filesystem;

class ChatStateFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        above = fs::temp_directory_path() / ("kesp-chatstate-" + std::to_string(getpid()));
        fs::create_directories(above / "kesp");
        programDir = (above / "kesp").string() + "/";
    }
    void TearDown() override {
        fs::permissions(above, fs::perms::owner_all);
        fs::remove_all(above);
    }
    std::string File(std::string_view name) const { return (above / name).string(); }
    fs::path above;
    std::string programDir;
};

TEST_F(ChatStateFiles, MissingChatFileIsCreatedWithOneZeroZero) {
    EXPECT_EQ(ReadChatState(programDir), (ChatState{1, false, false}));
    EXPECT_EQ(ReadWholeFile(File(kChatStateFileName)), "1\r\n0\r\n0\r\n");
    ASSERT_TRUE(WriteChatState(programDir, {57, true, true}));
    EXPECT_EQ(ReadChatState(programDir), (ChatState{57, true, true}));
}

TEST_F(ChatStateFiles, UnreadableLinesCountAsZero) {
    const struct {
        const char* text;
        ChatState state;
    } cases[] = {
        {"12\n1\n0\n", {12, true, false}},  // Unix line ends
        {"x\r\n1\r\n1\r\n", {0, true, true}},      {"", {0, false, false}},
        {"99999999999999\r\n", {0, false, false}}, {" 5 \r\n2\r\n1", {5, false, true}},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(WriteFileAtomically(File(kChatStateFileName), c.text));
        EXPECT_EQ(ReadChatState(programDir), c.state) << c.text;
    }
}

TEST_F(ChatStateFiles, NewsFileMissingOrUnreadableIsZero) {
    EXPECT_EQ(ReadNewsState(programDir), 0);
    EXPECT_FALSE(fs::exists(File(kNewsStateFileName)));  // reading does not create it
    ASSERT_TRUE(WriteNewsState(programDir, 42));
    EXPECT_EQ(ReadWholeFile(File(kNewsStateFileName)), "42\r\n");
    EXPECT_EQ(ReadNewsState(programDir), 42);
    ASSERT_TRUE(WriteFileAtomically(File(kNewsStateFileName), "news"));
    EXPECT_EQ(ReadNewsState(programDir), 0);
    fs::remove(File(kNewsStateFileName));
    fs::create_directory(File(kNewsStateFileName));  // a folder in the file's place
    EXPECT_EQ(ReadNewsState(programDir), 0);
}

TEST_F(ChatStateFiles, WritesFailWithoutLosingTheOldFile) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes anywhere";
    ASSERT_TRUE(WriteChatState(programDir, {3, false, true}));
    fs::permissions(above, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(WriteChatState(programDir, {4, true, true}));
    EXPECT_FALSE(WriteNewsState(programDir, 4));
    EXPECT_EQ(ReadChatState(programDir), (ChatState{3, false, true}));
}

}  // namespace kesp
