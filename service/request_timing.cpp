#include "service/request_timing.h"

#include <httplib.h>

#include <sstream>

namespace kesp::service {
namespace {

thread_local RequestTiming current;
// Set by the worker that takes a new connection, read by its first request.
thread_local bool newConnection = false;
thread_local RequestTiming::Clock::time_point connectionAccepted, connectionTaken;

double Milliseconds(RequestTiming::Clock::duration duration) {
    return std::chrono::duration_cast<std::chrono::microseconds>(duration).count() / 1000.0;
}

class TimedWorkers final : public httplib::TaskQueue {
  public:
    explicit TimedWorkers(std::size_t workers) : pool_(workers) {}
    // Called by the server right after it accepted a connection.
    void enqueue(std::function<void()> serveConnection) override {
        pool_.enqueue([accepted = RequestTiming::Clock::now(), serve = std::move(serveConnection)] {
            newConnection = true;
            connectionAccepted = accepted;
            connectionTaken = RequestTiming::Clock::now();
            serve();
        });
    }
    void shutdown() override { pool_.shutdown(); }

  private:
    httplib::ThreadPool pool_;
};

}  // namespace

RequestTiming& CurrentRequest() {
    return current;
}

void BeginRequest() {
    current = {};
    current.begun = true;
    current.read = RequestTiming::Clock::now();
    current.handled = current.read;
    if (newConnection) {
        newConnection = false;
        current.firstOnConnection = true;
        current.accepted = connectionAccepted;
        current.queued = connectionTaken - connectionAccepted;
        current.reading = current.read - connectionTaken;
    }
}

void EndRequest() {
    current.begun = false;
}

RequestTiming::Clock::duration RequestTiming::Total(Clock::time_point written) const {
    return written - (firstOnConnection ? accepted : read);
}

std::string RequestTiming::Breakdown(Clock::time_point written) const {
    std::ostringstream text;
    text << Milliseconds(Total(written)) << "ms";
    if (firstOnConnection)
        text << " from the accept: " << Milliseconds(queued) << "ms waiting for a worker, "
             << Milliseconds(reading) << "ms reading the request,";
    else
        text << " from the request read:";
    if (kept)
        text << " answered from a kept copy,";
    else if (askedDatabase && database.ran)
        text << " waited " << Milliseconds(database.waited) << "ms for a database connection, used it "
             << Milliseconds(database.worked) << "ms,";
    else if (askedDatabase)
        text << " turned away after waiting " << Milliseconds(database.waited)
             << "ms for a database connection,";
    const Clock::duration inHandler = handled - read - database.waited - database.worked;
    text << ' ' << Milliseconds(inHandler) << "ms in the handler otherwise, "
         << Milliseconds(written - handled) << "ms writing the answer";
    return text.str();
}

httplib::TaskQueue* NewTimedWorkers(std::size_t workers) {
    return new TimedWorkers(workers);
}

}  // namespace kesp::service
