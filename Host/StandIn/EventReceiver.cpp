#include "StandIn/EventReceiver.hpp"

#include "GSException.hpp"

#include <httplib.h>
#include <rapidjson/document.h>

#include <condition_variable>
#include <mutex>
#include <thread>

namespace StandIn {

namespace {

// The next line from `at`, without its newline; `at` moves past it.
std::string_view NextLine(std::string_view body, size_t& at) {
    const size_t end = std::min(body.find('\n', at), body.size());
    std::string_view line = body.substr(at, end - at);
    at = end + 1;
    return line;
}

size_t CountEvents(const std::vector<ReceivedEnvelope>& envelopes) {
    size_t count = 0;
    for (const ReceivedEnvelope& envelope : envelopes) {
        for (const ReceivedItem& item : envelope.items) {
            count += item.type == "event" ? 1 : 0;
        }
    }
    return count;
}

// The items of an envelope's text: a header line, then per item a header line and its payload.
std::vector<ReceivedItem> EnvelopeItems(const std::string& body, std::string* header) {
    std::vector<ReceivedItem> items;
    size_t at = 0;
    *header = std::string(NextLine(body, at));
    while (at < body.size()) {
        const std::string itemHeader(NextLine(body, at));
        if (itemHeader.empty()) {
            continue;
        }
        rapidjson::Document parsed;
        parsed.Parse(itemHeader.c_str());
        if (parsed.HasParseError() || !parsed.IsObject()) {
            break; // not an envelope from here on
        }
        ReceivedItem item;
        if (parsed.HasMember("type") && parsed["type"].IsString()) {
            item.type = parsed["type"].GetString();
        }
        if (parsed.HasMember("length") && parsed["length"].IsUint64()) {
            const size_t length =
                std::min<size_t>(parsed["length"].GetUint64(), body.size() - std::min(at, body.size()));
            item.payload = body.substr(at, length);
            at += length + 1;
        } else {
            item.payload = std::string(NextLine(body, at));
        }
        items.push_back(std::move(item));
    }
    return items;
}

} // namespace

struct EventReceiver::Service {
    httplib::Server server;
    std::thread thread;
    int port = 0;
    mutable std::mutex mutex;
    mutable std::condition_variable arrived;
    std::vector<ReceivedEnvelope> envelopes;
};

EventReceiver::EventReceiver() : service(std::make_unique<Service>()) {
    Service& s = *service;
    s.server.Post(R"(/api/[^/]+/envelope/)",
                  [&s](const httplib::Request& request, httplib::Response& response) {
                      ReceivedEnvelope envelope;
                      envelope.path = request.path;
                      envelope.authorization = request.get_header_value("X-Sentry-Auth");
                      envelope.items = EnvelopeItems(request.body, &envelope.header);
                      {
                          std::lock_guard<std::mutex> lock(s.mutex);
                          s.envelopes.push_back(std::move(envelope));
                      }
                      s.arrived.notify_all();
                      response.set_content("{}", "application/json");
                  });
    s.port = s.server.bind_to_any_port("127.0.0.1");
    if (s.port <= 0) {
        throw GS::Exception("The error-reporting receiver cannot listen on 127.0.0.1");
    }
    s.thread = std::thread([&s] { s.server.listen_after_bind(); });
    // Stopping works only on a running server.
    while (!s.server.is_running()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

EventReceiver::~EventReceiver() {
    service->server.stop();
    service->thread.join();
}

std::string EventReceiver::Address() const {
    return "127.0.0.1:" + std::to_string(service->port);
}

std::vector<ReceivedEnvelope> EventReceiver::Envelopes() const {
    std::lock_guard<std::mutex> lock(service->mutex);
    return service->envelopes;
}

std::vector<std::string> EventReceiver::Events() const {
    std::vector<std::string> events;
    for (const ReceivedEnvelope& envelope : Envelopes()) {
        for (const ReceivedItem& item : envelope.items) {
            if (item.type == "event") {
                events.push_back(item.payload);
            }
        }
    }
    return events;
}

bool EventReceiver::WaitForEvents(size_t count, std::chrono::milliseconds timeout) const {
    std::unique_lock<std::mutex> lock(service->mutex);
    return service->arrived.wait_for(lock, timeout, [&] { return CountEvents(service->envelopes) >= count; });
}

} // namespace StandIn
