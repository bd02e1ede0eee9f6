// A season of games recorded in a club folder: four computer players, seat 4 recorded as a club
// member (or a new player), every settled game written to the club file and the history exactly
// as the window records it.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>

namespace kesp::sim {

struct SeasonOptions {
    std::string dir;
    long long games = 1;
    std::string name;
    std::string password;
    std::optional<std::uint64_t> seed;
    int initialScore = 100;
};

// Returns the exit status: 0, or 2 after a message on `err` (a missing or damaged club file, a
// wrong password for an existing member).
int Season(const SeasonOptions& options, std::ostream& out, std::ostream& err);

}  // namespace kesp::sim
