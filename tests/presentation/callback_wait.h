// Waiting in a test for a callback that comes from the event loop: the test runs the loop until
// the callback has been called, or for a while to see that it is not.
#pragma once

#include <QEventLoop>
#include <QTimer>
#include <chrono>
#include <functional>

namespace kesp::test {

class CallbackWait {
  public:
    CallbackWait() {
        limit_.setSingleShot(true);
        QObject::connect(&limit_, &QTimer::timeout, &loop_, &QEventLoop::quit);
    }

    // The callback to hand over; it counts its calls and ends the wait.
    std::function<void()> Callback() {
        return [this] {
            ++calls;
            loop_.quit();
        };
    }
    // Runs the event loop until the callback has come or `limit` has passed; true when it came.
    bool Run(std::chrono::milliseconds limit = std::chrono::seconds(20)) {
        if (calls == 0) {
            limit_.start(limit);
            loop_.exec();
            limit_.stop();
        }
        return calls > 0;
    }

    int calls = 0;

  private:
    QEventLoop loop_;
    QTimer limit_;
};

// Runs the event loop for `time`, whatever happens meanwhile.
inline void RunEventLoopFor(std::chrono::milliseconds time) {
    QEventLoop loop;
    QTimer::singleShot(time, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace kesp::test
