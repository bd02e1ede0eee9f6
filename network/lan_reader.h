// Splits what arrives on a local-network connection into messages. Messages carry no length and
// no terminator, so each kind is known by its first character and has the fixed length of its
// kind (a chat line included), whatever one read happens to deliver. A message cut between two
// reads waits for its rest. A front that cannot begin a message of this side is dropped together
// with every following byte that cannot begin one either, so garbage goes in whole runs. The
// buffer never holds more than `Capacity` bytes: a read is taken in pieces no larger than what is
// left of it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "network/bounded_buffer.h"

namespace kesp {

enum class LanMessageKind { Game, Deal, Hello, Seating, Abort, Chat, Dropped };

struct LanMessage {
    LanMessageKind kind = LanMessageKind::Dropped;
    std::string_view text;  // valid until the next Feed
};

// Which end of the connection reads: the host hears hellos, chat and game messages; a client
// hears seating, "abort", chat, deals and game messages.
enum class LanReaderSide { Host, Client };

class LanReader {
  public:
    static constexpr std::size_t Capacity = 1024;

    explicit LanReader(LanReaderSide side) : side_(side) {}

    // How many bytes may be fed now.
    std::size_t Room() const { return buffer_.Room(); }
    // Appends at most Room() bytes; returns how many were taken.
    std::size_t Feed(std::string_view bytes) { return buffer_.Feed(bytes); }
    // The next message at the front, or false while the front waits for the rest of a message.
    // Dropped bytes come out as kind Dropped (one run at a time) so the caller can log them.
    bool Next(LanMessage& message);
    std::size_t Pending() const { return buffer_.Front().size(); }

  private:
    // Length of the message at the front: 0 while it cannot be told yet, npos when the front
    // byte begins nothing.
    std::size_t FrontLength(std::string_view front) const;
    LanMessageKind KindOf(char first) const;

    LanReaderSide side_;
    BoundedBuffer buffer_{Capacity};
};

}  // namespace kesp
