#include "PageTestSupport.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <thread>

using StandIn::PageEngine;
using testing::ElementsAre;

TEST(PageScript, RunsScriptsInThePageAndKeepsItsGlobals) {
    PageEngine page;
    page.Load("https://example.com/", "var count = 1; function bump() { count += 1; host.report(count); }");
    page.Run("bump(); bump()");
    EXPECT_THAT(Reports(page), ElementsAre("2", "3"));
}

TEST(PageScript, AnUndefinedFunctionRaisesTheEnginesErrorText) {
    PageEngine page;
    EXPECT_EQ(ScriptErrorOf(page, "loadPluginVersion()"),
              "ReferenceError: identifier 'loadPluginVersion' undefined");
}

TEST(PageScript, AThrownErrorAndASyntaxErrorRaiseTheirTexts) {
    PageEngine page;
    EXPECT_EQ(ScriptErrorOf(page, "throw new TypeError('bad page')"), "TypeError: bad page");
    EXPECT_THAT(ScriptErrorOf(page, "function ("), testing::StartsWith("SyntaxError: "));
}

TEST(PageScript, APageScriptErrorRaisesOnLoad) {
    PageEngine page;
    try {
        page.Load("https://example.com/", "undefinedOnLoad();");
        FAIL() << "loaded";
    } catch (const GS::Exception& exception) {
        EXPECT_EQ(exception.GetMessage(), "ReferenceError: identifier 'undefinedOnLoad' undefined");
    }
}

TEST(PageScript, ARunawayScriptIsStoppedAndThePageStaysUsable) {
    PageEngine page(std::chrono::milliseconds(200));
    page.Load("https://example.com/", "function spin() { for (;;) {} }");
    EXPECT_EQ(ScriptErrorOf(page, "spin()"), "RangeError: execution timeout");
    // The error cannot be caught away: the clock is still past its limit inside the catch.
    EXPECT_EQ(ScriptErrorOf(page, "try { spin(); } catch (e) { for (;;) {} }"),
              "RangeError: execution timeout");
    page.Run("host.report('still here')");
    EXPECT_THAT(Reports(page), ElementsAre("still here"));
}

TEST(PageScript, ARunawayPageScriptStopsTheLoad) {
    PageEngine page(std::chrono::milliseconds(200));
    EXPECT_THROW(page.Load("https://example.com/", "while (true) {}"), GS::Exception);
}

TEST(PageScript, TimeInTheHostsFunctionsDoesNotCountAgainstThePage) {
    PageEngine page(std::chrono::milliseconds(200));
    page.RegisterObject(ScriptObject("ACAPI", {{"slow", [](GS::Ref<JS::Base>) {
                                                    std::this_thread::sleep_for(
                                                        std::chrono::milliseconds(300));
                                                    return GS::Ref<JS::Base>();
                                                }}}));
    page.Run("ACAPI.slow(); host.report('done')");
    EXPECT_THAT(Reports(page), ElementsAre("done"));
}

TEST(PageScript, ALoadStartsAFreshPageAtItsAddress) {
    PageEngine page;
    page.Load("https://example.com/a", "var left = 1;");
    page.Load("https://example.com/b", "host.report(location.href + ' ' + typeof left);");
    EXPECT_THAT(Reports(page), ElementsAre("https://example.com/b undefined"));
}

TEST(PageScript, ReportsKeepTextsAndWriteOtherValuesAsJSON) {
    PageEngine page;
    page.Run("host.report('plain'); host.report({a: 1, b: [true, null]}); host.report(1.5); host.report()");
    EXPECT_THAT(Reports(page), ElementsAre("plain", R"({"a":1,"b":[true,null]})", "1.5", "undefined"));
}

TEST(PageScript, ThePageHasNoAccessToThePromiseState) {
    PageEngine page;
    page.Run("host.report(JSON.stringify(Object.getOwnPropertyNames(Promise.resolve(1))))");
    EXPECT_THAT(Reports(page), ElementsAre("[]"));
}
