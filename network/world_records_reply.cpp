#include "network/world_records_reply.h"

namespace kesp {

TZunRecord WorldRecordOf(const ServiceRecordValues& values, int list) {
    TZunRecord r;
    r.GID = list;
    r.Place = static_cast<int>(RecordInteger(values, 1));
    r.Score = static_cast<int>(RecordInteger(values, 3));
    r.Nick = RecordValue(values, 4);
    r.Country = RecordValue(values, 5);
    r.City = RecordValue(values, 6);
    r.R07 = RecordValue(values, 7);
    r.R08 = RecordValue(values, 8);
    r.R09 = RecordValue(values, 9);
    r.R10 = RecordValue(values, 10, "#*");
    return r;
}

std::vector<TZunRecord> WorldRecordsOf(std::string_view reply, int list) {
    std::vector<TZunRecord> records;
    for (const auto& values : ReadRecords(reply, '*', ' ')) records.push_back(WorldRecordOf(values, list));
    return records;
}

}  // namespace kesp
