#include "service/connection_pool.h"

#include <algorithm>
#include <exception>
#include <memory>

namespace kesp::service {

struct ConnectionPool::Job {
    explicit Job(Work work, bool posted) : work(std::move(work)), posted(posted) {}
    Work work;
    // Posted work belongs to the pool, which deletes it once it has run.
    const bool posted;
    std::chrono::steady_clock::time_point queued = std::chrono::steady_clock::now();
    PoolTiming timing;
    std::exception_ptr failure;
    bool started = false, done = false;
    std::condition_variable finished;
};

ConnectionPool::ConnectionPool(std::size_t size, std::function<QSqlDatabase()> open,
                               std::optional<Queue> queue)
    : open_(std::move(open)), queue_(queue) {
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

// Called with the lock held.
bool ConnectionPool::Enqueue(Job& job) {
    if (queue_ && jobs_.size() >= queue_->longest) return false;
    jobs_.push_back(&job);
    queued_.notify_one();
    return true;
}

PoolTiming ConnectionPool::Run(const Work& work) {
    Job job(work, false);
    std::unique_lock lock(mutex_);
    if (!Enqueue(job)) return {};
    if (queue_ &&
        !job.finished.wait_until(lock, job.queued + queue_->longestWait, [&] { return job.started; })) {
        jobs_.erase(std::find(jobs_.begin(), jobs_.end(), &job));
        return {std::chrono::steady_clock::now() - job.queued, {}, false};
    }
    // No time limit once it runs: the connection's statement and lock time-outs bound the work.
    job.finished.wait(lock, [&] { return job.done; });
    if (job.failure) std::rethrow_exception(job.failure);
    return job.timing;
}

bool ConnectionPool::Post(Work work) {
    auto job = std::make_unique<Job>(std::move(work), true);
    std::lock_guard lock(mutex_);
    if (!Enqueue(*job)) return false;
    job.release();
    return true;
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
        job->started = true;
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
        job->timing.ran = true;
        if (job->posted) {
            delete job;
            lock.lock();
            continue;
        }
        lock.lock();
        job->done = true;
        job->finished.notify_one();
    }
}

}  // namespace kesp::service
