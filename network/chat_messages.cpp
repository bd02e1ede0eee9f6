#include "network/chat_messages.h"

#include <algorithm>
#include <charconv>

#include "network/field_checks.h"
#include "network/service_form.h"
#include "network/service_reply.h"

namespace kesp {
namespace {

// A stamp part with every character that would split or end a record value replaced.
std::string OneValue(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c == ' ' || c == '$' || c == '*' || c == '~' || c == '&' || c == '=' || c == '#' ||
            static_cast<unsigned char>(c) < 0x20)
            c = '_';
    return out;
}

// The first `count` characters (code points) of a UTF-8 text.
std::string_view FirstCharacters(std::string_view text, std::size_t count) {
    std::size_t at = 0;
    for (std::size_t n = 0; n < count && at < text.size(); ++n) {
        ++at;
        while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) ++at;
    }
    return text.substr(0, at);
}

}  // namespace

std::string ChatTimeStamp(std::string_view longTime, std::string_view shortDate) {
    return OneValue(longTime) + '_' + OneValue(shortDate) + '_' + WithFieldCharactersOnly(kChatGameName);
}

TZunRecord MakeChatMessage(const ChatSender& sender, std::string_view text, std::string_view longTime,
                           std::string_view shortDate, int number) {
    TZunRecord r;
    r.GID = kChatList;
    r.Score = number;
    r.Nick = sender.Nick;
    r.City = sender.City;
    r.Country = sender.Country;
    r.R07 = sender.Sex;
    r.R08 = std::string(kRecordProgramVersion);
    r.R09 = WithFieldCharactersOnly(FirstCharacters(text, kChatTextLength));
    if (r.R09.empty()) r.R09 = "#";
    r.R10 = ChatTimeStamp(longTime, shortDate);
    return r;
}

std::string ChatShownText(std::string_view stored) {
    return RecordText(stored);
}

int NewestChatNumber(const std::vector<TZunRecord>& messages) {
    int newest = 0;
    for (const TZunRecord& m : messages) newest = std::max(newest, m.Score);
    return newest;
}

int NewsNumber(std::string_view page) {
    constexpr std::string_view tag = "ZunNews";
    const std::size_t at = page.find(tag);
    if (at == std::string_view::npos) return 0;
    const std::string_view digits = page.substr(at + tag.size(), 5);
    int number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size() || digits.empty() || number < 0)
        return 0;
    return number;
}

}  // namespace kesp
