#include "Palettes/WebAddresses.hpp"

#include <gtest/gtest.h>

namespace {

TEST(WebAddresses, JoinWithExactlyOneSlash) {
    EXPECT_EQ(WebAddresses::JoinUrlPath("https://app.tolva.ai/", "generate-plan"),
              GS::UniString("https://app.tolva.ai/generate-plan"));
    EXPECT_EQ(WebAddresses::JoinUrlPath("https://app.tolva.ai", "generate-plan"),
              GS::UniString("https://app.tolva.ai/generate-plan"));
    EXPECT_EQ(WebAddresses::GetProductionUrl(), GS::UniString("https://app.tolva.ai/"));
    EXPECT_EQ(WebAddresses::GetUploadUrl(),
              WebAddresses::JoinUrlPath(WebAddresses::GetProductionUrl(), "upload"));
}

} // namespace
