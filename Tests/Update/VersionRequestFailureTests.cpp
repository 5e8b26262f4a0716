#include "StandIn/Faults.hpp"
#include "VersionServiceFixture.hpp"

namespace {

constexpr const char* Continue = "[WARNING] VersionCheck: HTTP request failed - allowing plugin to continue";
constexpr const char* Answer = R"({"minimumVersionAllowed": "1.1.0"})";

using VersionRequestFailures = VersionService;

TEST_F(VersionRequestFailures, EachFailedCallAllowsAndClosesWhatWasOpened) {
    struct Case {
        const char* call;
        GSErrCode code;
        const char* warning;
    };
    const Case cases[] = {
        {"WinHttpOpen", 12001, "[WARNING] VersionCheck: WinHttpOpen failed"},
        {"WinHttpConnect", 12007, "[WARNING] VersionCheck: WinHttpConnect failed"},
        {"WinHttpOpenRequest", 12005, "[WARNING] VersionCheck: WinHttpOpenRequest failed"},
        {"WinHttpSendRequest", 12029,
         "[WARNING] VersionCheck: WinHTTP request/response failed with error: 12029"},
        {"WinHttpReceiveResponse", 12030,
         "[WARNING] VersionCheck: WinHTTP request/response failed with error: 12030"},
    };
    for (const Case& c : cases) {
        StandIn::Faults::Arm(c.call, c.code);
        EXPECT_TRUE(CheckAgainst(200, Answer)) << c.call;
        EXPECT_EQ(Lines(), LinesWith({c.warning, Continue})) << c.call;
        EXPECT_EQ(StandIn::WinHttpLedger::OpenCount(), 0) << c.call;
    }
}

TEST_F(VersionRequestFailures, ASetupCallThatFailsUnnoticedStillLetsTheAnswerDecide) {
    StandIn::Faults::Arm("WinHttpSetTimeouts", 6);
    StandIn::Faults::Arm("WinHttpAddRequestHeaders", 87);
    EXPECT_FALSE(CheckAgainst(200, Answer));
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].userAgents, std::vector<std::string>{"Tolva-Archicad-plugin/1.0.6"})
        << "the session's agent still names the add-on";
    EXPECT_EQ(LastExchange().timeouts, (std::vector<int>{0, 60000, 30000, 30000})) << "WinHTTP's own";
}

TEST_F(VersionRequestFailures, AStatusThatCannotBeReadIsUnexpected) {
    StandIn::Faults::Arm("WinHttpQueryHeaders", 12150);
    EXPECT_TRUE(CheckAgainst(426, "{}"));
    EXPECT_EQ(Lines(),
              LinesWith({"[WARNING] VersionCheck: Unexpected HTTP status 0 - allowing plugin to continue"}));
}

TEST_F(VersionRequestFailures, AReadThatFailsEndsTheBodyWhereItWas) {
    const std::string body =
        R"({"minimumVersionAllowed":"1.1.0","padding":")" + std::string(20000, 'x') + "\"}";
    StandIn::Faults::Arm("WinHttpReadData", 12030, 1, 2);
    EXPECT_TRUE(CheckAgainst(200, body));
    const StandIn::HttpExchange& exchange = LastExchange();
    ASSERT_EQ(exchange.readSizes.size(), 2u) << "two pieces arrived before the failure";
    EXPECT_EQ(exchange.bytesRead, exchange.readSizes[0] + exchange.readSizes[1]);
    EXPECT_EQ(
        Lines(),
        LinesWith({"[WARNING] VersionCheck: JSON parse error at offset " +
                       std::to_string(exchange.bytesRead) + ": Missing a closing quotation mark in string.",
                   "[WARNING] VersionCheck: Failed to parse response - allowing plugin to continue"}));
    StandIn::Faults::Arm("WinHttpQueryDataAvailable", 12002);
    EXPECT_TRUE(CheckAgainst(200, body));
    EXPECT_EQ(LastExchange().bytesRead, 0u);
}

TEST_F(VersionRequestFailures, ExceptionsInTheRequestAllowAndCloseTheHandles) {
    StandIn::Faults::Arm("WinHttpConnect:throwStd", 0);
    EXPECT_TRUE(CheckAgainst(200, Answer));
    EXPECT_EQ(Lines(),
              LinesWith({"[WARNING] VersionCheck: Exception in Windows HTTP request: WinHttpConnect failed",
                         Continue}));
    StandIn::Faults::Arm("WinHttpReadData:throw", 0);
    EXPECT_TRUE(CheckAgainst(200, Answer));
    EXPECT_EQ(Lines(),
              LinesWith({"[WARNING] VersionCheck: Unknown exception in Windows HTTP request", Continue}));
}

} // namespace
