// The HTTP side of kesp-service: the form posts of the catalogue, the documents and the log.
#pragma once

#include <condition_variable>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "service/answer_cache.h"
#include "service/catalogue.h"
#include "service/game_server_place.h"
#include "service/store.h"
#include "service/write_limits.h"

namespace httplib {
class Server;
}

namespace kesp::service {

class HttpService {
  public:
    HttpService(Store& store, std::filesystem::path dataFolder, const GameServerPlace& gameServer);
    ~HttpService();

    // Binds HOST:PORT (port 0 picks one); the bound port, or -1.
    int Bind(const std::string& host, int port);
    // Serves until Stop; false when serving failed.
    bool Serve();
    // Safe from any thread.
    void Stop();

  private:
    void Route();
    // Reads the answer of a public read into the kept answers on the database's time, not the
    // caller's.
    void ReadAfreshLater(const Operation& operation, std::string key, std::vector<std::string> values,
                         std::string remote, std::string local);
    Store& store_;
    std::filesystem::path dataFolder_;
    const GameServerPlace& gameServer_;
    WriteLimits limits_;
    AnswerCache answers_;
    std::unique_ptr<httplib::Server> server_;
    int listenSocket_ = -1;
    std::mutex backgroundMutex_;
    std::condition_variable backgroundDone_;
    int backgroundReads_ = 0;
};

}  // namespace kesp::service
