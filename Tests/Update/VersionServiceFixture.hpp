#pragma once

#include "Browser/ReportLines.hpp"
#include "HttpServers/LocalHttpServer.hpp"
#include "StandIn/HttpRecord.hpp"
#include "Update/VersionCheck.hpp"
#include "Update/VersionRequest.hpp"

#include <string>
#include <vector>

// The version check run in a host whose version service is a server on this machine.
class VersionService : public ReportLines {
protected:
    static constexpr const char* ServiceHost = "api.tolva.ai";

    void TearDown() override {
        EXPECT_EQ(StandIn::WinHttpLedger::OpenCount(), 0) << "every WinHTTP handle is closed";
        EXPECT_EQ(StandIn::WinHttpLedger::BadCloseCount(), 0);
        ReportLines::TearDown();
    }

    // Runs the check against a server answering status and body, and keeps its log lines.
    bool CheckAgainst(int status, const std::string& body) {
        LocalHttpServer server(status, body);
        StandIn::MapHttpHost(ServiceHost, server.Address());
        StandIn::Host().report.clear();
        const bool allowed = VersionCheck::CheckVersionAllowed();
        requests = server.Requests();
        return allowed;
    }
    static std::vector<std::string> LinesWith(const std::vector<std::string>& middle) {
        std::vector<std::string> lines = {
            "[INFO] VersionCheck: Starting version check...",
            "[INFO] VersionCheck: Current plugin version: 1.0.6",
            "[INFO] VersionCheck: Checking version at: api.tolva.ai/v1/plugins/check_version_allowed",
        };
        lines.insert(lines.end(), middle.begin(), middle.end());
        return lines;
    }
    static const StandIn::HttpExchange& LastExchange() { return StandIn::Host().http.exchanges.back(); }

    std::vector<LocalHttpServer::Request> requests;
};
