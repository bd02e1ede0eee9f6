// The texts of a local-network game: hello, seating, chat, the relay rule, the online frames.
#include <gtest/gtest.h>

#include "engine/game_state.h"
#include "network/lan_protocol.h"
#include "network/online_frame.h"

namespace kesp {
namespace {

std::array<SeatName, 5> Names(const char* host, const char* first, const char* second, const char* third) {
    return {SeatName{}, MakeSeatName(host), MakeSeatName(first), MakeSeatName(second), MakeSeatName(third)};
}

TEST(LanProtocol, HelloCarriesTheGameAndAPaddedName) {
    EXPECT_EQ(MakeHello(MakeSeatName("Al")), "zun3625connect1Al  ");
    EXPECT_EQ(MakeHello(MakeSeatName("Alexander")), "zun3625connect1Alex");
    ASSERT_TRUE(ParseHello("zun3625connect1Al  "));
    EXPECT_EQ(View(*ParseHello("zun3625connect1Al  ")), "Al  ");  // the blanks stay
    // Another game, "25" replaced, a cut or a longer text: no hello.
    for (const char* bad : {"zun3725connect1Al  ", "zun3626connect1Al  ", "zun3625connect2Al  ",
                            "zun3625connect1Al", "zun3625connect1Al   ", "xun3625connect1Al  "})
        EXPECT_FALSE(ParseHello(bad)) << bad;
}

TEST(LanProtocol, SeatingMessagesForEachClient) {
    const auto names = Names("Host", "Ann", "Bo", "Cid");
    auto first = SeatingMessages(0, names);
    EXPECT_EQ(first[0], "connect2+2HostAnn Bo  Cid ");
    EXPECT_TRUE(first[1].empty());
    auto second = SeatingMessages(1, names);
    EXPECT_EQ(second[0], "connect3+HostAnn Bo  Cid ");
    EXPECT_EQ(second[1], "connect2+3HostAnn Bo  Cid ");
    auto third = SeatingMessages(2, names);
    EXPECT_EQ(third[0], "connect4+HostAnn Bo  Cid ");
    EXPECT_EQ(third[1], "connect4+HostAnn Bo  Cid ");
    EXPECT_EQ(third[2], "connect2+4HostAnn Bo  Cid ");
    EXPECT_EQ(SeatingMessages(3, names), (std::array<std::string, 3>{}));
}

TEST(LanProtocol, ClientReadsItsSeatAndTheNames) {
    // The third client: network seat 4, every name placed as seat 4 sees the table.
    const auto own = ParseSeating("connect2+4HostAnn Bo  Cid ", 2, 1);
    ASSERT_TRUE(own);
    EXPECT_TRUE(own->ownSeat);
    EXPECT_EQ(own->networkSeat, 4);
    EXPECT_EQ(own->lanClientIndex, 2);
    const SeatNames byPosition = NamesByPosition(own->byNetworkSeat, 4);
    EXPECT_EQ(View(byPosition[4]), "Cid ");
    EXPECT_EQ(View(byPosition[1]), "Host");
    EXPECT_EQ(View(byPosition[3]), "Ann ");
    EXPECT_EQ(View(byPosition[2]), "Bo  ");
    // The first client hears of the others.
    const auto later = ParseSeating("connect4+HostAnn Bo  Cid ", 2, 2);
    ASSERT_TRUE(later);
    EXPECT_FALSE(later->ownSeat);
    EXPECT_EQ(later->lanClientIndex, 2);
    // Out of time or for another seat: nothing.
    EXPECT_FALSE(ParseSeating("connect2+2HostAnn PC  PC  ", 2, 2));  // already seated
    EXPECT_FALSE(ParseSeating("connect3+HostAnn Bo  PC  ", 3, 2));  // the second client is told with connect2
    EXPECT_FALSE(ParseSeating("connect4+HostAnn Bo  Cid ", 4, 2));
    EXPECT_FALSE(ParseSeating("connect2+2HostAnn PC  PC  ", 1, 1));  // the host takes none
    EXPECT_FALSE(ParseSeating("connect2+2HostAnn PC  PC", 2, 1));
    // The host with one client sees computers at positions 1 and 3.
    const SeatNames host = NamesByPosition(Names("Host", "Ann", "PC", "PC"), 1);
    EXPECT_EQ(View(host[2]), "Ann ");
    EXPECT_EQ(View(host[1]), "PC  ");
    EXPECT_EQ(View(host[3]), "PC  ");
    EXPECT_EQ(View(host[4]), "Host");
}

TEST(LanProtocol, ChatLinesTravelPaddedToOneLength) {
    EXPECT_EQ(MakeChat(1, "hello"), "s1hello          ");
    EXPECT_EQ(MakeChat(3, "0123456789abcdefgh"), "s30123456789abcde");
    const auto chat = ParseChat("s4 hi there     ");
    EXPECT_FALSE(chat);  // one short of the length
    const auto padded = ParseChat("s4 hi there      ");
    ASSERT_TRUE(padded);
    EXPECT_EQ(padded->seat, 4);
    EXPECT_EQ(padded->text, " hi there");  // leading blanks are the sender's
    EXPECT_EQ(ParseChat(MakeChat(2, "0123456789abcde"))->text, "0123456789abcde");
    for (const char* bad :
         {"s4", "s4hi", "s5hi             ", "s0hi             ", "x1hi             ", "s20123456789abcdef"})
        EXPECT_FALSE(ParseChat(bad)) << bad;
}

TEST(LanProtocol, HostRelaysToEveryClientButTheSender) {
    // Bits are connections 0, 1, 2 (network seats 2, 3, 4).
    struct Case {
        int sender, lanClientIndex;
        unsigned targets;
    } cases[] = {
        {1, 0, 0b001}, {1, 2, 0b111}, {2, 0, 0b000}, {2, 1, 0b010},          {2, 2, 0b110},
        {3, 1, 0b001}, {3, 2, 0b101}, {4, 2, 0b011}, {NobodySeat, 2, 0b111}, {NobodySeat, -1, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RelayTargets(c.sender, c.lanClientIndex), c.targets) << c.sender << " " << c.lanClientIndex;
}

TEST(OnlineFrame, PaddedToFiftyWithTheSeatLast) {
    const std::string chat = OnlineFrame("s0123456789abcde", 3);
    EXPECT_EQ(chat, "s0123456789abcde" + std::string(33, '#') + "3");
    EXPECT_EQ(OnlineFrameSender(chat), 3);
    EXPECT_EQ(OnlineChatText(chat), "0123456789abcde");
    EXPECT_EQ(OnlineChatText(OnlineFrame("sab#cd", 1)), "ab");  // shown up to a '#' of its own
    const std::string longer(60, 'x');
    const std::string framed = OnlineFrame(longer, 2);
    EXPECT_EQ(framed.size(), 60u);
    EXPECT_EQ(framed[49], '2');
    EXPECT_EQ(OnlineFrameSender("short"), 0);
}

TEST(OnlineFrame, ReaderSplitsFramesAndWaitsForTheRest) {
    OnlineReader reader;
    const std::string first = OnlineFrame("h91#00000", 2), second = OnlineFrame("ha0#00000", 2);
    const std::string both = first + second;
    reader.Feed(both.substr(0, 70));
    std::string_view frame;
    ASSERT_TRUE(reader.Next(frame));
    EXPECT_EQ(frame, first);
    EXPECT_FALSE(reader.Next(frame));  // 20 characters wait for the rest
    reader.Feed(both.substr(70));
    ASSERT_TRUE(reader.Next(frame));
    EXPECT_EQ(frame, second);
    // A deal frame is 109 characters; what follows it is the next frame.
    const std::string deal = "b" + std::string(108, '1');
    reader.Feed(deal + first);
    ASSERT_TRUE(reader.Next(frame));
    EXPECT_EQ(frame, deal);
    ASSERT_TRUE(reader.Next(frame));
    EXPECT_EQ(frame, first);
    // The buffer is bounded.
    EXPECT_EQ(reader.Feed(std::string(5000, 'x')), OnlineReader::Capacity);
}

}  // namespace
}  // namespace kesp
