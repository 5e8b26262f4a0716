#include "PageTestSupport.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using StandIn::PageEngine;
using testing::ElementsAre;

namespace {

// Records what the page passed, and answers the given value.
struct Echo {
    std::vector<GS::Ref<JS::Base>> received;
    GS::Ref<JS::Base> answer;

    GS::Ref<JS::Object> Object() {
        return ScriptObject("ACAPI", {{"take", [this](GS::Ref<JS::Base> argument) {
                                           received.push_back(argument);
                                           return answer;
                                       }}});
    }
};

std::string TypeAndJSON(const GS::Ref<JS::Base>& value) {
    auto scalar = GS::DynamicCast<JS::Value>(value);
    return (scalar ? std::to_string(scalar->GetType()) + " " : std::string()) + JS::ToJSONText(value);
}

} // namespace

TEST(PageValues, PageValuesBecomeScriptValues) {
    Echo echo;
    PageEngine page;
    page.RegisterObject(echo.Object());
    page.Run(
        "ACAPI.take('text'); ACAPI.take(7); ACAPI.take(-2147483648); ACAPI.take(2.5); ACAPI.take(4294967296);"
        "ACAPI.take(true); ACAPI.take(); ACAPI.take(null); ACAPI.take(function () {});");
    std::vector<std::string> seen;
    for (const auto& value : echo.received) {
        seen.push_back(value == nullptr ? "empty" : TypeAndJSON(value));
    }
    EXPECT_THAT(seen, ElementsAre("5 \"text\"", "2 7", "2 -2147483648", "4 2.5", "4 4294967296", "1 true",
                                  "empty", "empty", "empty"));
}

TEST(PageValues, PageObjectsAndArraysKeepTheirOrder) {
    Echo echo;
    PageEngine page;
    page.RegisterObject(echo.Object());
    page.Run("ACAPI.take({zeta: 1, alpha: [1, 'two', {b: false, a: null}], mid: {}})");
    auto object = GS::DynamicCast<JS::Object>(echo.received.at(0));
    ASSERT_TRUE(object);
    EXPECT_EQ(JS::ToJSONText(object), R"({"zeta":1,"alpha":[1,"two",{"b":false,"a":null}],"mid":{}})");
    auto array = GS::DynamicCast<JS::Array>(object->GetItemTable()[1].value);
    ASSERT_TRUE(array);
    EXPECT_EQ(array->GetItemArray().GetSize(), 3u);
}

TEST(PageValues, ScriptValuesReachThePageAsJavaScript) {
    Echo echo;
    auto answer = GS::NewRef<JS::Object>();
    answer->AddItem("name", GS::NewRef<JS::Value>("Wall"));
    answer->AddItem("count", GS::NewRef<JS::Value>(3));
    answer->AddItem("ratio", GS::NewRef<JS::Value>(0.25));
    answer->AddItem("whole", GS::NewRef<JS::Value>(1.0));
    answer->AddItem("flag", GS::NewRef<JS::Value>(true));
    auto items = GS::NewRef<JS::Array>();
    items->AddItem(GS::NewRef<JS::Value>("a"));
    items->AddItem(nullptr);
    answer->AddItem("items", items);
    answer->AddItem("missing", nullptr);
    echo.answer = answer;
    PageEngine page;
    page.RegisterObject(echo.Object());
    page.Run("ACAPI.take().then(function (v) {"
             "  host.report(JSON.stringify(v));"
             "  host.report(typeof v.missing + ' ' + Array.isArray(v.items) + ' ' + typeof v.count);"
             "})");
    EXPECT_THAT(
        Reports(page),
        ElementsAre(R"({"name":"Wall","count":3,"ratio":0.25,"whole":1,"flag":true,"items":["a",null]})",
                    "undefined true number"));
}

TEST(PageValues, AStringValueReachesThePageAsAString) {
    Echo echo;
    echo.answer = GS::NewRef<JS::Value>("{\"a\":1}");
    PageEngine page;
    page.RegisterObject(echo.Object());
    page.Run("ACAPI.take().then(function (v) { host.report(typeof v + ' ' + v); })");
    EXPECT_THAT(Reports(page), ElementsAre("string {\"a\":1}"));
}

TEST(PageValues, TextOutsideTheBasicPlaneKeepsItsUnits) {
    Echo echo;
    echo.answer = GS::NewRef<JS::Value>(GS::UniString(u"\U0001F600 \u00e9"));
    PageEngine page;
    page.RegisterObject(echo.Object());
    page.Run("ACAPI.take('\\ud83d\\ude00\\u00e9').then(function (v) { host.report(v.length + ' ' + "
             "v.charCodeAt(1)); })");
    EXPECT_EQ(GS::DynamicCast<JS::Value>(echo.received.at(0))->GetString(),
              GS::UniString(u"\U0001F600\u00e9"));
    EXPECT_THAT(Reports(page), ElementsAre("4 56832"));
    EXPECT_EQ(page.GetReports().size(), 1u);
}

TEST(PageValues, ACyclicPageValueIsRefusedAsAScriptError) {
    Echo echo;
    PageEngine page;
    page.RegisterObject(echo.Object());
    EXPECT_EQ(ScriptErrorOf(page, "var a = {}; a.self = a; ACAPI.take(a)"),
              "RangeError: script value nested deeper than 64 levels");
    EXPECT_TRUE(echo.received.empty());
}

TEST(PageValues, DataMembersOfARegisteredObjectAreGlobalsToo) {
    auto object = ScriptObject("TOOLS", {});
    object->AddItem("version", GS::NewRef<JS::Value>("29"));
    PageEngine page;
    page.RegisterObject(object);
    page.Run("host.report(TOOLS.version)");
    EXPECT_THAT(Reports(page), ElementsAre("29"));
}
