#pragma once

#include "StandIn/EventReceiver.hpp"

#include <string>

// The error-reporting receiver of one session (--receiver): the add-on's reports go to it, and when
// the session is over (the add-on released, so the library has sent what it had) every event that
// arrived is written to the file, one JSON object per line ("-": standard output).
class ReceivedEvents {
public:
    explicit ReceivedEvents(std::string path);
    ~ReceivedEvents();
    ReceivedEvents(const ReceivedEvents&) = delete;
    ReceivedEvents& operator=(const ReceivedEvents&) = delete;

private:
    std::string path;
    StandIn::EventReceiver receiver;
};
