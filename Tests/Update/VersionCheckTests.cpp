#include "VersionServiceFixture.hpp"

#include <algorithm>
#include <chrono>

namespace {

constexpr const char* Allowed = "[INFO] VersionCheck: Version check completed successfully";

TEST_F(VersionService, AllowsTheSameVersionAndNamesANewerOne) {
    EXPECT_TRUE(CheckAgainst(200, R"({"minimumVersionAllowed": "1.0.6"})"));
    EXPECT_EQ(Lines(), LinesWith({"[INFO] VersionCheck: Minimum version allowed: 1.0.6", Allowed}));

    EXPECT_TRUE(CheckAgainst(200, R"({"minimumVersionAllowed": "1.0.6", "latestVersion": "1.0.7"})"));
    EXPECT_EQ(Lines(),
              LinesWith({"[INFO] VersionCheck: Minimum version allowed: 1.0.6",
                         "[INFO] VersionCheck: New version available: 1.0.7 (current: 1.0.6)", Allowed}));

    EXPECT_TRUE(CheckAgainst(200, R"({"minimumVersionAllowed": "1.0.0", "latestVersion": "1.0.6"})"));
    EXPECT_EQ(Lines(), LinesWith({"[INFO] VersionCheck: Minimum version allowed: 1.0.0",
                                  "[INFO] VersionCheck: Plugin is up to date", Allowed}));
}

TEST_F(VersionService, AsksOverTlsWithItsUserAgentAndFiveSecondTimeouts) {
    ASSERT_TRUE(CheckAgainst(200, R"({"minimumVersionAllowed": "1.0.6"})"));
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].path, "/v1/plugins/check_version_allowed");
    EXPECT_EQ(requests[0].userAgents, std::vector<std::string>{"Tolva-Archicad-plugin/1.0.6"});
    const StandIn::HttpExchange& exchange = LastExchange();
    EXPECT_EQ(exchange.server, "api.tolva.ai");
    EXPECT_EQ(exchange.port, 443u);
    EXPECT_TRUE(exchange.secure) << "the table sends it to plain HTTP here; the add-on asks for TLS";
    EXPECT_EQ(exchange.verb, "GET");
    EXPECT_EQ(exchange.userAgent, "Tolva-Archicad-plugin/1.0.6");
    EXPECT_EQ(exchange.headers, std::vector<std::string>{"User-Agent: Tolva-Archicad-plugin/1.0.6"});
    EXPECT_EQ(exchange.timeouts, (std::vector<int>{5000, 5000, 5000, 5000}));
    EXPECT_EQ(exchange.status, 200);
}

TEST_F(VersionService, RefusesAMinimumNewerThanOursComparingNumbers) {
    EXPECT_FALSE(CheckAgainst(200, R"({"minimumVersionAllowed": "1.1.0", "latestVersion": "1.1.0"})"));
    EXPECT_EQ(
        Lines(),
        LinesWith({"[INFO] VersionCheck: Minimum version allowed: 1.1.0",
                   "[ERROR] VersionCheck: Plugin version 1.0.6 is below minimum required version 1.1.0"}));
    EXPECT_FALSE(CheckAgainst(200, R"({"minimumVersionAllowed": "1.0.10"})"));
    EXPECT_TRUE(CheckAgainst(200, R"({"minimumVersionAllowed": "0.9.99"})"));
    EXPECT_EQ(Lines(), LinesWith({"[INFO] VersionCheck: Minimum version allowed: 0.9.99", Allowed}));
}

TEST_F(VersionService, MalformedVersionsAllowWithTheirWarnings) {
    EXPECT_TRUE(CheckAgainst(200, R"({"minimumVersionAllowed": "2.0"})"));
    EXPECT_EQ(Lines(),
              LinesWith({"[INFO] VersionCheck: Minimum version allowed: 2.0",
                         "[WARNING] VersionCheck: Invalid version format: current=1.0.6, minimum=2.0 - "
                         "assuming valid",
                         Allowed}));
    EXPECT_TRUE(CheckAgainst(200, R"({"minimumVersionAllowed": "1.x.0"})"));
    EXPECT_EQ(
        Lines(),
        LinesWith({"[INFO] VersionCheck: Minimum version allowed: 1.x.0",
                   "[WARNING] VersionCheck: Error parsing version numbers: stoi - assuming valid", Allowed}));
    EXPECT_TRUE(CheckAgainst(200, R"({"minimumVersionAllowed": 107})"));
    EXPECT_EQ(
        Lines(),
        LinesWith({"[WARNING] VersionCheck: Missing or invalid 'minimumVersionAllowed' field in response",
                   "[WARNING] VersionCheck: Failed to parse response - allowing plugin to continue"}));
}

TEST_F(VersionService, OnlyStatus426RefusesWhateverItsBody) {
    EXPECT_TRUE(CheckAgainst(503, R"({"minimumVersionAllowed": "9.0.0"})"));
    EXPECT_EQ(
        Lines(),
        LinesWith({"[WARNING] VersionCheck: Unexpected HTTP status 503 - allowing plugin to continue"}));
    EXPECT_FALSE(CheckAgainst(426, R"({"minimumVersionAllowed": "0.0.1"})"));
    EXPECT_EQ(Lines(), LinesWith({"[ERROR] VersionCheck: Server returned 426: Plugin version is not allowed "
                                  "(response: {\"minimumVersionAllowed\": \"0.0.1\"})"}));
    EXPECT_FALSE(CheckAgainst(426, ""));
    EXPECT_TRUE(CheckAgainst(404, "Not found"));
    EXPECT_TRUE(CheckAgainst(301, ""));
}

