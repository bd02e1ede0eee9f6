// What one finished game adds to the world statistics of the service: twelve counters, R1..R12.
#pragma once

#include <array>
#include <cstdint>

#include "engine/game.h"

namespace kesp {

// R1 a game against the computer, R2 one that ends a cycle of 25, R3 its result when won and R4
// the loss when lost; R5 a local-network game hosted here, R6 an online game on seat 1; R7..R12 0.
std::array<long long, 12> GameResults(GameKind kind, std::int32_t gameNo, std::int64_t result,
                                      int onlineSeat);

}  // namespace kesp
