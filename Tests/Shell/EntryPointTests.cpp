#include "LoadedAddOn.hpp"

#include "Palettes/PaletteIdentity.hpp"

#include <ostream>
#include <string>
#include <vector>

namespace {

TEST(PaletteIdentity, SumsTheGuidWordsIntoTheRegisteredReferenceNumbers) {
    EXPECT_EQ(PaletteIdentity::ReferenceNumber(APIGuidFromString(PaletteIdentity::BrowserPaletteGuid)),
              2513767824u);
    EXPECT_EQ(PaletteIdentity::ReferenceNumber(APIGuidFromString(PaletteIdentity::GeneratePlanPaletteGuid)),
              2901477143u);
}

using EntryPoints = LoadedAddOn;

TEST_F(EntryPoints, DoNothingBeforeTheHostTableIsPresent) {
    EXPECT_EQ(module->CheckEnvironment(&envir), APIAddon_Unknown);
    EXPECT_TRUE(envir.addOnInfo.name.IsEmpty());
    EXPECT_EQ(module->RegisterInterface(), APIERR_GENERAL);
    EXPECT_EQ(module->Initialize(), APIERR_GENERAL);
    EXPECT_EQ(module->Release(), APIERR_GENERAL);
    EXPECT_TRUE(StandIn::Host().menus.empty());
    EXPECT_TRUE(StandIn::Host().eventSubscriptions.empty());
}

TEST_F(EntryPoints, IdentifyTheAddOnFromItsResources) {
    module->ImportHostFunctions();
    EXPECT_EQ(module->CheckEnvironment(&envir), APIAddon_Preload);
    EXPECT_EQ(envir.addOnInfo.name, GS::UniString("Tolva AddOn"));
    EXPECT_TRUE(envir.addOnInfo.description.EndsWith(" Add-On v1.0.6"));
    EXPECT_GT(envir.addOnInfo.description.GetLength(), GS::UniString(" Add-On v1.0.6").GetLength());
}

TEST_F(EntryPoints, RegisterTheMenuAndEveryHandlerInOrder) {
    ASSERT_EQ(StartUp(), NoError);
    const auto& host = StandIn::Host();
    ASSERT_EQ(host.menus.size(), 1u);
    const auto& menu = host.menus[0];
    EXPECT_EQ(menu.resID, 32505);
    EXPECT_EQ(menu.promptResID, 0);
    EXPECT_EQ(menu.positionCode, 0);
    EXPECT_EQ(menu.flags, 0);
    EXPECT_EQ(menu.title, GS::UniString("Tolva"));
    ASSERT_EQ(menu.items.size(), 1u);
    EXPECT_EQ(menu.items[0], GS::UniString("Launch Tolva (Beta)"));
    EXPECT_NE(menu.handler, nullptr);
    EXPECT_NE(host.selectionHandler, nullptr);

    ASSERT_EQ(host.eventSubscriptions.size(), 3u);
    EXPECT_EQ(host.eventSubscriptions[0].eventTypes, 64);
    EXPECT_EQ(host.eventSubscriptions[1].eventTypes, 1);
    EXPECT_EQ(host.eventSubscriptions[2].eventTypes, 4);

    ASSERT_EQ(host.palettes.size(), 2u);
    EXPECT_EQ(host.palettes[0].referenceID, static_cast<Int32>(2513767824u));
    EXPECT_EQ(APIGuidToString(host.palettes[0].guid), GS::UniString("FEE27B6B-3873-4834-98B5-F0081AA4CD45"));
    EXPECT_EQ(host.palettes[1].referenceID, static_cast<Int32>(2901477143u));
    EXPECT_EQ(APIGuidToString(host.palettes[1].guid), GS::UniString("B3C7E5F1-9A2D-4E6F-8B4C-1D7F6E3A9C2B"));
    for (const auto& palette : host.palettes) {
        EXPECT_EQ(palette.flags, 1015);
    }
    EXPECT_EQ(module->Release(), NoError);
}

struct FailedRegistration {
    const char* call;
    Int32 skip; // calls of the same name that succeed first
    size_t subscriptions;
    size_t palettes;
};

// Names the case in the test list, where the raw bytes of the record would differ from run to run.
void PrintTo(const FailedRegistration& failure, std::ostream* out) {
    *out << failure.call << " after " << failure.skip;
}

class InitialisationFailure : public LoadedAddOn, public ::testing::WithParamInterface<FailedRegistration> {};

TEST_P(InitialisationFailure, StopsAtTheFailingRegistrationAndReturnsItsCode) {
    const FailedRegistration& failure = GetParam();
    constexpr GSErrCode code = static_cast<GSErrCode>(0x81060123);
    StandIn::Faults::Arm(failure.call, code, 1, failure.skip);
    EXPECT_EQ(StartUp(), code);
    EXPECT_EQ(StandIn::Host().eventSubscriptions.size(), failure.subscriptions);
    EXPECT_EQ(StandIn::Host().palettes.size(), failure.palettes);
}

INSTANTIATE_TEST_SUITE_P(
    EachStep, InitialisationFailure,
    ::testing::Values(FailedRegistration{"ACAPI_MenuItem_InstallMenuHandler", 0, 0, 0},
                      FailedRegistration{"ACAPI_Notification_CatchSelectionChange", 0, 0, 0},
                      FailedRegistration{"ACAPI_ProjectOperation_CatchProjectEvent", 0, 0, 0},
                      FailedRegistration{"ACAPI_ProjectOperation_CatchProjectEvent", 2, 2, 0},
                      FailedRegistration{"ACAPI_RegisterModelessWindow", 0, 3, 0},
                      FailedRegistration{"ACAPI_RegisterModelessWindow", 1, 3, 1}),
    [](const ::testing::TestParamInfo<FailedRegistration>& info) {
        return std::string(info.param.call).substr(6) + "_after_" + std::to_string(info.param.skip);
    });

TEST_F(EntryPoints, ReturnTheMenuRegistrationCodeUnchanged) {
    StandIn::Faults::Arm("ACAPI_MenuItem_RegisterMenu", APIERR_MEMFULL);
    EXPECT_EQ(StartUp(), APIERR_MEMFULL);
    EXPECT_TRUE(StandIn::Host().menus.empty());
    EXPECT_EQ(StandIn::Faults::CallCount("ACAPI_MenuItem_InstallMenuHandler"), 0);
}

// The host calls the entry points across a C boundary: what they throw is logged, and the host gets
// an answer that stops loading the add-on.
TEST_F(EntryPoints, ThrowNothingBackIntoTheHost) {
    module->ImportHostFunctions();
    // The first error starts error reporting: refused here, as in the other tests.
    StandIn::Faults::Arm("sentry_init", 1);
    StandIn::Faults::Arm("RSGetIndString:throw", -1);
    EXPECT_EQ(module->CheckEnvironment(&envir), APIAddon_DontRegister);
    StandIn::Faults::Arm("ACAPI_MenuItem_RegisterMenu:throw", -2);
    EXPECT_EQ(module->RegisterInterface(), APIERR_GENERAL);
    EXPECT_TRUE(StandIn::Host().menus.empty());
    StandIn::Faults::Arm("ACAPI_MenuItem_InstallMenuHandler:throw", -3);
    EXPECT_EQ(module->Initialize(), APIERR_GENERAL);
    EXPECT_TRUE(StandIn::Host().eventSubscriptions.empty());

    std::vector<std::string> lines;
    for (const StandIn::ReportLine& line : StandIn::Host().report) {
        if (line.text.BeginsWith("[ERROR] ")) {
            lines.push_back(line.text.ToCStr().Get());
        }
    }
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "[ERROR] AddOnMain: Exception in CheckEnvironment: GS::Exception: "
                         "RSGetIndString:throw failed (error -1)",
                         "[ERROR] AddOnMain: Exception in RegisterInterface: GS::Exception: "
                         "ACAPI_MenuItem_RegisterMenu:throw failed (error -2)",
                         "[ERROR] AddOnMain: Exception in Initialize: GS::Exception: "
                         "ACAPI_MenuItem_InstallMenuHandler:throw failed (error -3)",
                     }));
}

TEST_F(EntryPoints, AnAddOnThatDeclinesRegistrationIsNotStarted) {
    StandIn::Faults::Arm("RSGetIndString:throw", -1);
    EXPECT_EQ(StartUp(), APIERR_GENERAL);
    EXPECT_TRUE(StandIn::Host().menus.empty());
}

} // namespace
