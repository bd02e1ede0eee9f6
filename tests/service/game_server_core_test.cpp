// The game server's core without sockets: four players (the same as on TCP) joined to it through
// its actions, on a clock the test moves. What the real-process test cannot make happen cheaply:
// results that disagree with the server's settlement, a player's own time-out, leaving before the
// game, garbage, floods and connections that never greet.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>

#include "service/game_server_core.h"
#include "table_player.h"

namespace {

using namespace kesp;
using namespace kesp::service;
using kesp::test::Player;

struct Directory : TableDirectory {
    // Seat s of every table is held by "p<s>" for connections from "here".
    std::optional<std::string> HolderOf(int, int seat, const std::string& address) override {
        if (address != "here" || freed.count(seat)) return std::nullopt;
        return "p" + std::to_string(seat);
    }
    void GameStarted(int table) override { started.push_back(table); }
    void FreeUnconnectedSeats(int table, const std::array<bool, 4>& connected,
                              std::chrono::seconds) override {
        sweeps.emplace_back(table, connected);
    }
    void GameEnded(int, const std::vector<std::pair<std::string, long long>>& results) override {
        counted.push_back(results);
    }
    std::set<int> freed;
    std::vector<int> started;
    std::vector<std::pair<int, std::array<bool, 4>>> sweeps;
    std::vector<std::vector<std::pair<std::string, long long>>> counted;
};

class Core : public ::testing::Test {
  protected:
    Core() : core(directory, Limits()) {}
    static GameServerLimits Limits() {
        GameServerLimits limits;
        limits.moveTimeout = std::chrono::seconds(60);
        return limits;
    }

    // Connection id s for the player of seat s, greeted at table 1.
    void SeatFour() {
        for (int s = 1; s <= 4; ++s) {
            players.push_back(std::make_unique<Player>("", "p" + std::to_string(s), s));
            Player& player = *players.back();
            player.transmit = [this, s](const std::string& frame) {
                core.Received(static_cast<ConnectionId>(s), frame, now);
                return true;
            };
            core.Connected(static_cast<ConnectionId>(s), 1, "here", now);
            player.Send("connect" + std::to_string(s));
        }
        Deliver();
    }

    // The core's actions carried out: frames to their players, closes and log lines noted.
    void Deliver() {
        for (bool more = true; more;) {
            more = false;
            for (GameServerAction& action : core.TakeActions()) {
                more = true;
                if (action.kind == GameServerAction::Kind::Log) {
                    log.push_back(action.bytes);
                } else if (action.kind == GameServerAction::Kind::Close) {
                    closed.insert(action.connection);
                } else if (action.connection >= 1 && action.connection <= players.size()) {
                    players[action.connection - 1]->Handle(action.bytes);
                } else {
                    toOthers[action.connection].push_back(action.bytes);
                }
            }
        }
    }

    // Plays until every player has a control frame (or nothing moves).
    void PlayOut() {
        for (int round = 0; round < 100000; ++round) {
            // Moves take time: at one instant a long game's frames would pass the server's flood limit.
            now += std::chrono::milliseconds(10);
            bool moved = false;
            for (auto& player : players) {
                if (!player->control.empty()) continue;
                moved = player->Act() || moved;
                Deliver();
            }
            if (!moved) return;
        }
    }

