#include "Page/PageRegistry.hpp"
#include "PageTestSupport.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

using StandIn::PageEngine;
using testing::ElementsAre;
namespace PageRegistry = StandIn::PageRegistry;

namespace {

class PageRegistryTest : public testing::Test {
protected:
    void TearDown() override { PageRegistry::Reset(); }

    static GS::Ref<JS::Object> Commands() {
        return ScriptObject("ACAPI", {{"getPluginVersion",
                                       [](GS::Ref<JS::Base>) -> GS::Ref<JS::Base> {
                                           auto version = GS::NewRef<JS::Object>();
                                           version->AddItem("string", GS::NewRef<JS::Value>("1.0.6"));
                                           return version;
                                       }},
                                      {"getSelection", [](GS::Ref<JS::Base>) -> GS::Ref<JS::Base> {
                                           return GS::NewRef<JS::Value>("[]");
                                       }}});
    }

    static void Open(PageEngine& page, const char* address) {
        page.Load(address, PageRegistry::ScriptFor(address));
    }
};

} // namespace

TEST_F(PageRegistryTest, TheStartPageAnswersBothPageFunctions) {
    PageEngine page;
    page.RegisterObject(Commands());
    Open(page, "https://app.tolva.ai/");
    page.Run("loadPluginVersion()");
    page.Run("TOLVA.archicad.onSelectionChanged ()");
    EXPECT_THAT(Reports(page), ElementsAre("page loaded https://app.tolva.ai/",
                                           R"(plugin version {"string":"1.0.6"})", "selection []"));
}

TEST_F(PageRegistryTest, ThePlanGenerationPageIsTheSameApplication) {
    PageEngine page;
    Open(page, "https://app.tolva.ai/generate-plan");
    EXPECT_THAT(Reports(page), ElementsAre("page loaded https://app.tolva.ai/generate-plan"));
    // Without the add-on's commands the page's call fails as a script error.
    EXPECT_EQ(ScriptErrorOf(page, "loadPluginVersion()"), "ReferenceError: identifier 'ACAPI' undefined");
}

TEST_F(PageRegistryTest, AnAddressWithoutAPageLoadsAnEmptyPage) {
    EXPECT_EQ(PageRegistry::ScriptFor("https://app.tolva.ai/download"), "");
    EXPECT_EQ(PageRegistry::ScriptFor("https://app.tolva.ai"), "");
    PageEngine page;
    Open(page, "https://app.tolva.ai/download");
    EXPECT_EQ(ScriptErrorOf(page, "loadPluginVersion()"),
              "ReferenceError: identifier 'loadPluginVersion' undefined");
}

TEST_F(PageRegistryTest, AddPageAddsOrReplacesAnAddressesPage) {
    const std::string file = testing::TempDir() + "tolva-page-registry-test.js";
    std::ofstream(file) << "host.report('own page');";
    PageRegistry::AddPage("https://app.tolva.ai/", file);
    PageRegistry::AddPage("https://example.com/x", file);
    EXPECT_EQ(PageRegistry::ScriptFor("https://app.tolva.ai/"), "host.report('own page');");
    EXPECT_EQ(PageRegistry::ScriptFor("https://example.com/x"), "host.report('own page');");
    std::remove(file.c_str());
    PageRegistry::Reset();
    EXPECT_THAT(PageRegistry::ScriptFor("https://app.tolva.ai/"),
                testing::HasSubstr("function loadPluginVersion()"));
}

TEST_F(PageRegistryTest, AnUnreadablePageFileIsRefused) {
    try {
        PageRegistry::AddPage("https://app.tolva.ai/", "/nonexistent/page.js");
        FAIL() << "added";
    } catch (const GS::Exception& exception) {
        EXPECT_EQ(exception.GetMessage(), "Cannot read the page file /nonexistent/page.js");
    }
    EXPECT_THAT(PageRegistry::ScriptFor("https://app.tolva.ai/"),
                testing::HasSubstr("function loadPluginVersion()"));
}
