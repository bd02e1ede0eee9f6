// Where the time of each request went, from the accepted connection to the written answer: for the
// log line of every request and the note on each slow one.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>

#include "service/connection_pool.h"

namespace httplib {
class TaskQueue;
}

namespace kesp::service {

struct RequestTiming {
    using Clock = std::chrono::steady_clock;
    // False for an answer to a request that could not be read (the server answered it itself).
    bool begun = false;
    // Only for the first request of a connection: when the connection was accepted, how long it
    // waited for a worker, and how long the worker then took to read the request.
    bool firstOnConnection = false;
    Clock::time_point accepted;
    Clock::duration queued{}, reading{};
    // When the request had been read, and when its handler was done.
    Clock::time_point read, handled;
    std::string operation;
    bool kept = false;
    bool askedDatabase = false;
    PoolTiming database;

    // From the accept for the first request of a connection, otherwise from the moment the request
    // had been read (the wait of a kept-alive connection for its next request is the client's).
    Clock::duration Total(Clock::time_point written) const;
    // Where the time went, for the log.
    std::string Breakdown(Clock::time_point written) const;
};

// The timing of the request this thread is answering.
RequestTiming& CurrentRequest();
// Starts the timing of a request that has just been read, and ends it once it has been answered.
void BeginRequest();
void EndRequest();

// The HTTP server's workers, which note when each connection was accepted and taken.
httplib::TaskQueue* NewTimedWorkers(std::size_t workers);

}  // namespace kesp::service
