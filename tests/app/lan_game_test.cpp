// Local-network games through two real main windows in one process, over real sockets on the
// loopback address: the host and a client play a whole game, and a client lost in the middle of a
// deal ends the game on the host.
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTcpServer>
#include <QtTest/QTest>

#include "app/main_window.h"
#include "app/wait_window.h"
#include "records/club.h"
#include "records/history.h"
#include "window_fixture.h"

namespace kesp {
using namespace test;

namespace {

QPushButton* Child(QWidget& window, const char* name) {
    return window.findChild<QPushButton*>(QString::fromLatin1(name));
}

std::uint16_t FreePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

// How the tables show the game: card flights (at the fastest speed), sounds the game waits for
// (silent, each taking its length divided by the pace), and the pace of the game's timer and rests.
struct Showing {
    bool flights = false;
    bool sounds = false;
    int pace = 1;
};

// A program folder whose settings have the network mode on.
QString NetworkFolder(QTemporaryDir& dir, Showing showing = {}) {
    const QString folder = ProgramFolder(dir);
    Settings settings;
    settings.NetworkMode = true;
    settings.FlyCards = showing.flights;
    settings.Speed = 6;
    settings.SoundOn = showing.sounds;
    SaveSettings(settings, folder.toStdString(), false);
    return folder;
}

void ShowAs(TForm1& window, Showing showing) {
    window.SetPace(showing.pace);
    if (showing.sounds) window.Sounds().SetSilentTiming(true, showing.pace);
}

QByteArray FileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Two windows on one machine: the host's and a client's. The welcome dialogs and the wait windows
// of both are answered as a person would: the host opens `port`, the client joins it.
class TwoTables {
  public:
    explicit TwoTables(Showing showing = {})
        : hostFolder_(NetworkFolder(hostDir_, showing)),
          clientFolder_(NetworkFolder(clientDir_, showing)),
          host(hostFolder_.toStdString()),
          client(clientFolder_.toStdString()) {
        host.CurrentGame().SeedShuffle(TestSeed());
        for (TForm1* w : {&host, &client}) {
            ShowAs(*w, showing);
            w->show();
            EXPECT_TRUE(WaitFor([w] { return w->CurrentScreen() == TForm1::Screen::Title; }));
            QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(380, 250));
        }
        answer_.setInterval(20);
        QObject::connect(&answer_, &QTimer::timeout, [this] { Answer(); });
        answer_.start();
    }

    // "New Player" on the host; the rest follows from the answers.
    bool Seat() {
        QTimer::singleShot(0, [this] { Child(host, "Button6")->click(); });
        return WaitFor(
            [this] {
                return host.CurrentScreen() == TForm1::Screen::Table &&
                       client.CurrentScreen() == TForm1::Screen::Table &&
                       client.CurrentGame().State().DealRunning;
            },
            20000);
    }

    QString Folder(const TForm1& w) const { return &w == &host ? hostFolder_ : clientFolder_; }

    std::vector<QString> boxes;  // the texts of the message boxes that were answered
    QStringList hostWaitLines;   // the host's wait window when its OK was pressed
    bool hostCancelEnabled = true;
    bool clientWaiting = false;  // the client's table said it waits for the game
    std::uint16_t port = FreePort();

  private:
    void Answer() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        if (auto* login = qobject_cast<WelcomeDialog*>(modal)) {
            if (!login->isVisible() || pending_ == modal) return;
            pending_ = modal;
            const bool isHost = login->parentWidget() == &host;
            login->NameEdit()->setText(isHost ? QStringLiteral("Hana") : QStringLiteral("Kai"));
            login->PasswordEdit()->setText(QStringLiteral("pw"));
            login->RepeatEdit()->setText(QStringLiteral("pw"));
            LanForm* lan = login->Lan();
            (isHost ? lan->HostButton() : lan->ClientButton())->click();
            if (!isHost) lan->AddressEdit()->setText(QStringLiteral("127.0.0.1"));
            lan->PortEdit()->setText(QString::number(port));
            // Clicked from a timer of its own: OK opens the wait window, whose loop must not
            // block these answers.
            QTimer::singleShot(0, login->OkButton(), &QPushButton::click);
        } else if (auto* wait = qobject_cast<WaitWindow*>(modal)) {
            if (wait->parentWidget() == &host && !clientAsked_) {
                clientAsked_ = true;
                QTimer::singleShot(0, [this] { Child(client, "Button6")->click(); });
            } else if (wait->parentWidget() == &host && wait->OkButton()->isEnabled() &&
                       client.CurrentScreen() == TForm1::Screen::Table) {
                for (int n = 1; n <= 4; ++n)
                    hostWaitLines.push_back(wait->Line(n)->isVisible() ? wait->Line(n)->text() : "");
                hostCancelEnabled = wait->CancelButton()->isEnabled();
                clientWaiting = client.findChild<QLabel*>(QStringLiteral("LanWaiting"))->isVisible();
                client.grab().save(QStringLiteral(KESP_BUILD_DIR "/screenshot-lan-client-waiting.png"));
                QTimer::singleShot(0, wait->OkButton(), &QPushButton::click);
            }
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            boxes.push_back(box->text());
            if (QAbstractButton* yes = box->button(QMessageBox::Yes))
                yes->click();
            else
                box->accept();
        } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->accept();
        }
    }

    QTemporaryDir hostDir_, clientDir_;
    QString hostFolder_, clientFolder_;
    QTimer answer_;
    QWidget* pending_ = nullptr;
    bool clientAsked_ = false;

  public:
    TForm1 host;
    TForm1 client;
};

