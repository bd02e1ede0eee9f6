#include "service/command_line.h"

#include "service/store.h"
#include "service/validation.h"

namespace kesp::service {

const char* const kUsage =
    "usage: kesp-service [--listen HOST:PORT] [--game-port BASE] [--move-timeout-ms MS] [--data DIR]"
    " [--database postgresql://USER:PW@HOST:PORT/DB]\n"
    "       kesp-service encipher --address NAME TEXT\n";

namespace {

bool ReadListen(const std::string& text, ServiceOptions& options) {
    const auto colon = text.rfind(':');
    if (colon == std::string::npos || colon == 0) return false;
    const auto port = ParseInteger(text.substr(colon + 1), 0, 65535);
    if (!port) return false;
    options.host = text.substr(0, colon);
    options.port = static_cast<int>(*port);
    return true;
}

}  // namespace

CommandLine ReadCommandLine(const std::vector<std::string>& arguments) {
    CommandLine result;
    if (!arguments.empty() && arguments[0] == "encipher") {
        if (arguments.size() != 4 || arguments[1] != "--address") {
            result.error = "encipher needs --address NAME TEXT";
            return result;
        }
        result.encipher = EncipherCommand{arguments[2], arguments[3]};
        return result;
    }
    ServiceOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& flag = arguments[i];
        if (i + 1 >= arguments.size()) {
            result.error = "unknown or incomplete option " + flag;
            return result;
        }
        const std::string& value = arguments[++i];
        bool ok = true;
        if (flag == "--listen") {
            ok = ReadListen(value, options);
        } else if (flag == "--game-port") {
            const auto base = ParseInteger(value, 1, 65535 - 10);
            ok = base.has_value();
            if (ok) options.gamePortBase = static_cast<int>(*base);
        } else if (flag == "--move-timeout-ms") {
            const auto timeout = ParseInteger(value, 100, 3600 * 1000);
            ok = timeout.has_value();
            if (ok) options.moveTimeoutMs = static_cast<int>(*timeout);
        } else if (flag == "--data") {
            options.dataFolder = value;
        } else if (flag == "--database") {
            Store::Settings settings;
            ok = ReadDatabaseUrl(value, settings);
            if (ok) options.databaseUrl = value;
        } else {
            ok = false;
        }
        if (!ok) {
            // The database address may hold a password.
            result.error = "bad option " + flag + (flag == "--database" ? "" : " " + value);
            return result;
        }
    }
    result.service = options;
    return result;
}

}  // namespace kesp::service
