#include "HttpServers/LocalHttpServer.hpp"

#include <httplib.h>

#include <algorithm>
#include <chrono>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

LocalHttpServer::LocalHttpServer(int status, std::string body)
    : server(std::make_unique<httplib::Server>()), status(status), body(std::move(body)) {
    server->Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
        std::lock_guard<std::mutex> lock(mutex);
        Request seen{request.path, {}};
        const size_t agents = request.get_header_value_count("User-Agent");
        for (size_t i = 0; i < agents; ++i) {
            seen.userAgents.push_back(request.get_header_value("User-Agent", i));
        }
        requests.push_back(seen);
        response.status = this->status;
        response.set_content(this->body, "application/json");
    });
    // Bound and listening from here on: connections wait in the backlog until the thread accepts.
    port = server->bind_to_any_port("127.0.0.1");
    if (port <= 0) {
        throw std::runtime_error("cannot listen on 127.0.0.1");
    }
    listener = std::thread([this] { server->listen_after_bind(); });
    // A stop before the server runs would be lost, and the listener would wait for ever.
    while (!server->is_running()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

LocalHttpServer::~LocalHttpServer() {
    server->stop();
    listener.join();
}

void LocalHttpServer::Answer(int newStatus, std::string newBody) {
    std::lock_guard<std::mutex> lock(mutex);
    status = newStatus;
    body = std::move(newBody);
}

std::string LocalHttpServer::Address() const {
    return "http://127.0.0.1:" + std::to_string(port);
}

std::vector<LocalHttpServer::Request> LocalHttpServer::Requests() const {
    std::lock_guard<std::mutex> lock(mutex);
    return requests;
}

namespace {

// A socket listening on a free port of 127.0.0.1; its port is written to port.
int ListenOnLoopback(int& port) {
    const int listening = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    if (listening < 0 || bind(listening, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        listen(listening, 8) != 0 ||
        getsockname(listening, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        if (listening >= 0) {
            close(listening);
        }
        throw std::runtime_error("cannot listen on 127.0.0.1");
    }
    port = ntohs(address.sin_port);
    return listening;
}

} // namespace

SilentServer::SilentServer() {
    socket = ListenOnLoopback(port);
}

SilentServer::~SilentServer() {
    close(socket);
}

std::string SilentServer::Address() const {
    return "http://127.0.0.1:" + std::to_string(port);
}

namespace {

constexpr auto SlowServerLifetime = std::chrono::seconds(60);
constexpr int PollSliceMs = 20;

} // namespace

SlowServer::SlowServer(Plan plan) : plan(std::move(plan)) {
    socket = ListenOnLoopback(port);
    worker = std::thread([this] { Serve(); });
}

SlowServer::~SlowServer() {
    stopping = true;
    worker.join();
    close(socket);
}

std::string SlowServer::Address() const {
    return "http://127.0.0.1:" + std::to_string(port);
}

void SlowServer::Serve() {
    const auto end = std::chrono::steady_clock::now() + SlowServerLifetime;
    auto running = [&] { return !stopping && std::chrono::steady_clock::now() < end; };
    pollfd waiting = {socket, POLLIN, 0};
    while (running() && poll(&waiting, 1, PollSliceMs) <= 0) {
    }
    if (!running()) {
        return;
    }
    const int connection = accept(socket, nullptr, nullptr);
    if (connection < 0) {
        return;
    }
    // The request is read, so that closing does not reset the connection before the client saw it.
    std::string request;
    char piece[1024];
    pollfd reading = {connection, POLLIN, 0};
    while (running() && request.find("\r\n\r\n") == std::string::npos) {
        if (poll(&reading, 1, PollSliceMs) > 0) {
            const ssize_t got = recv(connection, piece, sizeof(piece), 0);
            if (got <= 0) {
                break;
            }
            request.append(piece, static_cast<size_t>(got));
        }
    }
    auto sendAll = [&](const char* data, size_t size) {
        while (size > 0) {
            const ssize_t sent = send(connection, data, size, MSG_NOSIGNAL);
            if (sent <= 0) {
                return false;
            }
            data += sent;
            size -= static_cast<size_t>(sent);
        }
        return true;
    };
    const size_t atOnce = std::min(plan.sentAtOnce, plan.body.size());
    size_t next = atOnce;
    bool open = sendAll(plan.head.data(), plan.head.size()) && sendAll(plan.body.data(), atOnce);
    auto due = std::chrono::steady_clock::now() + plan.interval;
    while (open && running()) {
        if (plan.interval.count() > 0 && next < plan.body.size() && std::chrono::steady_clock::now() >= due) {
            open = sendAll(plan.body.data() + next, 1);
            ++next;
            due += plan.interval;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(PollSliceMs));
    }
    close(connection);
}
