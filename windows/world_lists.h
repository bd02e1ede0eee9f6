// What each of the seven lists of the world top ten window shows, and how one is read: the account
// top ten, the three world lists of the service, the tournament list and the two local clubs.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "network/service_addresses.h"
#include "network/service_client.h"
#include "presentation/words.h"

namespace kesp {

inline constexpr int kWorldListCount = 7;
inline constexpr int kAccountRatingList = 1;
inline constexpr int kAccountCycleList = 2;
inline constexpr int kWindowsCycleList = 3;
inline constexpr int kAndroidCycleList = 4;
inline constexpr int kTournamentList = 5;
inline constexpr int kLocalClubList = 6;
inline constexpr int kNetClubList = 7;

// The list's title word (lists 1..7; others are taken as list 3).
WordKey WorldListTitle(int list);
// The service's list number of lists 2, 3 and 4; 0 for the others.
int WorldListGid(int list);

// One line of a list as drawn: place, flag, sex icon, nick, where and the score on the right.
struct WorldListLine {
    int Place = 0;
    std::string Country;  // five-character code; empty draws no flag (the local lists)
    char Sex = 0;         // 'M', 'W', or 0 for no icon
    std::string Nick;
    std::string Where;  // the city, or the country and city
    std::string Score;
};

struct WorldListContent {
    int List = kWindowsCycleList;
    bool Connected = false;  // false: "No Connect" instead of the lines
    std::vector<WorldListLine> Lines;
    std::optional<long long> RecordCount;           // the service lists only
    std::optional<std::vector<WorldListLine>> Own;  // the player's entries, when they were asked for
};

// Whose entries a list shows as the player's own; an empty nick asks for none.
struct WorldIdentity {
    std::string Nick;
    std::string City;
};

// Reads a service list (1..5; the lists 2..4 with their record count and the player's entries); blocks, so it
// runs on the service queue. `language` chooses the country names. A list that cannot be read comes back not
// connected.
WorldListContent ReadServiceWorldList(ServiceClient& client, const ServiceAddresses& addresses, int list,
                                      const WorldIdentity& own, int language);

// Lists 6 and 7: the top ten of the local club file of `programDir` (the network club for 7). A
// club that cannot be read shows its places empty.
WorldListContent ReadLocalClubList(const std::string& programDir, int list);

}  // namespace kesp
