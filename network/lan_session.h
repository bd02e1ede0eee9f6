// A local-network game between copies of the program on Qt Network sockets: the host's listening
// socket with its connections, or a client's socket to the host. Every decision is the Qt-free
// LanSessionCore's; this shell carries its actions out on the sockets and turns them into signals.
// Everything runs on the thread of the event loop. Socket events are taken from queued calls, so
// no socket's own handler is on the stack while the game or the table reacts to a message, and a
// socket is only ever freed with deleteLater.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <map>
#include <string_view>
#include <vector>

#include "network/lan_protocol.h"
#include "network/lan_session_core.h"

class QTcpServer;
class QTcpSocket;

namespace kesp {

class Game;

class LanSession : public QObject {
    Q_OBJECT
  public:
    explicit LanSession(QObject* parent = nullptr);
    ~LanSession() override;

    // Time-outs and bounds (tests and kesp-sim shorten them); set before Host or Join.
    void SetLimits(const LanLimits& limits) { core_.SetLimits(limits); }

    // Waiting for the other players (LanHandshake 1). `ownName` is the club name; its first four
    // characters travel. Host: false when the port cannot be opened (ErrorText says why).
    bool Host(std::uint16_t port, std::string_view ownName);
    void Join(const QString& address, std::uint16_t port, std::string_view ownName);
    // The wait window's Cancel, leaving the table, the end of a game: every socket is closed at
    // once and LanHandshake becomes 0. Signals not yet given for what came before are dropped.
    void Close();

    // The game the other machines' steps are checked against and applied to. The session keeps
    // its setup's kind, LanRole and LanClientIndex; the caller sets InitialScore (host), GameNo,
    // RunningTotal and the rest before the first deal. A lost player breaks the game off
    // (Game::BreakOff) after peerLost has been handled.
    void AttachGame(Game& game) { core_.AttachGame(game); }
    // Host, the wait window's OK: seating ends, connections without a seat are closed. False
    // (nothing changes) while no client is seated. The caller then runs StartDeal(true).
    bool BeginGame();

    // While `busy()` holds, received game messages and deals are kept, in order, instead of being
    // checked and applied (and, on the host, relayed); DeliverDeferred() handles them (in order)
    // once the game can take them. Chat lines are shown at once.
    void DeferWhile(std::function<bool()> busy) { core_.DeferWhile(std::move(busy)); }
    // Stops as soon as busy() holds again; safe to call any time.
    void DeliverDeferred();

    // A step made on this machine (TableEvents::Announce): a game message, or the host's deal.
    void Announce(std::string_view message);
    // The table chat: at most 15 characters of code page 1251 (longer text is cut). Nothing is
    // sent for an empty text or without a connection.
    void SendChat(std::string_view text);

    // The game timer's tick while the main menu is shown: closes the host's listening socket when
    // a lost player asked for it.
    void MenuTick();

    std::uint8_t LanRole() const { return core_.LanRole(); }
    int LanClientIndex() const { return core_.LanClientIndex(); }
    std::uint8_t LanHandshake() const { return core_.LanHandshake(); }
    int SeatedClients() const { return core_.LanClientIndex() + 1; }
    const SeatNames& Names() const { return core_.Names(); }
    bool ClientFailure() const { return core_.ClientFailure(); }
    bool StartFlag() const { return core_.StartFlag(); }
    bool IsListening() const;
    std::uint16_t ListeningPort() const;  // the port actually opened (port 0 picks a free one)
    const QString& ErrorText() const { return errorText_; }

  signals:
    // Host: a client has been seated (LanClientIndex and Names changed). Client: the names or the
    // number of clients changed.
    void seatsChanged();
    // Client: the host has seated this machine (start flag set, LanRole is the own network seat).
    void seated();
    // Client: the connection failed or broke before seating (ClientFailure is set).
    void clientFailed();
    // Client: a deal from the host has been dealt on the attached game.
    void dealReceived();
    // Another machine's game message was applied to the attached game.
    void gameMessageApplied(const QByteArray& message);
    // A chat line from network seat `seat` (1..4), its text in code page 1251 bytes.
    void chatReceived(int seat, const QByteArray& text);
    // Any connection of this machine went away: the chat field is disabled.
    void connectionLost();
    // A player left a running game: "abort" has gone to the remaining clients and the sockets are
    // handled; the slot shows the error box. The game is broken off right after it returns.
    // Given from a queued call, like clientFailed and connectionLost, never from inside a read.
    void peerLost();

  private:
    struct Link {
        QTcpSocket* socket = nullptr;
        bool readPosted = false;
    };
    struct Later {
        LanEvent event;
        std::uint64_t sessionNo;
    };

    void AcceptConnections();
    void Watch(ConnectionId c, QTcpSocket* socket);
    void ReadSoon(ConnectionId c);
    void Read(ConnectionId c);
    void Gone(ConnectionId c, bool failed);
    void Release(ConnectionId c, bool graceful);
    void CloseServer();
    // Carries out what the core decided, in order.
    void Flush();
    void Execute(LanAction& action);
    void TellLater();
    void ArmDeadline();

    LanSessionCore core_;
    QTcpServer* server_ = nullptr;
    std::map<ConnectionId, Link> links_;
    QTimer deadline_;
    std::vector<Later> later_;  // lifecycle signals waiting for their queued call
    QString errorText_;
};

}  // namespace kesp
