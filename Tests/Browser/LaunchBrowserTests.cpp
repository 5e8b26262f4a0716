#include "JSCommands/BrowserCommands.hpp"

#include "JSCommands/JSCommandWrapper.hpp"
#include "ReportLines.hpp"
#include "StandIn/JSONText.hpp"

#include <string>

namespace {

using LaunchBrowser = ReportLines;

std::string Launch(const GS::Ref<JS::Base>& argument) {
    return JS::ToJSONText(JSCommands::JSCommandWrapper(JSCommands::BrowserCommands::LaunchBrowser, argument));
}

std::string Launch(const GS::UniString& address) {
    return Launch(GS::NewRef<JS::Value>(address));
}

constexpr const char* Refused =
    R"("{\"success\":false,\"error\":\"Invalid URL: Must start with http:// or https://\"}")";

TEST_F(LaunchBrowser, OpensTheAddressWithItsCapitalsKept) {
    EXPECT_EQ(Launch(GS::UniString("HTTPS://Example.com/A")),
              R"("{\"success\":true,\"message\":\"Browser launched\"}")");
    ASSERT_EQ(StandIn::Host().shell.executions.size(), 1u);
    const StandIn::ShellExecution& opened = StandIn::Host().shell.executions[0];
    EXPECT_EQ(opened.verb, GS::UniString("open"));
    EXPECT_EQ(opened.file, GS::UniString("HTTPS://Example.com/A"));
    EXPECT_EQ(opened.show, 1);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"[INFO] BrowserCommands: Successfully launched browser"}));
}

TEST_F(LaunchBrowser, RefusesOtherSchemesAndOverlongAddressesWithoutOpening) {
    EXPECT_EQ(Launch(GS::UniString("ftp://example.com")), Refused);
    GS::UniString overlong("http://");
    while (overlong.GetLength() < 2049) {
        overlong += "a";
    }
    EXPECT_EQ(Launch(overlong), Refused);
    EXPECT_TRUE(StandIn::Host().shell.executions.empty());
    ASSERT_EQ(Lines().size(), 4u);
    EXPECT_EQ(Lines()[0], "[WARNING] BrowserCommands: Invalid URL rejected: ftp://example.com");
    EXPECT_EQ(Lines()[1], "[ERROR] API: Invalid URL: Must start with http:// or https://");
}

TEST_F(LaunchBrowser, AcceptsAnAddressOfExactly2048Units) {
    GS::UniString longest("http://");
    while (longest.GetLength() < 2048) {
        longest += "a";
    }
    EXPECT_EQ(Launch(longest), R"("{\"success\":true,\"message\":\"Browser launched\"}")");
}

TEST_F(LaunchBrowser, AShellResultOf32IsAFailure) {
    StandIn::Host().shell.result = 32;
    EXPECT_EQ(
        Launch(GS::UniString("http://example.com")),
        R"("{\"success\":false,\"error\":\"Failed to launch browser. Please check your system's default browser settings.\"}")");
    EXPECT_EQ(Lines()[0], "[WARNING] BrowserCommands: ShellExecuteW failed with code: 32");
}

TEST_F(LaunchBrowser, AnArrayArgumentIsTheGenericFailure) {
    EXPECT_EQ(Launch(GS::Ref<JS::Base>(GS::NewRef<JS::Array>())),
              R"("{\"success\":false,\"error\":\"An error occurred while processing your request.\"}")");
    EXPECT_TRUE(StandIn::Host().shell.executions.empty());
}

} // namespace
