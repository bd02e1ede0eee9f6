// The games chat's messages as records of the world list 100, and the news page's number; free of
// Qt, so the caller passes the local time and date already formatted.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "network/online_records.h"

namespace kesp {

inline constexpr int kChatTextLength = 80;  // characters of one message
inline constexpr std::string_view kChatGameName = "Kesp";

// The world passport a message is sent under.
struct ChatSender {
    std::string Nick, City, Country, Sex;
};

// Local long time + '_' + local short date + '_' + the game's name. Blanks and the record's own
// separators inside the time or date become '_', so the stamp stays one value of the record.
std::string ChatTimeStamp(std::string_view longTime, std::string_view shortDate);

// The record to post: the text shortened to kChatTextLength characters and, like the game's name,
// reduced to the field characters (others become '_'). `number` is only a hint: the service numbers
// messages itself.
TZunRecord MakeChatMessage(const ChatSender& sender, std::string_view text, std::string_view longTime,
                           std::string_view shortDate, int number);

// A stored text as shown: '_' back to blanks, the empty placeholder "#" as nothing.
std::string ChatShownText(std::string_view stored);

// The highest message number of a list read, 0 for an empty list.
int NewestChatNumber(const std::vector<TZunRecord>& messages);

// The news page's number: the five characters after "ZunNews"; 0 when they are not a number.
int NewsNumber(std::string_view page);

}  // namespace kesp