TEST_F(VersionService, WithoutNetworkItAllows) {
    StandIn::Host().report.clear();
    EXPECT_TRUE(VersionCheck::CheckVersionAllowed());
    EXPECT_EQ(Lines(),
              LinesWith({"[WARNING] VersionCheck: WinHTTP request/response failed with error: 12007",
                         "[WARNING] VersionCheck: HTTP request failed - allowing plugin to continue"}));
}

TEST_F(VersionService, AServerThatNeverAnswersIsLeftAfterTheReceiveTimeout) {
    SilentServer silent;
    StandIn::MapHttpHost(ServiceHost, silent.Address());
    const auto started = std::chrono::steady_clock::now();
    EXPECT_TRUE(VersionCheck::CheckVersionAllowed());
    const auto waited = std::chrono::steady_clock::now() - started;
    EXPECT_EQ(Lines(),
              LinesWith({"[WARNING] VersionCheck: WinHTTP request/response failed with error: 12002",
                         "[WARNING] VersionCheck: HTTP request failed - allowing plugin to continue"}));
    EXPECT_TRUE(LastExchange().sent);
    EXPECT_EQ(LastExchange().error, 12002u) << "the time-out, not a refused connection";
    EXPECT_LT(waited, std::chrono::seconds(10)) << "the host is never held longer than the time-outs allow";
}

// {"minimumVersionAllowed":"1.1.0","padding":"xxx..."} of the given size: refused when read whole.
std::string RefusalOfSize(size_t size) {
    const std::string head = R"({"minimumVersionAllowed":"1.1.0","padding":")";
    const std::string tail = "\"}";
    return head + std::string(size - head.size() - tail.size(), 'x') + tail;
}

TEST_F(VersionService, ReadsALargeBodyInPiecesOfAtMost4096Bytes) {
    const std::string body = RefusalOfSize(10 * 1000 * 1000);
    EXPECT_FALSE(CheckAgainst(200, body)) << "the whole body was read and understood";
    const StandIn::HttpExchange& exchange = LastExchange();
    EXPECT_EQ(exchange.bytesRead, body.size());
    ASSERT_FALSE(exchange.readSizes.empty());
    EXPECT_LE(*std::max_element(exchange.readSizes.begin(), exchange.readSizes.end()), 4096u);
    EXPECT_GE(exchange.readSizes.size(), body.size() / 4096);
}

TEST_F(VersionService, ABodyBeyondSixteenMebibytesIsNotUsed) {
    const size_t limit = 16 * 1024 * 1024;
    EXPECT_TRUE(CheckAgainst(200, RefusalOfSize(limit + 1)));
    EXPECT_EQ(Lines(),
              LinesWith({"[WARNING] VersionCheck: Response body exceeds 16777216 bytes - not using it",
                         "[WARNING] VersionCheck: HTTP request failed - allowing plugin to continue"}));
    EXPECT_LE(LastExchange().bytesRead, limit) << "reading stopped at the limit";
    EXPECT_GT(LastExchange().bytesRead, limit - 4096);
    EXPECT_FALSE(CheckAgainst(200, RefusalOfSize(limit))) << "a body of exactly the limit is used";
}

TEST_F(VersionService, ARefusalBeyondSixteenMebibytesStillRefusesAndLogsOnlyItsStart) {
    const std::string body = RefusalOfSize(16 * 1024 * 1024 + 4096);
    EXPECT_FALSE(CheckAgainst(426, body));
    const std::string start = body.substr(0, VersionCheck::RefusalBodyBytes);
    EXPECT_EQ(Lines(), LinesWith({"[ERROR] VersionCheck: Server returned 426: Plugin version is not allowed "
                                  "(response: " +
                                  start + ")"}));
    EXPECT_EQ(LastExchange().bytesRead, VersionCheck::RefusalBodyBytes) << "the rest is never read";
}

// A short limit for the whole request keeps these cases quick; the add-on's own is 10 s.
constexpr std::chrono::milliseconds ShortDeadline{1500};

TEST_F(VersionService, OneDeadlineEndsEveryKindOfSlowServer) {
    const std::string answer = R"({"minimumVersionAllowed":"1.1.0"})";
    const std::string head = "HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nContent-Length: " +
                             std::to_string(answer.size()) + "\r\n\r\n";
    struct Case {
        const char* name;
        SlowServer::Plan plan;
        bool answers;
    };
    const Case cases[] = {
        {"one byte every 2 s", {head, answer, 0, std::chrono::milliseconds(2000)}, true},
        {"stops midway through the body", {head, answer, 10, std::chrono::milliseconds(0)}, true},
        {"never answers", {"", "", 0, std::chrono::milliseconds(0)}, false},
    };
    for (const Case& c : cases) {
        SlowServer server(c.plan);
        StandIn::MapHttpHost(ServiceHost, server.Address());
        StandIn::Host().report.clear();
        const auto started = std::chrono::steady_clock::now();
        EXPECT_TRUE(VersionCheck::CheckVersionAllowed(ShortDeadline)) << c.name;
        const auto waited = std::chrono::steady_clock::now() - started;
        EXPECT_EQ(Lines(),
                  LinesWith({"[WARNING] VersionCheck: Version check took longer than its 1500 ms limit",
                             "[WARNING] VersionCheck: HTTP request failed - allowing plugin to continue"}))
            << c.name;
        EXPECT_GE(waited, ShortDeadline) << c.name;
        EXPECT_LT(waited, ShortDeadline + std::chrono::milliseconds(500)) << c.name;
        EXPECT_EQ(LastExchange().status, c.answers ? 200 : 0) << c.name;
    }
}

} // namespace
