// The character rules of the texts a player gives the online service (nick, password, city,
// e-mail, passport and chat texts), free of Qt. Texts are UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace kesp {

// Latin and Cyrillic letters, digits and ! ( ) , - . _ @
bool IsFieldCharacter(char32_t c);
bool IsCyrillicLetter(char32_t c);

// The lamp beside an account field.
enum class FieldLamp { Red, Yellow, Green };
enum class FieldKind { Nick, City, Password, EMail };

// The check of one account field: red when empty, one character, too long (nick 12, city 15,
// password 12, e-mail 30), a password under 4, or a character outside the field set; yellow for
// a Cyrillic letter, accepted only in a city; an e-mail needs '@' at position 2 or later and
// before its last character.
FieldLamp CheckField(std::string_view text, FieldKind kind);

// A passport nick (up to 12) or city (up to 15): at least two characters, all of the field set.
bool IsValidPassportText(std::string_view text, int maxLength);

// Every character outside the field set as '_' (texts that travel in blank-separated records).
std::string WithFieldCharactersOnly(std::string_view text);

// The number of characters (code points) of a UTF-8 text.
std::size_t CharacterCount(std::string_view text);

}  // namespace kesp
