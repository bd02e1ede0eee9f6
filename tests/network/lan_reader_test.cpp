// Splitting what arrives on a local-network connection into messages.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

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

TEST(LanReader, ChatEndsWhereAGameMessageBegins) {
    LanReader reader(LanReaderSide::Host);
    EXPECT_EQ(Read(reader, "s2hello"), (Got{{Chat, "s2hello"}}));
    EXPECT_EQ(Read(reader, "s2hello!h91#20000"), (Got{{Chat, "s2hello!"}, {Game, "h91#20000"}}));
    // A chat line is at most 17 characters; what follows is framed anew.
    EXPECT_EQ(Read(reader, "s30123456789abcdeh80#10000"),
              (Got{{Chat, "s30123456789abcde"}, {Game, "h80#10000"}}));
    // An 'h' in the text that begins no game message stays in the text.
    EXPECT_EQ(Read(reader, "s2oh hi"), (Got{{Chat, "s2oh hi"}}));
}

TEST(LanReader, BytesThatBeginNothingAreDropped) {
    LanReader reader(LanReaderSide::Client);
    EXPECT_EQ(Read(reader, "xyz\x01h91#20000"), (Got{{Dropped, "xyz\x01"}, {Game, "h91#20000"}}));
    // A seating message's head that goes wrong is dropped up to the next byte that may begin one.
    EXPECT_EQ(Read(reader, "connecx"), (Got{{Dropped, "conne"}, {Dropped, "cx"}}));
}

TEST(LanReader, NeverHoldsMoreThanItsCapacity) {
    LanReader reader(LanReaderSide::Host);
    const std::string flood(10 * LanReader::Capacity, 'h');
    std::size_t messages = 0;
    std::string_view rest = flood;
    while (!rest.empty()) {
        const std::size_t taken = reader.Feed(rest);
        ASSERT_GT(taken, 0u);
        ASSERT_LE(reader.Pending(), LanReader::Capacity);
        rest.remove_prefix(taken);
        LanMessage m;
        while (reader.Next(m)) ++messages;
    }
    EXPECT_EQ(messages, flood.size() / 9);
}

}  // namespace
}  // namespace kesp
