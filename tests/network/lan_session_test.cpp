// The host's session against raw client sockets on the loopback address: seating, a fourth
// client, the chat relay.
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTest>

#include <memory>
#include <vector>

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

}  // namespace
}  // namespace kesp
