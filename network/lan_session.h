// A local-network game between copies of the program: the host's listening socket with its seated
// clients, or a client's socket to the host; the hello and seating, the relay of game messages and
// chat lines, and the end of a running game when a player is lost. Everything runs on the thread
// of the event loop, socket events included.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "network/lan_protocol.h"

class QTcpServer;
class QTcpSocket;

namespace kesp {

class Game;
class LanReader;

class LanSession : public QObject {
    Q_OBJECT
  public:
    explicit LanSession(QObject* parent = nullptr);
    ~LanSession() override;

    // Waiting for the other players (LanHandshake 1). `ownName` is the club name; its first four
    // characters travel. Host: false when the port cannot be opened (ErrorText says why).
    bool Host(std::uint16_t port, std::string_view ownName);
    void Join(const QString& address, std::uint16_t port, std::string_view ownName);
    // The wait window's Cancel, leaving the table, the end of a game: every socket is closed at
    // once and LanHandshake becomes 0.
    void Close();

    // The game the other machines' steps are checked against and applied to. The session keeps
    // its setup's kind, LanRole and LanClientIndex; the caller sets InitialScore (host), GameNo,
    // RunningTotal and the rest before the first deal. A lost player breaks the game off
    // (Game::BreakOff) after peerLost has been handled.
    void AttachGame(Game& game);
    // Host, the wait window's OK: seating ends, connections without a seat are closed. False
    // (nothing changes) while no client is seated. The caller then runs StartDeal(true).
    bool BeginGame();

    // A step made on this machine (TableEvents::Announce): a game message, or the host's deal.
    void Announce(std::string_view message);
    // The table chat: at most 15 characters of code page 1251 (longer text is cut). Nothing is
    // sent for an empty text or without a connection.
    void SendChat(std::string_view text);

    // The game timer's tick while the main menu is shown: closes the host's listening socket when
    // a lost player asked for it.
    void MenuTick();

    std::uint8_t LanRole() const { return lanRole_; }
    int LanClientIndex() const { return lanClientIndex_; }
    std::uint8_t LanHandshake() const { return lanHandshake_; }
    int SeatedClients() const { return lanClientIndex_ + 1; }
    const SeatNames& Names() const { return names_; }
    bool ClientFailure() const { return clientFailure_; }
    bool StartFlag() const { return startFlag_; }
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
    void peerLost();

  private:
    struct Peer;
    void Reset(std::uint8_t role, std::string_view ownName);
    void AcceptConnections();
    void ClosePeer(Peer& peer);
    void HostRead(Peer& peer);
    void ClientRead();
    void HandleHello(Peer& peer, std::string_view text);
    void SeatClient(Peer& peer, const SeatName& name);
    void HandleSeating(std::string_view message);
    void HandleChat(std::string_view message, int connection);
    void HandleGameMessage(std::string_view message, int connection);
    void HandleDeal(std::string_view message);
    void SendTo(unsigned connections, std::string_view message);
    void SendToHost(std::string_view message);
    void PeerGone(Peer& peer);
    void HostGone();
    void LosePlayer();
    bool GameIsRunning() const;
    void SyncSetup();
    void Reject(std::string_view what, std::string_view message);

    Game* game_ = nullptr;
    std::uint8_t lanRole_ = 0;
    int lanClientIndex_ = -1;
    std::uint8_t lanHandshake_ = 0;
    SeatNames names_;
    std::array<SeatName, 5> byNetworkSeat_{};
    SeatName ownName_ = ComputerSeatName;
    bool clientFailure_ = false;
    bool startFlag_ = false;
    bool begun_ = false;         // the game has begun: seating is over
    bool closeRequest_ = false;  // close the listening socket at the next menu tick
    bool helloSent_ = false;
    QString errorText_;

    QTcpServer* server_ = nullptr;
    std::vector<std::unique_ptr<Peer>> pending_;  // accepted, no hello yet
    std::vector<std::unique_ptr<Peer>> seated_;   // connection c is seated_[c]
    std::vector<std::unique_ptr<Peer>> retired_;  // closed, freed once their events are over
    QTcpSocket* socket_ = nullptr;                // a client's connection to the host
    std::unique_ptr<LanReader> hostReader_;
};

}  // namespace kesp
