// The game server on loopback: the round trip of one game message (a player's move until another
// player has it), median and 99th percentile over every move of a whole game on one table; then
// ten tables playing whole games at once, with the server's CPU time and memory.
// Usage: build/bench/game_server_roundtrip [games per table in the second part, default 1]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "service_process.h"
#include "table_player.h"

namespace {

using namespace kesp;
using test::Player;
using Clock = std::chrono::steady_clock;

// The service's CPU seconds (user + system) and its resident and peak memory in kB.
struct Usage {
    double cpuSeconds = 0;
    long rssKb = 0, peakKb = 0;
};
Usage UsageOf(qint64 pid) {
    Usage usage;
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::vector<std::string> values;
    for (std::string value; fields >> value;) values.push_back(value);
    if (values.size() > 12) usage.cpuSeconds = (std::stod(values[11]) + std::stod(values[12])) / 100.0;
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmRSS:")) usage.rssKb = std::stol(line.substr(6));
        if (line.starts_with("VmHWM:")) usage.peakKb = std::stol(line.substr(6));
    }
    return usage;
}

// Four players seated at `table`, greeted, each holding the first deal; empty on failure.
std::vector<std::unique_ptr<Player>> SeatTable(const std::string& base, int table,
                                               const std::string& source) {
    std::vector<std::unique_ptr<Player>> players;
    for (int s = 1; s <= 4; ++s) {
        players.push_back(
            std::make_unique<Player>(base, "T" + std::to_string(table) + "s" + std::to_string(s), s, source));
        if (!players.back()->LogInAndSit(table)) {
            std::fprintf(stderr, "%s could not take seat %d of table %d\n", players.back()->nick.c_str(), s,
                         table);
            return {};
        }
    }
    const int port = test::TablePort(base, table);
    for (auto& player : players)
        if (!player->Connect(port)) {
            std::fprintf(stderr, "%s could not connect to port %d\n", player->nick.c_str(), port);
            return {};
        }
    return players;
}

bool Dealt(const std::vector<std::unique_ptr<Player>>& players) {
    for (const auto& player : players)
        if (player->deals == 0) return false;
    return true;
}

// Every player has the server's end of the game, or was let go by the server.
bool Ended(const std::vector<std::unique_ptr<Player>>& players) {
    for (const auto& player : players)
        if (player->control.empty() && !player->closedByServer) return false;
    return true;
}

// Played to its end: every player has the server's 'e'.
bool Whole(const std::vector<std::unique_ptr<Player>>& players) {
    for (const auto& player : players)
        if (player->control.empty() || player->control.front()[0] != 'e') return false;
    return !players.empty();
}

double Percentile(std::vector<double> values, double p) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(p * static_cast<double>(values.size() - 1))];
}

// One whole game on table 1, one move at a time: each move is timed from its send until the
// next player in turn has read it.
std::vector<double> RoundTrips(const std::string& base) {
    auto players = SeatTable(base, 1, "127.0.0.1");
    std::vector<double> millis;
    if (players.empty()) return millis;
    while (!Dealt(players))
        for (auto& player : players) player->Receive(10);
    const auto until = Clock::now() + std::chrono::minutes(5);
    while (!Ended(players) && Clock::now() < until) {
        bool moved = false;
        for (std::size_t i = 0; i < players.size() && !moved; ++i) {
            Player& mover = *players[i];
            const std::size_t sentBefore = mover.sent;
            const auto start = Clock::now();
            if (!mover.Act()) continue;
            moved = true;
            if (mover.sent == sentBefore) continue;
            // Each other player reads until he has what was sent (or the server's answer).
            Player& reader = *players[(i + 1) % players.size()];
            const std::size_t before = reader.received;
            while (reader.received == before && !reader.closedByServer) reader.Receive(1000);
            millis.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
            for (auto& player : players)
                if (player.get() != &reader) player->Receive(1);
            for (int drain = 0; drain < 3; ++drain)
                for (auto& player : players) player->Receive(0);
        }
        if (!moved)
            for (auto& player : players) player->Receive(2);
    }
    return millis;
}

}  // namespace

int main(int argc, char** argv) {
    const int gamesPerTable = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1;
    test::ServiceProcess service;
    if (service.base().empty()) {
        std::fprintf(stderr, "kesp-service did not start\n");
        return 1;
    }
    const std::vector<double> trips = RoundTrips(service.base());
    std::printf(
        "round trip of a game message through the server: %zu moves, median %.3f ms, p99 %.3f ms, max %.3f "
        "ms\n",
        trips.size(), Percentile(trips, 0.5), Percentile(trips, 0.99), Percentile(trips, 1.0));

    // Ten tables at once, each playing whole games at the pace of the players' loop. Only the play
    // is measured: logging in costs the service a slow password check each time.
    long frames = 0;
    int games = 0;
    double seconds = 0, cpuSeconds = 0;
    Usage playing;
    for (int round = 0; round < gamesPerTable; ++round) {
        std::vector<std::vector<std::unique_ptr<Player>>> tables;
        for (int t = 1; t <= 10; ++t)
            tables.push_back(SeatTable(service.base(), t, "127.0.0." + std::to_string(t + 1)));
        const Usage before = UsageOf(service.processId());
        const auto start = Clock::now();
        const auto until = start + std::chrono::minutes(5);
        bool allEnded = false;
        while (!allEnded && Clock::now() < until) {
            allEnded = true;
            for (auto& players : tables) {
                if (players.empty() || Ended(players)) continue;
                allEnded = false;
                for (auto& player : players) player->Receive(0);
                for (auto& player : players) player->Act();
            }
        }
        seconds += std::chrono::duration<double>(Clock::now() - start).count();
        playing = UsageOf(service.processId());
        cpuSeconds += playing.cpuSeconds - before.cpuSeconds;
        for (auto& players : tables) {
            games += Whole(players) ? 1 : 0;
            for (auto& player : players) frames += static_cast<long>(player->sent);
        }
    }
    std::printf(
        "ten tables at once: %d whole games, %ld frames from the players, in %.2f s of play; server CPU "
        "%.2f s (%.1f%% of one core, %.1f us a frame); resident memory %ld kB (peak of the whole run %ld "
        "kB)\n",
        games, frames, seconds, cpuSeconds, 100.0 * cpuSeconds / seconds,
        frames > 0 ? 1e6 * cpuSeconds / static_cast<double>(frames) : 0.0, playing.rssKb, playing.peakKb);
    return games == 10 * gamesPerTable ? 0 : 1;
}
