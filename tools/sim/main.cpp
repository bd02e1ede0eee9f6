// kesp-sim: the headless player. "replay" traces one game on given decks, "play" plays whole
// games of four computer players, "season" plays a club member's games, "lan-host" and
// "lan-join" play a seat of a local-network game.
#include <cstdint>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/sim/lan_player.h"
#include "tools/sim/online_account.h"
#include "tools/sim/online_player.h"
#include "tools/sim/replay.h"
#include "tools/sim/season.h"
#include "tools/sim/self_play.h"

namespace {

constexpr std::string_view kUsage =
    "usage: kesp-sim replay [--game-no G] [--initial-score S] < decks\n"
    "       kesp-sim play --games N [--seed X] [--initial-score S]\n"
    "       kesp-sim season --dir D --games N --name NAME --password PW [--seed X] [--initial-score S]\n"
    "       kesp-sim lan-host --port P [--wait-clients N] [--games K] [--name NAME] [--initial-score S] "
    "[--pace MS]\n"
    "                [--chat N] [--pending-timeout MS] [--chat-interval MS] [--send-limit BYTES]\n"
    "       kesp-sim lan-join --address A --port P --name NAME [--pace MS] [--chat N]\n"
    "       kesp-sim online create|login --service URL --nick N --password P [account options]\n"
    "       kesp-sim online record --service URL --list L --nick N --city C --country X --score S\n"
    "       kesp-sim online table --service URL --table T --seat S --nick N --password P [--games K] "
    "[--pace MS] [--seat-wait MS] [--deal-wait MS]\n";

int Fail(const std::string& message) {
    std::cerr << "kesp-sim: " << message << "\n" << kUsage;
    return 2;
}

std::optional<long long> ParseNumber(std::string_view text, long long min, long long max) {
    if (text.empty() || text.size() > 18 || text.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    const long long v = std::stoll(std::string(text));
    if (v < min || v > max) return std::nullopt;
    return v;
}

std::optional<std::uint64_t> ParseSeed(std::string_view text) {
    if (text.empty() || text.size() > 19 || text.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    return std::stoull(std::string(text));
}

// "online table": every option once, all but --games, --pace and the waits required.
int RunOnlineTable(int argc, char** argv) {
    kesp::sim::OnlinePlayerOptions options;
    bool service = false, table = false, seat = false, nick = false, password = false;
    for (int i = 3; i < argc; i += 2) {
        const std::string_view option = argv[i];
        if (i + 1 >= argc) return Fail("option " + std::string(option) + " needs a value");
        const std::string_view value = argv[i + 1];
        if (option == "--service") {
            options.service = value;
            service = true;
        } else if (option == "--table" || option == "--seat") {
            const auto n = ParseNumber(value, 1, option == "--table" ? 10 : 4);
            if (!n) return Fail("bad " + std::string(option));
            (option == "--table" ? options.table : options.seat) = static_cast<int>(*n);
            (option == "--table" ? table : seat) = true;
        } else if (option == "--nick") {
            options.nick = value;
            nick = true;
        } else if (option == "--password") {
            options.password = value;
            password = true;
        } else if (option == "--games" || option == "--pace") {
            const auto n = ParseNumber(value, 1, option == "--games" ? 1000000 : 10000);
            if (!n) return Fail("bad " + std::string(option));
            if (option == "--games")
                options.games = *n;
            else
                options.paceMs = static_cast<int>(*n);
        } else if (option == "--seat-wait" || option == "--deal-wait") {
            const auto n = ParseNumber(value, 1, 3600000);
            if (!n) return Fail("bad " + std::string(option) + " (1..3600000 milliseconds)");
            (option == "--seat-wait" ? options.seatWaitMs : options.dealWaitMs) = static_cast<int>(*n);
        } else {
            return Fail("unknown option " + std::string(option));
        }
    }
    if (!service || !table || !seat || !nick || !password)
        return Fail("online table needs --service, --table, --seat, --nick and --password");
    int qtArgc = 1;
    return kesp::sim::RunOnlinePlayer(qtArgc, argv, options, std::cout, std::cerr);
}

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    if (argc < 2) return Fail("no command given");
    const std::string_view command = argv[1];
    if (command == "online" && argc >= 3 &&
        (std::string_view(argv[2]) == "create" || std::string_view(argv[2]) == "login" ||
         std::string_view(argv[2]) == "record"))
        return kesp::sim::RunOnlineAccount(argv[2], argc - 3, argv + 3);
    if (command == "online" && argc >= 3 && std::string_view(argv[2]) == "table")
        return RunOnlineTable(argc, argv);
    const bool lanHost = command == "lan-host";
    const bool lan = lanHost || command == "lan-join";
    if (command != "replay" && command != "play" && command != "season" && !lan)
        return Fail("unknown command '" + std::string(command) + "'");

    kesp::sim::ReplayOptions replay;
    kesp::sim::PlayOptions play;
    kesp::sim::SeasonOptions season;
    kesp::sim::LanPlayerOptions lanPlayer;
    lanPlayer.host = lanHost;
    bool gamesGiven = false;
    bool portGiven = false;
    bool nameGiven = false;
    bool addressGiven = false;
    for (int i = 2; i < argc; ++i) {
        const std::string_view option = argv[i];
        const bool known =
            lan ? option == "--port" || option == "--name" || option == "--pace" || option == "--chat" ||
                      (lanHost && (option == "--wait-clients" || option == "--games" ||
                                   option == "--initial-score" || option == "--pending-timeout" ||
                                   option == "--chat-interval" || option == "--send-limit")) ||
                      (!lanHost && option == "--address")
                : option == "--initial-score" || (command == "replay" && option == "--game-no") ||
                      (command != "replay" && (option == "--games" || option == "--seed")) ||
                      (command == "season" &&
                       (option == "--dir" || option == "--name" || option == "--password"));
        if (!known) return Fail("unknown option '" + std::string(option) + "'");
        if (i + 1 >= argc) return Fail("option '" + std::string(option) + "' needs a value");
        const std::string_view value = argv[++i];
        const auto bad = [&](std::string_view what) {
            return Fail("option '" + std::string(option) + "': '" + std::string(value) + "' is not " +
                        std::string(what));
        };
        if (option == "--initial-score") {
            const auto v = ParseNumber(value, 100, 200);
            if (!v || (*v != 100 && *v != 150 && *v != 200)) return bad("100, 150 or 200");
            replay.initialScore = play.initialScore = season.initialScore = lanPlayer.initialScore =
                static_cast<int>(*v);
        } else if (option == "--game-no") {
            const auto v = ParseNumber(value, 1, 999999);
            if (!v) return bad("a game number 1..999999");
            replay.gameNo = static_cast<int>(*v);
        } else if (option == "--games") {
            const auto v = ParseNumber(value, 1, 1000000000);
            if (!v) return bad("a number of games 1..1000000000");
            play.games = season.games = lanPlayer.games = *v;
            gamesGiven = true;
        } else if (option == "--seed") {
            const auto v = ParseSeed(value);
            if (!v) return bad("a seed 0..18446744073709551615");
            play.seed = season.seed = *v;
        } else if (option == "--dir") {
            season.dir = value;
        } else if (option == "--name") {
            if (value.empty()) return bad("a name");
            season.name = lanPlayer.name = value;
            nameGiven = true;
        } else if (option == "--port") {
            const auto v = ParseNumber(value, 0, 65535);
            if (!v) return bad("a port 0..65535");
            lanPlayer.port = static_cast<std::uint16_t>(*v);
            portGiven = true;
        } else if (option == "--wait-clients") {
            const auto v = ParseNumber(value, 1, 3);
            if (!v) return bad("a number of clients 1..3");
            lanPlayer.waitClients = static_cast<int>(*v);
        } else if (option == "--pace") {
            const auto v = ParseNumber(value, 0, 10000);
            if (!v) return bad("milliseconds 0..10000");
            lanPlayer.paceMs = static_cast<int>(*v);
        } else if (option == "--chat") {
            const auto v = ParseNumber(value, 0, 1000000);
            if (!v) return bad("a number of chat lines 0..1000000");
            lanPlayer.chatLines = static_cast<int>(*v);
        } else if (option == "--pending-timeout" || option == "--chat-interval") {
            const auto v = ParseNumber(value, option == "--chat-interval" ? 0 : 1, 600000);
            if (!v) return bad("milliseconds");
            (option == "--chat-interval" ? lanPlayer.chatIntervalMs : lanPlayer.pendingTimeoutMs) =
                static_cast<int>(*v);
        } else if (option == "--send-limit") {
            const auto v = ParseNumber(value, 64, 1 << 30);
            if (!v) return bad("a number of bytes 64..1073741824");
            lanPlayer.sendLimit = static_cast<int>(*v);
        } else if (option == "--address") {
            if (value.empty()) return bad("an address");
            lanPlayer.address = value;
            addressGiven = true;
        } else {
            season.password = value;
        }
    }

    if (command == "replay") return kesp::sim::Replay(std::cin, std::cout, std::cerr, replay);
    if (lan) {
        if (!portGiven) return Fail(std::string(command) + " needs --port P");
        if (!lanHost && (!addressGiven || !nameGiven))
            return Fail("lan-join needs --address A and --name NAME");
        return kesp::sim::RunLanPlayer(argc, argv, lanPlayer, std::cout, std::cerr);
    }
    if (!gamesGiven) return Fail(std::string(command) + " needs --games N");
    if (command == "season") {
        if (season.dir.empty() || season.name.empty()) return Fail("season needs --dir D and --name NAME");
        return kesp::sim::Season(season, std::cout, std::cerr);
    }
    kesp::sim::PrintSummary(std::cout, kesp::sim::PlayGames(play));
    return 0;
}
