#include "Main/MenuCommand.hpp"

#include "ACAPinc.h"
#include "Logging/HostBoundary.hpp"
#include "Logging/Logger.hpp"
#include "Palettes/GeneratePlanPalette.hpp"
#include "TolvaResourceIDs.h"
#include "Update/VersionCheck.hpp"

namespace {

constexpr const char* MakerWebSite = "https://tolva.ai";

// The version service is asked once per run; a refusal holds until the host quits.
bool versionChecked = false;
bool versionAllowed = false;

bool IsVersionAllowed() {
    if (!versionChecked) {
        versionAllowed = VersionCheck::CheckVersionAllowed();
        versionChecked = true;
        // The answer lives in this module: unloaded, it would be forgotten and the service asked again.
        ACAPI_KeepInMemory(true);
    }
    return versionAllowed;
}

} // namespace

bool IsLaunchCommand(const API_MenuParams& params) {
    return params.menuItemRef.menuResID == ID_ADDON_MENU &&
           params.menuItemRef.itemIndex == ID_ADDON_MENU_LAUNCH_ITEM;
}

namespace {

GSErrCode HandleMenuCommand(const API_MenuParams* menuParams) {
    if (menuParams == nullptr || !IsLaunchCommand(*menuParams)) {
        return NoError;
    }
    if (!IsVersionAllowed()) {
        ACAPI_WriteReport(
            "Your Tolva Archicad plugin is outdated and cannot be used. Please download the latest "
            "version from %s.",
            true, MakerWebSite);
        Logger::Error("VersionCheck",
                      "Current plugin version is below minimum required version. Plugin access denied.");
        return NoError;
    }
    if (GeneratePlanPalette::Exists() && GeneratePlanPalette::GetInstance().IsVisible()) {
        GeneratePlanPalette::GetInstance().Hide();
        return NoError;
    }
    GeneratePlanPalette::Create();
    GeneratePlanPalette::GetInstance().Show();
    return NoError;
}

} // namespace

GSErrCode MenuCommandHandler(const API_MenuParams* menuParams) {
    return HostBoundary::Guard("MenuCommand", "MenuCommandHandler", GSErrCode(NoError),
                               [&] { return HandleMenuCommand(menuParams); });
}
