// The session's decisions without sockets: whole tables of cores joined by pipes, messages kept
// while a game is busy, connections that never say hello, peers that do not read, chat floods and
// the rate of the log.
#include <gtest/gtest.h>

#include <string>

#include "core_table.h"

namespace kesp {
namespace {

using test::CoreTable;
using test::Machine;
using test::ViewOf;

LanTime At(int ms) {
    return LanTime{} + std::chrono::milliseconds(ms);
}

std::vector<LanAction> Drain(LanSessionCore& core) {
    std::vector<LanAction> actions;
    while (core.HasAction()) actions.push_back(core.TakeAction());
    return actions;
}

std::vector<ConnectionId> Closed(const std::vector<LanAction>& actions) {
    std::vector<ConnectionId> closed;
    for (const LanAction& a : actions)
        if (a.kind == LanAction::Kind::Close) closed.push_back(a.connection);
    return closed;
}

void ExpectAlike(CoreTable& t) {
    for (int m = 1; m < t.Machines(); ++m) EXPECT_TRUE(ViewOf(t.Of(m)) == ViewOf(t.host)) << "machine " << m;
}

TEST(LanSessionCore, WholeGamesEndAlikeOnEveryMachine) {
    for (int clients = 1; clients <= 3; ++clients) {
        CoreTable t(clients);
        ASSERT_TRUE(t.SeatAndDeal());
        ASSERT_TRUE(t.PlayOut()) << clients << " clients";
        ExpectAlike(t);
        EXPECT_EQ(t.host.peerLost, 0);
    }
}

TEST(LanSessionCore, AClientKeepsMessagesWhileBusyAndAppliesThemInOrder) {
    CoreTable t(2);
    ASSERT_TRUE(t.SeatAndDeal());
    // Right after its own move the client's next turn is furthest away.
    for (int round = 0; round < 5000 && t.links[0].toHost.empty(); ++round) {
        t.DeliverAll();
        for (int m = 0; m < t.Machines(); ++m) t.Act(m);
    }
    t.DeliverAll();
    Machine& busy = t.Client(0);
    busy.busy = true;
    const GameState frozen = busy.game.State();
    const std::size_t appliedBefore = busy.applied.size();
    // The others play on until they wait for the busy machine's seat.
    for (int round = 0; round < 2000; ++round) {
        t.DeliverAll();
        bool moved = t.Act(0);
        moved = t.Act(2) || moved;
        if (!moved) break;
    }
    t.DeliverAll();
    EXPECT_TRUE(busy.game.State() == frozen);
    EXPECT_EQ(busy.applied.size(), appliedBefore);
    const std::size_t kept = busy.core.DeferredCount();
    ASSERT_GT(kept, 1u);

    // Busy again after one message: delivery stops there.
    busy.core.DeferWhile([&] { return busy.core.DeferredCount() < kept; });
    while (busy.core.DeliverOneDeferred(t.now)) {
    }
    EXPECT_EQ(busy.core.DeferredCount(), kept - 1);
    busy.core.DeferWhile([&] { return busy.busy; });
    busy.busy = false;
    while (busy.core.DeliverOneDeferred(t.now)) t.Pump();
    t.Pump();
    EXPECT_EQ(busy.core.DeferredCount(), 0u);
    EXPECT_EQ(busy.applied.size(), appliedBefore + kept);
    ASSERT_TRUE(t.PlayOut());
    ExpectAlike(t);
}

TEST(LanSessionCore, TheHostRelaysKeptMessagesInTheOrderItAppliesThem) {
    CoreTable t(2);
    ASSERT_TRUE(t.SeatAndDeal());
    for (int round = 0; round < 5000 && t.links[0].toHost.empty(); ++round) {
        t.DeliverAll();
        for (int m = 0; m < t.Machines(); ++m) t.Act(m);
    }
    const std::string sent = t.links[0].toHost;
    ASSERT_FALSE(sent.empty());
    t.host.busy = true;
    const std::string before = t.links[1].toClient;
    const std::size_t appliedBefore = t.host.applied.size();
    t.Deliver(0, true, std::string::npos);
    EXPECT_EQ(t.links[1].toClient, before);  // nothing goes on while it is kept
    EXPECT_EQ(t.host.core.DeferredCount(), sent.size() / 9);
    t.host.busy = false;
    while (t.host.core.DeliverOneDeferred(t.now)) t.Pump();
    EXPECT_EQ(t.links[1].toClient, before + sent);
    std::string applied;
    for (std::size_t i = appliedBefore; i < t.host.applied.size(); ++i) applied += t.host.applied[i];
    EXPECT_EQ(applied, sent);
    ASSERT_TRUE(t.PlayOut());
    ExpectAlike(t);
}

TEST(LanSessionCore, APeerThatSendsTooMuchWhileTheGameIsBusyIsDropped) {
    CoreTable t(1);
    ASSERT_TRUE(t.SeatAndDeal());
    t.DeliverAll();
    t.host.busy = true;
    for (std::size_t i = 0; i <= t.host.core.Limits().maxDeferred; ++i) t.links[0].toHost += "h91#20000";
    t.Deliver(0, true, std::string::npos);
    EXPECT_EQ(t.host.peerLost, 1);
    EXPECT_TRUE(t.links[0].hostClosed);
    EXPECT_EQ(t.host.core.DeferredCount(), 0u);
    EXPECT_EQ(t.host.left, LeaveReason::BrokenOff);
}

TEST(LanSessionCore, SilentConnectionsTimeOutAndTheOldestMakesRoom) {
    LanLimits limits;
    limits.pendingTimeout = std::chrono::milliseconds(1000);
    LanSessionCore core(limits);
    core.Host("Host");
    std::vector<ConnectionId> ids;
    for (int i = 0; i < 8; ++i) ids.push_back(core.Accepted(At(i * 10)));
    EXPECT_TRUE(Closed(Drain(core)).empty());
    const ConnectionId ninth = core.Accepted(At(100));
    EXPECT_EQ(Closed(Drain(core)), std::vector<ConnectionId>{ids[0]});
    EXPECT_TRUE(core.IsOpen(ninth));
    EXPECT_EQ(core.PendingConnections(), 8u);
    EXPECT_EQ(core.NextDeadline(), At(1010));
    core.Tick(At(1009));
    EXPECT_TRUE(Closed(Drain(core)).empty());
    core.Tick(At(1010));
    EXPECT_EQ(Closed(Drain(core)), std::vector<ConnectionId>{ids[1]});
    // A seated client stays however long it waits.
    const std::string hello = MakeHello(MakeSeatName("Ann"));
    core.Receive(ids[2], hello);
    EXPECT_TRUE(core.Step(ids[2], At(1015)));
    EXPECT_EQ(core.LanClientIndex(), 0);
    core.Tick(At(60000));
    const std::vector<ConnectionId> closed = Closed(Drain(core));
    EXPECT_EQ(closed.size(), 6u);
    EXPECT_TRUE(core.IsOpen(ids[2]));
}

TEST(LanSessionCore, APeerThatDoesNotReadIsDroppedAsALostPlayer) {
    LanLimits limits;
    limits.maxUnsentBytes = 1000;
    CoreTable t(2, limits);
    ASSERT_TRUE(t.SeatAndDeal());
    t.DeliverAll();
    // Client 1 takes nothing more; client 0 reads everything.
    for (int i = 0; i < 60 && t.host.peerLost == 0; ++i) {
        t.host.core.SendChat("hello");
        t.Pump();
        EXPECT_LE(t.host.core.Unsent(t.links[1].atHost), limits.maxUnsentBytes);
        t.Deliver(0, false, std::string::npos);
    }
    EXPECT_EQ(t.host.peerLost, 1);
    EXPECT_EQ(t.host.left, LeaveReason::BrokenOff);
    EXPECT_TRUE(t.links[1].hostClosed);
    t.DeliverAll();
    EXPECT_EQ(t.Client(0).peerLost, 1);
}

TEST(LanSessionCore, ChatLinesOfOneSeatAreHeldToARate) {
    CoreTable t(2);
    for (int i = 0; i < 2; ++i) {
        t.Connect(i);
        t.DeliverAll();
    }
    const auto say = [&](int ms, int lines) {
        t.now = At(ms);
        for (int i = 0; i < lines; ++i) t.Client(0).core.SendChat("hello");
        t.Pump();
        t.DeliverAll();
    };
    say(0, 20);
    EXPECT_EQ(t.host.chat.size(), 8u);  // the burst
    EXPECT_EQ(t.Client(1).chat.size(), 8u);
    say(499, 3);
    EXPECT_EQ(t.host.chat.size(), 8u);
    say(500, 3);
    EXPECT_EQ(t.host.chat.size(), 9u);  // one more per half second
    say(60000, 20);
    EXPECT_EQ(t.host.chat.size(), 17u);  // a bucket never holds more than its burst
    EXPECT_EQ(t.Client(1).chat.size(), 17u);
    EXPECT_EQ(t.host.chat.back(), (std::pair<int, std::string>{2, "hello"}));
}

TEST(LanSessionCore, RejectedInputIsLoggedAFewLinesASecond) {
    LanSessionCore core;
    core.Host("Host");
    const ConnectionId c = core.Accepted(At(0));
    const std::string piece(16, '\x01');
    for (int i = 0; i < 2000; ++i) {
        core.Receive(c, piece);
        while (core.Step(c, At(i / 2))) {
        }
    }
    std::vector<std::string> lines;
    for (const LanAction& a : Drain(core))
        if (a.kind == LanAction::Kind::Event && a.event == LanEvent::Log) lines.push_back(a.bytes);
    EXPECT_EQ(lines.size(), static_cast<std::size_t>(core.Limits().logLinesPerSecond));
    EXPECT_EQ(core.NextDeadline(), At(1000));
    core.Tick(At(1000));
    const std::vector<LanAction> after = Drain(core);
    ASSERT_EQ(after.size(), 1u);
    EXPECT_EQ(after[0].bytes, "kesp: network: 1995 more suppressed");
}

}  // namespace
}  // namespace kesp
