// What the tournament window needs of the game server connection: connecting a seat taken on the
// service, leaving it, and the error the connection met since the last look.
#pragma once

#include "network/online_tables.h"

namespace kesp {

class TournamentConnection {
  public:
    virtual ~TournamentConnection() = default;
    // Opens the connection for `seat` of `table` on the game server; the greeting follows by itself.
    virtual void Connect(const GameServerAddress& server, int table, int seat) = 0;
    // Says goodbye to the game server ("disA") and closes the connection.
    virtual void Leave() = 0;
    // True once for every connection error since the last call.
    virtual bool TakeConnectionError() = 0;
};

}  // namespace kesp
