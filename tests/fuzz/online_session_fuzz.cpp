// Drives four online session cores through a stand-in server from arbitrary bytes: how the
// server's bytes are cut into reads, garbage and changed bytes on the way, when each player moves
// or is busy, chat, clock seconds and lost connections. Besides never crashing, no core may keep
// more frames than its bound, and when only legal traffic flowed every machine settles the game
// with the same results.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_files.h"
#include "online_core_table.h"

namespace {

using kesp::fuzz::Input;
using kesp::fuzz::Require;
using kesp::test::OnlineCoreTable;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Input in(data, size);
    OnlineCoreTable t;
    t.nextDeal = in.Byte();
    bool busy[5] = {};
    for (int s = 1; s <= 4; ++s) t.Of(s).core.DeferWhile([&busy, s] { return busy[s]; });
    const std::size_t maxDeferred = kesp::OnlineLimits{}.maxDeferred;

    bool tainted = false;
    for (int op = 0; op < 4000 && !in.Empty(); ++op) {
        const unsigned what = in.Byte();
        const int seat = static_cast<int>(in.Byte() % 4) + 1;
        kesp::test::OnlinePlayer& p = t.Of(seat);
        switch (what % 8) {
            case 0:
            case 1:
                t.DeliverAll(in.Byte() % 120 + 1);
                break;
            case 2:
            case 3:
                t.Act(seat);
                break;
            case 4:
                busy[seat] = !busy[seat];
                while (p.core.DeliverOneDeferred(t.now)) t.Pump();
                break;
            case 5:
                p.core.SendChat(in.Bytes(in.Byte() % 20));
                t.Pump();
                break;
            case 6:
                if (what & 0x80) {
                    p.fromServer += in.Bytes(in.Byte());  // garbage from the server
                } else if (!p.fromServer.empty()) {
                    p.fromServer[in.Byte() % p.fromServer.size()] = static_cast<char>(in.Byte());
                }
                tainted = true;
                break;
            case 7:
                if (what & 0x40) {
                    p.core.Disconnected();
                    tainted = true;
                } else {
                    p.core.ClockSecond();  // a clock may run out: that stops the game too
                    tainted = tainted || p.core.State() == kesp::OnlineState::Finished;
                }
                t.Pump();
                break;
        }
        for (int s = 1; s <= 4; ++s) Require(t.Of(s).core.DeferredCount() <= maxDeferred);
    }

    for (int s = 1; s <= 4; ++s) {
        busy[s] = false;
        while (t.Of(s).core.DeliverOneDeferred(t.now)) t.Pump();
    }
    const bool settled = t.PlayOut(20000);
    if (tainted) return 0;
    Require(settled);
    const kesp::GameState& first = t.Of(1).game.State();
    for (int s = 2; s <= 4; ++s)
        for (int n = 1; n <= 4; ++n)
            Require(t.Of(s).game.State().Score[kesp::TablePositionOf(s, n)] ==
                    first.Score[kesp::TablePositionOf(1, n)]);
    return 0;
}
