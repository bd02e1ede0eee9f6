// The game server's questions to the tables service, answered from the database.
#pragma once

#include "service/game_server_core.h"
#include "service/store.h"

namespace kesp::service {

class GameServerDirectory : public TableDirectory {
  public:
    explicit GameServerDirectory(Store& store) : store_(store) {}
    // Frees every table: called as the game server starts, since no game outlives it.
    bool FreeAllTables();
    std::optional<std::string> HolderOf(int table, int seat, const std::string& address) override;
    void GameStarted(int table) override;
    void GameEnded(int table, const std::vector<std::pair<std::string, long long>>& counted) override;
    void FreeUnconnectedSeats(int table, const std::array<bool, 4>& connected,
                              std::chrono::seconds grace) override;

  private:
    Store& store_;
};

}  // namespace kesp::service
