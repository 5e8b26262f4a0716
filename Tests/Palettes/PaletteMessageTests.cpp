#include "RunningAddOn.hpp"
#include "StandIn/DialogDriver.hpp"

namespace {

using PaletteMessages = RunningAddOn;

TEST_F(PaletteMessages, TheVisibilityQueryCreatesNothing) {
    EXPECT_FALSE(Visible(BrowserPaletteRef));
    EXPECT_FALSE(Visible(PlanPaletteRef));
    for (Int32 code : {1, 2, 3, 4, 5, 8}) {
        const auto message = static_cast<API_PaletteMessageID>(code);
        StandIn::SendPaletteMessage(BrowserPaletteRef, message);
        StandIn::SendPaletteMessage(PlanPaletteRef, message);
    }
    EXPECT_TRUE(StandIn::LivePalettes().empty());
}

TEST_F(PaletteMessages, OpeningTheBrowserPaletteLoadsTheStartPage) {
    StandIn::SendPaletteMessage(BrowserPaletteRef, APIPalMsg_OpenPalette);
    ASSERT_NE(BrowserPaletteWindow(), nullptr);
    EXPECT_EQ(Url(), "https://app.tolva.ai/");
    EXPECT_EQ(BrowserPaletteWindow()->GetTitle(), GS::UniString("Tolva - Generate Plan"));
    EXPECT_EQ(StandIn::DialogDriver::LastShowPosition(*BrowserPaletteWindow()), -32768);
    EXPECT_TRUE(Visible(BrowserPaletteRef));
    EXPECT_TRUE(StandIn::Host().keepInMemory);
}

TEST_F(PaletteMessages, HidingEndsByShowingAgainAlsoAPaletteTheUserClosed) {
    StandIn::SendPaletteMessage(BrowserPaletteRef, APIPalMsg_OpenPalette);
    StandIn::SendPaletteMessage(PlanPaletteRef, APIPalMsg_OpenPalette);
    EXPECT_TRUE(StandIn::DialogDriver::RequestClose(*BrowserPaletteWindow()))
        << "the close box hides and accepts";
    EXPECT_FALSE(Visible(BrowserPaletteRef));
    StandIn::SendPaletteMessage(BrowserPaletteRef, APIPalMsg_HidePalette_Begin);
    StandIn::SendPaletteMessage(PlanPaletteRef, APIPalMsg_HidePalette_Begin);
    EXPECT_FALSE(Visible(PlanPaletteRef));
    StandIn::SendPaletteMessage(BrowserPaletteRef, APIPalMsg_HidePalette_End);
    StandIn::SendPaletteMessage(PlanPaletteRef, APIPalMsg_HidePalette_End);
    EXPECT_TRUE(Visible(BrowserPaletteRef));
    EXPECT_TRUE(Visible(PlanPaletteRef));
    EXPECT_EQ(Url(), "https://app.tolva.ai/") << "the page stayed loaded";
}

TEST_F(PaletteMessages, DisablingReachesTheItemsOfVisiblePalettes) {
    StandIn::SendPaletteMessage(PlanPaletteRef, APIPalMsg_OpenPalette);
    StandIn::SendPaletteMessage(PlanPaletteRef, APIPalMsg_DisableItems_Begin);
    EXPECT_FALSE(PlanPaletteWindow()->GetItem(1)->IsEnabled());
    StandIn::SendPaletteMessage(PlanPaletteRef, APIPalMsg_DisableItems_End);
    EXPECT_TRUE(PlanPaletteWindow()->GetItem(3)->IsEnabled());
    StandIn::SendPaletteMessage(PlanPaletteRef, APIPalMsg_ClosePalette);
    EXPECT_FALSE(Visible(PlanPaletteRef));
    EXPECT_NE(PlanPaletteWindow(), nullptr) << "closing only hides";
}

TEST_F(PaletteMessages, TheMenuItemTogglesThePlanPalette) {
    EXPECT_TRUE(StandIn::SendMenuCommand(32505, 1));
    ASSERT_NE(PlanPaletteWindow(), nullptr);
    EXPECT_TRUE(Visible(PlanPaletteRef));
    EXPECT_EQ(PlanPaletteWindow()->GetTitle(), GS::UniString("Tolva"));
    EXPECT_EQ(dynamic_cast<DG::LeftText&>(*PlanPaletteWindow()->GetItem(5)).GetText(),
              GS::UniString("v1.0.6 (Beta)"));
    StandIn::SendMenuCommand(32505, 1);
    EXPECT_FALSE(Visible(PlanPaletteRef));
    StandIn::SendMenuCommand(32505, 1);
    EXPECT_TRUE(Visible(PlanPaletteRef));
    EXPECT_EQ(BrowserPaletteWindow(), nullptr) << "the menu never opens the browser palette";
    std::vector<std::string> paletteLines = ReportLines();
    std::erase_if(paletteLines,
                  [](const std::string& line) { return line.find("] VersionCheck: ") != std::string::npos; });
    EXPECT_EQ(paletteLines,
              (std::vector<std::string>{"[INFO] GeneratePlanPalette: Creating singleton instance",
                                        "[INFO] GeneratePlanPalette: Palette created successfully"}));
    EXPECT_LE(StandIn::Host().http.exchanges.size(), 1u)
        << "the version service is asked at the first launch only";
}

TEST_F(PaletteMessages, ResizingThePaletteResizesItsPage) {
    StandIn::SendPaletteMessage(BrowserPaletteRef, APIPalMsg_OpenPalette);
    StandIn::DialogDriver::UserResize(*BrowserPaletteWindow(), 50, -30);
    EXPECT_EQ(Page().GetWidth(), 500);
    EXPECT_EQ(Page().GetHeight(), 150);
}

TEST_F(PaletteMessages, ASelectionChangeWithoutABrowserPaletteDoesNothing) {
    StandIn::NotifySelectionChanged();
    EXPECT_TRUE(ReportLines().empty());
    EXPECT_TRUE(StandIn::LivePalettes().empty());
}

TEST_F(PaletteMessages, QuittingDestroysBothPalettes) {
    StandIn::SendMenuCommand(32505, 1);
    StandIn::SendPaletteMessage(BrowserPaletteRef, APIPalMsg_OpenPalette);
    StandIn::QuitApplication();
    EXPECT_TRUE(StandIn::LivePalettes().empty());
    EXPECT_TRUE(Reported("[INFO] GeneratePlanPalette: Destroying singleton instance"));
    EXPECT_FALSE(Visible(BrowserPaletteRef));
}

} // namespace
