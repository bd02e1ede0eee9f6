// The words of the record files' messages in the interface language. The records compose their
// messages from English words; each is mapped here to its constant in the words table.
#pragma once

#include <string>
#include <string_view>

#include "presentation/words.h"
#include "records/club_messages.h"

namespace kesp {

std::string RecordWord(const Localisation& words, std::string_view english);
QString RecordMessageText(const Localisation& words, const RecordMessage& message);

}  // namespace kesp