// One step of the person at a window, if anything is his to do; false when nothing was.
bool PlayOneStep(TForm1& window) {
    QPushButton* action = Child(window, "Button7");
    const GameState& gs = window.CurrentGame().State();
    if (window.CurrentScreen() != TForm1::Screen::Table || window.CurrentGame().Waiting()) return false;
    auto clickCard = [&](int slot) {
        const TablePainter& painter = window.Painter();
        const QRect hand = painter.Geometry().hand[4];
        const Fan& fan = painter.HandFan(4);
        const int right = slot < fan.count ? fan.x[slot + 1] : fan.x[slot] + fan.cardWidth;
        QTest::mouseClick(&window, Qt::LeftButton, {},
                          QPoint(hand.left() + (fan.x[slot] + right) / 2, hand.center().y()));
    };
    if (gs.Phase == phase::Discard(4) && gs.Plays[4] && action->isEnabled()) {
        int slot = 1;
        while (slot < gs.HandCount[4] && gs.Hand[4][slot].IsAce()) ++slot;
        clickCard(slot);
        QTest::mouseClick(action, Qt::LeftButton);
        return true;
    }
    if (gs.Phase == phase::Play(4) && gs.Plays[4] && gs.DealStarted == 2) {
        const GameState before = gs;
        for (int k = 1; k <= gs.HandCount[4] && gs == before; ++k) clickCard(k);
        return !(gs == before);
    }
    if (action->isVisible() && action->isEnabled()) {
        QTest::mouseClick(action, Qt::LeftButton);
        return true;
    }
    return false;
}

// Scores by network seat 1..4 as a window sees them.
std::array<int, 4> ScoresBySeat(TForm1& window, int ownSeat) {
    std::array<int, 4> scores{};
    for (int n = 1; n <= 4; ++n)
        scores[static_cast<std::size_t>(n - 1)] =
            window.CurrentGame().State().Score[TablePositionOf(ownSeat, n)];
    return scores;
}

}  // namespace

