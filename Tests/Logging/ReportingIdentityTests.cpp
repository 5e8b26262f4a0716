#include "Logging/SentryLogger.hpp"
#include "StandIn/Driver.hpp"
#include "StandIn/Faults.hpp"

#include <gtest/gtest.h>

namespace {

class ReportingIdentity : public ::testing::Test {
protected:
    void SetUp() override { StandIn::ResetHost(); }
};

TEST_F(ReportingIdentity, HashesTheComputerNameIntoAnAnonymousUser) {
    StandIn::Host().system.computerName = "ABC";
    EXPECT_EQ(SentryLogger::GetAnonymousUserId(), GS::UniString("user-0b87d02b"));
    StandIn::Host().system.computerName = "PC-ÄÖ";
    EXPECT_EQ(SentryLogger::GetAnonymousUserId(), GS::UniString("user-b146ffa5"))
        << "bytes above 127 count as negative characters";
}

TEST_F(ReportingIdentity, StaysUnknownWithoutAComputerName) {
    StandIn::Faults::Arm("GetComputerNameA", 1);
    EXPECT_EQ(SentryLogger::GetAnonymousUserId(), GS::UniString("user-unknown"));
    StandIn::Host().system.computerName = "A-NAME-OF-16-CHR";
    EXPECT_EQ(SentryLogger::GetAnonymousUserId(), GS::UniString("user-unknown")) << "longer than its buffer";
}

TEST_F(ReportingIdentity, TellsTheHostVersionAndPlatform) {
    EXPECT_EQ(SentryLogger::GetHostVersionText(), GS::UniString("29"));
    EXPECT_EQ(SentryLogger::GetPlatformText(), GS::UniString("Windows-Release"));
    StandIn::Faults::Arm("ACAPI_GetReleaseNumber:throw", 1);
    EXPECT_EQ(SentryLogger::GetHostVersionText(), GS::UniString("Unknown"));
    StandIn::Faults::Arm("ACAPI_GetReleaseNumber", APIERR_GENERAL);
    EXPECT_EQ(SentryLogger::GetHostVersionText(), GS::UniString("Unknown"));
}

} // namespace
