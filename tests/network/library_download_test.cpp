#include "network/library_download.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/network/http_folder_server.h"

namespace kesp {
namespace {

namespace fs = std::filesystem;

// A served folder and a separate program folder, both removed afterwards.
class Folders {
  public:
    Folders() {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        root_ =
            fs::temp_directory_path() / ("kesp-download-" + std::to_string(getpid()) + "-" + test->name());
        fs::create_directories(root_ / "served" / "downloads" / "progr" / "cards");
        fs::create_directories(root_ / "target");
    }
    ~Folders() { fs::remove_all(root_); }
    fs::path Served(const std::string& name) const { return root_ / "served/downloads/progr/cards" / name; }
    std::string ServedRoot() const { return (root_ / "served").string(); }
    fs::path Target(const std::string& name) const { return root_ / "target" / name; }
    // Everything in the target folder: a failed download leaves nothing of its own there.
    std::vector<std::string> TargetFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(root_ / "target"))
            names.push_back(entry.path().filename().string());
        return names;
    }

  private:
    fs::path root_;
};

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

TEST(LibraryDownload, TheAddressLiesInTheServicesDownloadFolder) {
    EXPECT_EQ(LibraryDownloadAddress("http://127.0.0.1:25680/", "ZunBackG03.dll"),
              "http://127.0.0.1:25680/downloads/progr/cards/ZunBackG03.dll");
    EXPECT_EQ(LibraryDownloadAddress("http://host:8080", "ZunCGraph1.dll"),
              "http://host:8080/downloads/progr/cards/ZunCGraph1.dll");
}

TEST(LibraryDownload, AServedLibraryArrivesWhole) {
    Folders folders;
    std::string library(300000, '\0');
    for (std::size_t i = 0; i < library.size(); ++i) library[i] = static_cast<char>(i * 7);
    WriteFile(folders.Served("ZunBackG03.dll"), library);
    test::HttpFolderServer server(folders.ServedRoot());
    ASSERT_TRUE(server.Running());

    const DownloadResult result = DownloadFile(LibraryDownloadAddress(server.Base(), "ZunBackG03.dll"),
                                               folders.Target("ZunBackG03.dll").string());
    EXPECT_TRUE(result.ok) << result.error;
    EXPECT_EQ(ReadFile(folders.Target("ZunBackG03.dll")), library);
    EXPECT_EQ(folders.TargetFiles(), std::vector<std::string>{"ZunBackG03.dll"});
    EXPECT_EQ(fs::status(folders.Target("ZunBackG03.dll")).permissions() & fs::perms::others_read,
              fs::perms::others_read);
}

// Each failure leaves the target as it was (absent, or an older library) and no temporary file.
TEST(LibraryDownload, AFailedDownloadLeavesNoFile) {
    Folders folders;
    WriteFile(folders.Served("ZunCards06A.dll"), std::string(5000, 'x'));
    WriteFile(folders.Served("Empty.dll"), "");
    test::HttpFolderServer server(folders.ServedRoot());
    ASSERT_TRUE(server.Running());
    DownloadLimits small;
    small.maxBytes = 1000;
    const int closedPort = test::FreeLoopbackPort();
    const struct {
        std::string what, url;
        DownloadLimits limits;
        bool olderFile;
    } cases[] = {
        {"missing on the server", LibraryDownloadAddress(server.Base(), "ZunCGraph1.dll"), {}, false},
        {"larger than the bound", LibraryDownloadAddress(server.Base(), "ZunCards06A.dll"), small, true},
        {"an empty body", LibraryDownloadAddress(server.Base(), "Empty.dll"), {}, false},
        {"no server", "http://127.0.0.1:" + std::to_string(closedPort) + "/x.dll", {}, true},
        {"not http", "file:///etc/passwd", {}, false},
    };
    for (const auto& c : cases) {
        const fs::path target = folders.Target("Library.dll");
        fs::remove(target);
        if (c.olderFile) WriteFile(target, "older");
        const DownloadResult result = DownloadFile(c.url, target.string(), c.limits);
        EXPECT_FALSE(result.ok) << c.what;
        EXPECT_FALSE(result.error.empty()) << c.what;
        if (c.olderFile) {
            EXPECT_EQ(ReadFile(target), "older") << c.what;
            EXPECT_EQ(folders.TargetFiles(), std::vector<std::string>{"Library.dll"}) << c.what;
        } else {
            EXPECT_TRUE(folders.TargetFiles().empty()) << c.what;
        }
    }
}

// A server that takes the connection and never answers is given up after the time bound.
TEST(LibraryDownload, ASilentServerTimesOut) {
    Folders folders;
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(fd, 4), 0);
    socklen_t length = sizeof address;
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    DownloadLimits quick;
    quick.totalSeconds = 1;
    const DownloadResult result =
        DownloadFile("http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/ZunCVoice3.dll",
                     folders.Target("ZunCVoice3.dll").string(), quick);
    close(fd);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(folders.TargetFiles().empty());
}

}  // namespace
}  // namespace kesp
