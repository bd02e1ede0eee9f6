// The connection to the online game server on a Qt Network socket. Every decision is the
// Qt-free OnlineSessionCore's; this shell carries its actions out on the socket, ticks the move
// clock once a second and turns the core's events into signals. Socket events are taken from
// queued calls, so no socket handler is on the stack while the game or the table reacts.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <string_view>

#include "network/online_session_core.h"

class QTcpSocket;

namespace kesp {

class Game;

class OnlineSession : public QObject {
    Q_OBJECT
  public:
    explicit OnlineSession(QObject* parent = nullptr);
    ~OnlineSession() override;

    // Bounds and the clock's second (tests shorten it); set before Connect.
    void SetLimits(const OnlineLimits& limits, int clockSecondMs = 1000);
    void AttachGame(Game& game) { core_.AttachGame(game); }
    void DeferWhile(std::function<bool()> busy) { core_.DeferWhile(std::move(busy)); }
    void DeliverDeferred();

    // Seat 1..4 taken at the table served on host:port: connects and greets once writable.
    void Connect(const QString& host, quint16 port, int seat);
    // Leaving the seat before the game: "disA", the connection closes, state 0.
    void Leave();
    // The own steps (TableEvents::Announce) and the table chat (code page 1251 bytes).
    void Announce(std::string_view message) {
        core_.Announce(message);
        Flush();
    }
    void SendChat(std::string_view text) {
        core_.SendChat(text);
        Flush();
    }

    OnlineState State() const { return core_.State(); }
    int Seat() const { return core_.Seat(); }
    const MoveClock& Clock() const { return core_.Clock(); }
    bool TakeConnectionError() { return core_.TakeConnectionError(); }
    bool IsConnected() const;

  signals:
    void greeted();
    void dealArrived(bool firstOfGame);
    void gameMessageApplied(const QByteArray& message);
    void chatReceived(int seat, const QByteArray& text);
    void gameEnded();
    // `position`: the table position of the player concerned.
    void playerLeft(int position);
    void playerTimedOut(int position);
    void ownTimeUp();
    void connectionLost();
    void connectionError();
    // No deal came within the deal wait: the seat was let go on the game server ("disA").
    void noDeal();
    // The clock was restarted, ticked or stopped (Clock() tells how it stands).
    void clockChanged();

  private:
    void ReadSoon();
    void Read();
    void Gone();
    void Release();
    void Flush();
    void Execute(OnlineAction& action);

    OnlineSessionCore core_;
    QTcpSocket* socket_ = nullptr;
    bool readPosted_ = false;
    QTimer clock_;
    QTimer watch_;  // the connect and deal time-outs while connected
};

}  // namespace kesp
