// One player's program at an online table, for the game server's tests and benchmark: its own
// cookie, its own game, one TCP connection to the table; it handles the server's
// frames as the game does and plays its seat with the computer player's rules.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "engine/game.h"
#include "engine/game_messages.h"
#include "network/online_frame.h"
#include "network/service_client.h"
#include "network/service_form.h"
#include "tools/sim/seat_player.h"

namespace kesp::test {

// One player's program: its own cookies, its own game, one connection to the table.
struct Player : TableEvents {
    // `source`: the loopback address the player's program uses (the service limits its writes per
    // address, so a benchmark's forty players come from ten addresses).
    Player(const std::string& base, std::string nickName, int seatNumber, std::string source = "127.0.0.1")
        : base(base), nick(std::move(nickName)), seat(seatNumber), source(std::move(source)) {
        TableSetup& setup = game.Setup();
        setup.kind = GameKind::Online;
        setup.OnlineSeat = static_cast<std::uint8_t>(seat);
        setup.FlyCards = false;
        setup.Tournament = true;
    }
    ~Player() override { Disconnect(); }

    void Announce(std::string_view message) override { outbox.emplace_back(message); }
    std::optional<bool> AskYesNo(WordId, WordId, std::string_view) override { return true; }

    // Creates the account, logs in and takes `seat` of `table`; false when refused.
    bool LogInAndSit(int table) {
        Post("account", FormKind::Text,
             {{"nick", nick},
              {"pw", "secret1"},
              {"city", "Omsk"},
              {"country1", "Russia"},
              {"country2", "1-001"},
              {"sex", "W"},
              {"email", "p@x.ru"},
              {"dater", "01.01.2025"},
              {"R01", "xxx"},
              {"R02", "xxx"},
              {"R03", "xxx"},
              {"R04", "0"},
              {"R05", "0"},
              {"R06", "0"}});
        const auto login =
            Post("account", FormKind::List, {{"nick", nick}, {"pw", "secret1"}, {"label0", "0"}});
        if (!login || !login->starts_with("$")) return false;
        const std::string s = std::to_string(seat);
        const auto taken = Post("tables", FormKind::Text,
                                {{"client4on" + s, "0"},
                                 {"gid", "36"},
                                 {"num", std::to_string(table)},
                                 {"can", "1"},
                                 {"nick" + s, nick},
                                 {"score" + s, "0"},
                                 {"kon" + s, "0"},
                                 {"rating" + s, "0"},
                                 {"country" + s, "Russia"},
                                 {"city" + s, "Omsk"},
                                 {"sex" + s, "W"},
                                 {"ip" + s, "127.0.0.1"}});
        return taken == "ok";
    }

    // A form post as the game words it, from `source`, with this player's cookie; the reply.
    std::optional<std::string> Post(const char* address, FormKind kind, const FormFields& fields) {
        const int http = Dial(std::stoi(base.substr(base.rfind(':') + 1)));
        if (http < 0) return std::nullopt;
        const std::string body = kind == FormKind::List ? ListFormBody(fields) : TextFormBody(fields);
        const std::string request = std::string("POST /") + address +
                                    " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n"
                                    "Content-Type: application/x-www-form-urlencoded\r\n" +
                                    (cookie.empty() ? "" : "Cookie: " + cookie + "\r\n") +
                                    "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
        std::string reply;
        if (send(http, request.data(), request.size(), MSG_NOSIGNAL) ==
            static_cast<ssize_t>(request.size())) {
            char buffer[4096];
            for (ssize_t got; (got = recv(http, buffer, sizeof buffer, 0)) > 0;)
                reply.append(buffer, static_cast<std::size_t>(got));
        }
        close(http);
        const std::size_t head = reply.find("\r\n\r\n");
        if (!reply.starts_with("HTTP/1.1 200") || head == std::string::npos) return std::nullopt;
        const std::size_t set = reply.find("Set-Cookie: ");
        if (set != std::string::npos && set < head)
            cookie = reply.substr(set + 12, reply.find_first_of(";\r", set) - set - 12);
        return reply.substr(head + 4);
    }

