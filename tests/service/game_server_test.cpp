// The game server of the tables through a real kesp-service: four players log in, take their
// seats, connect and greet over TCP, and play with the engine as the game does; the server
// forwards only legal moves, ends the game, and tells the others when a player goes silent or
// away. The standings are read back through the tables requests.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "engine/game.h"
#include "service_process.h"
#include "table_player.h"

namespace {

using namespace kesp;
using kesp::test::Player;
using Clock = std::chrono::steady_clock;

class GameServerTest : public ::testing::Test {
  protected:
    explicit GameServerTest(int moveTimeoutMs = 3000)
        : service(false, {"--move-timeout-ms", QString::number(moveTimeoutMs)}) {}

    void SetUp() override { ASSERT_FALSE(service.base().empty()); }

    // The four players of `table`, seated, connected and greeted, each with the first deal.
    void SeatFour(int table, const std::array<const char*, 4>& nicks) {
        for (int s = 1; s <= 4; ++s) {
            players.push_back(std::make_unique<Player>(service.base(), nicks[s - 1], s));
            ASSERT_TRUE(players.back()->LogInAndSit(table)) << nicks[s - 1];
        }
        const int port = TablePort(table);
        for (auto& player : players) ASSERT_TRUE(player->Connect(port));
        const auto until = Clock::now() + std::chrono::seconds(10);
        while (Clock::now() < until && !AllDealt())
            for (auto& player : players) player->Receive(10);
        ASSERT_TRUE(AllDealt());
    }
    bool AllDealt() const {
        for (const auto& player : players)
            if (player->deals == 0) return false;
        return true;
    }

    // The table's port as the game learns it: table 1's port - 1 + t.
    int TablePort(int table) { return test::TablePort(service.base(), table); }

    // The tournament standing of `nick`: "score rating kon".
    std::string Standing(const std::string& nick) {
        ServiceClient http;
        const auto reply =
            http.Post(service.base() + "tables", FormKind::Text, {{"readrating36", "0"}, {"nick", nick}});
        return reply ? reply->substr(1, reply->size() - 2) : "no answer";
    }

    // Table t's record of the tables list, its values.
    std::vector<std::string> TableRecord(int table) {
        ServiceClient http;
        const auto reply =
            http.Post(service.base() + "tables", FormKind::List, {{"readtable410", "36"}, {"gid", "36"}});
        std::vector<std::string> records;
        std::size_t at = 0;
        while ((at = reply->find('$', at)) != std::string::npos) {
            const std::size_t end = reply->find('*', at);
            records.push_back(reply->substr(at + 1, end - at - 1));
            at = end;
        }
        std::istringstream text(records.at(static_cast<std::size_t>(10 - table)));
        std::vector<std::string> values;
        for (std::string value; text >> value;) values.push_back(value);
        return values;
    }

    // The network seat whose move the table waits for, from seat 1's game.
    int DueSeat() const {
        const GameState& gs = players[0]->game.State();
        const int p = phase::IsDecision(gs.Phase) ? gs.Phase : 0;
        for (int n = 1; n <= 4; ++n)
            if (p != 0 && TablePositionOf(1, n) == p) return n;
        return 1;
    }

