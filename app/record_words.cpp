#include "app/record_words.h"

#include <utility>

namespace kesp {

std::string RecordWord(const Localisation& words, std::string_view english) {
    static constexpr std::pair<std::string_view, WordKey> kWords[] = {
        {"Can`t find the file", WordKey::CantFindTheFile},
        {"The incorrect file", WordKey::TheIncorrectFile},
        {"Error of disk writing!", WordKey::ErrorOfDiskWriting},
        {"The work of the program will be incorrect!", WordKey::ProgramWillBeIncorrect},
    };
    for (const auto& [text, key] : kWords)
        if (text == english) return words.WordText(key).toStdString();
    return std::string(english);  // a word the table does not carry
}

QString RecordMessageText(const Localisation& words, const RecordMessage& message) {
    return QString::fromStdString(
        MessageText(message, [&words](std::string_view english) { return RecordWord(words, english); }));
}

}  // namespace kesp
