// The tournament window offscreen against a real kesp-service: the seats by the table rules, taking
// and leaving a seat, "Log off" on seat 1, the server going off while seated, a connection error,
// and the player's results.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <vector>

#include "../network/online_players.h"
#include "../network/service_process.h"
#include "presentation/cards_button.h"
#include "presentation/message_window.h"
#include "window_test_support.h"
#include "windows/tournament_results_panel.h"
#include "windows/tournament_window.h"

namespace kesp {
namespace {

// Records what the window asks of the game server connection.
struct RecordedConnection : TournamentConnection {
    void Connect(const GameServerAddress& server, int table, int seat) override {
        connects.push_back({table, seat});
        port = server.PortOf(table);
    }
    void Leave() override { ++leaves; }
    bool TakeConnectionError() override { return std::exchange(error, false); }

    std::vector<std::pair<int, int>> connects;
    int port = 0;
    int leaves = 0;
    bool error = false;
};

class TournamentWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::App();
        service = test::ServiceWithGameServer();
        ASSERT_TRUE(service) << "kesp-service did not start with its game server";
        addresses = AddressesUnderBase(service->base());
        own = test::TablePlayerUser("Eva", 'W');
        // The window's own account logs in on the queue's client, whose session takes the seats.
        bool loggedIn = false;
        QObject receiver;
        queue.Run<bool>(
            &receiver, [this](ServiceClient& client) { return test::CreateAndLogIn(client, addresses, own); },
            [&loggedIn](bool ok) { loggedIn = ok; });
        ASSERT_TRUE(QTest::qWaitFor([&] { return loggedIn; }, 20000));
    }
    // Opens the window and waits for its tables and results.
    void Open() {
        TournamentHost host;
        host.addresses = addresses;
        host.account = own;
        host.connection = &connection;
        host.playSound = [this](std::string_view sound) { sounds.emplace_back(sound); };
        window = std::make_unique<TFTour4>(settings, queue, host);
        QSignalSpy tables(window.get(), &TFTour4::TablesShown);
        QSignalSpy results(window.get(), &TFTour4::ResultsShown);
        window->show();
        ASSERT_TRUE(tables.wait(20000));
        ASSERT_TRUE(results.count() > 0 || results.wait(20000));
    }
    void Refresh() {
        QSignalSpy tables(window.get(), &TFTour4::TablesShown);
        window->RefreshTables();
        ASSERT_TRUE(tables.wait(20000));
    }
    // Clicks a seat and waits for the answer and the tables read after it.
    void Click(int table, int seat) {
        QSignalSpy answered(window.get(), &TFTour4::SeatAnswered);
        QSignalSpy tables(window.get(), &TFTour4::TablesShown);
        ASSERT_TRUE(Enabled(table, seat)) << Text(table, seat).toStdString();
        window->SeatButton(table, seat)->click();
        ASSERT_TRUE(answered.wait(20000));
        ASSERT_TRUE(tables.count() > 0 || tables.wait(20000));
    }
    QString Text(int table, int seat) const { return window->SeatButton(table, seat)->text(); }
    bool Enabled(int table, int seat) const { return window->SeatButton(table, seat)->isEnabled(); }
    TZunTable4 ServiceTable(int table) {
        ServiceClient reader;
        const auto tables = ReadTables(reader, addresses.tables);
        EXPECT_TRUE(tables);
        return tables ? (*tables)[table - 1] : TZunTable4{};
    }

    std::unique_ptr<test::ServiceProcess> service;
    ServiceAddresses addresses;
    TZunUser own;
    Settings settings;
    ServiceQueue queue;
    RecordedConnection connection;
    std::vector<std::string> sounds;
    std::unique_ptr<TFTour4> window;
};

