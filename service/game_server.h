// The game server's sockets: ten listening ports and the players' connections, served by one
// poll() thread that hands connection events and bytes to the core and carries out its actions.
// The service has no Qt event loop of its own, and one thread with non-blocking sockets is all
// that forty players need; the core's state is then touched by that thread only.
#pragma once

#include <atomic>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "service/game_server_core.h"

namespace kesp::service {

class GameServer {
  public:
    GameServer(TableDirectory& directory, const GameServerLimits& limits);
    ~GameServer();
    GameServer(const GameServer&) = delete;
    GameServer& operator=(const GameServer&) = delete;

    // Listens on HOST:base+1 .. base+10 and starts serving; false with `error` when a port
    // cannot be had.
    bool Start(const std::string& host, int portBase, std::string& error);
    // Safe from any thread; the connections are closed.
    void Stop();

  private:
    struct Peer;
    void Run();
    void Accept(int table, GameClock::time_point now);
    void ReadFrom(ConnectionId id, GameClock::time_point now);
    void Flush(ConnectionId id);
    void CarryOut(GameClock::time_point now);
    void CarryOut(GameServerAction& action, GameClock::time_point now);
    void Close(ConnectionId id);

    GameServerCore core_;
    std::vector<int> listeners_;  // index t - 1: table t
    std::map<ConnectionId, std::unique_ptr<Peer>> peers_;
    ConnectionId lastId_ = 0;
    int wake_[2] = {-1, -1};
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};

}  // namespace kesp::service