// With flights and sounds the game waits for: a step of either table that waits ends there, and the
// other machine's steps that arrive meanwhile are taken after it.
TEST(LanGame, AHostAndAClientWindowPlayAWholeGameToTheSameScores) {
    TwoTables tables({.flights = true, .sounds = true, .pace = 20});
    ASSERT_TRUE(tables.Seat());
    EXPECT_EQ(tables.hostWaitLines, QStringList({"Expectation of connection of other players...",
                                                 "The second player was connected...", "", ""}));
    EXPECT_FALSE(tables.hostCancelEnabled);
    EXPECT_TRUE(tables.clientWaiting);
    EXPECT_FALSE(tables.client.findChild<QLabel*>(QStringLiteral("LanWaiting"))->isVisible());
    EXPECT_EQ(tables.host.Lan().Session().LanRole(), 1);
    EXPECT_EQ(tables.client.Lan().Session().LanRole(), 2);
    EXPECT_TRUE(tables.client.TableChatBox().Field()->isVisible());

    // The table chat goes both ways and shows in the sender's colour.
    tables.client.TableChatBox().Field()->setText(QStringLiteral("hello host"));
    QTest::keyClick(tables.client.TableChatBox().Field(), Qt::Key_Return);
    ASSERT_TRUE(WaitFor([&] { return tables.host.TableChatBox().Strip()->Memo().Count() == 1; }));
    EXPECT_EQ(tables.host.TableChatBox().Strip()->Memo().Line(1).text, "hello host");
    EXPECT_EQ(tables.host.TableChatBox().Strip()->Memo().Line(1).seat, 2);
    EXPECT_EQ(tables.client.TableChatBox().Strip()->Memo().Line(1).seat, 2);

    // The hidden number typed on the send button shows the other hands, typed again hides them;
    // taking the focus away forgets a half-typed number.
    QPushButton* send = tables.host.TableChatBox().SendButton();
    tables.host.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&tables.host));
    send->setFocus();
    QTest::keyClicks(send, "482");
    tables.host.TableChatBox().Field()->setFocus();
    send->setFocus();
    QTest::keyClicks(send, "13");
    EXPECT_FALSE(tables.host.Painter().RevealHands());
    tables.host.TableChatBox().Field()->setFocus();
    send->setFocus();
    QTest::keyClicks(send, "48213");
    EXPECT_TRUE(tables.host.Painter().RevealHands());
    QTest::keyClicks(send, "48213");
    EXPECT_FALSE(tables.host.Painter().RevealHands());
    EXPECT_EQ(tables.host.TableChatBox().Strip()->Memo().Count(), 1);  // nothing was sent by those keys

    // Both tables hold the same deal, each from its own seat.
    const GameState& hostState = tables.host.CurrentGame().State();
    const GameState& clientState = tables.client.CurrentGame().State();
    for (int n = 1; n <= 4; ++n)
        EXPECT_EQ(hostState.Hand[TablePositionOf(1, n)], clientState.Hand[TablePositionOf(2, n)])
            << "seat " << n;
    tables.host.grab().save(QStringLiteral(KESP_BUILD_DIR "/screenshot-lan-host.png"));
    tables.client.grab().save(QStringLiteral(KESP_BUILD_DIR "/screenshot-lan-client.png"));

    std::array<int, 4> hostScores{}, clientScores{};
    bool settled = false;
    for (int idle = 0; idle < 3000;) {
        if (hostState.GameOver && clientState.GameOver && hostState.Settled && clientState.Settled &&
            !settled) {
            settled = true;
            hostScores = ScoresBySeat(tables.host, 1);
            clientScores = ScoresBySeat(tables.client, 2);
            EXPECT_EQ(hostState.DealNo, clientState.DealNo);
        }
        if (settled) {
            // "Exit to menu" on both.
            for (TForm1* w : {&tables.host, &tables.client}) {
                QPushButton* second = Child(*w, "Button8");
                if (w->CurrentScreen() == TForm1::Screen::Table && second->isVisible() && second->isEnabled())
                    QTest::mouseClick(second, Qt::LeftButton);
            }
            if (tables.host.CurrentScreen() == TForm1::Screen::Menu &&
                tables.client.CurrentScreen() == TForm1::Screen::Menu)
                break;
        }
        const bool moved = PlayOneStep(tables.host) | PlayOneStep(tables.client);
        if (!moved) {
            QTest::qWait(30);
            ++idle;
        } else {
            idle = 0;
        }
        ASSERT_TRUE(tables.host.CurrentScreen() != TForm1::Screen::Menu || settled)
            << "the host left the game";
    }
    ASSERT_TRUE(settled);
    EXPECT_EQ(hostScores, clientScores);
    ASSERT_TRUE(WaitFor([&] {
        return tables.host.CurrentScreen() == TForm1::Screen::Menu &&
               tables.client.CurrentScreen() == TForm1::Screen::Menu;
    }));
    EXPECT_TRUE(tables.boxes.empty()) << tables.boxes.front().toStdString();

    // Each machine recorded the game in its network club and its history, with the names of the
    // seats from its own down to seat 1.
    const auto hostRecord = ReadMember((tables.Folder(tables.host) + "Kesp.net").toStdString(), 1);
    ASSERT_TRUE(hostRecord.has_value());
    EXPECT_TRUE(hostRecord->Name.starts_with("Hana"));
    EXPECT_EQ(hostRecord->Games, 1);
    const auto clientRecord = ReadMember((tables.Folder(tables.client) + "Kesp.net").toStdString(), 1);
    ASSERT_TRUE(clientRecord.has_value());
    EXPECT_TRUE(clientRecord->Name.starts_with("Kai"));
    const QByteArray hostHistory = FileBytes(tables.Folder(tables.host) + "History/Kesp_I0001.hst");
    const QByteArray clientHistory = FileBytes(tables.Folder(tables.client) + "History/Kesp_I0001.hst");
    EXPECT_EQ(hostHistory.mid(15, 51).trimmed(), "Hana");
    EXPECT_EQ(clientHistory.mid(15, 51).trimmed(), "Kai/Hana");
    EXPECT_EQ(hostHistory.mid(89, 1), "N");
    EXPECT_EQ(clientHistory.mid(89, 1), "N");
}

