#include "service/game_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace kesp::service {
namespace {

constexpr std::size_t kMostConnections = 400;
constexpr std::size_t kMostUnsentBytes = 64 * 1024;
constexpr std::size_t kReadChunk = 4096;
constexpr auto kLongestPoll = std::chrono::milliseconds(1000);
// A connection that is let go gets this long to take what was sent to it.
constexpr auto kClosingGrace = std::chrono::milliseconds(2000);

void SetNonBlocking(int fd) {
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL, 0) | O_NONBLOCK);
}

// The peer's address as the HTTP side writes it (IPv4 without the IPv6 mapping).
std::string PeerAddress(const sockaddr_storage& address) {
    char text[INET6_ADDRSTRLEN] = {};
    if (address.ss_family == AF_INET) {
        inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in&>(address).sin_addr, text, sizeof text);
        return text;
    }
    inet_ntop(AF_INET6, &reinterpret_cast<const sockaddr_in6&>(address).sin6_addr, text, sizeof text);
    const std::string shown = text;
    return shown.starts_with("::ffff:") && shown.find('.') != std::string::npos ? shown.substr(7) : shown;
}

int Listen(const std::string& host, int port, std::string& error) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
    addrinfo* found = nullptr;
    const std::string service = std::to_string(port);
    if (getaddrinfo(host.empty() ? nullptr : host.c_str(), service.c_str(), &hints, &found) != 0 || !found) {
        error = "cannot resolve " + host;
        return -1;
    }
    const int fd = socket(found->ai_family, found->ai_socktype | SOCK_CLOEXEC, 0);
    const int yes = 1;
    if (fd >= 0) setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    const bool listening = fd >= 0 && bind(fd, found->ai_addr, found->ai_addrlen) == 0 && listen(fd, 64) == 0;
    freeaddrinfo(found);
    if (!listening) {
        error = "cannot listen on " + host + ":" + service + " (" + std::strerror(errno) + ")";
        if (fd >= 0) close(fd);
        return -1;
    }
    SetNonBlocking(fd);
    return fd;
}

}  // namespace

struct GameServer::Peer {
    int fd = -1;
    std::string unsent;
    bool closing = false;
    GameClock::time_point closeBy{};
};

GameServer::GameServer(TableDirectory& directory, const GameServerLimits& limits)
    : core_(directory, limits) {}

GameServer::~GameServer() {
    Stop();
    for (const int fd : listeners_) close(fd);
    for (const int fd : wake_)
        if (fd >= 0) close(fd);
}

bool GameServer::Start(const std::string& host, int portBase, std::string& error) {
    for (int t = 1; t <= kServerTables; ++t) {
        const int fd = Listen(host, portBase + t, error);
        if (fd < 0) return false;
        listeners_.push_back(fd);
    }
    if (pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0) {
        error = "cannot make the game server's wake-up pipe";
        return false;
    }
    thread_ = std::thread([this] { Run(); });
    return true;
}

void GameServer::Stop() {
    if (!thread_.joinable()) return;
    stopping_ = true;
    const char wake = 1;
    [[maybe_unused]] const auto written = write(wake_[1], &wake, 1);
    thread_.join();
    for (auto& [id, peer] : peers_) close(peer->fd);
    peers_.clear();
}

