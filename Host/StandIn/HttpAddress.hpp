#pragma once

#include <optional>
#include <string>

namespace StandIn {

struct HttpTarget {
    std::string address;
    // This machine: no proxy of the environment stands between.
    bool direct = false;
};

// Where a request for path on server:port goes: below the host table's base address for the server,
// else to the server itself (HTTPS when secure; port 0 is the scheme's). Nothing when the server is
// outside the table and the internet is off.
std::optional<HttpTarget> HttpTargetOf(const std::string& server, unsigned port, bool secure,
                                       const std::string& path);

} // namespace StandIn
