// Players of the online tables for tests: accounts created and logged in on a client of their own
// (the session a seat change needs), and tournament standings written straight into the service's
// SQLite store, as finished games would leave them.
#pragma once

#include <gtest/gtest.h>

#include <QProcess>
#include <QString>
#include <memory>
#include <string>

#include "network/online_requests.h"
#include "network/online_tables.h"
#include "service_process.h"

namespace kesp::test {

inline TZunUser TablePlayerUser(const std::string& nick, char sex = 'M') {
    TZunUser user;
    user.Nick = nick;
    user.Pw = "secret1";
    user.City = "Bad Ems";
    user.Country1 = "Germany";
    user.Country2 = "1-049";
    user.Sex = sex;
    user.EMail = "a@b.c";
    return user;
}

// Creates the account and logs it in on `client`; false when the service refused either.
inline bool CreateAndLogIn(ServiceClient& client, const ServiceAddresses& addresses, TZunUser& user) {
    if (CreateAccount(client, addresses.account, user, "10.12.2026") != CreateResult::Created) return false;
    return ReadAccount(client, addresses.account, user);
}

struct TablePlayer {
    TablePlayer(const ServiceAddresses& addresses, const std::string& nick) : addresses(addresses) {
        user = TablePlayerUser(nick);
        EXPECT_TRUE(CreateAndLogIn(client, addresses, user)) << nick;
    }
    TZunClient Record() const {
        TZunClient record;
        record.Nick = user.Nick;
        record.Country = user.Country2;
        record.City = user.City;
        record.Sex = std::string(1, user.Sex);
        record.IP = "127.0.0.1";
        return record;
    }
    SeatResult Take(int table, int seat) {
        return ChangeSeat(client, addresses.tables, table, seat, SeatChange::Take, Record());
    }
    SeatResult Free(int table, int seat) {
        return ChangeSeat(client, addresses.tables, table, seat, SeatChange::FreeOwn, VacantSeatRecord());
    }

    ServiceAddresses addresses;
    ServiceClient client;
    TZunUser user;
};

// A service whose game server listens. The fixture's random block of game ports lies among the
// system's ephemeral ports and now and then meets one in use, which leaves the tables closed.
inline std::unique_ptr<ServiceProcess> ServiceWithGameServer() {
    for (int attempt = 0; attempt < 4; ++attempt) {
        auto service = std::make_unique<ServiceProcess>();
        if (service->base().empty()) continue;
        ServiceClient client;
        const auto info = ReadGameServerInfo(client, AddressesUnderBase(service->base()).tables);
        if (info && info->open) return service;
    }
    return nullptr;
}

// Runs `statement` on the service's SQLite store (Python's sqlite3, as the service's own checks do).
inline bool RunOnStore(const QString& dataFolder, const QString& statement) {
    QProcess python;
    python.start(
        "/usr/bin/python3",
        {"-c",
         "import sqlite3,sys\nwith sqlite3.connect(sys.argv[1], timeout=10) as db: db.execute(sys.argv[2])",
         dataFolder + "/kesp.sqlite", statement});
    return python.waitForFinished(20000) && python.exitStatus() == QProcess::NormalExit &&
           python.exitCode() == 0;
}

}  // namespace kesp::test
