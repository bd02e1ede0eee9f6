// The online connection's decisions without sockets: four players through a stand-in server play
// whole games; frames that come together in one read; the server's ends of a game; the move
// clock; broken frames.
#include <gtest/gtest.h>

#include <string>

#include "online_core_table.h"

namespace kesp {
namespace {

using test::DealFrame;
using test::OnlineCoreTable;
using test::OnlinePlayer;

int Count(const OnlinePlayer& p, OnlineEvent event) {
    return static_cast<int>(std::count_if(p.events.begin(), p.events.end(),
                                          [&](const OnlineAction& a) { return a.event == event; }));
}

const OnlineAction* Last(const OnlinePlayer& p, OnlineEvent event) {
    for (auto it = p.events.rbegin(); it != p.events.rend(); ++it)
        if (it->event == event) return &*it;
    return nullptr;
}

// A player alone, greeted, with the first deal of a game dealt.
struct Alone {
    explicit Alone(int seat) {
        player.core.Connect(seat, {});
        player.core.Writable();
        Drain();
    }
    void Receive(const std::string& bytes) {
        player.core.Receive(bytes, {});
        Drain();
    }
    void Drain() {
        while (player.core.HasAction()) {
            OnlineAction a = player.core.TakeAction();
            if (a.kind == OnlineAction::Kind::Send) sent.push_back(a.bytes);
            if (a.kind == OnlineAction::Kind::Close) player.closed = true;
            if (a.kind == OnlineAction::Kind::Event) player.events.push_back(a);
        }
    }
    OnlinePlayer player;
    std::vector<std::string> sent;
};

TEST(OnlineSessionCore, FourPlayersFinishAGameWithTheSameScoresAndSeatOneReportsThem) {
    OnlineCoreTable t;
    for (int s = 1; s <= 4; ++s) EXPECT_EQ(t.Of(s).core.State(), OnlineState::Greeted);
    ASSERT_TRUE(t.PlayOut());
    ASSERT_EQ(t.results.size(), 1u);
    // Every machine holds the same settled results, seen from its own seat.
    const GameState& first = t.Of(1).game.State();
    for (int s = 2; s <= 4; ++s) {
        const GameState& gs = t.Of(s).game.State();
        EXPECT_EQ(gs.DealNo, first.DealNo);
        for (int n = 1; n <= 4; ++n)
            EXPECT_EQ(gs.Score[TablePositionOf(s, n)], first.Score[TablePositionOf(1, n)]) << s << "/" << n;
    }
    // "o" and the four results by network seat, five characters each.
    std::string expected = "o";
    for (int n = 1; n <= 4; ++n) {
        const std::string v = std::to_string(first.Score[TablePositionOf(1, n)]);
        expected += std::string(5 - v.size(), ' ') + v;
    }
    EXPECT_EQ(t.results[0].substr(0, 21), expected);
    EXPECT_EQ(t.results[0][49], '1');
    for (int s = 1; s <= 4; ++s) {
        EXPECT_EQ(t.Of(s).core.State(), OnlineState::Finished);
        EXPECT_FALSE(t.Of(s).core.Clock().running);
        EXPECT_EQ(Count(t.Of(s), OnlineEvent::GameEnded), 1);
        EXPECT_EQ(Count(t.Of(s), OnlineEvent::DealArrived), first.DealNo);
    }
}

TEST(OnlineSessionCore, TheDealGoesToTheSeatsInTheServersOrder) {
    const std::string deal = DealFrame(7);
    for (int seat = 1; seat <= 4; ++seat) {
        Alone a(seat);
        a.Receive(deal);
        const GameState& gs = a.player.game.State();
        ASSERT_TRUE(gs.DealRunning) << seat;
        EXPECT_EQ(a.player.game.Setup().kind, GameKind::Online);
        EXPECT_EQ(a.player.game.Setup().InitialScore, 100);
        // Network seat 4 holds deck positions 1..5, seat 1 positions 16..20.
        for (int n = 1; n <= 4; ++n) {
            const int p = TablePositionOf(seat, n);
            const int block = 5 - n;
            for (int k = 1; k <= 5; ++k) {
                const char rank = deal[static_cast<std::size_t>(2 * (5 * (block - 1) + k) - 1)];
                bool held = false;
                for (int slot = 1; slot <= 5; ++slot)
                    held = held || gs.Hand[p][slot].rank == static_cast<std::uint8_t>(rank);
                EXPECT_TRUE(held) << "seat " << seat << " network seat " << n;
            }
        }
        const OnlineAction* arrived = Last(a.player, OnlineEvent::DealArrived);
        ASSERT_NE(arrived, nullptr);
        EXPECT_EQ(arrived->seat, 1);  // the first deal begins a new game
        EXPECT_EQ(a.player.core.Clock().countdown, MoveClock::Seconds);
        EXPECT_EQ(a.player.core.Clock().position, gs.Dealer);
    }
}

TEST(OnlineSessionCore, FramesInTheSameReadAsTheDealAreHandledToo) {
    Alone a(2);
    std::string read = DealFrame(3);
    read += OnlineFrame("sHallo#x", 3);
    read += OnlineFrame("e", 0);
    a.Receive(read);
    EXPECT_TRUE(a.player.game.State().DealRunning);
    const OnlineAction* chat = Last(a.player, OnlineEvent::ChatReceived);
    ASSERT_NE(chat, nullptr);
    EXPECT_EQ(chat->bytes, "Hallo");  // shown up to its first '#'
    EXPECT_EQ(chat->seat, 3);
    EXPECT_EQ(a.player.core.State(), OnlineState::Finished);
}

TEST(OnlineSessionCore, TheServersEndsOfAGame) {
    struct Case {
        const char* name;
        std::string frame;
        OnlineEvent event;
        int position;  // the table position named, seen from seat 2
        bool stopped;  // the game stops early and the connection closes
    };
    const Case cases[] = {
        {"end", OnlineFrame("e", 0), OnlineEvent::GameEnded, 0, false},
        {"abort by seat 3", OnlineFrame("abort3", 3), OnlineEvent::PlayerLeft, TablePositionOf(2, 3), true},
        {"time out of seat 4", OnlineFrame("T", 4), OnlineEvent::PlayerTimedOut, TablePositionOf(2, 4), true},
    };
    for (const Case& c : cases) {
        Alone a(2);
        a.Receive(DealFrame(5));
        a.Receive(c.frame);
        EXPECT_EQ(a.player.core.State(), OnlineState::Finished) << c.name;
        EXPECT_FALSE(a.player.core.Clock().running) << c.name;
        const OnlineAction* e = Last(a.player, c.event);
        ASSERT_NE(e, nullptr) << c.name;
        EXPECT_EQ(e->seat, c.position) << c.name;
        EXPECT_EQ(a.player.closed, c.stopped) << c.name;
        const TableView& view = a.player.game.View();
        if (c.stopped) {
            EXPECT_EQ(a.player.game.State().Phase, phase::DealScored) << c.name;
            EXPECT_FALSE(view.action.enabled) << c.name;
            EXPECT_TRUE(view.second.enabled) << c.name;
            // "Exit to menu" leaves without a result.
            a.player.game.SecondButton();
            EXPECT_FALSE(a.player.game.State().DealRunning) << c.name;
        }
        // After the end, a late abort changes nothing.
        const std::size_t before = a.player.events.size();
        a.Receive(OnlineFrame("abort1", 1));
        a.Receive(OnlineFrame("T", 1));
        EXPECT_EQ(a.player.events.size(), before) << c.name;
    }
}

TEST(OnlineSessionCore, OnlyTheOwnRunningClockRunsOut) {
    for (int seat = 1; seat <= 4; ++seat) {
        Alone a(seat);
        a.Receive(DealFrame(9));
        const bool ownTurn = a.player.game.State().Dealer == 4;
        for (int second = 0; second < MoveClock::Seconds; ++second) {
            EXPECT_EQ(a.player.core.State(), OnlineState::Greeted) << seat << " at " << second;
            a.player.core.ClockSecond();
            a.Drain();
        }
        EXPECT_EQ(a.player.core.Clock().countdown, 0);
        EXPECT_EQ(a.player.core.State(), ownTurn ? OnlineState::Finished : OnlineState::Greeted) << seat;
        const bool sentTOut = std::any_of(a.sent.begin(), a.sent.end(),
                                          [](const std::string& f) { return f.starts_with("TOut"); });
        EXPECT_EQ(sentTOut, ownTurn) << seat;
        EXPECT_EQ(Count(a.player, OnlineEvent::OwnTimeUp), ownTurn ? 1 : 0) << seat;
        EXPECT_EQ(a.player.closed, ownTurn) << seat;
    }
}

TEST(OnlineSessionCore, TheClockSoundsOnTheOwnSeatOnly) {
    EXPECT_EQ(ClockSound({26, 4, true}), "STimerA");
    EXPECT_EQ(ClockSound({8, 4, true}), "STimerA");
    EXPECT_EQ(ClockSound({7, 4, true}), "STimerB");
    EXPECT_EQ(ClockSound({1, 4, true}), "STimerB");
    EXPECT_EQ(ClockSound({0, 4, true}), "");
    EXPECT_EQ(ClockSound({5, 2, true}), "");
}

TEST(OnlineSessionCore, AStepResetsTheClockToTheSeatOnTurn) {
    OnlineCoreTable t;
    t.DeliverAll();
    for (int s = 1; s <= 4; ++s)
        for (int i = 0; i < 10; ++i) t.Of(s).core.ClockSecond();
    // Whoever deals begins, and everybody's clock starts again at the next seat.
    const int dealer = t.Of(1).game.State().Dealer;
    int n = 1;
    while (TablePositionOf(1, n) != dealer) ++n;
    ASSERT_TRUE(t.Act(n));
    ASSERT_TRUE(t.Act(n));
    t.DeliverAll();
    for (int s = 1; s <= 4; ++s) {
        t.Of(s).core.ClockSecond();
        const MoveClock& clock = t.Of(s).core.Clock();
        EXPECT_EQ(clock.countdown, MoveClock::Seconds - 1) << s;
        EXPECT_EQ(clock.position, ClockPosition(t.Of(s).game)) << s;
    }
}

TEST(OnlineSessionCore, BrokenAndUntimelyFramesChangeNothing) {
    Alone a(3);
    a.Receive(DealFrame(11));
    const GameState before = a.player.game.State();
    const std::string broken[] = {
        OnlineFrame("h01#00001", 3),     // under the own seat
        OnlineFrame("h9x#00000", 1),     // not a game message
        OnlineFrame("hb0#00000", 1),     // not due now
        OnlineFrame("sfrom myself", 3),  // chat under the own seat
        OnlineFrame("zzz", 1),           // no frame of ours
        "b" + std::string(108, '6'),     // a broken deal
        DealFrame(12),                   // a deal while a deal runs
    };
    for (const std::string& frame : broken) a.Receive(frame);
    EXPECT_TRUE(before == a.player.game.State());
    EXPECT_EQ(a.player.core.State(), OnlineState::Greeted);
    EXPECT_EQ(Count(a.player, OnlineEvent::GameMessageApplied), 0);
    EXPECT_EQ(Count(a.player, OnlineEvent::ChatReceived), 0);
    EXPECT_GE(Count(a.player, OnlineEvent::Log), 5);
}

TEST(OnlineSessionCore, ConnectionTroubleBeforeAndDuringTheGame) {
    // Never writable: the connection fails after its time-out and the flag is set once.
    OnlinePlayer waiting;
    waiting.core.Connect(1, {});
    waiting.core.Tick(LanTime{} + std::chrono::seconds(11));
    EXPECT_TRUE(waiting.core.TakeConnectionError());
    EXPECT_FALSE(waiting.core.TakeConnectionError());

    // A drop during the game stops it and tells the table.
    Alone playing(4);
    playing.Receive(DealFrame(13));
    playing.player.core.Disconnected();
    playing.Drain();
    EXPECT_EQ(Count(playing.player, OnlineEvent::ConnectionLost), 1);
    EXPECT_EQ(playing.player.game.State().Phase, phase::DealScored);
    EXPECT_FALSE(playing.player.core.ConnectionError());

    // The server's end waits behind a busy step when the server closes: the end still comes.
    Alone ending(4);
    bool busy = false;
    ending.player.core.DeferWhile([&] { return busy; });
    ending.Receive(DealFrame(13));
    busy = true;
    ending.Receive(OnlineFrame("e", 0));
    ending.player.core.Disconnected();
    ending.Drain();
    EXPECT_EQ(Count(ending.player, OnlineEvent::ConnectionLost), 0);
    busy = false;
    EXPECT_TRUE(ending.player.core.DeliverOneDeferred({}));
    ending.Drain();
    EXPECT_EQ(Count(ending.player, OnlineEvent::GameEnded), 1);
    EXPECT_EQ(ending.player.core.State(), OnlineState::Finished);

    // Leaving before the game says so and closes.
    Alone leaving(2);
    leaving.player.core.Leave();
    leaving.Drain();
    ASSERT_FALSE(leaving.sent.empty());
    EXPECT_EQ(leaving.sent.back(), OnlineFrame("disA", 2));
    EXPECT_TRUE(leaving.player.closed);
    EXPECT_EQ(leaving.player.core.State(), OnlineState::Idle);

    // Greeted and no deal within the deal wait: the seat is given up; a dealt game never is.
    const LanTime late = LanTime{} + OnlineLimits{}.dealWait;
    Alone forsaken(3);
    forsaken.player.core.Tick(late - std::chrono::seconds(1));
    forsaken.Drain();
    EXPECT_EQ(Count(forsaken.player, OnlineEvent::NoDeal), 0);
    forsaken.player.core.Tick(late);
    forsaken.Drain();
    EXPECT_EQ(Count(forsaken.player, OnlineEvent::NoDeal), 1);
    EXPECT_EQ(forsaken.sent.back(), OnlineFrame("disA", 3));
    EXPECT_TRUE(forsaken.player.closed);
    EXPECT_EQ(forsaken.player.core.State(), OnlineState::Idle);
    Alone dealt(3);
    dealt.Receive(DealFrame(13));
    dealt.player.core.Tick(late + OnlineLimits{}.dealWait);
    dealt.Drain();
    EXPECT_EQ(Count(dealt.player, OnlineEvent::NoDeal), 0);
    EXPECT_EQ(dealt.player.core.State(), OnlineState::Greeted);
}

TEST(OnlineSessionCore, FramesWaitWhileTheGameIsBusyAndComeInOrder) {
    OnlineCoreTable t;
    bool busy = false;
    t.Of(3).core.DeferWhile([&] { return busy; });
    t.DeliverAll();
    busy = true;
    // Everyone else moves on for a while; seat 3 only keeps what comes.
    for (int round = 0; round < 40; ++round) {
        for (int s : {1, 2, 4}) t.Act(s);
        t.DeliverAll();
        if (t.Of(3).game.State().Phase == phase::Decision(4) || phase::IsDiscard(t.Of(3).game.State().Phase))
            break;
    }
    busy = false;
    while (t.Of(3).core.DeliverOneDeferred(t.now)) t.Pump();
    EXPECT_EQ(t.Of(3).core.DeferredCount(), 0u);
    ASSERT_TRUE(t.PlayOut());
    EXPECT_EQ(t.results.size(), 1u);
}

}  // namespace
}  // namespace kesp
