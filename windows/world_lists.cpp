#include "windows/world_lists.h"

#include <QString>
#include <cstdio>

#include "network/online_requests.h"
#include "network/online_tables.h"
#include "network/service_form.h"
#include "presentation/country_flags.h"
#include "records/club_list.h"

namespace kesp {
namespace {

constexpr int kShownOwnEntries = 3;

// The account and Android lists name the country before the city; the Windows list names the city.
std::string WhereOf(int list, const std::string& country, const std::string& city, int language) {
    if (list == kWindowsCycleList) return city;
    return CountryName(country, language).toStdString() + ", " + city;
}

WorldListLine LineOf(int list, const TZunRecord& record, int language) {
    WorldListLine line;
    line.Place = record.Place;
    line.Country = record.Country;
    line.Sex = record.R07 == "W" ? 'W' : 'M';
    line.Nick = record.Nick;
    line.Where = WhereOf(list, record.Country, record.City, language);
    line.Score = std::to_string(record.Score);
    return line;
}

std::string RatingText(double rating) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", rating);
    return text;
}

}  // namespace

WordKey WorldListTitle(int list) {
    switch (list) {
        case kAccountRatingList:
            return WordKey::WorldListAccountRating;
        case kAccountCycleList:
            return WordKey::WorldListAccountCycle;
        case kAndroidCycleList:
            return WordKey::WorldListAndroidCycle;
        case kTournamentList:
            return WordKey::WorldListTournament;
        case kLocalClubList:
            return WordKey::WorldListLocal;
        case kNetClubList:
            return WordKey::WorldListNet;
        default:
            return WordKey::WorldListWindowsCycle;
    }
}

int WorldListGid(int list) {
    switch (list) {
        case kAccountCycleList:
            return kAccountList;
        case kWindowsCycleList:
            return kWindowsList;
        case kAndroidCycleList:
            return kAndroidList;
        default:
            return 0;
    }
}

WorldListContent ReadServiceWorldList(ServiceClient& client, const ServiceAddresses& addresses, int list,
                                      const WorldIdentity& own, int language) {
    WorldListContent content;
    content.List = list;
    if (list == kAccountRatingList) {
        const auto top = ReadAccountTopTen(client, addresses.account);
        if (!top) return content;
        content.Connected = true;
        int place = 0;
        for (const TZunTop10& entry : *top)
            content.Lines.push_back({++place, entry.Country, entry.Sex == 'W' ? 'W' : 'M', entry.Nick,
                                     WhereOf(list, entry.Country, entry.City, language),
                                     RatingText(entry.Rating)});
        return content;
    }
    if (list == kTournamentList) {  // the tournament's players by score, from the tables service
        const auto records = ReadTournamentTopTen(client, addresses.tables, TournamentMeasure::Score);
        if (!records) return content;
        content.Connected = true;
        for (const TZunRecord& record : *records)
            if (record.Nick != "#") content.Lines.push_back(LineOf(list, record, language));
        return content;
    }
    const int gid = WorldListGid(list);
    if (gid == 0) return content;
    const auto records = ReadWorldRecords(client, addresses.worldTopTen, gid);
    if (!records) return content;
    content.Connected = true;
    for (const TZunRecord& record : *records) content.Lines.push_back(LineOf(list, record, language));
    content.RecordCount = ReadRecordCount(client, addresses.worldTopTen, gid);
    if (!own.Nick.empty())
        if (const auto mine = ReadOwnRecords(client, addresses.worldTopTen, gid, own.Nick, own.City)) {
            content.Own.emplace();
            for (const TZunRecord& record : *mine) {
                if (content.Own->size() == kShownOwnEntries) break;
                content.Own->push_back(LineOf(list, record, language));
            }
        }
    return content;
}

WorldListContent ReadLocalClubList(const std::string& programDir, int list) {
    WorldListContent content;
    content.List = list;
    content.Connected = true;
    const LoadedClub club = LoadClubFile(ClubFilePath(programDir, list == kNetClubList));
    if (club.File) {
        for (const TopTenRow& row : TopTenRows(*club.File))
            content.Lines.push_back({row.Place, {}, 0, row.Name, {}, row.Score});
    } else {
        for (int place = 1; place <= TopTenCount; ++place)
            content.Lines.push_back({place, {}, 0, {}, {}, {}});
    }
    return content;
}

}  // namespace kesp
