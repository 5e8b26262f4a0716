#include "LoadedAddOn.hpp"

namespace {

class StartedAddOn : public LoadedAddOn {
protected:
    void SetUp() override {
        LoadedAddOn::SetUp();
        ASSERT_EQ(StartUp(), NoError);
    }
};

TEST_F(StartedAddOn, IgnoresOtherMenuItemsAndMenus) {
    EXPECT_TRUE(StandIn::SendMenuCommand(32505, 2));
    EXPECT_FALSE(StandIn::SendMenuCommand(32000, 1));
    EXPECT_TRUE(StandIn::Host().report.empty());
    EXPECT_TRUE(StandIn::Alerts().empty());
    EXPECT_EQ(StandIn::Faults::CallCount("WinHttpOpen"), 0) << "the version service is not asked";
}

TEST_F(StartedAddOn, AnswersPaletteMessagesBeforeAnyPaletteExists) {
    for (GS::IntPtr palette : {GS::IntPtr(2513767824u), GS::IntPtr(2901477143u)}) {
        EXPECT_EQ(StandIn::SendPaletteMessage(palette, APIPalMsg_IsPaletteVisible),
                  std::optional<bool>(false));
        for (API_PaletteMessageID message : {1, 2, 3, 4, 5, 99}) {
            EXPECT_EQ(StandIn::SendPaletteMessage(palette, message), std::nullopt);
        }
    }
    EXPECT_TRUE(StandIn::Host().report.empty());
}

TEST_F(StartedAddOn, ProjectEventsKeepTheRegistrationsAndReportNothing) {
    StandIn::NewProject();
    for (API_NotifyEventID event : {APINotify_Open, APINotify_NewAndReset, 4096}) {
        StandIn::DeliverProjectEvent(event);
    }
    StandIn::NotifySelectionChanged();
    StandIn::QuitApplication();
    EXPECT_EQ(StandIn::Host().palettes.size(), 2u);
    EXPECT_EQ(StandIn::Host().eventSubscriptions.size(), 3u);
    EXPECT_TRUE(StandIn::Host().report.empty());
}

TEST_F(StartedAddOn, UnloadingForgetsTheAddOnsHandlers) {
    module.reset();
    EXPECT_TRUE(StandIn::Host().menus.empty());
    EXPECT_FALSE(StandIn::SendMenuCommand(32505, 1));
    StandIn::QuitApplication();
    EXPECT_EQ(StandIn::SendPaletteMessage(GS::IntPtr(2513767824u), APIPalMsg_IsPaletteVisible), std::nullopt);
}

} // namespace
