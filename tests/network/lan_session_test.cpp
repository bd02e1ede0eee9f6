// The session against raw sockets on the loopback address: a host's seating, a fourth client and
// the chat relay; a client whose slots close the session in the middle of a read, that loses its
// host, and that keeps the host's messages while its game is busy.
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTest>

#include <memory>
#include <vector>

#include <QTcpServer>
#include "engine/game.h"
#include "network/lan_session.h"

namespace kesp {
namespace {

QCoreApplication& App() {
    static int argc = 1;
    static char name[] = "lan_session_test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

class HostSession : public ::testing::Test {
  protected:
    void SetUp() override {
        App();
        ASSERT_TRUE(host.Host(0, "Hostname"));
        ASSERT_NE(host.ListeningPort(), 0);
    }

    QTcpSocket& Connect() {
        clients.push_back(std::make_unique<QTcpSocket>());
        QTcpSocket& s = *clients.back();
        s.connectToHost(QStringLiteral("127.0.0.1"), host.ListeningPort());
        EXPECT_TRUE(s.waitForConnected(3000));
        return s;
    }
    // Everything the socket receives until `length` bytes have come or the time is up.
    static QByteArray Receive(QTcpSocket& s, int length, int ms = 3000) {
        QByteArray got;
        (void)QTest::qWaitFor(
            [&] {
                got += s.readAll();
                return got.size() >= length;
            },
            ms);
        return got;
    }
    void Seat(QTcpSocket& s, const char* name, int seated) {
        s.write(QByteArray("zun3625connect1") + name);
        ASSERT_TRUE(QTest::qWaitFor([&] { return host.SeatedClients() == seated; }, 3000));
    }

    LanSession host;
    std::vector<std::unique_ptr<QTcpSocket>> clients;
};

TEST_F(HostSession, SeatsThreeClientsAndLetsAFourthGoUnanswered) {
    QTcpSocket& first = Connect();
    QTcpSocket& second = Connect();
    QTcpSocket& third = Connect();
    QTcpSocket& fourth = Connect();
    Seat(first, "Ann ", 1);
    EXPECT_EQ(Receive(first, 26), "connect2+2HostAnn PC  PC  ");
    Seat(second, "Bo  ", 2);
    EXPECT_EQ(Receive(second, 26), "connect2+3HostAnn Bo  PC  ");
    EXPECT_EQ(Receive(first, 25), "connect3+HostAnn Bo  PC  ");
    Seat(third, "Cid ", 3);
    EXPECT_EQ(Receive(third, 26), "connect2+4HostAnn Bo  Cid ");
    EXPECT_EQ(Receive(first, 25), "connect4+HostAnn Bo  Cid ");
    EXPECT_EQ(Receive(second, 25), "connect4+HostAnn Bo  Cid ");
    EXPECT_EQ(std::string(View(host.Names()[3])), "Cid ");
    EXPECT_EQ(std::string(View(host.Names()[1])), "Bo  ");

    fourth.write("zun3625connect1Dan ");
    EXPECT_TRUE(QTest::qWaitFor([&] { return fourth.state() == QAbstractSocket::UnconnectedState; }, 3000));
    EXPECT_TRUE(fourth.readAll().isEmpty());
    EXPECT_EQ(host.SeatedClients(), 3);
    EXPECT_TRUE(host.BeginGame());
}

TEST_F(HostSession, ASecondHostOnTheSamePortIsRefused) {
    LanSession other;
    EXPECT_FALSE(other.Host(host.ListeningPort(), "Other"));
    EXPECT_FALSE(other.ErrorText().isEmpty());
    EXPECT_EQ(other.LanHandshake(), 0);
    EXPECT_FALSE(other.IsListening());
}

TEST_F(HostSession, AHelloForAnotherGameSeatsNobody) {
    QTcpSocket& client = Connect();
    client.write("zun3725connect1Ann ");
    EXPECT_TRUE(Receive(client, 1, 300).isEmpty());
    EXPECT_EQ(host.SeatedClients(), 0);
    EXPECT_FALSE(host.BeginGame());  // nobody to play with
    Seat(client, "Ann ", 1);
    EXPECT_EQ(Receive(client, 26), "connect2+2HostAnn PC  PC  ");
}

TEST_F(HostSession, ChatGoesToTheOthersOnly) {
    QTcpSocket& first = Connect();
    QTcpSocket& second = Connect();
    Seat(first, "Ann ", 1);
    Seat(second, "Bo  ", 2);
    Receive(first, 26 + 25);
    Receive(second, 26);
    QSignalSpy chat(&host, &LanSession::chatReceived);
    first.write("s2hello          ");
    EXPECT_EQ(Receive(second, 17), "s2hello          ");
    ASSERT_EQ(chat.count(), 1);
    EXPECT_EQ(chat.at(0).at(0).toInt(), 2);
    EXPECT_EQ(chat.at(0).at(1).toByteArray(), "hello");
    first.write("s3forged         ");  // under another client's seat: not shown, not relayed
    EXPECT_TRUE(Receive(second, 1, 300).isEmpty());
    EXPECT_EQ(chat.count(), 1);
    host.SendChat("hi all, this is too long");
    EXPECT_EQ(Receive(first, 17), "s1hi all, this is");
    EXPECT_EQ(Receive(second, 17), "s1hi all, this is");
    EXPECT_TRUE(Receive(first, 1, 200).isEmpty());
}

TEST_F(HostSession, ASlotThatClosesTheHostStopsTheReadAtOnce) {
    QTcpSocket& first = Connect();
    Seat(first, "Ann ", 1);
    Receive(first, 26);
    int shown = 0;
    QObject::connect(&host, &LanSession::chatReceived, [&] {
        ++shown;
        host.Close();
    });
    first.write(QByteArray::fromStdString(MakeChat(2, "one") + MakeChat(2, "two") + MakeChat(2, "three")));
    EXPECT_TRUE(QTest::qWaitFor([&] { return first.state() == QAbstractSocket::UnconnectedState; }, 3000));
    QTest::qWait(50);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(host.LanHandshake(), 0);
}

// A client session with a game, joined to a raw host socket that has seated it.
class ClientSession : public ::testing::Test {
  protected:
    void SetUp() override {
        App();
        ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
        client.AttachGame(game);
        client.Join(QStringLiteral("127.0.0.1"), server.serverPort(), "Kid");
        ASSERT_TRUE(server.waitForNewConnection(3000));
        host = server.nextPendingConnection();
        ASSERT_TRUE(QTest::qWaitFor([&] { return host->bytesAvailable() >= 19; }, 3000));
        EXPECT_EQ(host->readAll(), "zun3625connect1Kid ");
        host->write("connect2+2FakeKid PC  PC  ");
        ASSERT_TRUE(QTest::qWaitFor([&] { return client.StartFlag(); }, 3000));
    }

    // The host's deal of the deck in order; network seat 3, a computer, deals.
    static QByteArray Deal() {
        const char ranks[] = "6789\x31\xc2\xc4\xca\xd2";
        const char suits[] = "\xf7\xe1\xea\xef";
        QByteArray deal("b");
        for (int k = 1; k <= 36; ++k)
            deal += QByteArray(1, ranks[(k - 1) / 4]) + QByteArray(1, suits[(k - 1) % 4]);
        for (int k = 1; k <= 36; ++k) deal += QByteArray::number((k + 3) / 4);
        return deal + "100";
    }

    Game game;
    LanSession client;
    QTcpServer server;
    QTcpSocket* host = nullptr;
};

TEST_F(ClientSession, ASlotThatClosesTheSessionStopsTheReadAtOnce) {
    int dealt = 0, applied = 0;
    QObject::connect(&client, &LanSession::dealReceived, [&] {
        ++dealt;
        client.Close();
    });
    QObject::connect(&client, &LanSession::gameMessageApplied, [&] { ++applied; });
    host->write(Deal() + "h01#1000c" + "h00#1000c");
    EXPECT_TRUE(QTest::qWaitFor([&] { return host->state() == QAbstractSocket::UnconnectedState; }, 3000));
    QTest::qWait(50);
    EXPECT_EQ(dealt, 1);
    EXPECT_EQ(applied, 0);
    EXPECT_EQ(client.LanHandshake(), 0);
}

TEST_F(ClientSession, TheHostsLastWordsComeBeforeItsLossWhichASlotMayEndTheSessionIn) {
    std::vector<std::string> heard;
    QObject::connect(&client, &LanSession::dealReceived, [&] { heard.push_back("deal"); });
    QObject::connect(&client, &LanSession::gameMessageApplied,
                     [&](const QByteArray& m) { heard.push_back(m.toStdString()); });
    QObject::connect(&client, &LanSession::connectionLost, [&] { heard.push_back("connection lost"); });
    QObject::connect(&client, &LanSession::peerLost, [&] {
        heard.push_back("peer lost");
        EXPECT_TRUE(game.State().DealRunning);  // broken off only after the table has been told
        client.Close();
    });
    host->write(Deal() + "h01#1000c");
    host->disconnectFromHost();
    EXPECT_TRUE(QTest::qWaitFor([&] { return heard.size() >= 4; }, 3000));
    EXPECT_EQ(heard, (std::vector<std::string>{"deal", "h01#1000c", "connection lost", "peer lost"}));
    EXPECT_FALSE(game.State().DealRunning);
}

TEST_F(ClientSession, MessagesWaitWhileTheGameIsBusy) {
    bool busy = true;
    client.DeferWhile([&] { return busy; });
    int dealt = 0;
    std::vector<QByteArray> applied;
    QObject::connect(&client, &LanSession::dealReceived, [&] { ++dealt; });
    QObject::connect(&client, &LanSession::gameMessageApplied,
                     [&](const QByteArray& m) { applied.push_back(m); });
    QSignalSpy chat(&client, &LanSession::chatReceived);
    host->write(Deal() + "h01#1000c" + QByteArray::fromStdString(MakeChat(1, "hi")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return chat.count() == 1; }, 3000));  // chat is shown at once
    EXPECT_EQ(dealt, 0);
    EXPECT_FALSE(game.State().DealRunning);
    client.DeliverDeferred();  // still busy: nothing happens
    EXPECT_EQ(dealt, 0);
    busy = false;
    client.DeliverDeferred();
    EXPECT_EQ(dealt, 1);
    EXPECT_EQ(applied, std::vector<QByteArray>{"h01#1000c"});
    EXPECT_TRUE(game.State().DealRunning);
}

}  // namespace
}  // namespace kesp
