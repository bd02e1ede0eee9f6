// kesp-service: the self-hostable online service of the game.
#include <QCoreApplication>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "network/service_cipher.h"
#include "service/command_line.h"
#include "service/documents.h"
#include "service/game_server.h"
#include "service/game_server_directory.h"
#include "service/http_service.h"
#include "service/picture_publisher.h"
#include "service/secrets.h"
#include "service/store.h"

namespace {

using namespace kesp;
using namespace kesp::service;
namespace fs = std::filesystem;

int Encipher(const EncipherCommand& command) {
    const auto key = CipherKeyByName(command.address);
    if (!key) {
        std::fprintf(stderr, "unknown address name %s\n", command.address.c_str());
        return 2;
    }
    std::printf("%s\n", kesp::Encipher(command.text, *key).c_str());
    return 0;
}

fs::path ProgramFolder() {
    std::error_code failure;
    const fs::path program = fs::read_symlink("/proc/self/exe", failure);
    return failure ? fs::current_path() : program.parent_path();
}

// The address the configuration document gives the game: loopback when listening on every address.
std::string BaseUrl(const std::string& host, int port) {
    const std::string shown = host == "0.0.0.0" ? "127.0.0.1" : host == "::" ? "[::1]" : host;
    return "http://" + shown + ":" + std::to_string(port) + "/";
}

int Serve(const ServiceOptions& options) {
    // SIGTERM and SIGINT are taken by one thread that stops the server; the workers never see them.
    // Blocked before the store's pool starts its threads, which inherit the mask.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    if (!InitialiseSecrets()) {
        std::fprintf(stderr, "kesp-service: libsodium cannot start\n");
        return 1;
    }
    const fs::path data =
        options.dataFolder.empty() ? ProgramFolder() / "kesp-service-data" : fs::path(options.dataFolder);
    std::error_code failure;
    fs::create_directories(data, failure);
    if (failure) {
        std::fprintf(stderr, "kesp-service: cannot create the data folder %s\n", data.c_str());
        return 1;
    }
    std::string error;
    auto store = Store::Open((data / "kesp.sqlite").string(), options.databaseUrl, error);
    if (!store || !store->Migrate(error)) {
        std::fprintf(stderr, "kesp-service: %s\n", error.c_str());
        return 1;
    }

    GameServerPlace gameServerPlace;
    gameServerPlace.host = options.host;
    gameServerPlace.portBase = options.gamePortBase;
    gameServerPlace.noticeFile = data / "tables_notice.txt";
    HttpService http(*store, data, gameServerPlace);
    const int port = http.Bind(options.host, options.port);
    if (port < 0) {
        std::fprintf(stderr, "kesp-service: cannot listen on %s:%d\n", options.host.c_str(), options.port);
        return 1;
    }
    if (!PrepareDataFolder(data, ProgramFolder(), BaseUrl(options.host, port), error)) {
        std::fprintf(stderr, "kesp-service: %s\n", error.c_str());
        return 1;
    }
    PicturePublisher publisher(*store, data);
    GameServerDirectory directory(*store);
    GameServerLimits limits;
    limits.moveTimeout = std::chrono::milliseconds(options.moveTimeoutMs);
    GameServer gameServer(directory, limits);
    // Without its ports the service still serves everything else; the tables show it closed.
    if (!directory.FreeAllTables())
        std::fprintf(stderr, "kesp-service: no game server: the tables cannot be freed\n");
    else if (gameServer.Start(options.host, options.gamePortBase, error))
        gameServerPlace.open = true;
    else
        std::fprintf(stderr, "kesp-service: no game server: %s\n", error.c_str());
    std::atomic<bool> serving{true};
    std::thread stopper([&] {
        int signal = 0;
        sigwait(&stopSignals, &signal);
        // A stop that comes before the server has begun to listen does nothing: it is repeated
        // until serving is over.
        while (serving) {
            http.Stop();
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    });
    std::printf("kesp-service listening on %s (data %s, %s storage, game tables on ports %d..%d)\n",
                BaseUrl(options.host, port).c_str(), fs::absolute(data).c_str(),
                store->IsPostgres() ? "PostgreSQL" : "SQLite", options.gamePortBase + 1,
                options.gamePortBase + 10);
    std::fflush(stdout);
    const bool served = http.Serve();
    serving = false;
    if (!served) {
        std::fprintf(stderr, "kesp-service: serving failed\n");
        pthread_kill(stopper.native_handle(), SIGTERM);
    }
    stopper.join();
    gameServer.Stop();
    std::fprintf(stderr, "kesp-service stopped\n");
    return served ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    const CommandLine commandLine = ReadCommandLine(arguments);
    if (commandLine.encipher) return Encipher(*commandLine.encipher);
    if (!commandLine.service) {
        std::fprintf(stderr, "kesp-service: %s\n%s", commandLine.error.c_str(), kUsage);
        return 2;
    }
    // Qt SQL finds its drivers through the application object.
    int qtArgc = 1;
    QCoreApplication application(qtArgc, argv);
    return Serve(*commandLine.service);
}
