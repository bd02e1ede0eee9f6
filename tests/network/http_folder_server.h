// A real HTTP server for tests: Python's http.server serving a folder on a free loopback port, started
// by the test and stopped when the object goes.
#pragma once

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

extern char** environ;

namespace kesp::test {

// A loopback port that was free a moment ago.
inline int FreeLoopbackPort() {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    close(fd);
    return ntohs(address.sin_port);
}

inline bool Connects(int port) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool ok = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return ok;
}

class HttpFolderServer {
  public:
    explicit HttpFolderServer(const std::string& folder) : port_(FreeLoopbackPort()) {
        const std::string port = std::to_string(port_);
        const char* argv[] = {"python3",   "-m",          "http.server",  port.c_str(), "--bind",
                              "127.0.0.1", "--directory", folder.c_str(), nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);  // its request log
        if (posix_spawnp(&pid_, "python3", &actions, nullptr, const_cast<char**>(argv), environ) != 0)
            pid_ = 0;
        posix_spawn_file_actions_destroy(&actions);
        for (int tries = 0; pid_ && tries < 200 && !Connects(port_); ++tries)
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    ~HttpFolderServer() {
        if (!pid_) return;
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    HttpFolderServer(const HttpFolderServer&) = delete;
    HttpFolderServer& operator=(const HttpFolderServer&) = delete;

    bool Running() const { return pid_ != 0 && Connects(port_); }
    std::string Base() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }

  private:
    int port_;
    pid_t pid_ = 0;
};

}  // namespace kesp::test
