// The replay trace: one game on decks read from a stream, every step written as a line.
#pragma once

#include <iosfwd>

namespace kesp::sim {

struct ReplayOptions {
    int gameNo = 1;
    int initialScore = 100;
};

// Returns the exit status: 0, or 2 after a message on `err` when a deck line is bad.
int Replay(std::istream& in, std::ostream& out, std::ostream& err, const ReplayOptions& options);

}  // namespace kesp::sim
