#include "records/user_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "records/atomic_file.h"

namespace kesp {
namespace {

class UserFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ = std::filesystem::temp_directory_path() /
                ("kesp_user_file_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_ / "Kesp");
        programDir_ = (root_ / "Kesp").string() + "/";
        path_ = UserFilePath(programDir_);
    }
    void TearDown() override { std::filesystem::remove_all(root_); }
    void Put(const std::string& bytes) { std::ofstream(path_, std::ios::binary) << bytes; }

    std::filesystem::path root_;
    std::string programDir_;
    std::string path_;
};

TEST_F(UserFileTest, LivesInTheFolderAboveTheProgram) {
    EXPECT_EQ(path_, root_.string() + "/ZunUser.zun");
    EXPECT_EQ(FolderAboveProgram("/opt/games/kesp/"), "/opt/games/");
    EXPECT_EQ(FolderAboveProgram("/opt/games/kesp"), "/opt/games/");
    EXPECT_EQ(FolderAboveProgram("/"), "/");
}

TEST_F(UserFileTest, ReadsOnlyFilesWithTheHeaderAndBothLines) {
    struct Case {
        const char* bytes;
        std::optional<UserFile> expected;
    } cases[] = {
        {"Zun User File\r\nAnna\r\nAbCd\r\n", UserFile{"Anna", "AbCd"}},
        {"Zun User File\nAnna\nAbCd", UserFile{"Anna", "AbCd"}},
        {"Zun User File\r\n\xC8\xE2\xE0\xED\r\nAbCd\r\n", UserFile{"Иван", "AbCd"}},  // code page 1251
        {"Zun User File\r\nAnna\r\n\r\n", UserFile{"Anna", ""}},
        {"Zun user file\r\nAnna\r\nAbCd\r\n", std::nullopt},
        {"Zun User File \r\nAnna\r\nAbCd\r\n", std::nullopt},
        {"Zun User File\r\nAnna\r\n", std::nullopt},
        {"Zun User File\r\n\r\nAbCd\r\n", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        Put(c.bytes);
        EXPECT_EQ(ReadUserFile(path_), c.expected) << c.bytes;
    }
    Put("Zun User File\r\nAnna\r\n" + std::string(10000, 'x') + "\r\n");
    EXPECT_FALSE(ReadUserFile(path_)) << "a huge file is no saved login";
    std::filesystem::remove(path_);
    EXPECT_FALSE(ReadUserFile(path_));
}

TEST_F(UserFileTest, WritesReadsBackAndDeletes) {
    EXPECT_FALSE(UserFileExists(path_));
    ASSERT_TRUE(WriteUserFile(path_, {"Иван", "Q1w2"}));
    EXPECT_EQ(ReadWholeFile(path_), std::string("Zun User File\r\n\xC8\xE2\xE0\xED\r\nQ1w2\r\n"));
    EXPECT_EQ(ReadUserFile(path_), (UserFile{"Иван", "Q1w2"}));
    // A nick the code page cannot write, or a line break, leaves the old file whole.
    EXPECT_FALSE(WriteUserFile(path_, {"李", "Q1w2"}));
    EXPECT_FALSE(WriteUserFile(path_, {"Anna\r\nX", "Q1w2"}));
    EXPECT_EQ(ReadUserFile(path_), (UserFile{"Иван", "Q1w2"}));
    EXPECT_TRUE(DeleteUserFile(path_));
    EXPECT_FALSE(UserFileExists(path_));
    EXPECT_TRUE(DeleteUserFile(path_)) << "deleting a missing file is no failure";
    EXPECT_FALSE(WriteUserFile((root_ / "missing" / "ZunUser.zun").string(), {"Anna", "x"}));
}

TEST(UserFilePassword, StartUpPasswordTurnsBlanksHashesAndDollarsIntoDashes) {
    const std::pair<const char*, const char*> cases[] = {
        {"secret", "secret"}, {"a b", "a-b"}, {"#x$y z", "-x-y-z"}, {"", ""}, {"ab-cd", "ab-cd"}};
    for (const auto& [deciphered, sent] : cases) EXPECT_EQ(StartUpPassword(deciphered), sent);
}

}  // namespace
}  // namespace kesp
