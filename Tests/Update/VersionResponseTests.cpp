#include "Browser/ReportLines.hpp"
#include "Update/VersionResponse.hpp"

namespace {

using ParseVersionResponse = ReportLines;

VersionCheck::VersionResponse Parsed(const std::string& body) {
    VersionCheck::VersionResponse response;
    EXPECT_TRUE(VersionCheck::ParseVersionResponse(body, response)) << body;
    return response;
}

// The warning a body that does not parse gives.
std::string Refusal(const std::string& body) {
    VersionCheck::VersionResponse response;
    const size_t before = StandIn::Host().report.size();
    EXPECT_FALSE(VersionCheck::ParseVersionResponse(body, response)) << body;
    const auto& report = StandIn::Host().report;
    return report.size() == before + 1 ? report.back().text.ToCStr().Get() : "no single warning";
}

TEST_F(ParseVersionResponse, TakesTheVersionsAndIgnoresOtherMembers) {
    VersionCheck::VersionResponse response =
        Parsed(R"({"note": 1, "latestVersion": "1.2.0", "minimumVersionAllowed": "1.0.6"})");
    EXPECT_EQ(response.minimumVersionAllowed, GS::UniString("1.0.6"));
    EXPECT_EQ(response.latestVersion, GS::UniString("1.2.0"));
    EXPECT_TRUE(Parsed(R"({"minimumVersionAllowed": "1.0.6", "latestVersion": 107})").latestVersion.IsEmpty())
        << "a latest version that is no string is left out";
    EXPECT_EQ(Parsed(R"({"minimumVersionAllowed": "1.0.6", "minimumVersionAllowed": "9.0.0"})")
                  .minimumVersionAllowed,
              GS::UniString("1.0.6"));
    EXPECT_TRUE(Lines().empty());
}

TEST_F(ParseVersionResponse, AMissingOrMistypedMinimumIsNoAnswer) {
    const std::string missing =
        "[WARNING] VersionCheck: Missing or invalid 'minimumVersionAllowed' field in response";
    EXPECT_EQ(Refusal(R"({"minimumVersionAllowed": 106})"), missing);
    EXPECT_EQ(Refusal(R"({"minimumVersionAllowed": null})"), missing);
    EXPECT_EQ(Refusal(R"({"minimum": "1.0.6"})"), missing);
    EXPECT_EQ(Refusal(R"(["1.0.6"])"), missing);
}

TEST_F(ParseVersionResponse, TextThatIsNoJsonGivesTheParsersMessage) {
    EXPECT_EQ(Refusal(""), "[WARNING] VersionCheck: JSON parse error at offset 0: The document is empty.");
    EXPECT_EQ(Refusal("<html>Bad gateway</html>"),
              "[WARNING] VersionCheck: JSON parse error at offset 0: Invalid value.");
    EXPECT_EQ(Refusal("hello"), "[WARNING] VersionCheck: JSON parse error at offset 0: Invalid value.");
    EXPECT_EQ(
        Refusal(" \"1.0.6\" 7"),
        "[WARNING] VersionCheck: JSON parse error at offset 9: The document root must not be followed by "
        "other values.");
    EXPECT_EQ(Refusal("42"),
              "[WARNING] VersionCheck: Missing or invalid 'minimumVersionAllowed' field in response")
        << "a lone value is JSON, only not the object the answer must be";
    EXPECT_EQ(
        Refusal(R"({"minimumVersionAllowed": "1.0.6"} {})"),
        "[WARNING] VersionCheck: JSON parse error at offset 35: The document root must not be followed by "
        "other values.");
    EXPECT_EQ(
        Refusal(std::string(R"({"minimumVersionAllowed": "1.0)") + '\0' + R"(.6"})"),
        "[WARNING] VersionCheck: JSON parse error at offset 30: Missing a closing quotation mark in string.")
        << "a NUL byte is no end of the body that lets a version through";
}

TEST_F(ParseVersionResponse, AHostileNestingStopsAtTheDepthLimit) {
    const std::string deep = std::string(1000000, '[') + std::string(1000000, ']');
    EXPECT_EQ(Refusal(deep),
              "[WARNING] VersionCheck: JSON parse error at offset 257: Terminate parsing due to "
              "Handler error.");
}

} // namespace
