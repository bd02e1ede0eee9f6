// A country's flag and name as the lists of the account and the world top ten show them. The flags
// are packed into the program at build time; a country without one shows a neutral grey flag.
#pragma once

#include <QPixmap>
#include <QString>
#include <string_view>

namespace kesp {

// The flag of a five-character country code ("1-001"), `height` pixels high (at least 1), width in
// the flags' 16:11 proportion. "Unknown", a country without a flag and a malformed code give the
// neutral picture.
QPixmap CountryFlag(std::string_view countryCode5, int height);

// The country's name for display: Russian in the Russian interface, English in the others;
// "Unknown" (or its Russian form) for a malformed code.
QString CountryName(std::string_view countryCode5, int language);

}  // namespace kesp
