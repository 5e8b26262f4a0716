#include "Page/PageRegistry.hpp"
#include "PageTestSupport.hpp"
#include "StandIn/Browsers.hpp"
#include "StandIn/DialogDriver.hpp"
#include "StandIn/Host.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>

using testing::ElementsAre;

namespace {

constexpr GSResModule TestModule = 7101;
constexpr short BrowserDialog = 32500;

class BrowserTest : public testing::Test {
protected:
    void SetUp() override {
        StandIn::DialogResource dialog;
        dialog.type = "Palette";
        dialog.width = 450;
        dialog.height = 180;
        dialog.items.push_back({"Browser", 0, 0, 450, 180, ""});
        StandIn::Host().resources[TestModule].dialogs[BrowserDialog] = dialog;
        palette = std::make_unique<DG::Palette>(TestModule, BrowserDialog, TestModule, GS::Guid());
    }
    void TearDown() override {
        StandIn::ClearBrowserScriptFailures();
        StandIn::Host().resources.erase(TestModule);
    }

    std::unique_ptr<DG::Palette> palette;
};

GS::Ref<JS::Object> Commands(int* calls) {
    return ScriptObject("ACAPI", {{"getPluginVersion", [calls](GS::Ref<JS::Base>) -> GS::Ref<JS::Base> {
                                       ++*calls;
                                       auto version = GS::NewRef<JS::Object>();
                                       version->AddItem("string", GS::NewRef<JS::Value>("1.0.6"));
                                       return version;
                                   }}});
}

std::string ErrorOf(DG::Browser& browser, const char* script) {
    try {
        browser.ExecuteJS(script);
    } catch (const GS::Exception& exception) {
        return exception.GetMessage().ToCStr().Get();
    }
    return "no error";
}

} // namespace

TEST_F(BrowserTest, AReloadKeepsTheRegisteredObjects) {
    int calls = 0;
    DG::Browser browser(*palette, 1);
    browser.RegisterAsynchJSObject(Commands(&calls));
    browser.LoadURL("https://app.tolva.ai/");
    browser.ExecuteJS("loadPluginVersion()");
    browser.LoadURL("https://app.tolva.ai/generate-plan");
    browser.ExecuteJS("loadPluginVersion()");
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(browser.GetURL(), "https://app.tolva.ai/generate-plan");
    EXPECT_THAT(StandIn::DialogDriver::LoadedURLs(browser),
                ElementsAre("https://app.tolva.ai/", "https://app.tolva.ai/generate-plan"));
    EXPECT_THAT(StandIn::DialogDriver::ExecutedScripts(browser),
                ElementsAre("loadPluginVersion()", "loadPluginVersion()"));
    EXPECT_THAT(Reports(StandIn::DialogDriver::PageOf(browser)),
                ElementsAre("page loaded https://app.tolva.ai/", R"(plugin version {"string":"1.0.6"})",
                            "page loaded https://app.tolva.ai/generate-plan",
                            R"(plugin version {"string":"1.0.6"})"));
}

TEST_F(BrowserTest, ScriptErrorsAreThrownWithTheEnginesText) {
    DG::Browser browser(*palette, 1);
    browser.LoadURL("https://app.tolva.ai/download");
    EXPECT_EQ(ErrorOf(browser, "TOLVA.archicad.onSelectionChanged()"),
              "ReferenceError: identifier 'TOLVA' undefined");
}

TEST_F(BrowserTest, AFailingPageStillLoadsAndKeepsItsError) {
    const std::string file = testing::TempDir() + "tolva-browser-test-page.js";
    std::ofstream(file) << "var before = 1; missingAtLoad();";
    StandIn::PageRegistry::AddPage("https://example.com/broken", file);
    DG::Browser browser(*palette, 1);
    browser.LoadURL("https://example.com/broken");
    StandIn::PageRegistry::Reset();
    std::remove(file.c_str());
    EXPECT_THAT(StandIn::DialogDriver::LoadErrors(browser),
                ElementsAre("ReferenceError: identifier 'missingAtLoad' undefined"));
    EXPECT_EQ(ErrorOf(browser, "host.report(before)"), "no error");
}

TEST_F(BrowserTest, ScriptsFailOnDemandForTheFirstRuns) {
    DG::Browser browser(*palette, 1);
    StandIn::FailBrowserScripts("page not ready", 2);
    EXPECT_EQ(ErrorOf(browser, "host.report(1)"), "page not ready");
    EXPECT_EQ(ErrorOf(browser, "host.report(2)"), "page not ready");
    EXPECT_EQ(ErrorOf(browser, "host.report(3)"), "no error");
    EXPECT_THAT(Reports(StandIn::DialogDriver::PageOf(browser)), ElementsAre("3"));
    EXPECT_EQ(StandIn::DialogDriver::ExecutedScripts(browser).size(), 3u);
    StandIn::FailBrowserScripts("always", -1);
    EXPECT_EQ(ErrorOf(browser, "1"), "always");
    EXPECT_EQ(ErrorOf(browser, "1"), "always");
}

TEST_F(BrowserTest, TheDriverFindsAPalettesBrowserUntilItIsDestroyed) {
    auto browser = std::make_unique<DG::Browser>(*palette, 1);
    EXPECT_EQ(StandIn::FindBrowser(*palette), browser.get());
    browser.reset();
    EXPECT_EQ(StandIn::FindBrowser(*palette), nullptr);
}

TEST_F(BrowserTest, APageCanMakeTheHostDestroyItsBrowserFromItsOwnCall) {
    auto browser = std::make_unique<DG::Browser>(*palette, 1);
    auto closer = ScriptObject("ACAPI", {{"closeBrowserPalette", [&](GS::Ref<JS::Base>) -> GS::Ref<JS::Base> {
                                              browser.reset();
                                              return GS::NewRef<JS::Value>("BrowserPalette closed");
                                          }}});
    browser->RegisterAsynchJSObject(closer);
    browser->ExecuteJS(
        "ACAPI.closeBrowserPalette().then(function () { host.report('never'); }); var after = 1;");
    EXPECT_EQ(browser, nullptr);
    EXPECT_TRUE(StandIn::LiveBrowsers().empty());
}

TEST_F(BrowserTest, ABrowserNeedsABrowserItem) {
    StandIn::Host().resources[TestModule].dialogs[BrowserDialog].items[0].kind = "Button";
    DG::Palette other(TestModule, BrowserDialog, TestModule, GS::Guid());
    EXPECT_THROW(DG::Browser(other, 1), GS::IllegalArgumentException);
}