    Directory directory;
    GameServerCore core;
    GameTime now{};
    std::vector<std::unique_ptr<Player>> players;
    std::set<ConnectionId> closed;
    std::map<ConnectionId, std::vector<std::string>> toOthers;
    std::vector<std::string> log;
};

TEST_F(Core, ResultsThatDisagreeWithTheServersSettlementAreNotTheOnesCounted) {
    SeatFour();
    ASSERT_EQ(1u, players[0]->deals);
    // Seat 1 claims a win for himself.
    players[0]->transmit = [this](const std::string& frame) {
        const std::string sent = frame[0] == 'o' ? OnlineFrame("o  300 -100 -100 -100", 1) : frame;
        core.Received(1, sent, now);
        return true;
    };
    PlayOut();
    ASSERT_EQ(1u, directory.counted.size());
    const GameState& settled = players[0]->game.State();
    ASSERT_EQ(phase::GameSettled, settled.Phase);
    for (int n = 1; n <= 4; ++n) {
        EXPECT_EQ("p" + std::to_string(n), directory.counted[0][n - 1].first);
        EXPECT_EQ(settled.Score[TablePositionOf(1, n)], directory.counted[0][n - 1].second);
        EXPECT_EQ(std::string("e"), players[n - 1]->control.at(0).substr(0, 1));
    }
    EXPECT_NE(300, directory.counted[0][0].second);
    EXPECT_EQ((std::set<ConnectionId>{1, 2, 3, 4}), closed);
}

TEST_F(Core, APlayersOwnTimeOutEndsTheGameAndCountsOnlyHim) {
    SeatFour();
    players[2]->Send("TOut");
    Deliver();
    for (const int s : {1, 2, 4}) {
        ASSERT_EQ(1u, players[s - 1]->control.size());
        EXPECT_EQ('T', players[s - 1]->control[0][0]);
        EXPECT_EQ('3', players[s - 1]->control[0][49]);
    }
    EXPECT_TRUE(players[2]->control.empty());
    ASSERT_EQ(1u, directory.counted.size());
    EXPECT_EQ((std::vector<std::pair<std::string, long long>>{{"p3", -100}}), directory.counted[0]);
}

TEST_F(Core, LeavingBeforeTheGameFreesTheConnectionForTheNextPlayer) {
    for (int s = 1; s <= 3; ++s) core.Connected(static_cast<ConnectionId>(s), 2, "here", now);
    for (int s = 1; s <= 3; ++s)
        core.Received(static_cast<ConnectionId>(s), OnlineFrame("connect" + std::to_string(s), s), now);
    core.Received(3, OnlineFrame("disA", 3), now);
    Deliver();
    EXPECT_EQ((std::set<ConnectionId>{3}), closed);
    core.Connected(9, 2, "here", now);
    core.Received(9, OnlineFrame("connect3", 3), now);
    Deliver();
    EXPECT_FALSE(closed.count(9)) << "seat 3 may greet again";
    EXPECT_TRUE(directory.started.empty());
}

TEST_F(Core, APlayerLetGoDuringTheGameEndsItForTheOthersAtOnce) {
    SeatFour();
    for (int i = 0; i < 1000 && !closed.count(2); ++i) {
        core.Received(2, OnlineFrame("sspam", 2), now);
        Deliver();
    }
    for (const int s : {1, 3, 4}) {
        ASSERT_EQ(1u, players[s - 1]->control.size()) << s;
        EXPECT_EQ("abort2", players[s - 1]->control[0].substr(0, 6));
    }
    ASSERT_EQ(1u, directory.counted.size());
    EXPECT_EQ((std::vector<std::pair<std::string, long long>>{{"p2", -100}}), directory.counted[0]);
    EXPECT_EQ(nullptr, core.TableGame(1));
    EXPECT_EQ(0u, core.ConnectionCount());
}

TEST_F(Core, GarbageFloodsStrangersAndSilenceAreLetGo) {
    const auto greet = [&](ConnectionId id, int seat, const char* address) {
        core.Connected(id, 3, address, now);
        core.Received(id, OnlineFrame("connect" + std::to_string(seat), seat), now);
    };
    greet(1, 1, "here");
    core.Received(1, std::string(50, 'x'), now);  // not a frame of seat 1's
    greet(2, 2, "here");
    core.Received(2, OnlineFrame("zzz", 2), now);  // no such message
    greet(3, 3, "elsewhere");                      // his session came from another address
    greet(4, 4, "here");
    for (int i = 0; i < 1000 && !closed.count(4); ++i) {
        core.Received(4, OnlineFrame("sspam", 4), now);
        Deliver();
    }
    core.Connected(5, 3, "here", now);  // never greets
    Deliver();
    EXPECT_EQ((std::set<ConnectionId>{1, 2, 3, 4}), closed);
    now += std::chrono::seconds(6);
    core.Tick(now);
    Deliver();
    EXPECT_TRUE(closed.count(5));
    EXPECT_EQ(0u, core.ConnectionCount());
}

TEST_F(Core, SeatsOfWaitingTablesWithoutAConnectionGoBackToTheTablesService) {
    core.Connected(11, 5, "here", now);
    core.Received(11, OnlineFrame("connect1", 1), now);
    core.Connected(12, 5, "here", now);
    core.Received(12, OnlineFrame("connect2", 2), now);
    SeatFour();  // table 1 plays
    core.Tick(now);
    ASSERT_EQ(9u, directory.sweeps.size()) << "every table but the playing one";
    const auto table5 = std::find_if(directory.sweeps.begin(), directory.sweeps.end(),
                                     [](const auto& sweep) { return sweep.first == 5; });
    ASSERT_NE(directory.sweeps.end(), table5);
    EXPECT_EQ((std::array<bool, 4>{true, true, false, false}), table5->second);
    core.Tick(now + std::chrono::seconds(10));
    EXPECT_EQ(9u, directory.sweeps.size()) << "not again before the interval";
    core.Tick(now + std::chrono::seconds(31));
    EXPECT_EQ(18u, directory.sweeps.size());
}

}  // namespace
