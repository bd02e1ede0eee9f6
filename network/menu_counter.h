// The main menu's counter: which figure of the service it shows in a minute, how that figure reads
// from the service and how it is shown (digits, suffix, label, picture names, the hint's parts).
// Free of Qt; the reading blocks, so the game runs it off the window's thread.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "network/service_addresses.h"

namespace kesp {

class ServiceClient;

// The kinds of figure the counter shows; kind 6 never shows (its minute shows the club instead).
namespace counter_kind {
inline constexpr int WindowsIq = 1;    // the share of games the people lost to the PC
inline constexpr int GamesWithPc = 2;  // games played against the PC
inline constexpr int BestWindows = 3;  // the leader of the Windows list
inline constexpr int BestAndroid = 4;  // the leader of the Android list
inline constexpr int BestAccount = 5;  // the leader of the account list
inline constexpr int ClubMembers = 7;  // the accounts of the club
}  // namespace counter_kind

// What one read of a kind's source brought.
struct CounterReading {
    int Kind = counter_kind::WindowsIq;
    bool Read = false;          // the service answered
    std::int64_t Number = 0;    // the figure, before shortening
    bool ListEmpty = false;     // kinds 3..5: the list holds no record yet
    std::string Nick;           // kinds 3..5: the leader's nick
    std::string Country = "#";  // kind 3: the leader's five-character country code
};

// Reads the kind's source (statistics, a world list or the club's member count) from the service.
// Blocks for the request's time-out at most.
CounterReading ReadCounterSource(ServiceClient& client, const ServiceAddresses& addresses, int kind);

enum class CounterLabel { None, Iq, Games };  // "IQ" or "D" beside the number
enum class CounterHintTail { None, ColonNoConnect, NoConnect, BlankNoConnect };

// How the counter shows a reading.
struct CounterFace {
    int Kind = counter_kind::WindowsIq;
    std::string Digits = "00";  // "00" when nothing could be read; '-' for negatives
    char Suffix = 0;            // 'K', 'M', 'G' or none
    CounterLabel Label = CounterLabel::None;
    std::string DigitPrefix;    // the digit pictures: prefix + '0'..'9', prefix + 'M' for '-'
    std::string Icon;           // the picture shown at the top left
    std::string FlagCountry;    // kind 3 with a leader: the country whose flag shows; else empty
    std::string HintNick;       // kinds 3..5 when read: the leader's nick, empty for an empty list
    bool HintNoLeader = false;  // kinds 3..5: the list is empty, so the hint names nobody
    CounterHintTail HintTail = CounterHintTail::None;
};

CounterFace FaceOf(const CounterReading& reading);

// The left edges of the digit pictures of a number of `length` characters (1..6) on the panel;
// empty for any other length.
std::vector<int> CounterDigitLefts(std::size_t length);

}  // namespace kesp
