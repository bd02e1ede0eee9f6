// Four online session cores, each with its own game, joined through a small in-process stand-in
// of the game server: it forwards every frame to the other three, deals on the greetings and on
// "bnext", and ends the game after the results. The tests and the fuzzer drive it.
#pragma once

#include <algorithm>
#include <array>
#include <memory>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "engine/game.h"
#include "network/online_session_core.h"
#include "tools/sim/seat_player.h"

namespace kesp::test {

struct OnlinePlayer : TableEvents {
    OnlinePlayer() : game(*this) { core.AttachGame(game); }
    void Announce(std::string_view message) override { core.Announce(message); }

    Game game;
    OnlineSessionCore core;
    std::string toServer;  // frames on their way to the server
    std::string fromServer;
    std::vector<OnlineAction> events;
    bool closed = false;
};

// The 109-character deal frame of a shuffle by `seed`.
inline std::string DealFrame(unsigned seed) {
    std::array<int, 36> numbers;
    std::iota(numbers.begin(), numbers.end(), 1);
    std::shuffle(numbers.begin(), numbers.end(), std::mt19937(seed));
    std::string frame = "b";
    for (int n : numbers) {
        const Card c = Card::FromDeckNumber(n);
        frame += static_cast<char>(c.rank);
        frame += static_cast<char>(c.suit);
    }
    for (int n : numbers) frame += static_cast<char>('0' + Card::FromDeckNumber(n).Value());
    return frame;
}

class OnlineCoreTable {
  public:
    OnlineCoreTable() {
        for (int s = 1; s <= 4; ++s) {
            players[static_cast<std::size_t>(s - 1)] = std::make_unique<OnlinePlayer>();
            Of(s).core.Connect(s, now);
            Of(s).core.Writable();
        }
        Pump();
    }

    OnlinePlayer& Of(int seat) { return *players[static_cast<std::size_t>(seat - 1)]; }

    // Carries out every core's actions; the server reads what reached it.
    void Pump() {
        for (int s = 1; s <= 4; ++s) {
            OnlinePlayer& p = Of(s);
            while (p.core.HasAction()) {
                OnlineAction a = p.core.TakeAction();
                if (a.kind == OnlineAction::Kind::Send) {
                    p.toServer += a.bytes;
                    p.core.Written(a.bytes.size());
                } else if (a.kind == OnlineAction::Kind::Close) {
                    p.closed = true;
                } else {
                    p.events.push_back(std::move(a));
                }
            }
        }
        for (int s = 1; s <= 4; ++s) ServerReads(s);
    }

    // Hands each player what the server sent, in reads of at most `chunk` bytes.
    void DeliverAll(std::size_t chunk = 4096) {
        for (int s = 1; s <= 4; ++s) {
            OnlinePlayer& p = Of(s);
            while (!p.fromServer.empty()) {
                const std::string part = p.fromServer.substr(0, chunk);
                p.fromServer.erase(0, part.size());
                if (!p.closed) p.core.Receive(part, now);
                Pump();
            }
        }
    }

    bool Act(int seat) {
        OnlinePlayer& p = Of(seat);
        Game& game = p.game;
        const GameState before = game.State();
        if (p.closed || !before.DealRunning || before.Settled) return false;
        if (!sim::PlayOwnSeat(game)) {
            if (game.View().action.enabled)
                game.ActionButton();
            else if (game.TimerRunning())
                game.GameTick();
        }
        Pump();
        return !(before == game.State());
    }

    // Plays until every game is settled or nothing moves any more.
    bool PlayOut(int maxRounds = 100000) {
        for (int round = 0; round < maxRounds; ++round) {
            DeliverAll();
            bool moved = false;
            for (int s = 1; s <= 4; ++s) moved = Act(s) || moved;
            if (!moved && PipesEmpty()) {
                for (int s = 1; s <= 4; ++s)
                    if (!Of(s).game.State().Settled) return false;
                return true;
            }
        }
        return false;
    }

    bool PipesEmpty() {
        for (int s = 1; s <= 4; ++s)
            if (!Of(s).fromServer.empty()) return false;
        return true;
    }

    void Broadcast(const std::string& frame, int except = 0) {
        for (int s = 1; s <= 4; ++s)
            if (s != except) Of(s).fromServer += frame;
    }

    std::vector<std::string> results;  // the "o" frames the server got
    unsigned nextDeal = 1;
    int greeted = 0;
    LanTime now{};

  private:
    void ServerReads(int seat) {
        std::string& in = Of(seat).toServer;
        while (in.size() >= OnlineFrameLength) {
            const std::string frame = in.substr(0, OnlineFrameLength);
            in.erase(0, OnlineFrameLength);
            if (frame.starts_with("connect")) {
                if (++greeted == 4) Broadcast(DealFrame(nextDeal++));
            } else if (frame.starts_with("bnext")) {
                Broadcast(DealFrame(nextDeal++));
            } else if (frame[0] == 'o') {
                results.push_back(frame);
                Broadcast(OnlineFrame("e", 0));
            } else if (frame[0] == 'h' || frame[0] == 's') {
                Broadcast(frame, seat);
            }
        }
    }

    std::array<std::unique_ptr<OnlinePlayer>, 4> players;
};

}  // namespace kesp::test
