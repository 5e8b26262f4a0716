#include "Main/MenuCommand.hpp"

#include "Logging/HostBoundary.hpp"
#include "Palettes/GeneratePlanPalette.hpp"
#include "TolvaResourceIDs.h"

bool IsLaunchCommand(const API_MenuParams& params) {
    return params.menuItemRef.menuResID == ID_ADDON_MENU &&
           params.menuItemRef.itemIndex == ID_ADDON_MENU_LAUNCH_ITEM;
}

namespace {

GSErrCode HandleMenuCommand(const API_MenuParams* menuParams) {
    if (menuParams == nullptr || !IsLaunchCommand(*menuParams)) {
        return NoError;
    }
    // The version gate attaches here, before the palette opens.
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
