#include "network/field_checks.h"

#include <vector>

namespace kesp {
namespace {

// One character of a UTF-8 text and the bytes it takes; a stray byte is U+FFFD of one byte.
struct Character {
    char32_t code;
    std::size_t length;
};

std::vector<Character> Characters(std::string_view text) {
    std::vector<Character> characters;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80    ? 1
                                   : lead >= 0xF8 ? 0
                                   : lead >= 0xF0 ? 4
                                   : lead >= 0xE0 ? 3
                                   : lead >= 0xC0 ? 2
                                                  : 0;
        char32_t c = length <= 1 ? lead : lead & (0xFF >> (length + 1));
        bool valid = length > 0 && i + length <= text.size();
        for (std::size_t k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            valid = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        characters.push_back(valid ? Character{c, length} : Character{0xFFFD, 1});
        i += valid ? length : 1;
    }
    return characters;
}

std::vector<char32_t> CodePoints(std::string_view text) {
    std::vector<char32_t> points;
    for (const Character& c : Characters(text)) points.push_back(c.code);
    return points;
}

}  // namespace

bool IsCyrillicLetter(char32_t c) {
    return (c >= 0x0410 && c <= 0x044F) || c == 0x0401 || c == 0x0451;
}

bool IsFieldCharacter(char32_t c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
    if (IsCyrillicLetter(c)) return true;
    switch (c) {
        case '!':
        case '(':
        case ')':
        case ',':
        case '-':
        case '.':
        case '_':
        case '@':
            return true;
        default:
            return false;
    }
}

std::size_t CharacterCount(std::string_view text) {
    return CodePoints(text).size();
}

FieldLamp CheckField(std::string_view text, FieldKind kind) {
    const std::vector<char32_t> points = CodePoints(text);
    const std::size_t maximum = kind == FieldKind::Nick       ? 12
                                : kind == FieldKind::City     ? 15
                                : kind == FieldKind::Password ? 12
                                                              : 30;
    if (points.size() <= 1 || points.size() > maximum) return FieldLamp::Red;
    if (kind == FieldKind::Password && points.size() < 4) return FieldLamp::Red;
    FieldLamp lamp = FieldLamp::Green;
    for (const char32_t c : points) {
        if (!IsFieldCharacter(c)) return FieldLamp::Red;
        if (IsCyrillicLetter(c)) lamp = FieldLamp::Yellow;
    }
    if (lamp == FieldLamp::Yellow) return kind == FieldKind::City ? FieldLamp::Yellow : FieldLamp::Red;
    if (kind == FieldKind::EMail) {
        // '@' at position 2 or later (1-based) and before the last character.
        bool placed = false;
        for (std::size_t i = 1; i + 1 < points.size(); ++i) placed = placed || points[i] == '@';
        if (!placed) return FieldLamp::Red;
    }
    return lamp;
}

bool IsValidPassportText(std::string_view text, int maxLength) {
    const std::vector<char32_t> points = CodePoints(text);
    if (points.size() < 2 || points.size() > static_cast<std::size_t>(maxLength)) return false;
    for (const char32_t c : points)
        if (!IsFieldCharacter(c)) return false;
    return true;
}

std::string WithFieldCharactersOnly(std::string_view text) {
    std::string out;
    std::size_t at = 0;
    for (const Character& c : Characters(text)) {
        if (IsFieldCharacter(c.code))
            out.append(text.substr(at, c.length));
        else
            out.push_back('_');
        at += c.length;
    }
    return out;
}

}  // namespace kesp
