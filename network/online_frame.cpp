#include "network/online_frame.h"

namespace kesp {

std::string OnlineFrame(std::string_view message, int ownSeat) {
    std::string frame(message);
    if (frame.size() < OnlineFrameLength) frame.resize(OnlineFrameLength, '#');
    frame[OnlineFrameLength - 1] = static_cast<char>('0' + ownSeat);
    return frame;
}

int OnlineFrameSender(std::string_view frame) {
    if (frame.size() < OnlineFrameLength) return 0;
    const char c = frame[OnlineFrameLength - 1];
    return c >= '1' && c <= '4' ? c - '0' : 0;
}

std::string_view OnlineChatText(std::string_view frame) {
    if (frame.empty() || frame[0] != 's') return {};
    const std::string_view text = frame.substr(1, OnlineFrameLength - 2);
    return text.substr(0, text.find('#'));
}

bool OnlineReader::Next(std::string_view& frame) {
    const std::string_view front = buffer_.Front();
    const std::size_t length = !front.empty() && front[0] == 'b' ? OnlineDealFrameLength : OnlineFrameLength;
    if (front.size() < length) return false;
    frame = front.substr(0, length);
    buffer_.Consume(length);
    return true;
}

}  // namespace kesp
