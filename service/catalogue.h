// The form posts the game sends: for each, the address it goes to, its body form, its field names
// in order and the code that answers it.
#pragma once

#include <QSqlDatabase>
#include <string>
#include <string_view>
#include <vector>

#include "service/answer_cache.h"
#include "service/game_server_place.h"
#include "service/write_limits.h"

namespace kesp::service {

enum class Address { Account, Statistics, WorldTopTen, Tables };

// One post being answered. The values are the bytes the game sent (Windows-1251).
struct Call {
    QSqlDatabase& db;
    bool postgres;
    WriteLimits& limits;
    std::string remote;
    std::string sessionToken;
    std::vector<std::string> values;
    std::string local;  // the address the request came in on
    const GameServerPlace* gameServer = nullptr;
    // False on the connections that serve the reads: a password check that would need the slow
    // hash there is deferred (access.h) and the request answered on the password connections.
    bool mayHashPasswords = true;
};

struct Answer {
    std::string text;  // UTF-8; sent as Windows-1251
    std::string newSessionToken;
};

struct Operation {
    std::string_view name;
    Address address;
    bool listForm;
    std::vector<std::string_view> keys;
    Answer (*answer)(Call&);
    // A public read whose answer depends only on its values and on these topics (AnswerCache) may
    // be answered from a kept copy; 0: always read afresh.
    unsigned answerReadsFrom = 0;
    // The topics a write may change.
    unsigned writesTo = 0;
    // Always makes or checks a password hash: answered on the connections kept for that, so a
    // burst of log-ins cannot hold every connection that the reads need.
    bool hashesPassword = false;
};

inline constexpr std::string_view kDone = "ok";
inline constexpr std::string_view kExists = "is";
inline constexpr std::string_view kRefused = "no";

// A marker reply, and a number reply ("$" + the number).
inline Answer Say(std::string_view marker) {
    return {std::string(marker), {}};
}
inline Answer Number(long long number) {
    return {"$" + std::to_string(number), {}};
}

// The operations of each group of requests.
std::vector<Operation> AccountOperations();
std::vector<Operation> RatingOperations();
std::vector<Operation> WorldOperations();
std::vector<Operation> StatisticsOperations();
std::vector<Operation> TableOperations();

// The operation a body names at an address, and its values; nothing when the body names none.
struct Recognised {
    const Operation* operation = nullptr;
    std::vector<std::string> values;
};
Recognised Recognise(Address address, std::string_view body);

// The current time in seconds since the epoch, and as UTC text in a strftime format.
long long NowSeconds();
std::string UtcNow(const char* format);

}  // namespace kesp::service
