#include "network/lan_session.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <utility>

#include "engine/game.h"
#include "engine/game_messages.h"
#include "network/lan_reader.h"
#include "network/message_check.h"

namespace kesp {
namespace {

// Connections accepted and not yet seated at one time; more are closed at once.
constexpr std::size_t kMaxPendingConnections = 8;
constexpr unsigned kEveryConnection = (1u << MaxLanClients) - 1;

// Bytes as they can be read in a log line: printable ASCII as it is, anything else as \xNN.
std::string Printable(std::string_view bytes) {
    std::string out;
    for (std::size_t i = 0; i < bytes.size() && i < 120; ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c >= 0x20 && c < 0x7f && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            out += hex;
        }
    }
    if (bytes.size() > 120) out += "...";
    return out;
}

void PrepareSocket(QTcpSocket& socket) {
    socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    socket.setReadBufferSize(static_cast<qint64>(LanReader::Capacity) * 16);
}

// Closes a socket once what was written to it has gone out; it frees itself afterwards.
void Release(QTcpSocket* socket, QObject* listener) {
    if (socket == nullptr) return;
    QObject::disconnect(socket, nullptr, listener, nullptr);
    QObject::connect(socket, &QAbstractSocket::disconnected, socket, &QObject::deleteLater);
    socket->flush();
    socket->disconnectFromHost();
    if (socket->state() == QAbstractSocket::UnconnectedState) socket->deleteLater();
}

// Takes what has arrived in pieces the reader has room for, handling the messages of each piece
// before reading on, so a flood of bytes never grows a buffer.
template <typename Handle>
void Drain(QTcpSocket* socket, LanReader& reader, const Handle& handle) {
    char piece[512];
    while (socket != nullptr && socket->bytesAvailable() > 0) {
        const qint64 n = socket->read(
            piece, static_cast<qint64>(std::min(sizeof piece, std::max<std::size_t>(reader.Room(), 1))));
        if (n <= 0) return;
        reader.Feed(std::string_view(piece, static_cast<std::size_t>(n)));
        LanMessage message;
        while (reader.Next(message))
            if (!handle(message)) return;
    }
}

}  // namespace

struct LanSession::Peer {
    QTcpSocket* socket = nullptr;
    LanReader reader{LanReaderSide::Host};
    int connection = -1;  // 0..2 once seated
    bool closed = false;
};

LanSession::LanSession(QObject* parent) : QObject(parent) {}

LanSession::~LanSession() {
    Close();
}

bool LanSession::IsListening() const {
    return server_ != nullptr && server_->isListening();
}

std::uint16_t LanSession::ListeningPort() const {
    return IsListening() ? server_->serverPort() : 0;
}

void LanSession::Reset(std::uint8_t role, std::string_view ownName) {
    Close();
    closeRequest_ = false;
    if (server_ != nullptr) {
        server_->close();
        server_->deleteLater();
        server_ = nullptr;
    }
    lanRole_ = role;
    lanClientIndex_ = -1;
    lanHandshake_ = 1;
    begun_ = false;
    startFlag_ = false;
    helloSent_ = false;
    errorText_.clear();
    ownName_ = MakeSeatName(ownName);
    byNetworkSeat_.fill(ComputerSeatName);
    byNetworkSeat_[1] = ownName_;
    names_ = NamesByPosition(byNetworkSeat_, 1);
    SyncSetup();
}

bool LanSession::Host(std::uint16_t port, std::string_view ownName) {
    Reset(1, ownName);
    clientFailure_ = false;
    server_ = new QTcpServer(this);
    if (!server_->listen(QHostAddress::Any, port)) {
        errorText_ = server_->errorString();
        delete server_;
        server_ = nullptr;
        lanHandshake_ = 0;
        return false;
    }
    connect(server_, &QTcpServer::newConnection, this, &LanSession::AcceptConnections);
    return true;
}

