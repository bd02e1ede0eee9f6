#include "network/game_results.h"

#include "network/account_rating.h"

namespace kesp {

std::array<long long, 12> GameResults(GameKind kind, std::int32_t gameNo, std::int64_t result,
                                      int onlineSeat) {
    std::array<long long, 12> results{};
    if (kind == GameKind::Local) {
        results[0] = 1;
        results[1] = gameNo > 0 && gameNo % kRatingCycle == 0 ? 1 : 0;
        results[2] = result > 0 ? result : 0;
        results[3] = result < 0 ? -result : 0;
    }
    results[4] = kind == GameKind::LanHost ? 1 : 0;  // one game per network game
    results[5] = kind == GameKind::Online && onlineSeat == 1 ? 1 : 0;
    return results;
}

}  // namespace kesp
