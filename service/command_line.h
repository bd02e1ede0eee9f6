// kesp-service's command line.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kesp::service {

struct ServiceOptions {
    std::string host = "127.0.0.1";
    int port = 25680;  // 0 picks a free port
    int gamePortBase = 25700;
    int moveTimeoutMs = 60000;  // silence while a move is due, before the player is timed out
    std::string dataFolder;     // empty: kesp-service-data/ beside the program
    std::string databaseUrl;    // empty: SQLite in the data folder
};

// "encipher --address NAME TEXT"
struct EncipherCommand {
    std::string address;
    std::string text;
};

struct CommandLine {
    std::optional<ServiceOptions> service;
    std::optional<EncipherCommand> encipher;
    std::string error;  // set when neither could be read
};

CommandLine ReadCommandLine(const std::vector<std::string>& arguments);

extern const char* const kUsage;

}  // namespace kesp::service
