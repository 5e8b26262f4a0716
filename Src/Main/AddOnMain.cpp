// The add-on's entry points: environment check, interface registration, initialisation, release.
#include "ACAPinc.h"
#include "JSCommands/JSCommandRegistry.hpp"
#include "Logging/HostBoundary.hpp"
#include "Logging/SentryLogger.hpp"
#include "Main/MenuCommand.hpp"
#include "Main/ProjectEvents.hpp"
#include "Palettes/BrowserPalette.hpp"
#include "Palettes/GeneratePlanPalette.hpp"
#include "Palettes/PaletteIdentity.hpp"
#include "RS.hpp"
#include "TolvaResourceIDs.h"

namespace {

constexpr const char* Category = "AddOnMain";
constexpr GSFlags PaletteEnableFlags = 1015;

GSErrCode RegisterPalette(const char* guidText, APIPaletteControlCallBackProc* callback) {
    API_Guid guid = APIGuidFromString(guidText);
    auto referenceNumber = static_cast<Int32>(PaletteIdentity::ReferenceNumber(guid));
    return ACAPI_RegisterModelessWindow(referenceNumber, callback, PaletteEnableFlags, guid);
}

GSErrCode InitializeAddOn() {
    BrowserPalette::SetCommandRegistration(JSCommandRegistry::RegisterAllCommands);
    if (GSErrCode code = ACAPI_MenuItem_InstallMenuHandler(ID_ADDON_MENU, MenuCommandHandler)) {
        return code;
    }
    if (GSErrCode code = ACAPI_Notification_CatchSelectionChange(BrowserPalette::SelectionChangeHandler)) {
        return code;
    }
    for (API_NotifyEventID event : {APINotify_Quit, APINotify_New, APINotify_Open}) {
        if (GSErrCode code = ACAPI_ProjectOperation_CatchProjectEvent(event, ProjectEventHandler)) {
            return code;
        }
    }
    if (GSErrCode code =
            RegisterPalette(PaletteIdentity::BrowserPaletteGuid, BrowserPalette::PaletteControlCallback)) {
        return code;
    }
    return RegisterPalette(PaletteIdentity::GeneratePlanPaletteGuid,
                           GeneratePlanPalette::PaletteControlCallback);
}

} // namespace

// An add-on whose environment check fails declines to be registered; the other entries answer the
// general error code.
API_AddonType CheckEnvironment(API_EnvirParams* envir) {
    return HostBoundary::Guard(Category, "CheckEnvironment", APIAddon_DontRegister, [&] {
        RSGetIndString(&envir->addOnInfo.name, ID_ADDON_INFO, ID_ADDON_INFO_NAME, ACAPI_GetOwnResModule());
        RSGetIndString(&envir->addOnInfo.description, ID_ADDON_INFO, ID_ADDON_INFO_DESCRIPTION,
                       ACAPI_GetOwnResModule());
        return APIAddon_Preload;
    });
}

GSErrCode RegisterInterface() {
    return HostBoundary::Guard(Category, "RegisterInterface", GSErrCode(APIERR_GENERAL), [] {
        return ACAPI_MenuItem_RegisterMenu(ID_ADDON_MENU, 0, MenuCode_UserDef, MenuFlag_Default);
    });
}

GSErrCode Initialize() {
    return HostBoundary::Guard(Category, "Initialize", GSErrCode(APIERR_GENERAL), InitializeAddOn);
}

// Release answers 0 whatever happens while error reporting shuts down.
GSErrCode FreeData() {
    return HostBoundary::Guard(Category, "FreeData", GSErrCode(NoError), [] {
        SentryLogger::Shutdown();
        return GSErrCode(NoError);
    });
}
