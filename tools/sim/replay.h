// The replay trace: one game on decks read from a stream, every step written as a line.
#pragma once

#include <iosfwd>

#include "engine/game_state.h"

namespace kesp::sim {

struct ReplayOptions {
    int gameNo = 1;
    int initialScore = 100;
};

// Returns the exit status: 0, or 2 after a message on `err` when a deck line is bad.
int Replay(std::istream& in, std::ostream& out, std::ostream& err, const ReplayOptions& options);

// The trace lines of one deal: its head line, and the lines of the step that turned `before`
// into `after` (nothing for a step that only began the deal).
void ReportDeal(const GameState& gs, std::ostream& out);
void ReportStep(const GameState& before, const GameState& after, std::ostream& out);
// A networked player's trace: the lines of whatever changed since `last`, which then becomes `now`.
void TraceChange(GameState& last, const GameState& now, std::ostream& out);

}  // namespace kesp::sim
