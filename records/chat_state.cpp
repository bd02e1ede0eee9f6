#include "records/chat_state.h"

#include <charconv>
#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

#include "records/atomic_file.h"
#include "records/user_file.h"

namespace kesp {
namespace {

std::string StatePath(const std::string& programDir, std::string_view name) {
    return FolderAboveProgram(programDir) + std::string(name);
}

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty() && lines.size() < 3) {
        const std::size_t end = text.find_first_of("\r\n");
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + (text.substr(end, 2) == "\r\n" ? 2 : 1));
    }
    return lines;
}

int NumberOf(std::string_view line) {
    while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
    while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), value);
    return error == std::errc() && end == line.data() + line.size() ? value : 0;
}

std::optional<std::string> ReadStateFile(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
    return ReadWholeFile(path);
}

std::string ChatStateText(const ChatState& state) {
    return std::to_string(state.SeenNumber) + "\r\n" + (state.LastAtBottom ? "1" : "0") + "\r\n" +
           (state.OpenOnNewMessage ? "1" : "0") + "\r\n";
}

}  // namespace

ChatState ReadChatState(const std::string& programDir) {
    const std::string path = StatePath(programDir, kChatStateFileName);
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        const ChatState fresh;
        WriteChatState(programDir, fresh);
        return fresh;
    }
    ChatState state{0, false, false};
    const std::optional<std::string> text = ReadStateFile(path);
    if (!text) return state;
    const std::vector<std::string_view> lines = Lines(*text);
    if (lines.size() > 0) state.SeenNumber = NumberOf(lines[0]);
    if (lines.size() > 1) state.LastAtBottom = NumberOf(lines[1]) == 1;
    if (lines.size() > 2) state.OpenOnNewMessage = NumberOf(lines[2]) == 1;
    return state;
}

bool WriteChatState(const std::string& programDir, const ChatState& state) {
    const std::string path = StatePath(programDir, kChatStateFileName);
    const std::string text = ChatStateText(state);
    return WriteFileAtomically(path, text) || WriteFileAtomically(path, text);
}

int ReadNewsState(const std::string& programDir) {
    const std::optional<std::string> text = ReadStateFile(StatePath(programDir, kNewsStateFileName));
    if (!text) return 0;
    const std::vector<std::string_view> lines = Lines(*text);
    return lines.empty() ? 0 : NumberOf(lines[0]);
}

bool WriteNewsState(const std::string& programDir, int number) {
    return WriteFileAtomically(StatePath(programDir, kNewsStateFileName), std::to_string(number) + "\r\n");
}

}  // namespace kesp
