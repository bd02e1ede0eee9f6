// The framing of messages to and from the online game server: every message padded with '#' to
// 50 characters, character 50 the sender's online seat. Frames follow one another in a read;
// the deal frame ('b', the 36 cards and their 36 rank values) is 109 characters long.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "engine/game_messages.h"
#include "network/bounded_buffer.h"

namespace kesp {

inline constexpr std::size_t OnlineFrameLength = 50;

// The message padded with '#' to 50 characters (a longer one is kept whole), its character 50
// then overwritten by the digit of `ownSeat` (1..4).
std::string OnlineFrame(std::string_view message, int ownSeat);

// The seat (1..4) a frame names in character 50, 0 when it names none.
int OnlineFrameSender(std::string_view frame);

// The text of a chat frame: after its 's', up to the first '#'.
std::string_view OnlineChatText(std::string_view frame);

// Splits the bytes of a server connection into frames; a frame cut between two reads waits for
// its rest. The buffer never holds more than `Capacity` bytes.
class OnlineReader {
  public:
    static constexpr std::size_t Capacity = 1024;
    std::size_t Room() const { return buffer_.Room(); }
    std::size_t Feed(std::string_view bytes) { return buffer_.Feed(bytes); }
    // The next whole frame, valid until the next Feed.
    bool Next(std::string_view& frame);

  private:
    BoundedBuffer buffer_{Capacity};
};

}  // namespace kesp
