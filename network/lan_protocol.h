// The texts of a local-network game besides the game messages: the hello, the seating messages,
// "abort", the table chat, and the rule of which seated client hears what. Pure text, no sockets.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kesp {

// Tells this game apart from the other games that speak the same protocol.
inline constexpr int GameIdentifier = 36;
inline constexpr int MaxLanClients = 3;
// The table chat field takes at most this many characters.
inline constexpr std::size_t ChatTextLimit = 15;
// The sender "nobody": a message from it goes to every client.
inline constexpr int NobodySeat = 100;

// A name as it travels: exactly four single-byte characters, blank padded; "PC  " for a computer.
using SeatName = std::array<char, 4>;
inline constexpr SeatName ComputerSeatName = {'P', 'C', ' ', ' '};
SeatName MakeSeatName(std::string_view clubName);
inline std::string_view View(const SeatName& n) {
    return {n.data(), n.size()};
}

// SeatNames[p] is the name at TablePosition p (1..4); index 0 is unused.
struct SeatNames {
    std::array<SeatName, 5> at{};
    const SeatName& operator[](int position) const { return at[static_cast<std::size_t>(position)]; }
    SeatName& operator[](int position) { return at[static_cast<std::size_t>(position)]; }
    friend bool operator==(const SeatNames&, const SeatNames&) = default;
};
// Names by network seat 1..4 (index 0 unused), stored at the positions own seat `own` sees them.
SeatNames NamesByPosition(const std::array<SeatName, 5>& byNetworkSeat, int own);

// The hello of a client: "zun" + "36" + "25" + "connect1" + the four-character name.
std::string MakeHello(const SeatName& name);
inline constexpr std::size_t HelloLength = 19;
// The name of a hello for this game, nothing for anything else.
std::optional<SeatName> ParseHello(std::string_view text);

// Seating messages the host sends when client `index` (0, 1, 2) has been seated, one text per
// connection 0..index; names are those of network seats 1..4.
std::array<std::string, MaxLanClients> SeatingMessages(int index,
                                                       const std::array<SeatName, 5>& byNetworkSeat);

// What a client reads from a seating message.
struct Seating {
    bool ownSeat = false;    // "connect2": this machine has been seated (and its seat named)
    int networkSeat = 2;     // with ownSeat: the seat given (2, 3 or 4)
    int lanClientIndex = 0;  // the index of the most recently seated client
    std::array<SeatName, 5> byNetworkSeat{};
};
// Nothing unless the text is a seating message a client with `lanRole` takes in `lanHandshake`.
std::optional<Seating> ParseSeating(std::string_view text, int lanRole, int lanHandshake);
inline constexpr std::size_t OwnSeatingLength = 26;    // "connect2+N" + names
inline constexpr std::size_t OtherSeatingLength = 25;  // "connect3+" or "connect4+" + names

inline constexpr std::string_view AbortMessage = "abort";

// A chat line travels at one length whatever its text: "s" + the sender's network seat digit + the
// text cut to ChatTextLimit and padded with blanks up to it. Nothing else on the wire says where a
// chat line ends, so a fixed length is what keeps it from swallowing the message behind it.
inline constexpr std::size_t ChatMessageLength = 2 + ChatTextLimit;
std::string MakeChat(int senderSeat, std::string_view text);
struct ChatLine {
    int seat = 0;      // the sender's network seat 1..4
    std::string text;  // without the padding blanks
};
std::optional<ChatLine> ParseChat(std::string_view message);

// Connections (bit c for connection c) that a message from network seat `sender` reaches from the
// host, given the index of the most recently seated client. Never the sender's own connection.
unsigned RelayTargets(int sender, int lanClientIndex);
// Network seat of the client on connection c.
constexpr int ConnectionSeat(int connection) {
    return connection + 2;
}

}  // namespace kesp
