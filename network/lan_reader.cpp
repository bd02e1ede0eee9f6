#include "network/lan_reader.h"

#include <algorithm>

#include "engine/game_messages.h"
#include "network/lan_protocol.h"

namespace kesp {
namespace {

constexpr std::size_t kCannotTell = 0;
constexpr std::size_t kNothing = std::string_view::npos;

// Length `full` when `front` agrees with `head` as far as both go; 0 while too short to be
// complete; npos when it disagrees.
std::size_t FixedLength(std::string_view front, std::string_view head, std::size_t full) {
    const std::size_t n = std::min(front.size(), head.size());
    if (front.substr(0, n) != head.substr(0, n)) return kNothing;
    return front.size() >= full ? full : kCannotTell;
}

}  // namespace

LanMessageKind LanReader::KindOf(char first) const {
    switch (first) {
        case 'h':
            return LanMessageKind::Game;
        case 's':
            return LanMessageKind::Chat;
        case 'z':
            return side_ == LanReaderSide::Host ? LanMessageKind::Hello : LanMessageKind::Dropped;
        case 'b':
            return side_ == LanReaderSide::Client ? LanMessageKind::Deal : LanMessageKind::Dropped;
        case 'c':
            return side_ == LanReaderSide::Client ? LanMessageKind::Seating : LanMessageKind::Dropped;
        case 'a':
            return side_ == LanReaderSide::Client ? LanMessageKind::Abort : LanMessageKind::Dropped;
        default:
            return LanMessageKind::Dropped;
    }
}

std::size_t LanReader::FrontLength(std::string_view front) const {
    if (front.empty()) return kCannotTell;
    switch (KindOf(front[0])) {
        case LanMessageKind::Game:
            if (!MayBeginGameMessage(front.substr(0, GameMessageLength))) return kNothing;
            return front.size() >= GameMessageLength ? GameMessageLength : kCannotTell;
        case LanMessageKind::Deal:
            return front.size() >= DealMessageLength ? DealMessageLength : kCannotTell;
        case LanMessageKind::Hello:
            return FixedLength(front, "zun", HelloLength);
        case LanMessageKind::Abort:
            return FixedLength(front, AbortMessage, AbortMessage.size());
        case LanMessageKind::Seating: {
            if (FixedLength(front, "connect", 8) == kNothing) return kNothing;
            if (front.size() < 8) return kCannotTell;
            if (front[7] < '2' || front[7] > '4' || (front.size() > 8 && front[8] != '+')) return kNothing;
            const std::size_t full = front[7] == '2' ? OwnSeatingLength : OtherSeatingLength;
            return front.size() >= full ? full : kCannotTell;
        }
        case LanMessageKind::Chat:
            if (front.size() >= 2 && (front[1] < '1' || front[1] > '4')) return kNothing;
            return front.size() >= ChatMessageLength ? ChatMessageLength : kCannotTell;
        case LanMessageKind::Dropped:
            break;
    }
    return kNothing;
}

bool LanReader::Next(LanMessage& message) {
    const std::string_view front = buffer_.Front();
    if (front.empty()) return false;
    const std::size_t length = FrontLength(front);
    if (length == kCannotTell) return false;
    if (length == kNothing) {
        std::size_t run = 1;
        while (run < front.size() && FrontLength(front.substr(run)) == kNothing) ++run;
        message = {LanMessageKind::Dropped, front.substr(0, run)};
        buffer_.Consume(run);
        return true;
    }
    message = {KindOf(front[0]), front.substr(0, length)};
    buffer_.Consume(length);
    return true;
}

}  // namespace kesp
