#pragma once

#include <chrono>

namespace StandIn {

// How long a page script may run before the engine stops it. The clock runs from the outermost
// entry into the page; time spent in the host's own functions called by the page does not count.
class PageTimeLimit {
public:
    using Clock = std::chrono::steady_clock;

    explicit PageTimeLimit(std::chrono::milliseconds limit) : limit(limit) {}

    void SetLimit(std::chrono::milliseconds newLimit) { limit = newLimit; }
    void Start() { deadline = Clock::now() + limit; }
    void Stop() { deadline = Clock::time_point::max(); }
    void Extend(Clock::duration by) { deadline += by; }
    bool IsUp() const { return Clock::now() > deadline; }

private:
    std::chrono::milliseconds limit;
    Clock::time_point deadline = Clock::time_point::max();
};

// Leaves the time spent in its scope out of the page's time.
class PageTimePause {
public:
    explicit PageTimePause(PageTimeLimit& limit) : limit(limit), start(PageTimeLimit::Clock::now()) {}
    ~PageTimePause() { limit.Extend(PageTimeLimit::Clock::now() - start); }
    PageTimePause(const PageTimePause&) = delete;
    PageTimePause& operator=(const PageTimePause&) = delete;

private:
    PageTimeLimit& limit;
    PageTimeLimit::Clock::time_point start;
};

} // namespace StandIn
