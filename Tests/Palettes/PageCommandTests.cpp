#include "RunningAddOn.hpp"

#include "JSCommands/BrowserCommands.hpp"
#include "Page/PageRegistry.hpp"
#include "StandIn/DialogDriver.hpp"
#include "StandIn/HandleLedger.hpp"
#include "StandIn/JSONText.hpp"
#include "StandIn/Project.hpp"

#include <fstream>

namespace {

class PageCommands : public RunningAddOn {
protected:
    void TearDown() override {
        RunningAddOn::TearDown();
        StandIn::PageRegistry::Reset();
    }
    static StandIn::PageCallResult Call(const char* command, const std::string& argument = "null") {
        return StandIn::DialogDriver::PageOf(Page()).CallObjectFunction("ACAPI", command, argument);
    }
    static std::string Answer(const char* command, const std::string& argument = "null") {
        return Call(command, argument).text;
    }
    static void OpenBrowser() { StandIn::SendPaletteMessage(BrowserPaletteRef, APIPalMsg_OpenPalette); }
    static void GeneratePlanAt(double x, double y) {
        StandIn::SendMenuCommand(32505, 1);
        StandIn::QueuePointAnswer({NoError, {x, y, 0}});
        Press(1);
    }
    // A page without the page functions the add-on calls.
    static void EmptyPageAt(const char* address) {
        const std::string path = ::testing::TempDir() + "empty-page.js";
        std::ofstream(path) << "var nothing = 0;\n";
        StandIn::PageRegistry::AddPage(address, path);
    }
    static std::vector<std::string> ZoneGuids() {
        std::vector<std::string> guids;
        for (const StandIn::StoredElement& stored : StandIn::TheModel().elements) {
            if (stored.element.header.type.typeID == API_ZoneID) {
                guids.push_back(APIGuidToString(stored.element.header.guid).ToCStr().Get());
            }
        }
        return guids;
    }
};

TEST_F(PageCommands, ThePageGetsPromisesThatChain) {
    OpenBrowser();
    Page().ExecuteJS("ACAPI.getPluginVersion().then(function (v) { return v.string; })"
                     ".then(function (s) { host.report('chained ' + s); });");
    EXPECT_EQ(StandIn::DialogDriver::PageOf(Page()).GetReports().back(), GS::UniString("chained 1.0.6"));
    EXPECT_EQ(StandIn::DialogDriver::PageOf(Page()).GetReports()[1],
              GS::UniString("plugin version {\"major\":1,\"minor\":0,\"patch\":6,"
                            "\"string\":\"1.0.6\"}"))
        << "the start page's loadPluginVersion() ran at creation";
    EXPECT_THROW(Call("GetPluginVersion"), GS::Exception) << "names are case-sensitive";
}

TEST_F(PageCommands, LaunchBrowserOpensTheAddressWithItsCapitals) {
    OpenBrowser();
    EXPECT_EQ(Answer("launchBrowser", "\"HTTPS://Example.com/A\""),
              "{\"success\":true,\"message\":\"Browser launched\"}");
    ASSERT_EQ(StandIn::Host().shell.executions.size(), 1u);
    EXPECT_EQ(StandIn::Host().shell.executions[0].file, GS::UniString("HTTPS://Example.com/A"));
    EXPECT_EQ(StandIn::Host().shell.executions[0].verb, GS::UniString("open"));
    EXPECT_EQ(Answer("launchBrowser", "{\"url\": \"https://a.b\"}"),
              "{\"success\":false,\"error\":\"An error occurred while processing your request.\"}")
        << "an object where a text is expected";
    EXPECT_TRUE(Reported("[ERROR] JSCommandWrapper: GS::Exception: Bad cast."));
}

TEST_F(PageCommands, ClosingTheBrowserPaletteHidesItEveryTime) {
    OpenBrowser();
    const std::string closed = "{\"success\":true,\"message\":\"BrowserPalette closed\"}";
    EXPECT_EQ(Answer("closeBrowserPalette"), closed);
    EXPECT_FALSE(Visible(BrowserPaletteRef));
    EXPECT_EQ(Answer("closeBrowserPalette"), closed) << "the hidden palette still exists";
    EXPECT_EQ(JS::ToJSONText(JSCommands::BrowserCommands::CloseBrowserPalette({})),
              R"("{\"success\":true,\"message\":\"BrowserPalette already closed\"}")")
        << "in a run without a browser palette";
}

TEST_F(PageCommands, GetSelectionGivesTheStoredRoomUntilTheProjectChanges) {
    GeneratePlanAt(3, 4);
    StandIn::SelectElements({StandIn::TheModel().elements[0].element.header.guid});
    const std::string room = Answer("getSelection");
    EXPECT_EQ(room.rfind("{\"bounds\":", 0), 0u) << room;
    EXPECT_EQ(Answer("getSelection"), room) << "reading does not clear it";
    EXPECT_EQ(StandIn::DialogDriver::PageOf(Page()).GetReports().back(),
              GS::UniString(("selection " + room).c_str(), CC_UTF8));

    StandIn::DeliverProjectEvent(APINotify_Open);
    const std::vector<std::string> zones = ZoneGuids();
    StandIn::SelectElements({StandIn::TheModel().elements[0].element.header.guid,
                             APIGuidFromString(zones[2].c_str()), APIGuidFromString(zones[0].c_str())});
    EXPECT_EQ(Answer("getSelection"), "[\"" + zones[2] + "\",\"" + zones[0] + "\"]");
    StandIn::ClearSelection();
    EXPECT_EQ(Answer("getSelection"), "[]");
}

TEST_F(PageCommands, GetSelectionReleasesTheMarqueeTheHostHandsOver) {
    OpenBrowser();
    const std::vector<std::string> zones = ZoneGuids();
    ASSERT_FALSE(zones.empty());
    StandIn::SelectElements({APIGuidFromString(zones[0].c_str())});
    StandIn::SetMarquee({{0, 0}, {20, 0}, {20, 20}, {0, 20}});
    const Int32 liveHandles = StandIn::HandleLedger::LiveCount();
    EXPECT_EQ(Answer("getSelection"), "[\"" + zones[0] + "\"]");
    EXPECT_EQ(StandIn::HandleLedger::LiveCount(), liveHandles);
}

TEST_F(PageCommands, AScriptThatFailsIsWrittenToTheReportWindow) {
    EmptyPageAt("https://app.tolva.ai/");
    OpenBrowser();
    EXPECT_TRUE(
        Reported("Failed to execute JavaScript: ReferenceError: identifier 'loadPluginVersion' undefined"));
    StandIn::NotifySelectionChanged();
    EXPECT_TRUE(Reported("Failed to execute JavaScript: ReferenceError: identifier 'TOLVA' undefined"));
}

TEST_F(PageCommands, APageThatNeverAnswersIsTriedTenTimes) {
    EmptyPageAt("https://app.tolva.ai/generate-plan");
    GeneratePlanAt(3, 4);
    EXPECT_EQ(Status(), "Error: Failed to trigger browser callback after 10 attempts");
    EXPECT_EQ(StandIn::Host().shell.sleeps, std::vector<unsigned long>(9, 200));
    EXPECT_TRUE(
        Reported("[ERROR] GeneratePlanPalette: Failed to trigger onSelectionChanged in production browser "
                 "after 10 attempts"));
    EXPECT_EQ(Answer("getSelection"), "[]") << "the stored room was dropped";
}

TEST_F(PageCommands, TheCommandsAreRegisteredInTheTablesOrder) {
    OpenBrowser();
    std::vector<std::string> names;
    for (const GS::Ref<JS::Object>& object : StandIn::DialogDriver::PageOf(Page()).GetRegisteredObjects()) {
        if (object->GetName() == GS::UniString("ACAPI")) {
            for (const JS::Object::Member& member : object->GetItemTable()) {
                names.push_back(member.name.ToCStr().Get());
            }
        }
    }
    EXPECT_EQ(names, (std::vector<std::string>{"getSelection", "importPlan", "importBuildingFromVariantData",
                                               "importZonesFromSpaces", "getPluginVersion", "getWorkingUnits",
                                               "getBuildingMassAsJson", "getGridlines", "getCenterlines",
                                               "getZoneAtPoint", "launchBrowser", "closeBrowserPalette",
                                               "getContext"}));
}

TEST_F(PageCommands, ThePageReceivesMeshesAsObjectsAndTheContextAsText) {
    OpenBrowser();
    StandIn::ElementDefaults morph = StandIn::DefaultsOf(API_MorphID);
    ASSERT_EQ(StandIn::PlantElement(&morph.element, &morph.memo), NoError);
    StandIn::SelectElements({morph.element.header.guid});
    const StandIn::PageCallResult masses = Call("getBuildingMassAsJson");
    EXPECT_EQ(masses.text.rfind(
                  R"({"version":1,"type":"array<mesh>","value":[{"vertices":[[0,0,0],[1000,0,0],)", 0),
              0u)
        << masses.text;
    EXPECT_TRUE(GS::DynamicCast<JS::Object>(masses.value) != nullptr);
    const StandIn::PageCallResult context = Call("getContext");
    EXPECT_EQ(
        context.text.rfind(R"({"version":1,"type":"context","value":{"items":[{"vertices":[[0,0,0],)", 0), 0u)
        << context.text;
    EXPECT_EQ(dynamic_cast<JS::Value&>(*context.value).GetType(), JS::Value::STRING);
}

} // namespace
