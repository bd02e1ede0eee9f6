// A headless player of a local-network game: hosts a table or joins one with the same session
// code as the window, plays its own seat by the computer player's rules as a person would (its
// buttons and card clicks), and writes the replay trace of every deal from its own seat.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

namespace kesp::sim {

struct LanPlayerOptions {
    bool host = true;
    std::string address = "127.0.0.1";
    std::uint16_t port = 25666;
    std::string name = "Sim";
    int waitClients = 1;  // host: the game begins when this many clients are seated
    long long games = 1;  // host: games played before the table closes
    int initialScore = 100;
    int paceMs = 1;  // the game timer's interval
};

// Exit status: 0 after the games, 1 when no game could be joined or hosted, 3 when another
// player was lost.
int RunLanPlayer(int& argc, char** argv, const LanPlayerOptions& options, std::ostream& out,
                 std::ostream& err);

}  // namespace kesp::sim
