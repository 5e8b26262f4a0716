#pragma once

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace httplib {
class Server;
}

// An HTTP server on 127.0.0.1 for tests, on a port the system chooses: it answers every GET with the
// status and body set last, and keeps what each request carried.
class LocalHttpServer {
public:
    struct Request {
        std::string path;
        // Every User-Agent header the request carried.
        std::vector<std::string> userAgents;
    };

    LocalHttpServer(int status = 200, std::string body = std::string());
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    void Answer(int status, std::string body);
    // "http://127.0.0.1:PORT".
    std::string Address() const;
    std::vector<Request> Requests() const;

private:
    std::unique_ptr<httplib::Server> server;
    int port = 0;
    std::thread listener;
    mutable std::mutex mutex;
    int status;
    std::string body;
    std::vector<Request> requests;
};

// A server on 127.0.0.1 that takes connections and never answers: the system completes each
// connection, and nobody reads or writes on it.
class SilentServer {
public:
    SilentServer();
    ~SilentServer();
    SilentServer(const SilentServer&) = delete;
    SilentServer& operator=(const SilentServer&) = delete;

    std::string Address() const;

private:
    int socket = -1;
    int port = 0;
};

// A server on 127.0.0.1 that answers one connection slowly: the head (status line and headers) at
// once, then the first bytes of the body, then one more byte every interval, or none at all when
// interval is zero (a body that stops midway). It stops when destroyed, and on its own after a minute.
class SlowServer {
public:
    struct Plan {
        std::string head;
        std::string body;
        size_t sentAtOnce = 0;
        std::chrono::milliseconds interval{0};
    };

    explicit SlowServer(Plan plan);
    ~SlowServer();
    SlowServer(const SlowServer&) = delete;
    SlowServer& operator=(const SlowServer&) = delete;

    std::string Address() const;

private:
    void Serve();

    Plan plan;
    int socket = -1;
    int port = 0;
    std::atomic<bool> stopping{false};
    std::thread worker;
};
