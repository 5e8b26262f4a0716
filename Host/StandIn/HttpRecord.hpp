#pragma once

#include "Definitions.hpp"

#include <map>
#include <string>
#include <vector>

namespace StandIn {

// One request opened through WinHTTP, as the add-on made it and as far as it got.
struct HttpExchange {
    std::string userAgent;
    // Resolve, connect, send and receive, in milliseconds, as the request had them when it was sent.
    std::vector<int> timeouts;
    std::string server;
    unsigned port = 0;
    std::string verb;
    std::string path;
    bool secure = false;
    std::vector<std::string> headers;
    // Where it really went, after the host table; empty until it was sent.
    std::string address;
    bool sent = false;
    long status = 0;
    // The size asked for in each WinHttpReadData call, and the bytes delivered altogether.
    std::vector<unsigned long> readSizes;
    size_t bytesRead = 0;
    // The ERROR_WINHTTP_* code it failed with, or 0.
    unsigned long error = 0;
};

struct HttpState {
    // Host names whose requests go to another base address instead, e.g. the maker's API host to a
    // local test server ("http://127.0.0.1:8080"). Plain HTTP is only allowed to this machine.
    std::map<std::string, std::string> hostTable;
    // Off: a host outside the table is not resolved, as on a machine without network. Tests keep it
    // off; tolva-host turns it on.
    bool internet = false;
    std::vector<HttpExchange> exchanges;
};

// Sends the requests for host to baseAddress ("http://127.0.0.1:PORT" or any "https://..."
// address, optionally with a path that goes before the request's); throws
// GS::IllegalArgumentException for another scheme or plain HTTP to another machine.
HOST_API void MapHttpHost(const std::string& host, const std::string& baseAddress);

// What tests read back about WinHTTP handles: leaks and closes of handles that are not open.
namespace WinHttpLedger {
HOST_API Int32 OpenCount();
HOST_API Int32 BadCloseCount();
// Closes every open handle and forgets bad closes, as in a freshly started host.
HOST_API void Reset();
} // namespace WinHttpLedger

} // namespace StandIn