TEST(LanGame, APlayerLostInTheMiddleOfADealEndsTheGameOnTheOtherTable) {
    for (const bool hostLeaves : {false, true}) {
        auto tables = std::make_unique<TwoTables>();
        ASSERT_TRUE(tables->Seat());
        TForm1& leaving = hostLeaves ? tables->host : tables->client;
        TForm1& staying = hostLeaves ? tables->client : tables->host;
        const QString club = tables->Folder(staying) + "Kesp.net";
        const QByteArray clubBefore = FileBytes(club);
        // A few steps into the deal, the other program goes away.
        for (int i = 0; i < 3; ++i) PlayOneStep(tables->host);
        ASSERT_TRUE(staying.CurrentGame().State().DealRunning);
        leaving.Lan().Session().Close();
        ASSERT_TRUE(WaitFor([&] { return staying.CurrentScreen() == TForm1::Screen::Menu; }, 10000))
            << hostLeaves;
        ASSERT_EQ(tables->boxes.size(), 1u) << hostLeaves;
        EXPECT_EQ(tables->boxes.front(),
                  "One of player has interrupted game!\n\rPress OK for exit to the main menu...");
        EXPECT_FALSE(staying.TableChatBox().Field()->isVisible());
        EXPECT_EQ(FileBytes(club), clubBefore) << hostLeaves;
    }
}

// A client whose host does not answer is told so on the wait window's next tick; Cancel takes it
// back to the welcome window, which stays open.
// The host goes away while the client rests after a trick that flew to its winner: the client's
// wait is abandoned, the box says so over the table, and its OK brings the menu back.
TEST(LanGame, AHostLeavingDuringTheRestAfterATrickEndsTheGameOnTheClient) {
    TwoTables tables({.flights = true, .sounds = false, .pace = 1});
    ASSERT_TRUE(tables.Seat());
    const Game& client = tables.client.CurrentGame();
    const QString club = tables.Folder(tables.client) + "Kesp.net";
    const QByteArray clubBefore = FileBytes(club);
    auto resting = [&] {
        return client.Waiting() && client.State().Phase == phase::TrickComplete &&
               !tables.client.Flights().Running();
    };
    for (int i = 0; i < 5000 && !resting(); ++i)
        if (!(PlayOneStep(tables.host) | PlayOneStep(tables.client))) QTest::qWait(5);
    ASSERT_TRUE(resting());
    tables.host.Lan().Session().Close();
    ASSERT_TRUE(WaitFor([&] { return tables.client.CurrentScreen() == TForm1::Screen::Menu; }, 10000));
    ASSERT_EQ(tables.boxes.size(), 1u);
    EXPECT_EQ(tables.boxes.front(),
              "One of player has interrupted game!\n\rPress OK for exit to the main menu...");
    EXPECT_FALSE(client.Waiting());
    EXPECT_FALSE(client.State().DealRunning);
    EXPECT_EQ(FileBytes(club), clubBefore);
}

TEST(LanGame, AClientThatFindsNoGameIsToldSoAndCancels) {
    QTemporaryDir dir;
    TForm1 window(NetworkFolder(dir).toStdString());
    window.show();
    ASSERT_TRUE(WaitFor([&] { return window.CurrentScreen() == TForm1::Screen::Title; }));
    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(380, 250));
    const std::uint16_t closedPort = FreePort();
    QString told;
    int logins = 0;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* login = qobject_cast<WelcomeDialog*>(modal)) {
            if (++logins > 1) {  // back from the wait: leave the dialog
                login->reject();
                return;
            }
            login->NameEdit()->setText(QStringLiteral("Lone"));
            login->Lan()->ClientButton()->click();
            login->Lan()->AddressEdit()->setText(QStringLiteral("127.0.0.1"));
            login->Lan()->PortEdit()->setText(QString::number(closedPort));
            QTimer::singleShot(0, login->OkButton(), &QPushButton::click);
        } else if (auto* wait = qobject_cast<WaitWindow*>(modal)) {
            if (wait->Line(1)->text() == "Expectation of game...") return;
            told = wait->Line(1)->text();
            wait->CancelButton()->click();
        }
    });
    answer.start(50);
    Child(window, "Button6")->click();
    EXPECT_EQ(told, "There are no accessible games");
    EXPECT_EQ(logins, 2);
    EXPECT_EQ(window.CurrentScreen(), TForm1::Screen::Menu);
    EXPECT_EQ(window.Lan().Session().LanHandshake(), 0);
}

