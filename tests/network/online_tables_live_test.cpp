// The tables requests against a real kesp-service: the ten tables, the game server, seats taken in
// order, freed and cleared, the tournament standing, places and top ten, and no answer.
#include <gtest/gtest.h>

#include "network/online_tables.h"
#include "online_players.h"
#include "service_process.h"

namespace kesp {
namespace {

class OnlineTablesLive : public ::testing::Test {
  protected:
    void SetUp() override {
        service = test::ServiceWithGameServer();
        ASSERT_TRUE(service) << "kesp-service did not start with its game server";
        addresses = AddressesUnderBase(service->base());
    }
    TZunTable4 Table(int t) {
        const auto tables = ReadTables(reader, addresses.tables);
        EXPECT_TRUE(tables);
        return tables ? (*tables)[t - 1] : TZunTable4{};
    }
    std::unique_ptr<test::ServiceProcess> service;
    ServiceAddresses addresses;
    ServiceClient reader;
};

TEST_F(OnlineTablesLive, TablesServerAndSeats) {
    const auto tables = ReadTables(reader, addresses.tables);
    ASSERT_TRUE(tables);
    const GameServerAddress server = GameServerOf(*tables);
    EXPECT_EQ(server.host, "127.0.0.1");
    for (int t = 1; t <= kOnlineTables; ++t) {
        EXPECT_EQ((*tables)[t - 1].Head.Port, server.PortOf(t)) << t;
        EXPECT_EQ((*tables)[t - 1].Seats[0].Nick, "X");
    }
    const auto info = ReadGameServerInfo(reader, addresses.tables);
    ASSERT_TRUE(info);
    EXPECT_TRUE(info->open);
    EXPECT_EQ(info->notice.find('_'), std::string::npos);

    test::TablePlayer anna(addresses, "Anna"), boris(addresses, "Boris");
    EXPECT_EQ(boris.Take(4, 2), SeatResult::Refused);  // seats are taken in order
    EXPECT_EQ(anna.Take(4, 1), SeatResult::Done);
    EXPECT_EQ(boris.Take(4, 1), SeatResult::Taken);
    EXPECT_EQ(boris.Take(4, 2), SeatResult::Done);
    const TZunTable4 four = Table(4);
    EXPECT_EQ(four.Seats[0].Nick, "Anna");
    EXPECT_EQ(four.Seats[1].Nick, "Boris");
    EXPECT_EQ(four.Seats[1].Country, "1-049");
    EXPECT_EQ(four.Seats[1].IP, "127.0.0.1");
    const auto seat2 = ReadSeat(reader, addresses.tables, 4, 2);
    ASSERT_TRUE(seat2);
    EXPECT_EQ(seat2->Nick, "Boris");
    EXPECT_EQ(seat2->Sex, "M");
    EXPECT_EQ(ReadSeat(reader, addresses.tables, 4, 3)->Nick, "X");
    EXPECT_EQ(ReadSeat(reader, addresses.tables, 11, 1), std::nullopt);

    // Leaving seat 1 frees it, and the leaving player clears the seat after his.
    EXPECT_EQ(anna.Free(4, 1), SeatResult::Done);
    EXPECT_EQ(ChangeSeat(anna.client, addresses.tables, 4, 2, SeatChange::Clear, VacantSeatRecord()),
              SeatResult::Done);
    EXPECT_EQ(Table(4).Seats[1].Nick, "X");
}

TEST_F(OnlineTablesLive, StandingsPlacesAndTopTen) {
    for (const char* nick : {"Anna", "Boris", "Carl"}) {
        TZunUser user = test::TablePlayerUser(nick, nick[0] == 'A' ? 'W' : 'M');
        ASSERT_EQ(CreateAccount(reader, addresses.account, user, "10.12.2026"), CreateResult::Created);
    }
    ASSERT_TRUE(
        test::RunOnStore(service->dataFolder(),
                         "INSERT INTO tournament_standings (nick, score, kon, rating, updated) VALUES"
                         " ('Anna', 300, 2, 150, 0), ('Boris', 250, 5, 50, 0), ('Carl', -40, 1, -40, 0)"));
    const auto anna = ReadStanding(reader, addresses.tables, "Anna");
    ASSERT_TRUE(anna);
    EXPECT_EQ(anna->Score, 300);
    EXPECT_EQ(anna->Rating, 150);
    EXPECT_EQ(anna->Kon, 2);
    EXPECT_EQ(ReadStanding(reader, addresses.tables, "Nobody")->Score, -1);

    struct Case {
        TournamentMeasure measure;
        long long value;
        int place;
    };
    for (const Case& c : {Case{TournamentMeasure::Score, 260, 2}, Case{TournamentMeasure::Score, 301, 1},
                          Case{TournamentMeasure::Rating, 50, 2}, Case{TournamentMeasure::Games, 1, 3}}) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(ReadTournamentPlace(reader, addresses.tables, c.measure, c.value), c.place);
    }

    const auto byGames = ReadTournamentTopTen(reader, addresses.tables, TournamentMeasure::Games);
    ASSERT_TRUE(byGames);
    ASSERT_EQ(byGames->size(), 3u);
    EXPECT_EQ((*byGames)[0].Nick, "Boris");
    EXPECT_EQ((*byGames)[0].Score, 5);
    EXPECT_EQ((*byGames)[0].Place, 1);
    EXPECT_EQ((*byGames)[1].R07, "W");
    EXPECT_EQ((*byGames)[1].Country, "1-049");
}

TEST(OnlineTablesDown, NoServiceIsNoAnswer) {
    test::ServiceProcess service;
    const ServiceAddresses addresses = AddressesUnderBase(service.base());
    service.Kill();
    ServiceClient client;
    EXPECT_FALSE(ReadTables(client, addresses.tables));
    EXPECT_FALSE(ReadGameServerInfo(client, addresses.tables));
    EXPECT_FALSE(ReadSeat(client, addresses.tables, 1, 1));
    EXPECT_EQ(ChangeSeat(client, addresses.tables, 1, 1, SeatChange::Take, VacantSeatRecord()),
              SeatResult::NoAnswer);
    EXPECT_FALSE(ReadStanding(client, addresses.tables, "Anna"));
    EXPECT_FALSE(ReadTournamentPlace(client, addresses.tables, TournamentMeasure::Score, 0));
    EXPECT_FALSE(ReadTournamentTopTen(client, addresses.tables, TournamentMeasure::Score));
}

}  // namespace
}  // namespace kesp
