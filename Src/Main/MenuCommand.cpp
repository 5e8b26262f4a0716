#include "Main/MenuCommand.hpp"

#include "TolvaResourceIDs.h"

bool IsLaunchCommand(const API_MenuParams& params) {
    return params.menuItemRef.menuResID == ID_ADDON_MENU &&
           params.menuItemRef.itemIndex == ID_ADDON_MENU_LAUNCH_ITEM;
}

GSErrCode MenuCommandHandler(const API_MenuParams* menuParams) {
    if (menuParams == nullptr || !IsLaunchCommand(*menuParams)) {
        return NoError;
    }
    // The version gate and the plan generation palette's toggle attach here.
    return NoError;
}
