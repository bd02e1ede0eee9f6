// Any bytes a service might send: every reply reader, the tables service's readers and the
// configuration document's steps.
#include <cstddef>
#include <cstdint>
#include <string>

#include "network/online_tables_reply.h"
#include "network/service_config.h"
#include "network/service_reply.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string reply(reinterpret_cast<const char*>(data), size);
    for (const char* marker : {"ok", "is", "no"}) kesp::HasMarker(reply, marker);
    for (const char terminator : {'$', '*'})
        for (const char separator : {' ', '~'})
            for (const auto& record : kesp::ReadRecords(reply, terminator, separator)) {
                for (std::size_t i = 0; i <= record.size() + 1; ++i) {
                    kesp::RecordInteger(record, i);
                    kesp::ReadServiceReal(kesp::RecordValue(record, i), 0);
                    kesp::RecordText(kesp::RecordValue(record, i));
                }
            }
    kesp::ReadLastNumber(reply);
    kesp::GameServerOf(kesp::TablesFromReply(reply));
    kesp::GameServerInfoFromReply(reply);
    kesp::SeatFromReply(reply);
    kesp::SeatChangeFromReply(reply);
    kesp::StandingFromReply(reply);
    kesp::TournamentPlaceFromReply(reply);
    kesp::TournamentTopTenFromReply(reply);
    kesp::OwnAddressFromEcho(reply);
    kesp::ServiceConfiguration configuration;
    kesp::ApplyWorldTopTenStep(&reply, configuration);
    kesp::ApplyStatisticsStep(&reply, configuration);
    kesp::ApplyAccountStep(&reply, "http://127.0.0.1/account", configuration);
    return 0;
}
