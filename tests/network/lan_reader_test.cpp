// Splitting what arrives on a local-network connection into messages.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "network/lan_protocol.h"
#include "network/lan_reader.h"

namespace kesp {
namespace {

using Got = std::vector<std::pair<LanMessageKind, std::string>>;

Got Read(LanReader& reader, std::string_view bytes) {
    Got got;
    while (!bytes.empty()) {
        const std::size_t taken = reader.Feed(bytes);
        bytes.remove_prefix(taken);
        LanMessage m;
        while (reader.Next(m)) got.emplace_back(m.kind, std::string(m.text));
    }
    return got;
}

constexpr auto Game = LanMessageKind::Game;
constexpr auto Chat = LanMessageKind::Chat;
constexpr auto Deal = LanMessageKind::Deal;
constexpr auto Dropped = LanMessageKind::Dropped;

TEST(LanReader, SeveralGameMessagesInOneRead) {
    LanReader reader(LanReaderSide::Host);
    EXPECT_EQ(Read(reader, "h93#20000ha0#10000"), (Got{{Game, "h93#20000"}, {Game, "ha0#10000"}}));
    // A trailing fragment is not applied; it waits for the rest of its message.
    EXPECT_EQ(Read(reader, "h91#20000h9"), (Got{{Game, "h91#20000"}}));
    EXPECT_EQ(reader.Pending(), 2u);
    EXPECT_EQ(Read(reader, "2#20000"), (Got{{Game, "h92#20000"}}));
    EXPECT_EQ(reader.Pending(), 0u);
}

TEST(LanReader, EachKindByItsFirstCharacter) {
    LanReader client(LanReaderSide::Client);
    const std::string deal = "b" + std::string(111, '7');
    const std::string stream =
        "connect2+2HostAnn PC  PC  " + deal + "h01#1000m" + "connect3+HostAnn Bo  PC  " + "abort";
    EXPECT_EQ(Read(client, stream), (Got{{LanMessageKind::Seating, "connect2+2HostAnn PC  PC  "},
                                         {LanMessageKind::Deal, deal},
                                         {Game, "h01#1000m"},
                                         {LanMessageKind::Seating, "connect3+HostAnn Bo  PC  "},
                                         {LanMessageKind::Abort, "abort"}}));
    // A deal cut into pieces comes out whole.
    LanReader pieces(LanReaderSide::Client);
    EXPECT_TRUE(Read(pieces, deal.substr(0, 50)).empty());
    EXPECT_EQ(Read(pieces, deal.substr(50)), (Got{{LanMessageKind::Deal, deal}}));

    LanReader host(LanReaderSide::Host);
    EXPECT_EQ(Read(host, "zun3625connect1Ann h00#2000m"),
              (Got{{LanMessageKind::Hello, "zun3625connect1Ann "}, {Game, "h00#2000m"}}));
    // What only a host sends is nothing to a host.
    EXPECT_EQ(Read(host, "abort"), (Got{{Dropped, "abort"}}));
}

// Whatever one read holds, a chat line is 17 bytes and never takes in what follows it.
TEST(LanReader, AChatLineIsAlwaysSeventeenBytes) {
    const std::string hi = MakeChat(2, "hi");
    const std::string deal = "b" + std::string(111, '7');
    struct Case {
        const char* what;
        LanReaderSide side;
        std::vector<std::string> reads;
        Got expected;
    } cases[] = {
        {"a deal behind a short chat line", LanReaderSide::Client, {hi + deal}, {{Chat, hi}, {Deal, deal}}},
        {"a game message split after a chat line",
         LanReaderSide::Host,
         {hi + "h91#", "20000"},
         {{Chat, hi}, {Game, "h91#20000"}}},
        {"a chat line cut in the middle",
         LanReaderSide::Host,
         {"s2h", "i" + std::string(13, ' ') + "h80#10000"},
         {{Chat, hi}, {Game, "h80#10000"}}},
        {"a chat text that looks like a game message",
         LanReaderSide::Host,
         {MakeChat(3, "h91#20000") + "ha0#10000"},
         {{Chat, MakeChat(3, "h91#20000")}, {Game, "ha0#10000"}}},
        {"two chat lines back to back", LanReaderSide::Client, {hi + hi}, {{Chat, hi}, {Chat, hi}}},
    };
    for (const Case& c : cases) {
        LanReader reader(c.side);
        Got got;
        for (const std::string& read : c.reads)
            for (auto& m : Read(reader, read)) got.push_back(m);
        EXPECT_EQ(got, c.expected) << c.what;
        EXPECT_EQ(reader.Pending(), 0u) << c.what;
    }
}

TEST(LanReader, BytesThatBeginNothingAreDroppedInRuns) {
    LanReader reader(LanReaderSide::Client);
    EXPECT_EQ(Read(reader, "xyz\x01h91#20000"), (Got{{Dropped, "xyz\x01"}, {Game, "h91#20000"}}));
    // A head that goes wrong is dropped with what follows up to the next byte that may begin one.
    EXPECT_EQ(Read(reader, "connecxhhs9h91#20000"), (Got{{Dropped, "connecxhhs9"}, {Game, "h91#20000"}}));
    EXPECT_EQ(Read(reader, "connect5+"), (Got{{Dropped, "connect5+"}}));
    // A front that may still become a message waits.
    EXPECT_TRUE(Read(reader, "qqh9").size() == 1);
    EXPECT_EQ(reader.Pending(), 2u);
}

TEST(LanReader, NeverHoldsMoreThanItsCapacity) {
    for (char flooded : {'h', 's', 'b', '\0'}) {
        LanReader reader(LanReaderSide::Client);
        const std::string flood(10 * LanReader::Capacity, flooded);
        std::size_t taken = 0, given = 0, dropped = 0;
        std::string_view rest = flood;
        while (!rest.empty()) {
            const std::size_t n = reader.Feed(rest);
            ASSERT_GT(n, 0u);
            ASSERT_LE(reader.Pending(), LanReader::Capacity);
            rest.remove_prefix(n);
            taken += n;
            LanMessage m;
            while (reader.Next(m)) {
                given += m.text.size();
                dropped += m.kind == Dropped;
            }
        }
        EXPECT_EQ(given + reader.Pending(), taken) << flooded;
        // Garbage goes in long runs, not byte by byte; a flood of 'b' is a flood of (bad) deals.
        if (flooded != 'b') {
            EXPECT_LT(dropped, 40u) << flooded;
        }
    }
}

}  // namespace
}  // namespace kesp