    // Connects to the table's port and greets, as the game does once the connection is writable.
    bool Connect(int port) {
        fd = Dial(port);
        return fd >= 0 && Send("connect" + std::to_string(seat));
    }
    // A TCP connection from `source` to the loopback port; -1 on failure.
    int Dial(int port) const {
        const int socketFd = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in from{}, to{};
        from.sin_family = to.sin_family = AF_INET;
        inet_pton(AF_INET, source.c_str(), &from.sin_addr);
        to.sin_port = htons(static_cast<std::uint16_t>(port));
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        // Small frames go out at once, as the game's socket sends them.
        const int yes = 1;
        setsockopt(socketFd, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
        if (bind(socketFd, reinterpret_cast<sockaddr*>(&from), sizeof from) != 0 ||
            connect(socketFd, reinterpret_cast<sockaddr*>(&to), sizeof to) != 0) {
            close(socketFd);
            return -1;
        }
        return socketFd;
    }
    void Disconnect() {
        if (fd >= 0) close(fd);
        fd = -1;
    }
    bool Send(std::string_view message) {
        const std::string frame = OnlineFrame(message, seat);
        ++sent;
        if (transmit) return transmit(frame);
        return send(fd, frame.data(), frame.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(frame.size());
    }

    // Reads what has come within `waitMs` and handles its frames as the game does; false once the
    // server has closed the connection.
    bool Receive(int waitMs) {
        if (fd < 0) return false;
        pollfd polled{fd, POLLIN, 0};
        if (poll(&polled, 1, waitMs) <= 0) return true;
        char buffer[4096];
        const ssize_t got = recv(fd, buffer, sizeof buffer, 0);
        if (got <= 0) {
            closedByServer = true;
            Disconnect();
            return false;
        }
        received += static_cast<std::size_t>(got);
        inbox.append(buffer, static_cast<std::size_t>(got));
        for (;;) {
            const std::size_t length =
                !inbox.empty() && inbox[0] == 'b' ? OnlineDealFrameLength : OnlineFrameLength;
            if (inbox.size() < length) break;
            Handle(inbox.substr(0, length));
            inbox.erase(0, length);
        }
        return true;
    }

    void Handle(const std::string& frame) {
        if (frame[0] == 'b') {
            // The online deal carries no starting score: it is always 100.
            const auto deal = ParseDealMessage(frame + "100");
            if (!deal) {
                badDeal = true;
                return;
            }
            game.State().Deck = deal->deck;
            game.State().DeckValue = deal->values;
            game.StartDeal(!game.State().DealRunning);
            ++deals;
            awaitingServer = false;
        } else if (frame[0] == 'h') {
            game.ApplyGameMessage(std::string_view(frame).substr(0, GameMessageLength));
        } else if (frame[0] == 's') {
            chat.push_back(frame);
        } else {
            control.push_back(frame);
        }
    }

    // One tick of the game as the game's window runs it; the moves made go to the server.
    bool Act() {
        const GameState& gs = game.State();
        if (awaitingServer || !gs.DealRunning || gs.Phase == phase::GameSettled) return false;
        const GameState before = gs;
        if (!sim::PlayOwnSeat(game)) {
            if (game.View().action.enabled)
                game.ActionButton();
            else if (game.TimerRunning())
                game.GameTick();
        }
        for (const std::string& message : outbox) {
            Send(message);
            // The next deal and the game's end come from the server.
            if (message == "bnext" || message[0] == 'o') awaitingServer = true;
        }
        const bool moved = !outbox.empty() || !(before == gs);
        outbox.clear();
        return moved;
    }

    std::string base;
    std::string nick;
    int seat;
    std::string source;
    std::string cookie;
    // Where frames go instead of the connection: a test of the server's core without sockets.
    std::function<bool(const std::string& frame)> transmit;
    Game game{*this};
    int fd = -1;
    std::string inbox;
    std::vector<std::string> outbox, control, chat;
    std::size_t received = 0, sent = 0;
    int deals = 0;
    bool awaitingServer = false, closedByServer = false, badDeal = false;
};

// Table t's port as the game learns it from the tables list: table 1's port - 1 + t; 0 unanswered.
inline int TablePort(const std::string& base, int table) {
    ServiceClient http;
    const auto reply = http.Post(base + "tables", FormKind::List, {{"readtable410", "36"}, {"gid", "36"}});
    if (!reply || reply->find('$') == std::string::npos) return 0;
    std::istringstream values(reply->substr(reply->rfind('$') + 1));  // table 1
    std::string number, host;
    int port = 0;
    values >> number >> host >> port;
    return port == 0 ? 0 : port - 1 + table;
}

}  // namespace kesp::test
