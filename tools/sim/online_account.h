// kesp-sim's account commands against an online service: "online create" registers an account and
// prints "result R" (0 created, 1 nick exists, 2 no answer); "online login" prints "account" and
// the account's values, or "refused".
#pragma once

#include <string_view>

namespace kesp::sim {

// `args` are the options after "online create" or "online login"; the exit code.
int RunOnlineAccount(std::string_view command, int argc, char** args);

}  // namespace kesp::sim
