#include "Browser/ReportLines.hpp"
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
    for (Int32 palette : {static_cast<Int32>(2513767824u), static_cast<Int32>(2901477143u)}) {
        EXPECT_EQ(StandIn::SendPaletteMessage(palette, APIPalMsg_IsPaletteVisible),
                  std::optional<bool>(false));
        for (Int32 message : {1, 2, 3, 4, 5, 8}) {
            EXPECT_EQ(StandIn::SendPaletteMessage(palette, static_cast<API_PaletteMessageID>(message)),
                      std::nullopt);
        }
    }
    EXPECT_TRUE(StandIn::Host().report.empty());
}

TEST_F(StartedAddOn, ProjectEventsEmptyTheCachesAndKeepTheRegistrations) {
    const std::vector<std::string> cachesEmptied = {
        "[INFO] LayerManager: Cache invalidated due to project change",
        "[INFO] MaterialManager: Cache invalidated due to project change"};
    StandIn::NewProject();
    EXPECT_EQ(ReportedLines(), cachesEmptied);
    StandIn::Host().report.clear();
    for (Int32 event : {Int32(APINotify_NewAndReset), 4096, 0}) {
        StandIn::DeliverProjectEvent(static_cast<API_NotifyEventID>(event));
    }
    StandIn::NotifySelectionChanged();
    EXPECT_TRUE(ReportedLines().empty()) << "other events empty nothing";
    StandIn::DeliverProjectEvent(APINotify_Open);
    StandIn::QuitApplication();
    EXPECT_EQ(ReportedLines(), (std::vector<std::string>{cachesEmptied[0], cachesEmptied[1], cachesEmptied[0],
                                                         cachesEmptied[1]}));
    EXPECT_EQ(StandIn::Host().palettes.size(), 2u);
    EXPECT_EQ(StandIn::Host().eventSubscriptions.size(), 3u);
}

TEST_F(StartedAddOn, UnloadingForgetsTheAddOnsHandlers) {
    module.reset();
    EXPECT_TRUE(StandIn::Host().menus.empty());
    EXPECT_FALSE(StandIn::SendMenuCommand(32505, 1));
    StandIn::QuitApplication();
    EXPECT_EQ(StandIn::SendPaletteMessage(static_cast<Int32>(2513767824u), APIPalMsg_IsPaletteVisible),
              std::nullopt);
}

} // namespace
