// A whole local-network table of session cores without sockets: a host and up to three clients,
// each with its own game, joined by byte pipes that a test or a fuzzer empties in pieces of its
// own choosing. The bytes a core wrote count as unsent until the other end takes them, so a
// machine that is not read from looks to its peer like one that does not read. Own seats are
// played by the computer player's rules as a person plays them, as kesp-sim does.
#pragma once

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/game.h"
#include "network/lan_session_core.h"
#include "tools/sim/seat_player.h"

namespace kesp::test {

struct Machine : TableEvents {
    explicit Machine(const LanLimits& limits) : core(limits) {
        game.Setup().FlyCards = false;
        core.AttachGame(game);
        core.DeferWhile([this] { return busy; });
    }

    void Announce(std::string_view message) override { core.Announce(message); }
    std::optional<bool> AskYesNo(WordId, WordId, std::string_view) override { return true; }
    void LeaveTable(LeaveReason reason) override { left = reason; }

    Game game{*this};
    LanSessionCore core;
    bool busy = false;
    std::vector<std::string> applied;  // game messages applied, "deal" for a deal, in order
    std::vector<std::pair<int, std::string>> chat;
    std::vector<std::string> log;
    int peerLost = 0;
    int connectionLost = 0;
    int clientFailed = 0;
    std::optional<LeaveReason> left;
};

class CoreTable {
  public:
    // A pipe each way between the host and client i; the ends' connection numbers.
    struct Link {
        ConnectionId atHost = 0, atClient = 0;
        std::string toClient, toHost;
        bool hostClosed = false, clientClosed = false;
        bool Open() const { return !hostClosed && !clientClosed; }
    };

    explicit CoreTable(int clients, const LanLimits& limits = {}) : host(limits) {
        host.game.Setup().InitialScore = 100;
        host.game.SeedShuffle(7);
        host.core.Host("Host");
        for (int i = 0; i < clients; ++i) this->clients.push_back(std::make_unique<Machine>(limits));
        links.resize(static_cast<std::size_t>(clients));
    }

    Machine& Client(int i) { return *clients[static_cast<std::size_t>(i)]; }
    Machine& Of(int machine) { return machine == 0 ? host : Client(machine - 1); }
    int Machines() const { return static_cast<int>(clients.size()) + 1; }

    // Client i connects and says hello; nothing is delivered yet.
    void Connect(int i) {
        Link& link = links[static_cast<std::size_t>(i)];
        link.atClient = Client(i).core.Join("Cl" + std::to_string(i));
        link.atHost = host.core.Accepted(now);
        Client(i).core.Connected(now);
        Pump();
    }

    // Every client seated in order and the host's first deal out; false if seating failed.
    bool SeatAndDeal() {
        for (int i = 0; i < static_cast<int>(clients.size()); ++i) {
            Connect(i);
            DeliverAll();
        }
        return BeginAndDeal();
    }

    // The host's OK and its first deal.
    bool BeginAndDeal() {
        if (!host.core.BeginGame()) return false;
        host.game.State().GameNo = 1;
        host.game.StartDeal(true);
        Pump();
        return true;
    }

    // Takes every machine's actions: sends go into the pipes, closes shut them, events are kept.
    void Pump() {
        for (int m = 0; m < Machines(); ++m) {
            Machine& machine = Of(m);
            while (machine.core.HasAction()) Carry(m, machine.core.TakeAction());
        }
    }

    // Up to `n` bytes of a pipe reach the other end, which handles what is complete.
    void Deliver(int i, bool toHost, std::size_t n) {
        Link& link = links[static_cast<std::size_t>(i)];
        std::string& pipe = toHost ? link.toHost : link.toClient;
        Machine& from = toHost ? Client(i) : host;
        Machine& to = toHost ? host : Client(i);
        const ConnectionId sender = toHost ? link.atClient : link.atHost;
        const ConnectionId receiver = toHost ? link.atHost : link.atClient;
        n = std::min(n, pipe.size());
        std::string_view bytes(pipe.data(), n);
        while (!bytes.empty() && to.core.IsOpen(receiver)) {
            const std::size_t taken = to.core.Receive(receiver, bytes);
            bytes.remove_prefix(taken);
            while (to.core.Step(receiver, now)) Pump();
            if (taken == 0) break;
        }
        from.core.Written(sender, n);
        pipe.erase(0, n);
        Pump();
        // A closed end sends no more; the other end hears of it once the pipe is empty.
        const bool closedBehind = toHost ? link.clientClosed : link.hostClosed;
        if (pipe.empty() && closedBehind && to.core.IsOpen(receiver)) {
            to.core.Disconnected(receiver, now);
            Pump();
        }
    }

    // The connection of client i breaks: each end hears of it once it has read what was sent.
    void Break(int i) {
        Link& link = links[static_cast<std::size_t>(i)];
        link.hostClosed = link.clientClosed = true;
        Deliver(i, false, std::string::npos);
        Deliver(i, true, std::string::npos);
    }

    bool PipesEmpty() const {
        return std::all_of(links.begin(), links.end(),
                           [](const Link& l) { return l.toClient.empty() && l.toHost.empty(); });
    }

