// The counter's reads, on the service's blocking requests.
#include "network/account_rating.h"
#include "network/menu_counter.h"
#include "network/online_requests.h"
#include "network/service_form.h"

namespace kesp {

namespace {

// The leader of a world list: the first record, unless the list holds none ("#" as its nick).
void ReadListLeader(ServiceClient& client, const std::string& worldAddress, int list,
                    CounterReading& reading) {
    const auto records = ReadWorldRecords(client, worldAddress, list);
    if (!records) return;
    reading.Read = true;
    reading.ListEmpty = records->empty() || records->front().Nick == "#";
    if (reading.ListEmpty) return;
    reading.Number = records->front().Score;
    reading.Nick = records->front().Nick;
    reading.Country = records->front().Country;
}

}  // namespace

CounterReading ReadCounterSource(ServiceClient& client, const ServiceAddresses& addresses, int kind) {
    CounterReading reading;
    reading.Kind = kind;
    switch (kind) {
        case counter_kind::WindowsIq:
        case counter_kind::GamesWithPc: {
            const auto stat = ReadStatistics(client, addresses.statistics);
            if (!stat) break;
            reading.Read = true;
            // StatX 1 counts the games with the PC, StatX 3 and 4 the people's wins and losses.
            reading.Number = kind == counter_kind::GamesWithPc ? stat->StatX[0]
                                                               : IqPercent(stat->StatX[2], stat->StatX[3]);
            break;
        }
        case counter_kind::BestWindows:
            ReadListLeader(client, addresses.worldTopTen, kWindowsList, reading);
            break;
        case counter_kind::BestAndroid:
            ReadListLeader(client, addresses.worldTopTen, kAndroidList, reading);
            break;
        case counter_kind::BestAccount:
            ReadListLeader(client, addresses.worldTopTen, kAccountList, reading);
            break;
        case counter_kind::ClubMembers: {
            const auto count = ReadMemberCount(client, addresses.account);
            // A count below zero is the reply rule's "no number": nothing was read.
            if (count && *count >= 0) {
                reading.Read = true;
                reading.Number = *count;
            }
            break;
        }
        default:
            break;
    }
    return reading;
}

}  // namespace kesp
