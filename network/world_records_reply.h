// The world list layout of a record, shared by the world top ten lists and the tournament top ten.
#pragma once

#include <string_view>
#include <vector>

#include "network/online_records.h"
#include "network/service_reply.h"

namespace kesp {

// Values 1 place, 2 skipped, 3 score, 4 nick, 5 country, 6 city, 7..10 R07..R10.
TZunRecord WorldRecordOf(const ServiceRecordValues& values, int list);
// Up to ten records, each from a '$' to the next '*'.
std::vector<TZunRecord> WorldRecordsOf(std::string_view reply, int list);

}  // namespace kesp