TEST_F(TournamentWindow, SeatsFollowTheTableRulesAndASeatLocksTheWindow) {
    test::TablePlayer boris(addresses, "Boris"), carl(addresses, "Carl"), dora(addresses, "Dora");
    ASSERT_EQ(boris.Take(3, 1), SeatResult::Done);
    ASSERT_EQ(carl.Take(3, 2), SeatResult::Done);
    ASSERT_EQ(dora.Take(5, 1), SeatResult::Done);
    Open();
    EXPECT_EQ(window->windowTitle(), "World Online Tournament");
    EXPECT_EQ(window->TableCaption(10)->text(), QString::fromUtf8("Table № 10"));
    EXPECT_FALSE(window->TableCaption(1)->isEnabled());
    EXPECT_EQ(Text(3, 1), "Boris : 0");
    EXPECT_FALSE(Enabled(3, 1));
    EXPECT_EQ(Text(3, 3), "Take the place of");
    EXPECT_TRUE(Enabled(3, 3));
    EXPECT_EQ(Text(3, 4), "Free");
    EXPECT_FALSE(Enabled(3, 4));
    EXPECT_EQ(Text(1, 1), "Take the place of");
    EXPECT_TRUE(Enabled(1, 1));
    EXPECT_FALSE(Enabled(1, 2));
    EXPECT_TRUE(window->CloseButton()->isEnabled());
    testing::SaveScreenshot(*window, "tournament_en");

    Click(5, 2);
    EXPECT_EQ(window->OwnTable(), 5);
    EXPECT_EQ(window->OwnSeat(), 2);
    ASSERT_EQ(connection.connects.size(), 1u);
    EXPECT_EQ(connection.connects[0], std::make_pair(5, 2));
    EXPECT_EQ(connection.port, ServiceTable(5).Head.Port);
    EXPECT_EQ(ServiceTable(5).Seats[1].Nick, "Eva");
    EXPECT_EQ(Text(5, 2), "Log off");
    EXPECT_TRUE(Enabled(5, 2));
    for (int t = 1; t <= kOnlineTables; ++t)
        for (int s = 1; s <= kOnlineSeats; ++s)
            if (t != 5 || s != 2) EXPECT_FALSE(Enabled(t, s)) << t << " " << s;
    for (QPushButton* button : {window->CloseButton(), window->RefreshButton(), window->TopTenButton()}) {
        EXPECT_FALSE(button->isEnabled());
        EXPECT_EQ(qobject_cast<TZunCardsButton*>(button)->KLightSB(), 50)
            << "a locked button is drawn lighter";
    }
    EXPECT_EQ(qobject_cast<TZunCardsButton*>(window->SeatButton(5, 3))->KLightSB(), 50);
    EXPECT_EQ(qobject_cast<TZunCardsButton*>(window->SeatButton(5, 2))->KLightSB(), 0);
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_TRUE(window->isVisible()) << "a seated player cannot close the window";
    testing::SaveScreenshot(*window, "tournament_seated_en");

    Click(5, 2);  // "Log off"
    EXPECT_EQ(window->OwnTable(), 0);
    EXPECT_EQ(connection.leaves, 1);
    EXPECT_EQ(ServiceTable(5).Seats[1].Nick, "X");
    EXPECT_EQ(Text(5, 2), "Take the place of");
    EXPECT_TRUE(window->CloseButton()->isEnabled());
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(TournamentWindow, LogOffOnSeatOneFreesTheSeatsAfterIt) {
    test::TablePlayer boris(addresses, "Boris"), carl(addresses, "Carl");
    Open();
    Click(2, 1);
    ASSERT_EQ(window->OwnSeat(), 1);
    ASSERT_EQ(boris.Take(2, 2), SeatResult::Done);
    ASSERT_EQ(carl.Take(2, 3), SeatResult::Done);
    Refresh();
    EXPECT_EQ(Text(2, 2), "Boris : 0");
    EXPECT_EQ(Text(2, 4), "Take the place of");
    EXPECT_FALSE(Enabled(2, 4));  // the player sits already

    Click(2, 1);
    const TZunTable4 two = ServiceTable(2);
    for (int s = 1; s <= 3; ++s) EXPECT_EQ(two.Seats[s - 1].Nick, "X") << s;
    EXPECT_EQ(Text(2, 2), "Free");
    EXPECT_TRUE(sounds.empty());
}

TEST_F(TournamentWindow, ARefusedSeatSoundsWrongAndTheWindowStaysFree) {
    test::TablePlayer boris(addresses, "Boris");
    Open();
    ASSERT_EQ(boris.Take(6, 1), SeatResult::Done);
    Click(6, 1);  // shown free, taken meanwhile
    EXPECT_EQ(window->OwnTable(), 0);
    EXPECT_EQ(sounds, std::vector<std::string>{"WWrongs"});
    EXPECT_TRUE(connection.connects.empty());
    EXPECT_EQ(Text(6, 1), "Boris : 0");
}

TEST_F(TournamentWindow, ConnectionErrorClearsTheOwnSeatAndTheSeatsAfterIt) {
    test::TablePlayer boris(addresses, "Boris");
    Open();
    window->SetTimerIntervals(TFTour4::kRefreshMs, 50);
    Click(7, 1);
    ASSERT_EQ(boris.Take(7, 2), SeatResult::Done);
    QSignalSpy tables(window.get(), &TFTour4::TablesShown);
    connection.error = true;
    ASSERT_TRUE(tables.wait(20000));
    EXPECT_EQ(window->OwnTable(), 0);
    auto* message = window->findChild<TMessageWindow*>();
    ASSERT_NE(message, nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ServiceTable(7).Seats[0].Nick == "X"; }, 20000));
    EXPECT_EQ(ServiceTable(7).Seats[1].Nick, "X");
    EXPECT_EQ(connection.leaves, 1);
}

