#include "RunningAddOn.hpp"
#include "StandIn/Browsers.hpp"

namespace {

// Whatever fails inside a call from the host is logged, and the host gets the call's usual answer
// instead of an exception: in Archicad an exception crossing back takes the session down.
using HostCalls = RunningAddOn;

TEST_F(HostCalls, AMenuCommandWhosePaletteCannotBeBuiltLogsItAndTheNextOneWorks) {
    StandIn::Faults::Arm("DG::Palette", -1);
    EXPECT_NO_THROW(StandIn::SendMenuCommand(32505, 1));
    EXPECT_TRUE(Reported("[ERROR] MenuCommand: Exception in MenuCommandHandler: GS::Exception: DG::Palette "
                         "failed (error -1)"));
    EXPECT_EQ(PlanPaletteWindow(), nullptr);

    StandIn::Faults::Arm("DG::Palette::Show", -2);
    EXPECT_NO_THROW(StandIn::SendMenuCommand(32505, 1));
    EXPECT_TRUE(Reported("[ERROR] MenuCommand: Exception in MenuCommandHandler: GS::Exception: "
                         "DG::Palette::Show failed (error -2)"));
    EXPECT_FALSE(Visible(PlanPaletteRef)) << "built, but not shown";
    StandIn::SendMenuCommand(32505, 1);
    EXPECT_TRUE(Visible(PlanPaletteRef));
}

TEST_F(HostCalls, OpeningEitherPaletteWhenItCannotBeBuiltLogsIt) {
    StandIn::Faults::Arm("DG::Palette", -1, 2);
    EXPECT_NO_THROW(StandIn::SendPaletteMessage(PlanPaletteRef, APIPalMsg_OpenPalette));
    EXPECT_NO_THROW(StandIn::SendPaletteMessage(BrowserPaletteRef, APIPalMsg_OpenPalette));
    EXPECT_TRUE(Reported("[ERROR] GeneratePlanPalette: Exception in PaletteControlCallback: GS::Exception: "
                         "DG::Palette failed (error -1)"));
    EXPECT_TRUE(Reported("[ERROR] BrowserPalette: Exception in PaletteControlCallback: GS::Exception: "
                         "DG::Palette failed (error -1)"));
    EXPECT_TRUE(StandIn::LivePalettes().empty());
}

TEST_F(HostCalls, ShowingAgainAfterHidingCanFailToo) {
    StandIn::SendPaletteMessage(BrowserPaletteRef, APIPalMsg_OpenPalette);
    StandIn::SendPaletteMessage(BrowserPaletteRef, APIPalMsg_HidePalette_Begin);
    StandIn::Faults::Arm("DG::Palette::Show", -3);
    EXPECT_NO_THROW(StandIn::SendPaletteMessage(BrowserPaletteRef, APIPalMsg_HidePalette_End));
    EXPECT_TRUE(Reported("[ERROR] BrowserPalette: Exception in PaletteControlCallback: GS::Exception: "
                         "DG::Palette::Show failed (error -3)"));
    EXPECT_FALSE(Visible(BrowserPaletteRef));
}

TEST_F(HostCalls, ASelectionChangeWhoseFailureCannotBeReportedIsLoggedOnce) {
    StandIn::SendPaletteMessage(BrowserPaletteRef, APIPalMsg_OpenPalette);
    StandIn::FailBrowserScripts("page gone", 1);
    StandIn::Faults::Arm("ACAPI_WriteReport:throw", -4);
    EXPECT_NO_THROW(StandIn::NotifySelectionChanged());
    EXPECT_TRUE(Reported("[ERROR] BrowserPalette: Exception in SelectionChangeHandler: GS::Exception: "
                         "ACAPI_WriteReport:throw failed (error -4)"));
}

} // namespace