void LanSession::Join(const QString& address, std::uint16_t port, std::string_view ownName) {
    Reset(2, ownName);
    // Set until the host seats this machine: a client the host does not answer hears that there
    // are no accessible games.
    clientFailure_ = true;
    hostReader_ = std::make_unique<LanReader>(LanReaderSide::Client);
    socket_ = new QTcpSocket(this);
    PrepareSocket(*socket_);
    connect(socket_, &QTcpSocket::connected, this, [this] {
        if (lanRole_ > 1 && lanHandshake_ == 1 && !helloSent_) {
            helloSent_ = true;
            SendToHost(MakeHello(ownName_));
        }
    });
    connect(socket_, &QTcpSocket::readyRead, this, &LanSession::ClientRead);
    connect(socket_, &QTcpSocket::disconnected, this, &LanSession::HostGone);
    connect(socket_, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError) {
        if (startFlag_) return;  // a seated client learns of the loss from the disconnection
        clientFailure_ = true;
        Release(std::exchange(socket_, nullptr), this);
        emit connectionLost();
        emit clientFailed();
    });
    socket_->connectToHost(address, port);
}

void LanSession::Close() {
    for (auto* list : {&pending_, &seated_})
        for (auto& peer : *list) {
            ClosePeer(*peer);
            retired_.push_back(std::move(peer));
        }
    pending_.clear();
    seated_.clear();
    if (!retired_.empty()) QTimer::singleShot(0, this, [this] { retired_.clear(); });
    Release(std::exchange(socket_, nullptr), this);
    // After a lost player the listening socket waits for the next tick of the menu.
    if (server_ != nullptr && !closeRequest_) {
        server_->close();
        server_->deleteLater();
        server_ = nullptr;
    }
    lanHandshake_ = 0;
    begun_ = false;
}

void LanSession::MenuTick() {
    if (!closeRequest_) return;
    closeRequest_ = false;
    if (server_ != nullptr) {
        server_->close();
        server_->deleteLater();
        server_ = nullptr;
    }
}

void LanSession::AttachGame(Game& game) {
    game_ = &game;
    SyncSetup();
}

void LanSession::SyncSetup() {
    if (game_ == nullptr || lanRole_ == 0) return;
    TableSetup& setup = game_->Setup();
    setup.kind = lanRole_ == 1 ? GameKind::LanHost : GameKind::LanClient;
    setup.LanRole = lanRole_;
    setup.LanClientIndex = lanClientIndex_;
}

bool LanSession::BeginGame() {
    if (lanRole_ != 1 || lanHandshake_ != 1 || lanClientIndex_ < 0) return false;
    for (auto& peer : pending_) ClosePeer(*peer);
    pending_.clear();
    lanHandshake_ = 2;
    begun_ = true;
    startFlag_ = true;
    SyncSetup();
    return true;
}

void LanSession::Announce(std::string_view message) {
    if (message.empty() || lanHandshake_ == 0) return;
    if (lanRole_ == 1) {
        if (message[0] == 'b' && message.size() == DealMessageLength) {
            SendTo(kEveryConnection, message);
            lanHandshake_ = 3;
        } else if (message[0] == 'h') {
            SendTo(RelayTargets(1, lanClientIndex_), message);
        }
    } else if (lanRole_ > 1 && message[0] == 'h') {
        SendToHost(message);
    }
}

void LanSession::SendChat(std::string_view text) {
    text = text.substr(0, ChatTextLimit);
    if (text.empty() || lanRole_ == 0) return;
    if (lanRole_ == 1)
        SendTo(kEveryConnection, MakeChat(1, text));
    else
        SendToHost(MakeChat(lanRole_, text));
}

void LanSession::SendTo(unsigned connections, std::string_view message) {
    for (auto& peer : seated_) {
        if (peer->closed || (connections & (1u << peer->connection)) == 0) continue;
        peer->socket->write(message.data(), static_cast<qint64>(message.size()));
    }
}

