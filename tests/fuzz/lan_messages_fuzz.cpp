// Feeds arbitrary bytes, cut into reads of arbitrary sizes, to the readers of a host's and a
// client's connection and to the online frame reader, and every message they give to its parser
// and to the check against a running game. Besides never crashing, no buffer may grow past its
// capacity, and a game message the check accepts must move the game on when it is applied.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "engine/game.h"
#include "engine/game_messages.h"
#include "fuzz_files.h"
#include "network/lan_protocol.h"
#include "network/lan_reader.h"
#include "network/message_check.h"
#include "network/online_frame.h"

namespace {

using kesp::fuzz::Require;

// A host with one client, and that client, at the start of the same deal.
struct Table {
    kesp::Game host, client;
    Table() {
        for (kesp::Game* g : {&host, &client}) {
            kesp::TableSetup& setup = g->Setup();
            setup.kind = g == &host ? kesp::GameKind::LanHost : kesp::GameKind::LanClient;
            setup.LanRole = g == &host ? 1 : 2;
            setup.LanClientIndex = 0;
            setup.FlyCards = false;
        }
        host.SeedShuffle(36);
        host.StartDeal(true);
        Require(client.ReceiveDeal(kesp::MakeDealMessage(host.State(), 100).view()));
        host.ActionButton();  // the deal begins on the host
    }
};

void Offer(kesp::Game& game, std::string_view m, int sender) {
    if (kesp::CheckGameMessage(game, m, sender) != kesp::MessageVerdict::Ok) return;
    const kesp::GameState before = game.State();
    game.ApplyGameMessage(m);
    Require(!(before == game.State()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    static const Table prepared;
    Table table = prepared;
    const std::size_t piece = data[0] % 64 + 1;
    std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);

    kesp::LanReader hostSide(kesp::LanReaderSide::Host), clientSide(kesp::LanReaderSide::Client);
    kesp::OnlineReader online;
    while (!rest.empty()) {
        const std::string_view read = rest.substr(0, piece);
        rest.remove_prefix(read.size());
        for (kesp::LanReader* reader : {&hostSide, &clientSide}) {
            std::string_view left = read;
            while (!left.empty()) {
                left.remove_prefix(reader->Feed(left));
                Require(reader->Pending() <= kesp::LanReader::Capacity);
                kesp::LanMessage m;
                while (reader->Next(m)) {
                    Require(!m.text.empty());
                    const bool host = reader == &hostSide;
                    switch (m.kind) {
                        case kesp::LanMessageKind::Hello:
                            (void)kesp::ParseHello(m.text);
                            break;
                        case kesp::LanMessageKind::Seating:
                            for (int role = 2; role <= 4; ++role)
                                (void)kesp::ParseSeating(m.text, role, role == 2 ? 1 : 2);
                            break;
                        case kesp::LanMessageKind::Chat:
                            (void)kesp::ParseChat(m.text);
                            break;
                        case kesp::LanMessageKind::Deal:
                            (void)kesp::CheckDealMessage(table.client, m.text);
                            break;
                        case kesp::LanMessageKind::Game:
                            if (host)
                                Offer(table.host, m.text, 2);
                            else
                                Offer(table.client, m.text, m.text[4] - '0');
                            break;
                        default:
                            break;
                    }
                }
            }
        }
        std::string_view left = read;
        while (!left.empty()) {
            left.remove_prefix(online.Feed(left));
            std::string_view frame;
            while (online.Next(frame)) {
                (void)kesp::OnlineFrameSender(frame);
                (void)kesp::OnlineChatText(frame);
            }
        }
    }
    return 0;
}
