#include "StandIn/HttpAddress.hpp"

#include "GSException.hpp"
#include "StandIn/Host.hpp"

#include <algorithm>
#include <cctype>

namespace StandIn {

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The host of an address's authority, without its port: "127.0.0.1", "[::1]", "example.com".
std::string HostOf(const std::string& address, size_t authorityStart) {
    const size_t authorityEnd = address.find('/', authorityStart);
    std::string authority = address.substr(authorityStart, authorityEnd - authorityStart);
    if (!authority.empty() && authority.front() == '[') {
        return Lower(authority.substr(0, authority.find(']') + 1));
    }
    return Lower(authority.substr(0, authority.find(':')));
}

bool IsThisMachine(const std::string& host) {
    return host == "127.0.0.1" || host == "localhost" || host == "[::1]";
}

} // namespace

void MapHttpHost(const std::string& host, const std::string& baseAddress) {
    const std::string lower = Lower(baseAddress);
    const bool plain = lower.rfind("http://", 0) == 0;
    if (!plain && lower.rfind("https://", 0) != 0) {
        throw GS::IllegalArgumentException(
            GS::UniString("Not an http:// or https:// address: " + baseAddress));
    }
    const std::string target = HostOf(lower, plain ? 7 : 8);
    if (target.empty() || (plain && !IsThisMachine(target))) {
        throw GS::IllegalArgumentException(
            GS::UniString("Plain HTTP is only allowed to this machine (127.0.0.1): " + baseAddress));
    }
    std::string base = baseAddress;
    while (base.back() == '/') {
        base.pop_back();
    }
    Host().http.hostTable[Lower(host)] = base;
}

std::optional<HttpTarget> HttpTargetOf(const std::string& server, unsigned port, bool secure,
                                       const std::string& path) {
    const std::string relative = path.empty() || path.front() != '/' ? "/" + path : path;
    const auto& table = Host().http.hostTable;
    if (auto mapped = table.find(Lower(server)); mapped != table.end()) {
        const std::string& base = mapped->second;
        const size_t authorityStart = base.find("://") + 3;
        return HttpTarget{base + relative, IsThisMachine(HostOf(Lower(base), authorityStart))};
    }
    if (!Host().http.internet) {
        return std::nullopt;
    }
    const std::string scheme = secure ? "https://" : "http://";
    const std::string authority = port == 0 ? server : server + ":" + std::to_string(port);
    return HttpTarget{scheme + authority + relative, IsThisMachine(Lower(server))};
}

} // namespace StandIn