    test::ServiceProcess service;
    std::vector<std::unique_ptr<Player>> players;
};

class ShortClock : public GameServerTest {
  protected:
    ShortClock() : GameServerTest(400) {}
};

TEST_F(GameServerTest, AWholeGameIsForwardedSettledAndCounted) {
    SeatFour(1, {"Anna", "Boris", "Carl", "Dora"});
    const auto playing = TableRecord(1);
    EXPECT_EQ("0", playing[3]) << "no free seat";
    EXPECT_EQ("1", playing[4]) << "the table plays";
    // Table chat goes to the other three, marked with the sender's seat.
    ASSERT_TRUE(players[1]->Send("sGood luck!"));
    for (int i = 0; i < 20; ++i)
        for (auto& player : players) player->Receive(5);
    for (const auto& player : players) {
        ASSERT_EQ(player->seat == 2 ? 0u : 1u, player->chat.size()) << "seat " << player->seat;
        if (player->seat != 2) EXPECT_EQ("Good luck!", OnlineChatText(player->chat[0]));
        if (player->seat != 2) EXPECT_EQ(2, OnlineFrameSender(player->chat[0]));
    }
    bool injected = false;
    const auto until = Clock::now() + std::chrono::seconds(60);
    auto finished = [&] {
        for (const auto& player : players)
            if (player->control.empty()) return false;
        return true;
    };
    while (!finished() && Clock::now() < until) {
        bool moved = false;
        // About a game's pace: the driving seat's automatic moves come at most every few milliseconds.
        for (auto& player : players) player->Receive(1);
        for (auto& player : players) {
            // Once: a card that does not follow, and another seat's card, are dropped by the server.
            const GameState& gs = player->game.State();
            if (!injected && gs.Phase == phase::Play(4) && gs.Plays[4] && gs.TablePos != 1) {
                int illegal = 0;
                for (int k = 1; k <= 5 && illegal == 0; ++k)
                    if (!gs.Hand[4][k].IsEmpty() && player->game.IsIllegal(k)) illegal = k;
                if (illegal != 0) {
                    Player& other = *players[static_cast<std::size_t>(player->seat % 4)];
                    // What is on its way arrives first; nobody moves meanwhile.
                    for (int i = 0; i < 10; ++i)
                        for (auto& p : players) p->Receive(10);
                    std::vector<std::size_t> before;
                    for (auto& p : players) before.push_back(p->received);
                    player->Send(MakePlayMessage(illegal, 0).view());
                    other.Send(MakePlayMessage(1, 0).view());
                    for (int i = 0; i < 20; ++i)
                        for (auto& p : players) p->Receive(10);
                    for (std::size_t i = 0; i < players.size(); ++i)
                        EXPECT_EQ(before[i], players[i]->received)
                            << "seat " << i + 1 << " got a dropped move";
                    injected = true;
                }
            }
            moved = player->Act() || moved;
        }
        if (!moved)
            for (auto& player : players) player->Receive(5);
    }
    ASSERT_TRUE(finished()) << "the game did not end";
    EXPECT_TRUE(injected);
    for (const auto& player : players) {
        ASSERT_EQ(1u, player->control.size());
        EXPECT_EQ('e', player->control[0][0]);
        EXPECT_EQ('0', player->control[0][49]);
        EXPECT_EQ(players[0]->deals, player->deals);
        EXPECT_FALSE(player->badDeal);
        EXPECT_TRUE(player->game.State().GameOver);
    }
    // Seat 1 settled: its results are the standings of all four, summing to zero.
    const GameState& settled = players[0]->game.State();
    ASSERT_EQ(phase::GameSettled, settled.Phase);
    long long sum = 0;
    for (int n = 1; n <= 4; ++n) {
        const long long result = settled.Score[TablePositionOf(1, n)];
        sum += result;
        EXPECT_EQ(std::to_string(result) + " " + std::to_string(result) + " 1",
                  Standing(players[n - 1]->nick));
    }
    EXPECT_EQ(0, sum);
    const auto record = TableRecord(1);
    EXPECT_EQ("4", record[3]) << "the seats are free again";
    EXPECT_EQ("0", record[4]);
    for (const auto& player : players) {
        player->Receive(2000);
        EXPECT_TRUE(player->closedByServer);
    }
}

TEST_F(ShortClock, ASilentPlayerIsTimedOutAndTheOthersAreTold) {
    SeatFour(2, {"Emma", "Fred", "Gina", "Hugo"});
    const int due = DueSeat();
    const auto until = Clock::now() + std::chrono::seconds(5);
    const auto othersTold = [&] {
        for (const auto& player : players)
            if (player->seat != due && player->control.empty()) return false;
        return true;
    };
    while (Clock::now() < until && !othersTold())
        for (auto& player : players) player->Receive(20);
    for (const auto& player : players) {
        if (player->seat == due) {
            EXPECT_TRUE(player->control.empty());
            continue;
        }
        ASSERT_EQ(1u, player->control.size()) << "seat " << player->seat;
        EXPECT_EQ('T', player->control[0][0]);
        EXPECT_EQ('0' + due, player->control[0][49]);
    }
    for (const auto& player : players)
        EXPECT_EQ(player->seat == due ? "-100 -100 1" : "-1 0 0", Standing(player->nick)) << player->nick;
    EXPECT_EQ("4", TableRecord(2)[3]);
}

TEST_F(GameServerTest, ALostPlayerAbortsTheGameAndStrangersAreTurnedAway) {
    // A greeting for a seat nobody from here holds is answered by closing the connection.
    Player stranger(service.base(), "Ivan", 1);
    ASSERT_TRUE(stranger.Connect(TablePort(3)));
    for (int i = 0; i < 50 && !stranger.closedByServer; ++i) stranger.Receive(20);
    EXPECT_TRUE(stranger.closedByServer);

    SeatFour(3, {"Jana", "Karl", "Lena", "Mark"});
    players[1]->Disconnect();
    const auto until = Clock::now() + std::chrono::seconds(5);
    while (Clock::now() < until && players[0]->control.empty())
        for (auto& player : players) player->Receive(20);
    for (const int s : {1, 3, 4}) {
        const Player& player = *players[static_cast<std::size_t>(s - 1)];
        ASSERT_EQ(1u, player.control.size()) << "seat " << s;
        EXPECT_EQ("abort2", player.control[0].substr(0, 6));
        EXPECT_EQ('2', player.control[0][49]);
    }
    EXPECT_EQ("-100 -100 1", Standing("Karl"));
    EXPECT_EQ("-1 0 0", Standing("Jana"));
}

}  // namespace
