// Reading the tables service's replies into the tables, seats, standings and lists, free of the
// transport, so the requests, kesp-sim and the fuzzers share them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "network/online_tables.h"

namespace kesp {

// Ten preset tables filled from the reply's records, table 10 first.
TableList TablesFromReply(std::string_view reply);
// Nothing when the reply holds no record.
std::optional<GameServerInfo> GameServerInfoFromReply(std::string_view reply);
// A free seat's preset record when the reply holds none.
TZunClient SeatFromReply(std::string_view reply);
SeatResult SeatChangeFromReply(std::string_view reply);
TZunStanding StandingFromReply(std::string_view reply);
// -1 when the reply names no place.
int TournamentPlaceFromReply(std::string_view reply);
std::vector<TZunRecord> TournamentTopTenFromReply(std::string_view reply);

// The machine's address as the address echo page gives it: its first line, without the line end.
std::string OwnAddressFromEcho(std::string_view page);

}  // namespace kesp
