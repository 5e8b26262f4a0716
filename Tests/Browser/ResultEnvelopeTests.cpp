#include "JSCommands/ResultEnvelope.hpp"

#include "ReportLines.hpp"
#include "StandIn/JSONText.hpp"

namespace {

using JSCommands::EscapeJsonString;

GS::UniString StringOf(const GS::Ref<JS::Base>& value) {
    const auto plain = GS::DynamicCast<JS::Value>(value);
    EXPECT_TRUE(plain != nullptr);
    EXPECT_EQ(plain->GetType(), 5);
    return plain->GetString();
}

TEST(EscapeJsonString, EscapesQuoteBackslashAndTheThreeWhitespaceControls) {
    EXPECT_EQ(EscapeJsonString("\"\\\n"), GS::UniString("\\\"\\\\\\n"));
    EXPECT_EQ(EscapeJsonString("a\rb\tc"), GS::UniString("a\\rb\\tc"));
}

TEST(EscapeJsonString, KeepsOtherControlsAndNonAsciiUnchanged) {
    const GS::UniString text(u"\u0001\u00e4\u20ac/\b");
    EXPECT_EQ(EscapeJsonString(text), text);
    EXPECT_EQ(EscapeJsonString(GS::UniString()), GS::UniString());
}

using ResultEnvelope = ReportLines;

TEST_F(ResultEnvelope, FailureCarriesTheEscapedMessageAndIsLoggedUnderAPI) {
    EXPECT_EQ(StringOf(JSCommands::MakeErrorResult("say \"no\"\\\n")),
              GS::UniString(R"({"success":false,"error":"say \"no\"\\\n"})"));
    EXPECT_EQ(Lines(), (std::vector<std::string>{"[ERROR] API: say \"no\"\\\n"}));
}

TEST_F(ResultEnvelope, FailureKeepsU0001Unescaped) {
    EXPECT_EQ(StringOf(JSCommands::MakeErrorResult(GS::UniString(u"a\u0001b"))),
              GS::UniString(u"{\"success\":false,\"error\":\"a\u0001b\"}"));
}

TEST_F(ResultEnvelope, SuccessHasNoSpacesAndLogsNothing) {
    EXPECT_EQ(StringOf(JSCommands::MakeSuccessResult("Browser launched")),
              GS::UniString(R"({"success":true,"message":"Browser launched"})"));
    EXPECT_TRUE(Lines().empty());
}

TEST_F(ResultEnvelope, ErrorObjectHasSuccessZeroThenTheMessage) {
    const auto object = JSCommands::MakeErrorObject("Failed to retrieve working unit preferences");
    ASSERT_TRUE(GS::DynamicCast<JS::Object>(object) != nullptr);
    EXPECT_EQ(JS::ToJSONText(object),
              R"({"success":0,"error":"Failed to retrieve working unit preferences"})");
    EXPECT_EQ(Lines(),
              (std::vector<std::string>{"[ERROR] API: Failed to retrieve working unit preferences"}));
}

} // namespace
