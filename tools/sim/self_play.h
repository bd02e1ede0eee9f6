// Whole games of four computer players on shuffled decks, with a summary of what happened.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>

namespace kesp::sim {

struct PlayOptions {
    long long games = 1;
    std::optional<std::uint64_t> seed;
    int initialScore = 100;
};

struct PlaySummary {
    long long games = 0;
    long long deals = 0;
    long long fourAcesEndings = 0;
    long long zeroSumSettlements = 0;
    double seconds = 0;
};

PlaySummary PlayGames(const PlayOptions& options);
void PrintSummary(std::ostream& out, const PlaySummary& summary);

}  // namespace kesp::sim