    // Every pipe emptied, both ways, and every close heard, until nothing more moves.
    void DeliverAll() {
        int rounds = 0;
        do {
            for (int i = 0; i < static_cast<int>(links.size()); ++i) {
                Deliver(i, false, std::string::npos);
                Deliver(i, true, std::string::npos);
            }
        } while (!PipesEmpty() && ++rounds < 1000);
    }

    // One tick of a machine's game timer, as kesp-sim plays it: the own seat's move, a button
    // of this machine's, or the driving machine's automatic move. False when nothing was done.
    bool Act(int m) {
        Machine& machine = Of(m);
        Game& game = machine.game;
        const GameState& gs = game.State();
        if (machine.busy || !gs.DealRunning || gs.GameOver) return false;
        const GameState before = gs;
        if (!sim::PlayOwnSeat(game)) {
            if (game.View().action.enabled)
                game.ActionButton();
            else if (game.TimerRunning())
                game.GameTick();
        }
        Pump();
        return !(before == gs);
    }

    // Plays until every game is over or nothing moves any more; false if it stalls.
    bool PlayOut(int maxRounds = 100000) {
        for (int round = 0; round < maxRounds; ++round) {
            DeliverAll();
            bool moved = false;
            for (int m = 0; m < Machines(); ++m) moved = Act(m) || moved;
            if (!moved && PipesEmpty()) return AllOver();
        }
        return false;
    }

    bool AllOver() {
        for (int m = 0; m < Machines(); ++m)
            if (!Of(m).game.State().GameOver) return false;
        return true;
    }

    Machine host;
    std::vector<std::unique_ptr<Machine>> clients;
    std::vector<Link> links;
    LanTime now{};

  private:
    // Which link a machine's connection number is.
    int LinkOf(int m, ConnectionId c) const {
        for (std::size_t i = 0; i < links.size(); ++i)
            if (m == 0 ? links[i].atHost == c : (static_cast<int>(i) == m - 1 && links[i].atClient == c))
                return static_cast<int>(i);
        return -1;
    }

    void Carry(int m, LanAction action) {
        Machine& machine = Of(m);
        const int i = action.kind == LanAction::Kind::Event ? -1 : LinkOf(m, action.connection);
        switch (action.kind) {
            case LanAction::Kind::Send:
                if (i >= 0 && links[static_cast<std::size_t>(i)].Open())
                    (m == 0 ? links[static_cast<std::size_t>(i)].toClient
                            : links[static_cast<std::size_t>(i)].toHost) += action.bytes;
                return;
            case LanAction::Kind::Close:
                if (i >= 0)
                    (m == 0 ? links[static_cast<std::size_t>(i)].hostClosed
                            : links[static_cast<std::size_t>(i)].clientClosed) = true;
                return;
            case LanAction::Kind::Event:
                break;
        }
        switch (action.event) {
            case LanEvent::GameMessageApplied:
                machine.applied.push_back(action.bytes);
                return;
            case LanEvent::DealReceived:
                machine.applied.push_back("deal");
                return;
            case LanEvent::ChatReceived:
                machine.chat.emplace_back(action.seat, action.bytes);
                return;
            case LanEvent::Log:
                machine.log.push_back(action.bytes);
                return;
            case LanEvent::ConnectionLost:
                ++machine.connectionLost;
                return;
            case LanEvent::ClientFailed:
                ++machine.clientFailed;
                return;
            case LanEvent::PeerLost:
                ++machine.peerLost;
                machine.core.FinishBreakOff();
                return;
            case LanEvent::SeatsChanged:
            case LanEvent::Seated:
                return;
        }
    }
};

// What every machine must agree on, in network seats rather than the own table positions.
struct NetworkView {
    std::array<std::int32_t, 5> score{};
    std::array<std::uint8_t, 5> plays{}, tricksWon{}, handCount{};
    std::array<std::array<Card, 6>, 5> hand{};
    std::int32_t dealNo = 0;
    std::uint8_t phase = 0, trump = 0, gameOver = 0, dealRunning = 0;
    friend bool operator==(const NetworkView&, const NetworkView&) = default;
};

inline NetworkView ViewOf(Machine& machine) {
    const GameState& gs = machine.game.State();
    const int own = machine.game.OwnNetworkSeat();
    NetworkView v;
    for (int seat = 1; seat <= 4; ++seat) {
        const int p = TablePositionOf(own, seat);
        const auto s = static_cast<std::size_t>(seat);
        v.score[s] = gs.Score[p];
        v.plays[s] = gs.Plays[p];
        v.tricksWon[s] = gs.TricksWon[p];
        v.handCount[s] = gs.HandCount[p];
        for (int k = 1; k <= 5; ++k) v.hand[s][static_cast<std::size_t>(k)] = gs.Hand[p][k];
    }
    // Phases that name a seat name it by table position.
    int phase = gs.Phase;
    for (int base : {0, 50, 70, 80})
        if (phase > base && phase <= base + 4) {
            for (int seat = 1; seat <= 4; ++seat)
                if (TablePositionOf(own, seat) == phase - base) {
                    phase = base + seat;
                    break;
                }
            break;
        }
    v.phase = static_cast<std::uint8_t>(phase);
    v.dealNo = gs.DealNo;
    v.trump = gs.Trump;
    v.gameOver = gs.GameOver;
    v.dealRunning = gs.DealRunning;
    return v;
}

}  // namespace kesp::test
