#include "PageTestSupport.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using StandIn::PageCallResult;
using StandIn::PageEngine;

namespace {

GS::Ref<JS::Object> Commands() {
    return ScriptObject(
        "ACAPI", {{"echo", [](GS::Ref<JS::Base> argument) { return argument; }},
                  {"fails", [](GS::Ref<JS::Base>) -> GS::Ref<JS::Base> { throw GS::ClassCastException(); }}});
}

PageEngine& PageWithCommands() {
    static PageEngine page;
    static bool loaded = false;
    if (!loaded) {
        page.RegisterObject(Commands());
        page.Load("https://example.com/",
                  "var PAGE = { never: function () { return new Promise(function () {}); },"
                  "  plain: function (v) { return v * 2; } };");
        loaded = true;
    }
    return page;
}

} // namespace

TEST(PageCall, AStringIsGivenAsItIsAndOtherValuesAsThePagesJSON) {
    PageEngine& page = PageWithCommands();
    PageCallResult text = page.CallObjectFunction("ACAPI", "echo", "\"say \\\"hi\\\"\\n\"");
    EXPECT_EQ(text.state, PageCallResult::State::Fulfilled);
    EXPECT_EQ(text.text, "say \"hi\"\n");
    PageCallResult object = page.CallObjectFunction("ACAPI", "echo", R"( {"b":1.0,"a":[2.50,null,"x"]} )");
    EXPECT_EQ(object.text, R"({"b":1,"a":[2.5,null,"x"]})");
    EXPECT_EQ(JS::ToJSONText(object.value), R"({"b":1,"a":[2.5,null,"x"]})");
}

TEST(PageCall, AScriptValueArgumentAndNoArgument) {
    PageEngine& page = PageWithCommands();
    EXPECT_EQ(page.CallObjectFunction("ACAPI", "echo", GS::NewRef<JS::Value>(12)).text, "12");
    PageCallResult none = page.CallObjectFunction("ACAPI", "echo", GS::Ref<JS::Base>());
    EXPECT_EQ(none.state, PageCallResult::State::Fulfilled);
    EXPECT_EQ(none.text, "undefined");
    EXPECT_EQ(none.value, nullptr);
}

TEST(PageCall, ARejectionGivesItsReason) {
    PageCallResult result = PageWithCommands().CallObjectFunction("ACAPI", "fails", GS::Ref<JS::Base>());
    EXPECT_EQ(result.state, PageCallResult::State::Rejected);
    EXPECT_EQ(result.text, "Error: Bad cast.");
    EXPECT_EQ(StandIn::TakeEscapedExceptions(),
              std::vector<std::string>{"ACAPI.fails threw GS::ClassCastException: Bad cast."});
}

TEST(PageCall, APromiseThatNeverSettlesStaysPending) {
    PageCallResult result = PageWithCommands().CallObjectFunction("PAGE", "never", GS::Ref<JS::Base>());
    EXPECT_EQ(result.state, PageCallResult::State::Pending);
}

TEST(PageCall, APlainReturnValueCountsAsFulfilled) {
    EXPECT_EQ(PageWithCommands().CallObjectFunction("PAGE", "plain", "21").text, "42");
}

TEST(PageCall, AnUnknownFunctionOrObjectHasNoFunction) {
    PageEngine& page = PageWithCommands();
    for (auto [object, function] : {std::pair{"ACAPI", "Echo"}, std::pair{"ACAPI", "missing"},
                                    std::pair{"NOBODY", "echo"}, std::pair{"PAGE", "toString2"}}) {
        try {
            page.CallObjectFunction(object, function, GS::Ref<JS::Base>());
            ADD_FAILURE() << object << "." << function << " was called";
        } catch (const GS::Exception& exception) {
            EXPECT_EQ(exception.GetMessage(), "no function");
        }
    }
}

TEST(PageCall, BadJSONIsTheEnginesSyntaxError) {
    try {
        PageWithCommands().CallObjectFunction("ACAPI", "echo", "{bad");
        FAIL() << "called";
    } catch (const GS::Exception& exception) {
        EXPECT_THAT(exception.GetMessage().ToCStr().Get(), testing::StartsWith("SyntaxError: "));
    }
}