void GameServer::Run() {
    std::vector<pollfd> polled;
    std::vector<ConnectionId> polledIds;
    while (!stopping_) {
        polled.clear();
        polledIds.clear();
        polled.push_back({wake_[0], POLLIN, 0});
        for (const int fd : listeners_) polled.push_back({fd, POLLIN, 0});
        for (const auto& [id, peer] : peers_) {
            polled.push_back(
                {peer->fd, static_cast<short>(POLLIN | (peer->unsent.empty() ? 0 : POLLOUT)), 0});
            polledIds.push_back(id);
        }
        auto now = GameClock::now();
        auto wait = kLongestPoll;
        if (const auto deadline = core_.NextDeadline())
            wait = std::clamp(std::chrono::duration_cast<std::chrono::milliseconds>(*deadline - now),
                              std::chrono::milliseconds(0), wait);
        poll(polled.data(), polled.size(), static_cast<int>(wait.count()) + 1);
        now = GameClock::now();
        for (std::size_t t = 0; t < listeners_.size(); ++t)
            if (polled[1 + t].revents & POLLIN) Accept(static_cast<int>(t + 1), now);
        for (std::size_t i = 0; i < polledIds.size(); ++i) {
            const short events = polled[1 + listeners_.size() + i].revents;
            if (events & POLLOUT) Flush(polledIds[i]);
            if (events & (POLLIN | POLLHUP | POLLERR)) ReadFrom(polledIds[i], now);
        }
        core_.Tick(now);
        CarryOut(now);
        // Connections that were let go: closed once their bytes are out or their grace is over.
        std::vector<ConnectionId> done;
        for (const auto& [id, peer] : peers_)
            if (peer->closing && (peer->unsent.empty() || now >= peer->closeBy)) done.push_back(id);
        for (const ConnectionId id : done) Close(id);
    }
}

void GameServer::Accept(int table, GameClock::time_point now) {
    for (;;) {
        sockaddr_storage address{};
        socklen_t length = sizeof address;
        const int fd = accept4(listeners_[static_cast<std::size_t>(table - 1)],
                               reinterpret_cast<sockaddr*>(&address), &length, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) return;
        if (peers_.size() >= kMostConnections) {
            close(fd);
            continue;
        }
        const int yes = 1;
        setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
        const ConnectionId id = ++lastId_;
        peers_.emplace(id, std::make_unique<Peer>(Peer{fd, {}, false, {}}));
        core_.Connected(id, table, PeerAddress(address), now);
        CarryOut(now);
    }
}

void GameServer::ReadFrom(ConnectionId id, GameClock::time_point now) {
    const auto it = peers_.find(id);
    if (it == peers_.end()) return;
    char buffer[kReadChunk];
    const ssize_t got = recv(it->second->fd, buffer, sizeof buffer, 0);
    if (got > 0) {
        // A connection being let go is not listened to any more.
        if (!it->second->closing)
            core_.Received(id, std::string_view(buffer, static_cast<std::size_t>(got)), now);
    } else if (got == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)) {
        core_.Closed(id, now);
        Close(id);
    }
    CarryOut(now);
}

void GameServer::Flush(ConnectionId id) {
    const auto it = peers_.find(id);
    if (it == peers_.end()) return;
    Peer& peer = *it->second;
    while (!peer.unsent.empty()) {
        const ssize_t sent = send(peer.fd, peer.unsent.data(), peer.unsent.size(), MSG_NOSIGNAL);
        if (sent <= 0) return;
        peer.unsent.erase(0, static_cast<std::size_t>(sent));
    }
}

void GameServer::CarryOut(GameClock::time_point now) {
    // Letting a peer go that does not read tells the core, which may answer with more actions.
    for (auto actions = core_.TakeActions(); !actions.empty(); actions = core_.TakeActions())
        for (GameServerAction& action : actions) CarryOut(action, now);
}

void GameServer::CarryOut(GameServerAction& action, GameClock::time_point now) {
    switch (action.kind) {
        case GameServerAction::Kind::Log:
            std::fprintf(stderr, "%s\n", action.bytes.c_str());
            break;
        case GameServerAction::Kind::Send: {
            const auto it = peers_.find(action.connection);
            if (it == peers_.end()) break;
            it->second->unsent += action.bytes;
            Flush(action.connection);
            // A peer that does not read is let go before it costs memory.
            if (it->second->unsent.size() > kMostUnsentBytes) {
                core_.Closed(action.connection, now);
                Close(action.connection);
            }
            break;
        }
        case GameServerAction::Kind::Close: {
            const auto it = peers_.find(action.connection);
            if (it == peers_.end()) break;
            if (action.graceful) {
                it->second->closing = true;
                it->second->closeBy = now + kClosingGrace;
            } else {
                Close(action.connection);
            }
            break;
        }
    }
}

void GameServer::Close(ConnectionId id) {
    const auto it = peers_.find(id);
    if (it == peers_.end()) return;
    close(it->second->fd);
    peers_.erase(it);
}

}  // namespace kesp::service
