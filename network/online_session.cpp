#include "network/online_session.h"

#include <QTcpSocket>
#include <algorithm>
#include <iostream>

namespace kesp {
namespace {

constexpr qint64 kReadBudget = 16 * 1024;  // bytes read before other events get their turn
constexpr int kGracefulCloseMs = 2000;
constexpr int kWatchMs = 250;

}  // namespace

OnlineSession::OnlineSession(QObject* parent) : QObject(parent) {
    clock_.setInterval(1000);
    connect(&clock_, &QTimer::timeout, this, [this] {
        core_.ClockSecond();
        Flush();
    });
    watch_.setInterval(kWatchMs);
    connect(&watch_, &QTimer::timeout, this, [this] {
        core_.Tick(LanClock::now());
        Flush();
    });
}

OnlineSession::~OnlineSession() {
    if (socket_ != nullptr) {
        QObject::disconnect(socket_, nullptr, this, nullptr);
        socket_->abort();
        delete socket_;
    }
}

void OnlineSession::SetLimits(const OnlineLimits& limits, int clockSecondMs) {
    core_.SetLimits(limits);
    clock_.setInterval(std::max(1, clockSecondMs));
}

bool OnlineSession::IsConnected() const {
    return socket_ != nullptr && socket_->state() == QAbstractSocket::ConnectedState;
}

void OnlineSession::Connect(const QString& host, quint16 port, int seat) {
    core_.Connect(seat, LanClock::now());
    Flush();  // closes an older connection first
    if (core_.State() != OnlineState::Connecting) return;
    socket_ = new QTcpSocket(this);
    socket_->setReadBufferSize(OnlineReader::Capacity);
    connect(socket_, &QTcpSocket::connected, this, [this] {
        QMetaObject::invokeMethod(
            this,
            [this] {
                core_.Writable();
                Flush();
            },
            Qt::QueuedConnection);
    });
    connect(socket_, &QTcpSocket::readyRead, this, &OnlineSession::ReadSoon);
    connect(socket_, &QTcpSocket::bytesWritten, this,
            [this](qint64 n) { core_.Written(static_cast<std::size_t>(std::max<qint64>(n, 0))); });
    // Behind the reads already asked for, so the server's last frames are read before its loss.
    const auto gone = [this] { QMetaObject::invokeMethod(this, &OnlineSession::Gone, Qt::QueuedConnection); };
    connect(socket_, &QTcpSocket::disconnected, this, gone);
    connect(socket_, &QTcpSocket::errorOccurred, this, gone);
    watch_.start();
    socket_->connectToHost(host, port);
}

void OnlineSession::Leave() {
    core_.Leave();
    Flush();
}

void OnlineSession::DeliverDeferred() {
    while (core_.DeliverOneDeferred(LanClock::now())) Flush();
}

void OnlineSession::ReadSoon() {
    if (readPosted_) return;
    readPosted_ = true;
    QMetaObject::invokeMethod(this, &OnlineSession::Read, Qt::QueuedConnection);
}

// Takes what has arrived in pieces the core's reader has room for; a frame may close the
// connection, so the socket is looked at again after every piece.
void OnlineSession::Read() {
    readPosted_ = false;
    qint64 budget = kReadBudget;
    while (socket_ != nullptr && socket_->bytesAvailable() > 0) {
        if (budget <= 0) return ReadSoon();
        char piece[512];
        const qint64 wanted =
            std::min<qint64>({static_cast<qint64>(sizeof piece), static_cast<qint64>(core_.Room()), budget});
        const qint64 n = wanted > 0 ? socket_->read(piece, wanted) : 0;
        if (n <= 0) return;
        core_.Receive(std::string_view(piece, static_cast<std::size_t>(n)), LanClock::now());
        budget -= n;
        Flush();
    }
}

void OnlineSession::Gone() {
    if (socket_ == nullptr) return;
    Read();
    if (socket_ == nullptr) return;
    core_.Disconnected();
    Flush();
}

void OnlineSession::Release() {
    watch_.stop();
    if (socket_ == nullptr) return;
    QTcpSocket* socket = std::exchange(socket_, nullptr);
    QObject::disconnect(socket, nullptr, this, nullptr);
    if (socket->state() == QAbstractSocket::ConnectedState) {
        // The last words ("disA", "TOut") go out before the connection closes.
        connect(socket, &QAbstractSocket::disconnected, socket, &QObject::deleteLater);
        QTimer::singleShot(kGracefulCloseMs, socket, [socket] { socket->abort(); });
        socket->flush();
        socket->disconnectFromHost();
        if (socket->state() == QAbstractSocket::UnconnectedState) socket->deleteLater();
    } else {
        socket->abort();
        socket->deleteLater();
    }
}

void OnlineSession::Flush() {
    while (core_.HasAction()) {
        OnlineAction action = core_.TakeAction();
        Execute(action);
    }
}

void OnlineSession::Execute(OnlineAction& action) {
    switch (action.kind) {
        case OnlineAction::Kind::Send:
            if (socket_ != nullptr)
                socket_->write(action.bytes.data(), static_cast<qint64>(action.bytes.size()));
            return;
        case OnlineAction::Kind::Close:
            return Release();
        case OnlineAction::Kind::Event:
            break;
    }
    const QByteArray bytes(action.bytes.data(), static_cast<qsizetype>(action.bytes.size()));
    switch (action.event) {
        case OnlineEvent::Log:
            std::cerr << action.bytes << std::endl;
            return;
        case OnlineEvent::Greeted:
            emit greeted();
            return;
        case OnlineEvent::DealArrived:
            emit dealArrived(action.seat == 1);
            return;
        case OnlineEvent::GameMessageApplied:
            emit gameMessageApplied(bytes);
            return;
        case OnlineEvent::ChatReceived:
            emit chatReceived(action.seat, bytes);
            return;
        case OnlineEvent::GameEnded:
            emit gameEnded();
            return;
        case OnlineEvent::PlayerLeft:
            emit playerLeft(action.seat);
            return;
        case OnlineEvent::PlayerTimedOut:
            emit playerTimedOut(action.seat);
            return;
        case OnlineEvent::OwnTimeUp:
            emit ownTimeUp();
            return;
        case OnlineEvent::ConnectionLost:
            emit connectionLost();
            return;
        case OnlineEvent::ConnectionError:
            emit connectionError();
            return;
        case OnlineEvent::NoDeal:
            emit noDeal();
            return;
        case OnlineEvent::ClockChanged:
            // A restarted countdown gets a whole second.
            if (core_.Clock().running)
                clock_.start();
            else
                clock_.stop();
            emit clockChanged();
            return;
    }
}

}  // namespace kesp