void LanSession::SendToHost(std::string_view message) {
    if (socket_ != nullptr && socket_->state() == QAbstractSocket::ConnectedState)
        socket_->write(message.data(), static_cast<qint64>(message.size()));
}

void LanSession::Reject(std::string_view what, std::string_view message) {
    std::cerr << "kesp: network message ignored (" << what << "): " << Printable(message) << "\n";
}

void LanSession::AcceptConnections() {
    std::erase_if(pending_, [](const std::unique_ptr<Peer>& p) { return p->closed; });
    while (server_ != nullptr && server_->hasPendingConnections()) {
        QTcpSocket* socket = server_->nextPendingConnection();
        if (lanHandshake_ != 1 || pending_.size() >= kMaxPendingConnections) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        auto peer = std::make_unique<Peer>();
        peer->socket = socket;
        PrepareSocket(*socket);
        Peer* p = peer.get();
        connect(socket, &QTcpSocket::readyRead, this, [this, p] { HostRead(*p); });
        connect(socket, &QTcpSocket::disconnected, this, [this, p] { PeerGone(*p); });
        pending_.push_back(std::move(peer));
    }
}

void LanSession::ClosePeer(Peer& peer) {
    if (peer.closed) return;
    peer.closed = true;
    Release(std::exchange(peer.socket, nullptr), this);
}

void LanSession::HostRead(Peer& peer) {
    Drain(peer.socket, peer.reader, [this, &peer](const LanMessage& m) {
        if (peer.closed) return false;
        switch (m.kind) {
            case LanMessageKind::Hello:
                HandleHello(peer, m.text);
                break;
            case LanMessageKind::Chat:
                HandleChat(m.text, peer.connection);
                break;
            case LanMessageKind::Game:
                HandleGameMessage(m.text, peer.connection);
                break;
            default:
                Reject("not a message", m.text);
                break;
        }
        return !peer.closed && peer.socket != nullptr;
    });
}

void LanSession::HandleHello(Peer& peer, std::string_view text) {
    const std::optional<SeatName> name = ParseHello(text);
    if (!name) return Reject("a hello for another game", text);
    if (lanHandshake_ != 1 || peer.connection >= 0) return Reject("a hello out of time", text);
    if (lanClientIndex_ + 1 >= MaxLanClients) {
        // The table is full: the late client hears nothing and is let go.
        Reject("a hello at a full table", text);
        ClosePeer(peer);
        return;
    }
    SeatClient(peer, *name);
}

void LanSession::SeatClient(Peer& peer, const SeatName& name) {
    const int index = ++lanClientIndex_;
    peer.connection = index;
    auto it = std::find_if(pending_.begin(), pending_.end(), [&](const auto& p) { return p.get() == &peer; });
    seated_.push_back(std::move(*it));
    pending_.erase(it);
    byNetworkSeat_[static_cast<std::size_t>(ConnectionSeat(index))] = name;
    names_ = NamesByPosition(byNetworkSeat_, 1);
    const auto seating = SeatingMessages(index, byNetworkSeat_);
    for (int c = 0; c <= index; ++c) SendTo(1u << c, seating[static_cast<std::size_t>(c)]);
    SyncSetup();
    emit seatsChanged();
}

void LanSession::HandleChat(std::string_view message, int connection) {
    const std::optional<ChatLine> chat = ParseChat(message);
    if (!chat) return Reject("a broken chat line", message);
    if (lanRole_ == 1) {
        if (connection < 0 || chat->seat != ConnectionSeat(connection))
            return Reject("a chat line under another seat", message);
        SendTo(RelayTargets(chat->seat, lanClientIndex_), message);
    } else if (chat->seat == lanRole_ || !startFlag_) {
        return Reject("a chat line under the own seat", message);
    }
    emit chatReceived(chat->seat, QByteArray(chat->text.data(), static_cast<qsizetype>(chat->text.size())));
}

