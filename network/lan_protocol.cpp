#include "network/lan_protocol.h"

#include "engine/game_state.h"

namespace kesp {
namespace {

constexpr std::string_view kHelloHead = "zun";
constexpr std::string_view kHelloTail = "25connect1";

char Digit(int d) {
    return static_cast<char>('0' + d);
}

std::string NameList(const std::array<SeatName, 5>& byNetworkSeat) {
    std::string names;
    for (int n = 1; n <= 4; ++n) names += View(byNetworkSeat[static_cast<std::size_t>(n)]);
    return names;
}

}  // namespace

SeatName MakeSeatName(std::string_view clubName) {
    SeatName name = {' ', ' ', ' ', ' '};
    for (std::size_t i = 0; i < name.size() && i < clubName.size(); ++i) name[i] = clubName[i];
    return name;
}

SeatNames NamesByPosition(const std::array<SeatName, 5>& byNetworkSeat, int own) {
    SeatNames names;
    for (int n = 1; n <= 4; ++n) names[TablePositionOf(own, n)] = byNetworkSeat[static_cast<std::size_t>(n)];
    return names;
}

std::string MakeHello(const SeatName& name) {
    std::string hello(kHelloHead);
    hello += Digit(GameIdentifier / 10);
    hello += Digit(GameIdentifier % 10);
    hello += kHelloTail;
    hello += View(name);
    return hello;
}

std::optional<SeatName> ParseHello(std::string_view text) {
    if (text.size() != HelloLength) return std::nullopt;
    const std::string expected = MakeHello(ComputerSeatName);
    if (text.substr(0, 15) != std::string_view(expected).substr(0, 15)) return std::nullopt;
    return MakeSeatName(text.substr(15));
}

std::array<std::string, MaxLanClients> SeatingMessages(int index,
                                                       const std::array<SeatName, 5>& byNetworkSeat) {
    std::array<std::string, MaxLanClients> out;
    if (index < 0 || index >= MaxLanClients) return out;
    const std::string names = NameList(byNetworkSeat);
    const std::string others = std::string("connect") + Digit(index + 2) + "+" + names;
    for (int c = 0; c < index; ++c) out[static_cast<std::size_t>(c)] = others;
    out[static_cast<std::size_t>(index)] = std::string("connect2+") + Digit(index + 2) + names;
    return out;
}

std::optional<Seating> ParseSeating(std::string_view text, int lanRole, int lanHandshake) {
    if (lanRole < 2 || lanRole > 4 || text.size() < 9 || text.substr(0, 7) != "connect") return std::nullopt;
    Seating seating;
    std::size_t namesAt = 0;
    const char which = text[7];
    if (which == '2') {
        if (lanHandshake != 1 || text.size() != OwnSeatingLength || text[8] != '+') return std::nullopt;
        const char seat = text[9];
        seating.ownSeat = true;
        seating.networkSeat = seat == '3' ? 3 : seat == '4' ? 4 : 2;
        seating.lanClientIndex = seating.networkSeat - 2;
        namesAt = 10;
    } else if ((which == '3' && lanRole == 2) || (which == '4' && (lanRole == 2 || lanRole == 3))) {
        if (text.size() != OtherSeatingLength || text[8] != '+') return std::nullopt;
        seating.networkSeat = lanRole;
        seating.lanClientIndex = which - '2';
        namesAt = 9;
    } else {
        return std::nullopt;
    }
    for (int n = 1; n <= 4; ++n)
        seating.byNetworkSeat[static_cast<std::size_t>(n)] =
            MakeSeatName(text.substr(namesAt + 4 * static_cast<std::size_t>(n - 1), 4));
    return seating;
}

std::string MakeChat(int senderSeat, std::string_view text) {
    std::string chat = "s";
    chat += Digit(senderSeat);
    chat += text.substr(0, ChatTextLimit);
    chat.resize(ChatMessageLength, ' ');
    return chat;
}

std::optional<ChatLine> ParseChat(std::string_view message) {
    if (message.size() != ChatMessageLength || message[0] != 's') return std::nullopt;
    if (message[1] < '1' || message[1] > '4') return std::nullopt;
    std::string_view text = message.substr(2);
    text = text.substr(0, text.find_last_not_of(' ') + 1);
    return ChatLine{message[1] - '0', std::string(text)};
}

unsigned RelayTargets(int sender, int lanClientIndex) {
    unsigned targets = 0;
    for (int c = 0; c <= lanClientIndex && c < MaxLanClients; ++c)
        if (ConnectionSeat(c) != sender) targets |= 1u << c;
    return targets;
}

}  // namespace kesp
