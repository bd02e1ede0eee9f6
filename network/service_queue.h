// Runs the game's service requests one after another on a worker thread, so a slow or silent
// service never freezes the window. Each request's result comes back on the window's thread, to a
// callback tied to a receiver: a window that closed before its answer came gets no call.
#pragma once

#include <QObject>
#include <QPointer>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "network/service_client.h"

namespace kesp {

class ServiceQueue : public QObject {
    Q_OBJECT

  public:
    explicit ServiceQueue(QObject* parent = nullptr);
    // Gives up the running request at once and drops the ones still waiting.
    ~ServiceQueue() override;

    // Runs `work` on the shared client after every request queued before it; then `done` with its
    // result on the thread of `receiver`, while `receiver` lives.
    template <typename Result>
    void Run(QObject* receiver, std::function<Result(ServiceClient&)> work,
             std::function<void(Result)> done) {
        QPointer<QObject> target(receiver);
        Enqueue(
            [this, target, work = std::move(work), done = std::move(done)](ServiceClient& client) mutable {
                auto result = std::make_shared<Result>(work(client));
                // Delivered through the queue itself, which outlives its worker; the receiver is checked
                // on its own thread.
                QMetaObject::invokeMethod(
                    this,
                    [target, done = std::move(done), result] {
                        if (target) done(std::move(*result));
                    },
                    Qt::QueuedConnection);
            });
    }

    // Requests queued or running.
    int Pending() const;

  signals:
    // True when the first request is queued, false when the last one has answered.
    void busyChanged(bool busy);

  private:
    void Enqueue(std::function<void(ServiceClient&)> job);
    void Work();

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void(ServiceClient&)>> jobs_;
    int pending_ = 0;
    std::atomic<bool> closing_{false};
    std::thread worker_;
};

}  // namespace kesp
