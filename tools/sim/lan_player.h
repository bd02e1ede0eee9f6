// A headless player of a local-network game: hosts a table or joins one with the same session
// code as the window, plays its own seat by the computer player's rules as a person would (its
// buttons and card clicks), and writes the replay trace of every deal from its own seat; the chat
// lines it hears go to the error stream.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
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
    int paceMs = 1;     // the game timer's interval
    int chatLines = 0;  // a short chat line goes out just before each of the first this many own messages
    // The session's bounds, for tests that need them shorter or looser.
    std::optional<int> pendingTimeoutMs;
    std::optional<int> chatIntervalMs;  // 0: no limit on chat lines
    std::optional<int> sendLimit;       // bytes a peer may leave unread
};

// Exit status: 0 after the games, 1 when no game could be joined or hosted, 3 when another
// player was lost.
int RunLanPlayer(int& argc, char** argv, const LanPlayerOptions& options, std::ostream& out,
                 std::ostream& err);

}  // namespace kesp::sim
