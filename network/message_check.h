// Whether another machine's game message may be applied to this machine's game now. A peer on
// the network is not trusted: a message must be well formed, fit the phase, come from the machine
// whose move it is, and name cards the seat holds and may play.
#pragma once

#include <string_view>

namespace kesp {

class Game;

enum class MessageVerdict {
    Ok,
    Malformed,    // not a game message of our kind
    WrongPhase,   // no such step is due now
    WrongSender,  // the step belongs to another machine
    EmptySlot,    // a slot without a card
    Impossible,   // the rules forbid it (a pass holding an ace, a card that does not follow...)
};

// `sender` is the network seat the message comes from (1..4).
MessageVerdict CheckGameMessage(const Game& game, std::string_view message, int sender);

// Whether the host's deal message may be dealt now on a client.
MessageVerdict CheckDealMessage(const Game& game, std::string_view message);

const char* VerdictText(MessageVerdict verdict);

}  // namespace kesp