void LanSession::HandleGameMessage(std::string_view message, int connection) {
    if (game_ == nullptr || !begun_) return Reject("no game is running", message);
    int sender = 0;
    if (lanRole_ == 1) {
        if (connection < 0) return Reject("from a connection without a seat", message);
        sender = ConnectionSeat(connection);
    } else {
        sender = message[4] - '0';
        if (sender < 1 || sender > lanClientIndex_ + 2) return Reject("from an empty seat", message);
    }
    const MessageVerdict verdict = CheckGameMessage(*game_, message, sender);
    if (verdict != MessageVerdict::Ok) return Reject(VerdictText(verdict), message);
    if (lanRole_ == 1) SendTo(RelayTargets(sender, lanClientIndex_), message);
    game_->ApplyGameMessage(message);
    emit gameMessageApplied(QByteArray(message.data(), static_cast<qsizetype>(message.size())));
}

void LanSession::HandleDeal(std::string_view message) {
    if (game_ == nullptr || !begun_) return Reject("a deal before the game", message);
    const MessageVerdict verdict = CheckDealMessage(*game_, message);
    if (verdict != MessageVerdict::Ok) return Reject(VerdictText(verdict), message);
    SyncSetup();
    if (!game_->ReceiveDeal(message)) return Reject("a deal that cannot be dealt", message);
    emit dealReceived();
}

void LanSession::HandleSeating(std::string_view message) {
    const std::optional<Seating> seating = ParseSeating(message, lanRole_, lanHandshake_);
    if (!seating) return Reject("a seating message out of time", message);
    byNetworkSeat_ = seating->byNetworkSeat;
    lanClientIndex_ = seating->lanClientIndex;
    if (seating->ownSeat) {
        lanRole_ = static_cast<std::uint8_t>(seating->networkSeat);
        lanHandshake_ = 2;
        startFlag_ = true;
        begun_ = true;
        clientFailure_ = false;
    }
    names_ = NamesByPosition(byNetworkSeat_, lanRole_);
    SyncSetup();
    if (seating->ownSeat) emit seated();
    emit seatsChanged();
}

void LanSession::ClientRead() {
    Drain(socket_, *hostReader_, [this](const LanMessage& m) {
        switch (m.kind) {
            case LanMessageKind::Chat:
                HandleChat(m.text, -1);
                break;
            case LanMessageKind::Abort:
                LosePlayer();
                break;
            case LanMessageKind::Seating:
                HandleSeating(m.text);
                break;
            case LanMessageKind::Deal:
                HandleDeal(m.text);
                break;
            case LanMessageKind::Game:
                HandleGameMessage(m.text, -1);
                break;
            default:
                Reject("not a message", m.text);
                break;
        }
        return socket_ != nullptr;
    });
}

bool LanSession::GameIsRunning() const {
    if (!begun_) return false;
    return game_ == nullptr || !game_->State().GameOver;
}

void LanSession::PeerGone(Peer& peer) {
    if (peer.closed) return;
    const bool seated = peer.connection >= 0;
    ClosePeer(peer);
    if (!seated) return;
    emit connectionLost();
    // Before the game begins a seated client that leaves breaks the table up too: the others'
    // seats and names were given with it.
    if (GameIsRunning() || lanHandshake_ == 1) LosePlayer();
}

void LanSession::HostGone() {
    Release(std::exchange(socket_, nullptr), this);
    emit connectionLost();
    if (GameIsRunning()) {
        LosePlayer();
    } else if (!startFlag_) {
        clientFailure_ = true;
        emit clientFailed();
    }
}

void LanSession::LosePlayer() {
    if (lanHandshake_ == 0) return;
    if (lanRole_ == 1) {
        if (lanClientIndex_ >= 1) SendTo(RelayTargets(NobodySeat, lanClientIndex_), AbortMessage);
        closeRequest_ = true;
    }
    Close();
    emit peerLost();
    if (game_ != nullptr && startFlag_) game_->BreakOff();
    startFlag_ = false;
}

}  // namespace kesp
