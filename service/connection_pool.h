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
#include <optional>
#include <thread>
#include <vector>

namespace kesp::service {

// How long one piece of work waited for a free connection, and how long it then ran; not run when
// the pool's queue was full or the work waited longer than the pool allows.
struct PoolTiming {
    std::chrono::steady_clock::duration waited{}, worked{};
    bool ran = false;
};

class ConnectionPool {
  public:
    using Work = std::function<void(QSqlDatabase&)>;
    // How much work may wait for a connection, and for how long.
    struct Queue {
        std::size_t longest = 0;
        std::chrono::steady_clock::duration longestWait{};
    };

    // `open` makes a connection; it runs on the pool's thread that will use it (Qt SQL connections
    // belong to the thread that made them) and again whenever the connection has closed. Without
    // `queue`, work waits as long as it must.
    ConnectionPool(std::size_t size, std::function<QSqlDatabase()> open, std::optional<Queue> queue = {});
    ~ConnectionPool();
    ConnectionPool(const ConnectionPool&) = delete;
    ConnectionPool& operator=(const ConnectionPool&) = delete;

    // Runs `work` on a free connection and returns once it has run (or was turned away); an
    // exception in `work` comes back here. The connection is not open when the database cannot be
    // reached.
    PoolTiming Run(const Work& work);
    // Runs `work` on the next free connection without waiting for it; false when it was turned
    // away. An exception in `work` is dropped. Work posted before the pool ends is still done.
    bool Post(Work work);

  private:
    struct Job;
    bool Enqueue(Job& job);
    void Serve();
    std::function<QSqlDatabase()> open_;
    const std::optional<Queue> queue_;
    std::mutex mutex_;
    std::condition_variable queued_;
    std::deque<Job*> jobs_;
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};

}  // namespace kesp::service