TEST_F(TournamentWindow, ServerOffWhileSeatedUnseatsThePlayer) {
    Open();
    Click(1, 1);
    ASSERT_EQ(window->OwnTable(), 1);
    service->Kill();
    Refresh();
    for (int t = 1; t <= kOnlineTables; ++t)
        for (int s = 1; s <= kOnlineSeats; ++s) {
            EXPECT_EQ(Text(t, s), "Server Off");
            EXPECT_FALSE(Enabled(t, s));
        }
    EXPECT_EQ(window->WelcomeLine()->text(), "No Connect");
    EXPECT_EQ(window->OwnTable(), 0);
    EXPECT_EQ(connection.leaves, 1);
    EXPECT_TRUE(window->CloseButton()->isEnabled());
}

TEST_F(TournamentWindow, TheFirstDealClosesTheWindowAndALaterOneOnlyForgetsTheSeat) {
    Open();
    Click(8, 1);
    ASSERT_EQ(window->OwnTable(), 8);
    QSignalSpy tables(window.get(), &TFTour4::TablesShown);
    window->DealArrived(false);
    EXPECT_EQ(window->OwnTable(), 0);
    ASSERT_TRUE(tables.wait(20000));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(Text(8, 1), "Eva : 0");  // the seat is the game's now, no longer the window's
    EXPECT_FALSE(Enabled(8, 1));
    EXPECT_TRUE(window->CloseButton()->isEnabled());
    window->DealArrived(true);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(TournamentWindow, MyResultsFromTheStanding) {
    test::TablePlayer boris(addresses, "Boris");
    ASSERT_TRUE(test::RunOnStore(service->dataFolder(),
                                 "INSERT INTO tournament_standings (nick, score, kon, rating, updated) VALUES"
                                 " ('Eva', 120, 4, 30, 0), ('Boris', 250, 5, 50, 0)"));
    settings.CurrentLanguage = 2;  // German: the longer words
    Open();
    const TournamentResultsPanel& results = window->Results();
    const QStringList values = {"Eva", "120", "2", "30", "4", "Bad Ems"};
    for (int row = 0; row < TournamentResultsPanel::kRows; ++row)
        EXPECT_EQ(results.Value(row), values[row]) << row;
    EXPECT_EQ(window->OwnRecord().IP, "127.0.0.1");  // the echo page's line without its line end
    EXPECT_EQ(window->OwnRecord().Country, "1-049");
    testing::SaveScreenshot(*window, "tournament_de");
    window->resize(1200, 800);
    testing::SaveScreenshot(*window, "tournament_de_large");
}

// Half the players of a game lose: a standing below zero is shown and placed like any other, and
// only a player without games has no place.
TEST_F(TournamentWindow, MyResultsOfAStandingBelowZeroAndOfNone) {
    ASSERT_TRUE(test::RunOnStore(service->dataFolder(),
                                 "INSERT INTO tournament_standings (nick, score, kon, rating, updated) VALUES"
                                 " ('Boris', 250, 5, 50, 0), ('Clara', -30, 2, -15, 0)"));
    struct Case {
        const char* standing;  // Eva's row, none when empty
        const char* shown;     // score, place, rating, games
    };
    for (const Case& c :
         {Case{"", "0 - 0 0"}, Case{"(-1, 1, -1)", "-1 2 -1 1"}, Case{"(-120, 3, -40)", "-120 3 -40 3"}}) {
        ASSERT_TRUE(
            test::RunOnStore(service->dataFolder(), "DELETE FROM tournament_standings WHERE nick = 'Eva'"));
        if (*c.standing)
            ASSERT_TRUE(test::RunOnStore(service->dataFolder(),
                                         QStringLiteral("INSERT INTO tournament_standings (nick, score, kon, "
                                                        "rating, updated) SELECT 'Eva', column1, column2, "
                                                        "column3, 0 FROM (VALUES %1)")
                                             .arg(c.standing)));
        ASSERT_NO_FATAL_FAILURE(Open());
        const TournamentResultsPanel& results = window->Results();
        const QStringList shown = {results.Value(1), results.Value(2), results.Value(3), results.Value(4)};
        EXPECT_EQ(shown.join(' ').toStdString(), c.shown) << c.standing;
    }
}

}  // namespace
}  // namespace kesp
