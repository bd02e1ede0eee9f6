#include "network/service_queue.h"

namespace kesp {

ServiceQueue::ServiceQueue(QObject* parent) : QObject(parent), worker_([this] { Work(); }) {}

ServiceQueue::~ServiceQueue() {
    {
        std::lock_guard lock(mutex_);
        closing_ = true;
        jobs_.clear();
    }
    wake_.notify_all();
    worker_.join();
}

int ServiceQueue::Pending() const {
    std::lock_guard lock(mutex_);
    return pending_;
}

void ServiceQueue::Enqueue(std::function<void(ServiceClient&)> job) {
    bool first = false;
    {
        std::lock_guard lock(mutex_);
        if (closing_) return;
        jobs_.push_back(std::move(job));
        first = pending_++ == 0;
    }
    wake_.notify_one();
    if (first) emit busyChanged(true);
}

void ServiceQueue::Work() {
    ServiceClient client;
    const TransferCancel cancel(closing_);
    while (true) {
        std::function<void(ServiceClient&)> job;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return closing_ || !jobs_.empty(); });
            if (closing_) return;
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        job(client);
        bool idle = false;
        {
            std::lock_guard lock(mutex_);
            idle = --pending_ == 0;
        }
        if (idle)
            QMetaObject::invokeMethod(
                this,
                [this] {
                    if (Pending() == 0) emit busyChanged(false);
                },
                Qt::QueuedConnection);
    }
}

}  // namespace kesp
