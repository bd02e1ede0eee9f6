// Reading the tables service's replies: the ten tables, the game server, seats, seat changes, the
// tournament standing, places and top ten.
#include <gtest/gtest.h>

#include "network/online_tables_reply.h"

namespace kesp {
namespace {

// A table record as the service writes it: number, address, port, free, R1, R2, then four seats.
std::string TableRecord(int table, const std::string& seat1 = "X 0 0 0 X X M X") {
    return "$" + std::to_string(table) + " 127.0.0.1 " + std::to_string(25700 + table) + " 4 0 # " + seat1 +
           " X 0 0 0 X X M X X 0 0 0 X X M X X 0 0 0 X X M X*";
}

TEST(OnlineTablesReply, TablesFillFromTheLastAndKeepPresets) {
    std::string reply;
    for (int t = 10; t >= 1; --t)
        reply += TableRecord(t, t == 3 ? "Anna 57 4 14 1-001 Moscow W 10.0.0.7" : "X 0 0 0 X X M X");
    const TableList tables = TablesFromReply(reply);
    for (int t = 1; t <= 10; ++t) EXPECT_EQ(tables[t - 1].Head.Port, 25700 + t) << t;
    const TZunClient& anna = tables[2].Seats[0];
    EXPECT_EQ(anna.Nick, "Anna");
    EXPECT_EQ(anna.Score, 57);
    EXPECT_EQ(anna.Kon, 4);
    EXPECT_EQ(anna.Rating, 14);
    EXPECT_EQ(anna.Country, "1-001");
    EXPECT_EQ(anna.City, "Moscow");
    EXPECT_EQ(anna.Sex, "W");
    EXPECT_EQ(anna.IP, "10.0.0.7");
    EXPECT_EQ(tables[2].Seats[1].Nick, "X");

    const GameServerAddress server = GameServerOf(tables);
    EXPECT_EQ(server.host, "127.0.0.1");
    EXPECT_EQ(server.PortOf(1), 25701);
    EXPECT_EQ(server.PortOf(10), 25710);

    // Three records fill tables 10, 9 and 8; the rest keep their presets, and a final '$' starts
    // no record.
    const TableList few = TablesFromReply(TableRecord(10) + TableRecord(9) + "$1 short*$");
    EXPECT_EQ(few[9].Head.Port, 25710);
    EXPECT_EQ(few[8].Head.Port, 25709);
    EXPECT_EQ(few[7].Head.IP, "short");  // a short record: what it has, presets after
    EXPECT_EQ(few[7].Head.Port, 0);
    EXPECT_EQ(few[7].Seats[0].Nick, "X");
    for (int t = 1; t <= 7; ++t) {
        EXPECT_EQ(few[t - 1].Head.IP, "0.0.0.0");
        EXPECT_EQ(few[t - 1].Head.Free, "X");
        EXPECT_EQ(few[t - 1].Seats[3].Nick, "X");
        EXPECT_EQ(few[t - 1].Seats[3].Sex, "M");
    }
    // Garbage and eleven records never leave the ten tables.
    std::string eleven;
    for (int t = 11; t >= 1; --t) eleven += TableRecord(t);
    EXPECT_EQ(TablesFromReply(eleven)[0].Head.Port, 25702);
    EXPECT_EQ(TablesFromReply("no")[0].Head.IP, "0.0.0.0");
    EXPECT_EQ(TablesFromReply("$")[9].Head.IP, "0.0.0.0");
}

TEST(OnlineTablesReply, GameServerPortsOutOfRangeNameNoServer) {
    TableList tables;
    for (int port : {0, -5, 65530, 100000}) {
        tables[0].Head.Port = port;
        EXPECT_EQ(GameServerOf(tables).basePort, 0) << port;
    }
    tables[0].Head.Port = 65526;
    EXPECT_EQ(GameServerOf(tables).PortOf(10), 65535);
}

TEST(OnlineTablesReply, ServerSeatStandingAndPlace) {
    const auto on = GameServerInfoFromReply("$Y Welcome_to_the_tournament!$");
    ASSERT_TRUE(on);
    EXPECT_TRUE(on->open);
    EXPECT_EQ(on->notice, "Welcome to the tournament!");
    const auto off = GameServerInfoFromReply("$N #$");
    ASSERT_TRUE(off);
    EXPECT_FALSE(off->open);
    EXPECT_EQ(off->notice, "");
    EXPECT_FALSE(GameServerInfoFromReply("$Yes x$")->open);
    EXPECT_FALSE(GameServerInfoFromReply("no"));

    const TZunClient seat = SeatFromReply("$Bob 12 3 4 1-049 Berlin MW 127.0.0.1$");
    EXPECT_EQ(seat.Nick, "Bob");
    EXPECT_EQ(seat.Sex, "M");  // the first character
    EXPECT_EQ(seat.IP, "127.0.0.1");
    EXPECT_EQ(SeatFromReply("").Nick, "X");

    struct Change {
        const char* reply;
        SeatResult result;
    };
    for (const Change& c : {Change{"ok", SeatResult::Done}, Change{"is", SeatResult::Taken},
                            Change{"ok is", SeatResult::Taken}, Change{"no", SeatResult::Refused},
                            Change{"", SeatResult::Refused}, Change{"$ok$", SeatResult::Refused}}) {
        EXPECT_EQ(SeatChangeFromReply(c.reply), c.result) << c.reply;
    }

    const TZunStanding standing = StandingFromReply("$-120 -40 3$");
    EXPECT_EQ(standing.Score, -120);
    EXPECT_EQ(standing.Rating, -40);
    EXPECT_EQ(standing.Kon, 3);
    EXPECT_EQ(StandingFromReply("none").Score, -1);
    EXPECT_EQ(StandingFromReply("$x$").Score, -1);
    // A score of -1 is a standing once it has a game; the service's "none" has none.
    EXPECT_TRUE(StandingFromReply("$-1 -1 1$").Played());
    EXPECT_TRUE(standing.Played());
    EXPECT_FALSE(StandingFromReply("$-1 0 0$").Played());
    EXPECT_FALSE(StandingFromReply("none").Played());

    EXPECT_EQ(TournamentPlaceFromReply("$12"), 12);
    EXPECT_EQ(TournamentPlaceFromReply("no"), -1);
    EXPECT_EQ(TournamentPlaceFromReply("$99999999999"), -1);
}

TEST(OnlineTablesReply, TopTenInTheWorldListLayout) {
    const auto top =
        TournamentTopTenFromReply("$1 # 310 Anna 1-001 Moscow W # # #*$2 # 12 Bob 1-049 Bad_Ems M # # #*");
    ASSERT_EQ(top.size(), 2u);
    EXPECT_EQ(top[0].Place, 1);
    EXPECT_EQ(top[0].Score, 310);
    EXPECT_EQ(top[0].Nick, "Anna");
    EXPECT_EQ(top[0].R07, "W");
    EXPECT_EQ(top[1].City, "Bad_Ems");
}

TEST(OnlineTablesReply, OwnAddressFromTheEchoPage) {
    EXPECT_EQ(OwnAddressFromEcho("127.0.0.1\r\n"), "127.0.0.1");
    EXPECT_EQ(OwnAddressFromEcho("10.1.2.3\n"), "10.1.2.3");
    EXPECT_EQ(OwnAddressFromEcho(""), "");
}

}  // namespace
}  // namespace kesp
