#include "RunningAddOn.hpp"
#include "StandIn/DialogDriver.hpp"

namespace {

class GeneratePlanFlow : public RunningAddOn {
protected:
    void SetUp() override {
        RunningAddOn::SetUp();
        StandIn::SendMenuCommand(32505, 1);
        StandIn::Host().report.clear();
    }
    static void ClickAt(double x, double y) { StandIn::QueuePointAnswer({NoError, {x, y, 0}}); }
};

TEST_F(GeneratePlanFlow, AClickInARoomOpensThePlanPageAndTellsIt) {
    ClickAt(3, 4);
    Press(1);
    EXPECT_EQ(Status(), "");
    ASSERT_NE(BrowserPaletteWindow(), nullptr);
    EXPECT_EQ(Url(), "https://app.tolva.ai/generate-plan");
    EXPECT_EQ(BrowserPaletteWindow()->GetTitle(), GS::UniString("Tolva - Generate Plan"));
    EXPECT_TRUE(Visible(BrowserPaletteRef));
    EXPECT_TRUE(Reported(
        "[INFO] GeneratePlanPalette: Triggered onSelectionChanged in production browser on attempt 1"));
    EXPECT_EQ(StandIn::PointPrompts().back(), GS::UniString("Click inside a room to find enclosing walls"));
}

TEST_F(GeneratePlanFlow, ASecondClickLoadsThePageAnew) {
    ClickAt(3, 4);
    Press(1);
    ClickAt(8, 2);
    Press(1);
    EXPECT_TRUE(Reported(
        "[INFO] GeneratePlanPalette: Browser exists - destroying to force fresh load with new zone data"));
    EXPECT_EQ(StandIn::LivePalettes().size(), 2u);
    EXPECT_EQ(Url(), "https://app.tolva.ai/generate-plan");
}

TEST_F(GeneratePlanFlow, CancellingKeepsTheStatusEmptyAndOpensNothing) {
    StandIn::QueuePointAnswer({APIERR_CANCEL, {}});
    Press(1);
    EXPECT_EQ(Status(), "");
    EXPECT_EQ(BrowserPaletteWindow(), nullptr);
    EXPECT_TRUE(Reported("[INFO] GeneratePlanPalette: User cancelled point selection"));
}

TEST_F(GeneratePlanFlow, AClickOutsideTheBuildingShowsTheReason) {
    ClickAt(20, 20);
    Press(1);
    EXPECT_EQ(Status(), "Error: Failed to extract zone boundary (error: -2130313111)");
    EXPECT_EQ(BrowserPaletteWindow(), nullptr);
    StandIn::QueuePointAnswer({APIERR_GENERAL, {}});
    Press(1);
    EXPECT_EQ(Status(), "Error: Failed to get point (code: -2130313215)");
}

TEST_F(GeneratePlanFlow, AFailingPaletteShowsWhyTheBrowserDidNotOpen) {
    ClickAt(3, 4);
    StandIn::Faults::Arm("DG::Palette", APIERR_MEMFULL);
    Press(1);
    EXPECT_EQ(Status(), "Error: Could not open production browser (DG::Palette failed (error -2130313214))");
    EXPECT_EQ(BrowserPaletteWindow(), nullptr);
}

TEST_F(GeneratePlanFlow, DownloadUsesTheHiddenBrowserPaletteAsItIs) {
    StandIn::SendPaletteMessage(BrowserPaletteRef, APIPalMsg_OpenPalette);
    DG::Palette* existing = BrowserPaletteWindow();
    StandIn::DialogDriver::RequestClose(*existing);
    Press(2);
    EXPECT_EQ(BrowserPaletteWindow(), existing);
    EXPECT_EQ(Url(), "https://app.tolva.ai/download");
    EXPECT_EQ(existing->GetTitle(), GS::UniString("Tolva - Download"));
    EXPECT_TRUE(Visible(BrowserPaletteRef));
    Press(3);
    EXPECT_EQ(Url(), "https://app.tolva.ai/upload");
    EXPECT_EQ(existing->GetTitle(), GS::UniString("Tolva - Upload"));
    EXPECT_TRUE(
        Reported("[INFO] GeneratePlanPalette: Opening production upload page: https://app.tolva.ai/upload"));
}

TEST_F(GeneratePlanFlow, DownloadWithoutABrowserCreatesOneOnTheStartPageFirst) {
    StandIn::Faults::Arm("DG::Palette", APIERR_GENERAL);
    Press(2);
    EXPECT_EQ(Status(), "Error opening download page");
    EXPECT_TRUE(Reported("[ERROR] GeneratePlanPalette: Exception in OnDownloadButtonClicked"));
    Press(2);
    EXPECT_EQ(Status(), "");
    EXPECT_EQ(Url(), "https://app.tolva.ai/download");
}

} // namespace
