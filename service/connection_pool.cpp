#include "service/connection_pool.h"

#include <exception>

namespace kesp::service {

struct ConnectionPool::Job {
    explicit Job(const std::function<void(QSqlDatabase&)>& work) : work(work) {}
    const std::function<void(QSqlDatabase&)>& work;
    std::chrono::steady_clock::time_point queued = std::chrono::steady_clock::now();
    PoolTiming timing;
    std::exception_ptr failure;
    bool done = false;
    std::condition_variable finished;
};

ConnectionPool::ConnectionPool(std::size_t size, std::function<QSqlDatabase()> open)
    : open_(std::move(open)) {
    for (std::size_t i = 0; i < size; ++i) threads_.emplace_back([this] { Serve(); });
}

ConnectionPool::~ConnectionPool() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    queued_.notify_all();
    for (std::thread& thread : threads_) thread.join();
}

PoolTiming ConnectionPool::Run(const std::function<void(QSqlDatabase&)>& work) {
    Job job(work);
    std::unique_lock lock(mutex_);
    jobs_.push_back(&job);
    queued_.notify_one();
    // No time limit of its own: the connection's statement and lock time-outs bound the work.
    job.finished.wait(lock, [&] { return job.done; });
    if (job.failure) std::rethrow_exception(job.failure);
    return job.timing;
}

void ConnectionPool::Serve() {
    QSqlDatabase db;
    std::unique_lock lock(mutex_);
    while (true) {
        queued_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
        // Queued work is still done when stopping: its caller is waiting for it.
        if (jobs_.empty()) return;
        Job* job = jobs_.front();
        jobs_.pop_front();
        lock.unlock();
        const auto started = std::chrono::steady_clock::now();
        job->timing.waited = started - job->queued;
        try {
            if (!db.isValid()) db = open_();
            if (!db.isOpen()) db.open();
            job->work(db);
        } catch (...) {
            job->failure = std::current_exception();
        }
        job->timing.worked = std::chrono::steady_clock::now() - started;
        lock.lock();
        job->done = true;
        job->finished.notify_one();
    }
}

}  // namespace kesp::service
