#include "records/club_messages.h"

namespace kesp {

std::string MessageText(const RecordMessage& message, const WordLookup& word) {
    const auto w = [&](std::string_view english) { return word ? word(english) : std::string(english); };
    const std::string quoted = "\"" + message.Path + "\"";
    switch (message.Kind) {
        case RecordMessageKind::CantFindFile:
            return w("Can`t find the file") + " " + quoted + "!";
        case RecordMessageKind::IncorrectFile:
            return w("The incorrect file") + " " + quoted + "!";
        case RecordMessageKind::IncorrectAttributes:
            return w("The file") + " " + quoted + " " + w("has incorrect attributes!") + "\n" +
                   w("The work of the program will be incorrect!");
        case RecordMessageKind::DiskWriting:
            return w("Error of disk writing!");
        case RecordMessageKind::CantSaveHistory:
            return w("Cann`t save history!");
    }
    return {};
}

}  // namespace kesp