// The final scores of a kesp-sim player's trace ("settle" and four scores by its table positions),
// by network seat 1..4.
std::array<int, 4> SettledBySeat(const QByteArray& out, const QByteArray& err) {
    std::array<int, 4> scores{};
    const int own = err.mid(err.indexOf("seated at network seat ") + 23, 1).toInt();
    QList<QByteArray> settle;
    for (const QByteArray& line : out.split('\n'))
        if (line.startsWith("settle")) settle = line.simplified().split(' ');
    if (own < 2 || settle.size() != 5) return scores;
    for (int n = 1; n <= 4; ++n)
        scores[static_cast<std::size_t>(n - 1)] = settle[TablePositionOf(own, n)].toInt();
    return scores;
}

// The host's window with two computer players joined from kesp-sim processes: the wait window
// lists both, the table names them, and every machine ends the game with the same scores.
TEST(LanGame, AHostWindowPlaysAWholeGameWithTwoKespSimClients) {
    QTemporaryDir dir;
    const QString folder = NetworkFolder(dir);
    TForm1 host(folder.toStdString());
    host.show();
    ASSERT_TRUE(WaitFor([&] { return host.CurrentScreen() == TForm1::Screen::Title; }));
    QTest::mouseClick(&host, Qt::LeftButton, {}, QPoint(380, 250));
    const std::uint16_t port = FreePort();
    std::array<QProcess, 2> sims;
    QStringList waitLines;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* login = qobject_cast<WelcomeDialog*>(modal)) {
            login->NameEdit()->setText(QStringLiteral("Ines"));
            login->Lan()->PortEdit()->setText(QString::number(port));
            QTimer::singleShot(0, login->OkButton(), &QPushButton::click);
        } else if (auto* wait = qobject_cast<WaitWindow*>(modal)) {
            if (sims[0].state() == QProcess::NotRunning) {
                for (int i = 0; i < 2; ++i)
                    sims[static_cast<std::size_t>(i)].start(
                        QStringLiteral(KESP_BUILD_DIR "/tools/sim/kesp-sim"),
                        {"lan-join", "--address", "127.0.0.1", "--port", QString::number(port), "--name",
                         i == 0 ? "SimA" : "SimB"});
            } else if (wait->Line(3)->isVisible() && waitLines.isEmpty()) {
                for (int n = 1; n <= 4; ++n)
                    waitLines.push_back(wait->Line(n)->isVisible() ? wait->Line(n)->text() : "");
                QTimer::singleShot(0, wait->OkButton(), &QPushButton::click);
            }
        }
    });
    answer.start(30);
    Child(host, "Button6")->click();
    ASSERT_EQ(host.CurrentScreen(), TForm1::Screen::Table);
    EXPECT_EQ(waitLines,
              QStringList({"Expectation of connection of other players...",
                           "The second player was connected...", "The third player was connected...", ""}));
    const GameState& gs = host.CurrentGame().State();
    for (int i = 0; i < 20000 && !(gs.GameOver && gs.Settled); ++i)
        if (!PlayOneStep(host)) QTest::qWait(20);
    ASSERT_TRUE(gs.GameOver && gs.Settled);
    const std::array<int, 4> hostScores = ScoresBySeat(host, 1);
    QTest::mouseClick(Child(host, "Button8"), Qt::LeftButton);  // "Exit to menu"
    ASSERT_TRUE(WaitFor([&] { return host.CurrentScreen() == TForm1::Screen::Menu; }));
    for (QProcess& sim : sims) {
        if (sim.state() != QProcess::NotRunning) {
            ASSERT_TRUE(sim.waitForFinished(20000));
        }
        EXPECT_EQ(sim.exitCode(), 0);
        const QByteArray err = sim.readAllStandardError();
        EXPECT_EQ(SettledBySeat(sim.readAllStandardOutput(), err), hostScores) << err.toStdString();
    }
    const QByteArray history = FileBytes(folder + "History/Kesp_I0001.hst");
    EXPECT_EQ(history.mid(15, 51).trimmed(), "Ines");
}

}  // namespace kesp
