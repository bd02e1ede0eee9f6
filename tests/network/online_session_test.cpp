// The online connection against a raw server socket on the loopback address: the greeting, a
// deal with chat behind it in one write, the move clock on a shortened second, a server that goes
// away, and a server that is not there.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <memory>

#include "engine/game.h"
#include "network/online_session.h"
#include "online_core_table.h"

namespace kesp {
namespace {

QCoreApplication& App() {
    static int argc = 1;
    static char name[] = "online_session_test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

QByteArray Receive(QTcpSocket& s, int length, int ms = 3000) {
    QByteArray got;
    (void)QTest::qWaitFor(
        [&] {
            got += s.readAll();
            return got.size() >= length;
        },
        ms);
    return got;
}

class OnlineSessionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        App();
        ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
        OnlineLimits limits;
        limits.connectTimeout = std::chrono::milliseconds(500);
        session.SetLimits(limits, 10);  // a second of 10 ms
        session.AttachGame(game);
    }
    // Connects seat `seat` and takes the server's side of the connection with its greeting.
    QTcpSocket* Seat(int seat) {
        session.Connect(QStringLiteral("127.0.0.1"), server.serverPort(), seat);
        if (!server.waitForNewConnection(3000)) return nullptr;
        QTcpSocket* peer = server.nextPendingConnection();
        const QByteArray greeting = Receive(*peer, 50);
        EXPECT_EQ(greeting, QByteArray::fromStdString(OnlineFrame("connect" + std::to_string(seat), seat)));
        return peer;
    }

    QTcpServer server;
    Game game;
    OnlineSession session;
};

TEST_F(OnlineSessionTest, GreetsDealsAndTakesTheChatThatCameWithTheDeal) {
    QSignalSpy deals(&session, &OnlineSession::dealArrived);
    QSignalSpy chat(&session, &OnlineSession::chatReceived);
    QTcpSocket* peer = Seat(3);
    ASSERT_NE(peer, nullptr);
    EXPECT_EQ(session.State(), OnlineState::Greeted);
    peer->write(QByteArray::fromStdString(test::DealFrame(4) + OnlineFrame("sHi", 1)));
    ASSERT_TRUE(chat.wait(3000) || chat.count() == 1);
    ASSERT_EQ(deals.count(), 1);
    EXPECT_TRUE(deals[0][0].toBool());
    EXPECT_EQ(chat[0][0].toInt(), 1);
    EXPECT_EQ(chat[0][1].toByteArray(), QByteArray("Hi"));
    EXPECT_TRUE(game.State().DealRunning);

    // The own chat goes out framed.
    session.SendChat("Hello there");
    EXPECT_EQ(Receive(*peer, 50), QByteArray::fromStdString(OnlineFrame("sHello there", 3)));

    // The server goes away during the game.
    QSignalSpy lost(&session, &OnlineSession::connectionLost);
    peer->disconnectFromHost();
    EXPECT_TRUE(lost.wait(3000));
    EXPECT_EQ(session.State(), OnlineState::Finished);
    EXPECT_FALSE(session.TakeConnectionError());
}

TEST_F(OnlineSessionTest, TheOwnClockRunsOutOnTheShortenedSecond) {
    // Network seat 3 deals the first deal of a game: its own clock runs first.
    QTcpSocket* peer = Seat(3);
    ASSERT_NE(peer, nullptr);
    QSignalSpy timeUp(&session, &OnlineSession::ownTimeUp);
    peer->write(QByteArray::fromStdString(test::DealFrame(8)));
    ASSERT_TRUE(timeUp.wait(3000));
    EXPECT_EQ(game.State().Dealer, 4);
    EXPECT_EQ(Receive(*peer, 50), QByteArray::fromStdString(OnlineFrame("TOut", 3)));
    EXPECT_EQ(session.State(), OnlineState::Finished);
    EXPECT_EQ(game.State().Phase, phase::DealScored);  // stopped, "Exit to menu" waits
}

TEST_F(OnlineSessionTest, LeavingSaysSoAndANoServerIsAConnectionError) {
    QTcpSocket* peer = Seat(2);
    ASSERT_NE(peer, nullptr);
    session.Leave();
    EXPECT_EQ(Receive(*peer, 50), QByteArray::fromStdString(OnlineFrame("disA", 2)));
    EXPECT_EQ(session.State(), OnlineState::Idle);

    const quint16 port = server.serverPort();
    server.close();
    QSignalSpy failed(&session, &OnlineSession::connectionError);
    session.Connect(QStringLiteral("127.0.0.1"), port, 2);
    EXPECT_TRUE(failed.wait(3000));
    EXPECT_TRUE(session.TakeConnectionError());
    EXPECT_FALSE(session.TakeConnectionError());
}

}  // namespace
}  // namespace kesp
