// A headless player of an online table: logs in to the service, takes a seat at a table, connects
// to the table's game server and plays its seat by the computer player's rules as a person would
// (its buttons and card clicks), writing the replay trace of every deal from its own seat.
#pragma once

#include <iosfwd>
#include <string>

namespace kesp::sim {

struct OnlinePlayerOptions {
    std::string service;
    int table = 1;
    int seat = 1;
    std::string nick;
    std::string password;
    long long games = 1;
    int paceMs = 1;  // the game timer's interval
    // A refused seat is asked for again (the seats below it may not be taken yet) for this long.
    int seatWaitMs = 60000;
    // How long a seated player waits for the table to fill and the deal to come.
    int dealWaitMs = 180000;
};

// Exit status: 0 after the games; 1 when no seat could be taken in time or the server was not
// reached before the first game; 3 when another player was lost, timed out or interrupted the
// game, the connection dropped, no deal came in time (the others did not come) or nothing moved
// at the table for longer than the server lets a player think.
int RunOnlinePlayer(int& argc, char** argv, const OnlinePlayerOptions& options, std::ostream& out,
                    std::ostream& err);

}  // namespace kesp::sim
