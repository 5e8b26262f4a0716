#pragma once

#include "Definitions.hpp"

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace StandIn {

// One item of an envelope: its type ("event", "session", ...) and its payload as sent.
struct ReceivedItem {
    std::string type;
    std::string payload;
};

// One envelope as it reached the receiver.
struct ReceivedEnvelope {
    std::string path;          // e.g. "/api/4508123456789013/envelope/"
    std::string authorization; // the X-Sentry-Auth header
    std::string header;        // the envelope's first line
    std::vector<ReceivedItem> items;
};

// The error-reporting service of one session: an HTTP server on 127.0.0.1 that takes the envelopes
// of sentry-native's transport. Route the host's reports to it with
// `Host().errorReporting.receiver = receiver.Address()`.
class HOST_API EventReceiver {
public:
    // Listens on a free port; throws GS::Exception when it cannot.
    EventReceiver();
    ~EventReceiver();
    EventReceiver(const EventReceiver&) = delete;
    EventReceiver& operator=(const EventReceiver&) = delete;

    // "127.0.0.1:PORT"
    std::string Address() const;
    std::vector<ReceivedEnvelope> Envelopes() const;
    // The payloads of the "event" items, in arrival order.
    std::vector<std::string> Events() const;
    // Waits until at least `count` events have arrived; false when the time ran out first.
    bool WaitForEvents(size_t count, std::chrono::milliseconds timeout) const;

private:
    struct Service;
    std::unique_ptr<Service> service;
};

} // namespace StandIn
