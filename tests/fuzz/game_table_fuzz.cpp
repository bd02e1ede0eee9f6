// Drives the game server's core from arbitrary bytes: connections that come and go on two
// tables, greetings for held and unheld seats, garbage, game messages and control frames in any
// order, and time passing. Besides never crashing, the core may only act on connections that
// exist, send nothing but whole frames, and keep no more connections than came.
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "engine/game.h"
#include "engine/game_messages.h"
#include "fuzz_files.h"
#include "network/online_frame.h"
#include "service/game_server_core.h"

namespace {

using kesp::fuzz::Input;
using kesp::fuzz::Require;
using namespace kesp::service;

// Every seat is held by "p<seat>" for connections from address "p"; nobody else holds one.
struct Directory : TableDirectory {
    std::optional<std::string> HolderOf(int, int seat, const std::string& address) override {
        if (address != "p") return std::nullopt;
        return "p" + std::to_string(seat);
    }
    void GameStarted(int) override {}
    void FreeUnconnectedSeats(int, const std::array<bool, 4>&, std::chrono::seconds) override {}
    void GameEnded(int, const std::vector<std::pair<std::string, long long>>& counted) override {
        Require(counted.size() <= kTableSeats);
    }
};

// Texts a player may send, so the fuzzer reaches the game and its end quickly.
constexpr std::string_view kMessages[] = {
    "h01#00000m",
    "h00#00000m",
    "h30#00000",
    "h40#0xxxc",
    "h400000m",
    "h40#0100m",
    "h50#00000",
    "h80#00000",
    "h91#00000",
    "h92#00000",
    "h93#00000",
    "h90#00000",
    "ha0#00000",
    "hb0#00000",
    "hc0#00000",
    "bnext",
    "o    0    0    0    0",
    "TOut",
    "disA",
    "shello",
    "connect",
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Directory directory;
    GameServerLimits limits;
    limits.frameBurst = 20;
    limits.maxWaitingPerTable = 3;
    GameServerCore core(directory, limits);
    Input in(data, size);
    GameTime now{};
    ConnectionId last = 0;
    std::set<ConnectionId> open;
    const auto check = [&] {
        for (const GameServerAction& action : core.TakeActions()) {
            if (action.kind == GameServerAction::Kind::Log) continue;
            Require(action.connection >= 1 && action.connection <= last);
            if (action.kind == GameServerAction::Kind::Close) {
                open.erase(action.connection);
                continue;
            }
            Require(open.count(action.connection) == 1);
            const bool deal = action.bytes.size() == kesp::OnlineDealFrameLength && action.bytes[0] == 'b';
            Require(deal || action.bytes.size() == kesp::OnlineFrameLength);
        }
        Require(core.ConnectionCount() <= open.size());
    };
    while (!in.Empty()) {
        const unsigned op = in.Byte() % 7;
        const ConnectionId some = last == 0 ? 0 : 1 + in.Byte() % last;
        switch (op) {
            case 0:
                open.insert(++last);
                core.Connected(last, 1 + static_cast<int>(in.Byte() % 2), in.Byte() % 4 ? "p" : "q", now);
                break;
            case 1:
                core.Received(some, in.Bytes(in.Byte()), now);
                break;
            case 2:
                core.Received(
                    some, kesp::OnlineFrame("connect" + std::to_string(1 + in.Byte() % 4), 1 + in.Byte() % 4),
                    now);
                break;
            case 3:
            case 4: {
                const std::string_view message = kMessages[in.Byte() % std::size(kMessages)];
                core.Received(some, kesp::OnlineFrame(message, 1 + static_cast<int>(in.Byte() % 4)), now);
                break;
            }
            case 5:
                core.Closed(some, now);
                open.erase(some);
                break;
            default:
                now += std::chrono::milliseconds(in.Byte() * 400);
                core.Tick(now);
                break;
        }
        check();
    }
    return 0;
}
