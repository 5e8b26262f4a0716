#include "HttpServers/LocalHttpServer.hpp"
#include "RunHost.hpp"
#include "StandIn/AddOnModule.hpp"
#include "StandIn/Driver.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

// The first run of the add-on in this process: a private copy of the module, so that no earlier test
// has already answered the version gate (a module that stays in memory keeps its answer).
class FirstRun : public ::testing::Test {
protected:
    void SetUp() override {
        StandIn::ResetHost();
        const std::string copy = TempPath("TolvaAddOn.so");
        std::filesystem::copy_file(TOLVA_ADDON_PATH, copy, std::filesystem::copy_options::overwrite_existing);
        module = std::make_unique<StandIn::AddOnModule>(copy);
        API_EnvirParams envir;
        ASSERT_EQ(module->StartUp(&envir), NoError);
    }
    void TearDown() override {
        StandIn::QuitApplication();
        module.reset();
        EXPECT_EQ(StandIn::WinHttpLedger::OpenCount(), 0);
        StandIn::ResetHost();
    }
    static std::vector<std::string> Lines() {
        std::vector<std::string> lines;
        for (const StandIn::ReportLine& line : StandIn::Host().report) {
            lines.push_back(line.text.ToCStr().Get());
        }
        return lines;
    }
    static bool PlanPaletteVisible() {
        return StandIn::SendPaletteMessage(static_cast<Int32>(2901477143u), APIPalMsg_IsPaletteVisible)
            .value_or(false);
    }

    std::unique_ptr<StandIn::AddOnModule> module;
};

TEST_F(FirstRun, WithoutNetworkTheFirstLaunchAllowsWithAWarning) {
    EXPECT_TRUE(StandIn::SendMenuCommand(32505, 1));
    EXPECT_EQ(Lines(),
              (std::vector<std::string>{
                  "[INFO] VersionCheck: Starting version check...",
                  "[INFO] VersionCheck: Current plugin version: 1.0.6",
                  "[INFO] VersionCheck: Checking version at: api.tolva.ai/v1/plugins/check_version_allowed",
                  "[WARNING] VersionCheck: WinHTTP request/response failed with error: 12007",
                  "[WARNING] VersionCheck: HTTP request failed - allowing plugin to continue",
                  "[INFO] GeneratePlanPalette: Creating singleton instance",
                  "[INFO] GeneratePlanPalette: Palette created successfully",
              }));
    EXPECT_TRUE(PlanPaletteVisible());
    EXPECT_TRUE(StandIn::Alerts().empty());
}

TEST_F(FirstRun, ARefusalIsAnsweredWithTheAlertAndKeptWithTheAddOnInMemory) {
    LocalHttpServer service(200, R"({"minimumVersionAllowed": "1.1.0"})");
    StandIn::MapHttpHost("api.tolva.ai", service.Address());
    EXPECT_TRUE(StandIn::SendMenuCommand(32505, 1));
    EXPECT_TRUE(StandIn::SendMenuCommand(32505, 1));
    const std::vector<StandIn::ReportLine> alerts = StandIn::Alerts();
    ASSERT_EQ(alerts.size(), 2u);
    EXPECT_EQ(alerts[0].text,
              GS::UniString("Your Tolva Archicad plugin is outdated and cannot be used. Please "
                            "download the latest version from https://tolva.ai."));
    const std::vector<std::string> lines = Lines();
    EXPECT_EQ(lines.back(), "[ERROR] VersionCheck: Current plugin version is below minimum required version. "
                            "Plugin access denied.");
    EXPECT_FALSE(PlanPaletteVisible());
    EXPECT_EQ(service.Requests().size(), 1u);
    EXPECT_TRUE(StandIn::Host().keepInMemory) << "no palette asked for it; the remembered refusal does";
}

} // namespace
