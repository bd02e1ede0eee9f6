// The games chat's and the news's state files in the folder above the program's folder, beside the
// user file: the newest message seen with the chat window's two options, and the number of the news
// last opened.
#pragma once

#include <string>
#include <string_view>

namespace kesp {

inline constexpr std::string_view kChatStateFileName = "ZunChatZun.ini";
inline constexpr std::string_view kNewsStateFileName = "ZunNewsZun.ini";

struct ChatState {
    int SeenNumber = 1;             // the newest message seen
    bool LastAtBottom = false;      // "Last message at the bottom"
    bool OpenOnNewMessage = false;  // "Open this window when a new message"
    friend bool operator==(const ChatState&, const ChatState&) = default;
};

// The chat state file's three lines; a missing file is created with "1", "0", "0". A line that
// cannot be read counts as 0.
ChatState ReadChatState(const std::string& programDir);
// Writes the three lines, retrying once; false when both tries failed.
bool WriteChatState(const std::string& programDir, const ChatState& state);

// The number of the news last opened; 0 when the file is missing or unreadable.
int ReadNewsState(const std::string& programDir);
bool WriteNewsState(const std::string& programDir, int number);

}  // namespace kesp
