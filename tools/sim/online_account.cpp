#include "tools/sim/online_account.h"

#include <charconv>
#include <ctime>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "network/online_requests.h"
#include "network/service_addresses.h"

namespace kesp::sim {

namespace {

int Usage(const std::string& message) {
    std::cerr << "kesp-sim: " << message << "\n"
              << "usage: kesp-sim online create --service URL --nick N --password P --city C --country1 X "
                 "--country2 Y --sex M|W --email E\n"
                 "       kesp-sim online login --service URL --nick N --password P\n"
                 "       kesp-sim online record --service URL --list L --nick N --city C --country X "
                 "--score S [--sex M|W]\n";
    return 2;
}

std::string Today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%d.%m.%Y", &local);
    return text;
}

std::optional<int> ParseInteger(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || at != end) return std::nullopt;
    return value;
}

// Posts one record to a world list and prints the place it reached ("place -1" when none).
int PostWorldRecord(std::map<std::string, std::string>& options) {
    const auto list = ParseInteger(options["--list"]);
    const auto score = ParseInteger(options["--score"]);
    if (!list || *list <= 0) return Usage("--list needs a positive list number");
    if (!score) return Usage("--score needs an integer");
    const std::string sex = options.count("--sex") ? options["--sex"] : "M";
    if (sex != "M" && sex != "W") return Usage("--sex is M or W");
    TZunRecord record;
    record.GID = *list;
    record.Score = *score;
    record.Nick = options["--nick"];
    record.City = options["--city"];
    record.Country = options["--country"];
    record.R07 = sex;
    record.R08 = std::string(kRecordProgramVersion);
    record.R10 = "#";
    ServiceClient client;
    std::cout << "place " << PostRecord(client, AddressesUnderBase(options["--service"]).worldTopTen, record)
              << "\n";
    return 0;
}

}  // namespace

int RunOnlineAccount(std::string_view command, int argc, char** args) {
    const bool create = command == "create";
    const bool record = command == "record";
    std::vector<std::string> allowed = {"--service", "--nick"};
    if (record)
        allowed.insert(allowed.end(), {"--list", "--city", "--country", "--score"});
    else
        allowed.push_back("--password");
    if (create) allowed.insert(allowed.end(), {"--city", "--country1", "--country2", "--sex", "--email"});
    std::vector<std::string> optional;
    if (record) optional.push_back("--sex");
    std::map<std::string, std::string> options;
    for (int i = 0; i < argc; i += 2) {
        const std::string option = args[i];
        bool known = false;
        for (const std::string& name : allowed) known = known || option == name;
        for (const std::string& name : optional) known = known || option == name;
        if (!known) return Usage("unknown option '" + option + "'");
        if (i + 1 >= argc) return Usage("option " + option + " needs a value");
        options[option] = args[i + 1];
    }
    for (const std::string& name : allowed)
        if (!options.count(name)) return Usage("missing " + name);
    if (!IsServiceAddress(options["--service"])) return Usage("--service needs an http or https address");
    if (record) return PostWorldRecord(options);
    const ServiceAddresses addresses = AddressesUnderBase(options["--service"]);

    ServiceClient client;
    TZunUser user;
    user.Nick = options["--nick"];
    user.Pw = options["--password"];
    if (create) {
        if (options["--sex"] != "M" && options["--sex"] != "W") return Usage("--sex is M or W");
        user.City = options["--city"];
        user.Country1 = options["--country1"];
        user.Country2 = options["--country2"];
        user.Sex = options["--sex"][0];
        user.EMail = options["--email"];
        const CreateResult result = CreateAccount(client, addresses.account, user, Today());
        std::cout << "result " << static_cast<int>(result) << "\n";
        return 0;
    }
    if (!ReadAccount(client, addresses.account, user)) {
        std::cout << "refused\n";
        return 0;
    }
    std::cout << "account\n"
              << "nick " << user.Nick << "\ncity " << user.City << "\ncountry1 " << user.Country1
              << "\ncountry2 " << user.Country2 << "\nsex " << user.Sex << "\nemail " << user.EMail
              << "\ndater " << user.DateR << "\n";
    return 0;
}

}  // namespace kesp::sim
