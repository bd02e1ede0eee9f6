// Drives whole local-network tables of session cores, each machine with its own game, from
// arbitrary bytes: how the pipes between host and clients are cut into reads, when each machine
// moves or is busy, chat, time passing, connections that never say hello, garbage and broken
// bytes on the seated connections, and connections that break. Besides never crashing, no
// connection may hold more unsent bytes or keep more messages than its bounds, and when only
// legal traffic flowed and nobody was dropped, the game ends alike on every machine.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core_table.h"
#include "fuzz_files.h"

namespace {

using kesp::fuzz::Input;
using kesp::fuzz::Require;
using kesp::test::CoreTable;

void CheckBounds(CoreTable& t) {
    const kesp::LanLimits& limits = t.host.core.Limits();
    for (int m = 0; m < t.Machines(); ++m) Require(t.Of(m).core.DeferredCount() <= limits.maxDeferred);
    for (const CoreTable::Link& link : t.links) {
        Require(t.host.core.Unsent(link.atHost) <= limits.maxUnsentBytes);
        Require(link.toClient.size() <= limits.maxUnsentBytes && link.toHost.size() <= limits.maxUnsentBytes);
    }
    Require(t.host.core.PendingConnections() <= limits.maxPending + t.links.size());
}

bool AnyoneLost(CoreTable& t) {
    for (int m = 0; m < t.Machines(); ++m)
        if (t.Of(m).peerLost > 0 || t.Of(m).connectionLost > 0) return true;
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Input in(data, size);
    const int clients = static_cast<int>(in.Byte() % 3) + 1;
    kesp::LanLimits limits;
    limits.maxUnsentBytes = 512 + in.Byte() * 64;
    limits.maxDeferred = 8 + in.Byte() % 64;
    limits.pendingTimeout = std::chrono::milliseconds(100);
    CoreTable t(clients, limits);
    t.host.game.SeedShuffle(in.Byte());

    // Seating, with the hellos and seating messages cut into reads of the input's choosing.
    for (int i = 0; i < clients; ++i) {
        t.Connect(i);
        while (!t.PipesEmpty()) {
            t.Deliver(i, true, in.Byte() % 20 + 1);
            for (int j = 0; j <= i; ++j) t.Deliver(j, false, in.Byte() % 30 + 1);
        }
    }
    Require(t.host.core.LanClientIndex() == clients - 1);
    Require(t.BeginAndDeal());

    bool tainted = false;  // bytes that are not legal traffic went onto a seated connection
    std::vector<kesp::ConnectionId> strangers;
    for (int op = 0; op < 4000 && !in.Empty(); ++op) {
        const unsigned what = in.Byte();
        const int i = static_cast<int>(in.Byte() % static_cast<unsigned>(clients));
        const int m = static_cast<int>(in.Byte() % static_cast<unsigned>(t.Machines()));
        switch (what % 12) {
            case 0:
            case 1:
            case 2:
                t.Deliver(i, what & 0x10, in.Byte() + 1);
                break;
            case 3:
            case 4:
                t.Act(m);
                break;
            case 5: {
                kesp::test::Machine& machine = t.Of(m);
                machine.busy = !machine.busy;
                while (machine.core.DeliverOneDeferred(t.now)) t.Pump();
                break;
            }
            case 6:
                t.now += std::chrono::milliseconds(in.Byte() * 4);
                for (int k = 0; k < t.Machines(); ++k) t.Of(k).core.Tick(t.now);
                t.Pump();
                break;
            case 7:
                t.Of(m).core.SendChat(in.Bytes(in.Byte() % 20));
                t.Pump();
                break;
            case 8:
                if (strangers.size() < 20) strangers.push_back(t.host.core.Accepted(t.now));
                t.Pump();
                break;
            case 9:
                if (!strangers.empty()) {
                    const kesp::ConnectionId c = strangers[in.Byte() % strangers.size()];
                    t.host.core.Receive(c, in.Bytes(in.Byte()));
                    while (t.host.core.Step(c, t.now)) t.Pump();
                }
                break;
            case 10: {
                // Garbage, or one byte changed in what is on its way.
                CoreTable::Link& link = t.links[static_cast<std::size_t>(i)];
                std::string& pipe = what & 0x10 ? link.toHost : link.toClient;
                if (what & 0x20 && !pipe.empty())
                    pipe[in.Byte() % pipe.size()] = static_cast<char>(in.Byte());
                else if (pipe.size() < limits.maxUnsentBytes / 2)
                    pipe += in.Bytes(in.Byte());
                tainted = true;
                break;
            }
            case 11:
                if (what & 0x80) {
                    t.Break(i);
                    tainted = true;
                }
                break;
        }
        CheckBounds(t);
    }

    // The rest of the game without interference.
    for (int k = 0; k < t.Machines(); ++k) {
        t.Of(k).busy = false;
        while (t.Of(k).core.DeliverOneDeferred(t.now)) t.Pump();
    }
    const bool finished = t.PlayOut(20000);
    CheckBounds(t);
    if (tainted || AnyoneLost(t)) return 0;
    Require(finished);
    const kesp::test::NetworkView reference = kesp::test::ViewOf(t.host);
    for (int k = 1; k < t.Machines(); ++k) Require(kesp::test::ViewOf(t.Of(k)) == reference);
    return 0;
}
