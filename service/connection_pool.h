// A few threads, each with a database connection of its own, that run the requests' database work
// in turn. Many HTTP workers may wait on slow senders, but only this many talk to the database at
// once: on a small machine a backend per worker would mostly fight over the cores.
#pragma once

#include <QSqlDatabase>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace kesp::service {

// How long one piece of work waited for a free connection, and how long it then ran.
struct PoolTiming {
    std::chrono::steady_clock::duration waited{}, worked{};
};

class ConnectionPool {
  public:
    // `open` makes a connection; it runs on the pool's thread that will use it (Qt SQL connections
    // belong to the thread that made them) and again whenever the connection has closed.
    ConnectionPool(std::size_t size, std::function<QSqlDatabase()> open);
    ~ConnectionPool();
    ConnectionPool(const ConnectionPool&) = delete;
    ConnectionPool& operator=(const ConnectionPool&) = delete;

    // Runs `work` on a free connection and returns once it has run; an exception in `work` comes
    // back here. The connection is not open when the database cannot be reached.
    PoolTiming Run(const std::function<void(QSqlDatabase&)>& work);

  private:
    struct Job;
    void Serve();
    std::function<QSqlDatabase()> open_;
    std::mutex mutex_;
    std::condition_variable queued_;
    std::deque<Job*> jobs_;
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};

}  // namespace kesp::service
