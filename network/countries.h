// The continents and countries a player gives for the account: each country has an English and a
// Russian name, the wire name the service takes, and the ISO code its flag is known by. A country
// travels as a five-character code: the continent digit 1..6, '-', and the three-digit index in
// that continent's list, where 000 stands for "Unknown". Free of Qt; names are UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kesp {

// Continents in list order: Europe, Asia, North America, South America, Oceania, Africa.
inline constexpr int kContinentCount = 6;

struct CountryCode {
    int continent = 1;  // 1..6
    int index = 0;      // 0 = Unknown, else 1..CountryCount(continent)
    bool operator==(const CountryCode&) const = default;
};

// The number of countries of a continent (without "Unknown"); 0 for a continent outside 1..6.
int CountryCount(int continent);

// "C-NNN" for a country in the lists; nothing for a continent or index outside them.
std::optional<std::string> CountryCodeText(CountryCode country);
// The code read back; nothing unless the text is exactly a continent digit, '-' and three digits
// naming an entry of that continent (000 included).
std::optional<CountryCode> ParseCountryCode(std::string_view code5);

// The names of an entry; a code outside the lists reads as "Unknown".
std::string CountryEnglishName(CountryCode country);
std::string CountryRussianName(CountryCode country);
// The name the service stores and lists show: the English name with '_' for blanks, or its short
// form where the lists give one.
std::string CountryWireName(CountryCode country);
// The lower-case ISO 3166 code of the country's flag; empty for "Unknown" and for places without
// a flag of their own.
std::string_view CountryIsoCode(CountryCode country);

// The first entry whose wire name is `wire`; nothing when none is.
std::optional<CountryCode> CountryByWireName(std::string_view wire);

}  // namespace kesp
