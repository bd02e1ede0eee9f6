#include "network/lan_session.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <algorithm>
#include <iostream>

namespace kesp {
namespace {

// Bytes taken from one connection before the others and the game timer get their turn.
constexpr qint64 kReadBudget = 64 * 1024;
// A socket closed after its last words is cut off if its peer does not take them in this time.
constexpr int kGracefulCloseMs = 2000;

void PrepareSocket(QTcpSocket& socket) {
    socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    socket.setReadBufferSize(static_cast<qint64>(LanReader::Capacity) * 16);
}

}  // namespace

LanSession::LanSession(QObject* parent) : QObject(parent) {
    deadline_.setSingleShot(true);
    connect(&deadline_, &QTimer::timeout, this, [this] {
        core_.Tick(LanClock::now());
        Flush();
    });
}

LanSession::~LanSession() {
    Close();
}

bool LanSession::IsListening() const {
    return server_ != nullptr && server_->isListening();
}

std::uint16_t LanSession::ListeningPort() const {
    return IsListening() ? server_->serverPort() : 0;
}

bool LanSession::Host(std::uint16_t port, std::string_view ownName) {
    core_.Host(ownName);
    Flush();
    CloseServer();
    errorText_.clear();
    server_ = new QTcpServer(this);
    if (!server_->listen(QHostAddress::Any, port)) {
        errorText_ = server_->errorString();
        delete server_;
        server_ = nullptr;
        core_.HostFailed();
        Flush();
        return false;
    }
    connect(server_, &QTcpServer::newConnection, this, &LanSession::AcceptConnections);
    return true;
}

void LanSession::Join(const QString& address, std::uint16_t port, std::string_view ownName) {
    const ConnectionId host = core_.Join(ownName);
    Flush();
    CloseServer();
    errorText_.clear();
    auto* socket = new QTcpSocket(this);
    PrepareSocket(*socket);
    Watch(host, socket);
    connect(socket, &QTcpSocket::connected, this, [this] {
        core_.Connected(LanClock::now());
        Flush();
    });
    connect(socket, &QTcpSocket::errorOccurred, this, [this, host](QAbstractSocket::SocketError) {
        QMetaObject::invokeMethod(
            this, [this, host] { Gone(host, true); }, Qt::QueuedConnection);
    });
    socket->connectToHost(address, port);
}

void LanSession::Close() {
    core_.Close();
    Flush();
    // After a lost player the listening socket waits for the next tick of the menu.
    if (!core_.CloseRequested()) CloseServer();
}

void LanSession::CloseServer() {
    if (server_ == nullptr) return;
    server_->close();
    server_->deleteLater();
    server_ = nullptr;
}

void LanSession::MenuTick() {
    if (core_.TakeCloseRequest()) CloseServer();
}

bool LanSession::BeginGame() {
    const bool begun = core_.BeginGame();
    Flush();
    return begun;
}

void LanSession::DeliverDeferred() {
    while (core_.DeliverOneDeferred(LanClock::now())) Flush();
}

void LanSession::Announce(std::string_view message) {
    core_.Announce(message);
    Flush();
}

void LanSession::SendChat(std::string_view text) {
    core_.SendChat(text);
    Flush();
}

void LanSession::AcceptConnections() {
    while (server_ != nullptr && server_->hasPendingConnections()) {
        QTcpSocket* socket = server_->nextPendingConnection();
        PrepareSocket(*socket);
        const ConnectionId c = core_.Accepted(LanClock::now());
        Watch(c, socket);
        Flush();
        // A hello that came with the connection does not wait for another read event.
        if (links_.contains(c) && socket->bytesAvailable() > 0) ReadSoon(c);
    }
}

void LanSession::Watch(ConnectionId c, QTcpSocket* socket) {
    links_[c] = Link{socket, false};
    connect(socket, &QTcpSocket::readyRead, this, [this, c] { ReadSoon(c); });
    // Behind the reads already asked for, so the last messages of a peer are read before its loss.
    connect(socket, &QTcpSocket::disconnected, this, [this, c] {
        QMetaObject::invokeMethod(
            this, [this, c] { Gone(c, false); }, Qt::QueuedConnection);
    });
    connect(socket, &QTcpSocket::bytesWritten, this,
            [this, c](qint64 n) { core_.Written(c, static_cast<std::size_t>(std::max<qint64>(n, 0))); });
}

void LanSession::ReadSoon(ConnectionId c) {
    const auto it = links_.find(c);
    if (it == links_.end() || it->second.readPosted) return;
    it->second.readPosted = true;
    QMetaObject::invokeMethod(
        this, [this, c] { Read(c); }, Qt::QueuedConnection);
}

// Takes what has arrived in pieces the core's reader has room for, handling each message before
// reading on. A handler may close the connection or the whole session: the socket is looked up
// again after every message and never used once it is gone.
void LanSession::Read(ConnectionId c) {
    if (const auto it = links_.find(c); it != links_.end()) it->second.readPosted = false;
    qint64 budget = kReadBudget;
    for (;;) {
        while (core_.Step(c, LanClock::now())) {
            Flush();
            if (!links_.contains(c)) return;
        }
        const auto it = links_.find(c);
        if (it == links_.end()) return;
        QTcpSocket* socket = it->second.socket;
        if (socket->bytesAvailable() <= 0) return;
        if (budget <= 0) return ReadSoon(c);
        char piece[512];
        const qint64 wanted =
            std::min<qint64>({static_cast<qint64>(sizeof piece), static_cast<qint64>(core_.Room(c)), budget});
        const qint64 n = wanted > 0 ? socket->read(piece, wanted) : 0;
        if (n <= 0) return;
        core_.Receive(c, std::string_view(piece, static_cast<std::size_t>(n)));
        budget -= n;
    }
}

void LanSession::Gone(ConnectionId c, bool failed) {
    if (!links_.contains(c)) return;
    // Whatever the peer sent before it went is handled first.
    Read(c);
    if (!links_.contains(c)) return;
    if (failed)
        core_.ConnectionFailed(c, LanClock::now());
    else
        core_.Disconnected(c, LanClock::now());
    Flush();
}

void LanSession::Release(ConnectionId c, bool graceful) {
    const auto it = links_.find(c);
    if (it == links_.end()) return;
    QTcpSocket* socket = it->second.socket;
    links_.erase(it);
    QObject::disconnect(socket, nullptr, this, nullptr);
    if (graceful && socket->state() == QAbstractSocket::ConnectedState) {
        connect(socket, &QAbstractSocket::disconnected, socket, &QObject::deleteLater);
        QTimer::singleShot(kGracefulCloseMs, socket, [socket] { socket->abort(); });
        socket->flush();  // the last words go out even when the program ends right after
        socket->disconnectFromHost();
        if (socket->state() == QAbstractSocket::UnconnectedState) socket->deleteLater();
    } else {
        socket->abort();
        socket->deleteLater();
    }
}

void LanSession::Flush() {
    while (core_.HasAction()) {
        LanAction action = core_.TakeAction();
        Execute(action);
    }
    ArmDeadline();
}

void LanSession::Execute(LanAction& action) {
    switch (action.kind) {
        case LanAction::Kind::Send:
            if (const auto it = links_.find(action.connection); it != links_.end())
                it->second.socket->write(action.bytes.data(), static_cast<qint64>(action.bytes.size()));
            return;
        case LanAction::Kind::Close:
            return Release(action.connection, action.graceful);
        case LanAction::Kind::Event:
            break;
    }
    const auto bytes = [&action] {
        return QByteArray(action.bytes.data(), static_cast<qsizetype>(action.bytes.size()));
    };
    switch (action.event) {
        case LanEvent::Log:
            std::cerr << action.bytes << std::endl;
            return;
        case LanEvent::SeatsChanged:
            emit seatsChanged();
            return;
        case LanEvent::Seated:
            emit seated();
            return;
        case LanEvent::DealReceived:
            emit dealReceived();
            return;
        case LanEvent::GameMessageApplied:
            emit gameMessageApplied(bytes());
            return;
        case LanEvent::ChatReceived:
            emit chatReceived(action.seat, bytes());
            return;
        case LanEvent::ConnectionLost:
        case LanEvent::ClientFailed:
        case LanEvent::PeerLost:
            later_.push_back({action.event, core_.SessionNo()});
            if (later_.size() == 1)
                QMetaObject::invokeMethod(
                    this, [this] { TellLater(); }, Qt::QueuedConnection);
            return;
    }
}

// The signals that may end the table, given once no socket handler is on the stack; those of a
// session that has since been replaced by a new one are dropped.
void LanSession::TellLater() {
    const std::vector<Later> events = std::move(later_);
    later_.clear();
    for (const Later& later : events) {
        if (later.sessionNo != core_.SessionNo()) continue;
        switch (later.event) {
            case LanEvent::ConnectionLost:
                emit connectionLost();
                break;
            case LanEvent::ClientFailed:
                emit clientFailed();
                break;
            default:
                emit peerLost();
                core_.FinishBreakOff();
                Flush();
                break;
        }
    }
}

void LanSession::ArmDeadline() {
    const std::optional<LanTime> next = core_.NextDeadline();
    if (!next) {
        deadline_.stop();
        return;
    }
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*next - LanClock::now());
    deadline_.start(static_cast<int>(std::clamp<long long>(wait.count(), 0, 60'000)));
}

}  // namespace kesp
