// What the tables requests need to know of the game server that runs in the same process: where
// it listens and whether it is open.
#pragma once

#include <atomic>
#include <filesystem>
#include <string>

namespace kesp::service {

struct GameServerPlace {
    std::string host;  // the listen address; a wildcard is answered with the address a request came in on
    int portBase = 0;  // table t on portBase + t
    std::atomic<bool> open{false};
    std::filesystem::path noticeFile;  // the operator's notice, when the file exists
};

}  // namespace kesp::service
