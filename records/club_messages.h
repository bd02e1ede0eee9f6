// Messages of the club and history files, handed to the window as values: the window shows them
// in the message window, with the words in the interface language.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace kesp {

enum class RecordMessageKind {
    CantFindFile,         // "Can`t find the file" "<path>"!
    IncorrectFile,        // "The incorrect file" "<path>"!
    IncorrectAttributes,  // "The file" "<path>" has incorrect attributes! / The work of the program ...
    DiskWriting,          // "Error of disk writing!"
    CantSaveHistory,      // "Cann`t save history!"
};

struct RecordMessage {
    RecordMessageKind Kind;
    std::string Path;  // the file concerned, for the messages that name it

    friend bool operator==(const RecordMessage&, const RecordMessage&) = default;
};

// Looks up a word of the words table by its English form.
using WordLookup = std::function<std::string(std::string_view english)>;

// The message text, its words taken through `word` (the English words when none is given).
std::string MessageText(const RecordMessage& message, const WordLookup& word = {});

}  // namespace kesp
