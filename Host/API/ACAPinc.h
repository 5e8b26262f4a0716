#pragma once

// The Archicad API as the add-on sees it: the frame services of the host.
#include "API/APIdefs_Base.h"
#include "API/APIdefs_Environment.h"
#include "API/APIdefs_Guid.h"
#include "GSRoot/GSRoot.hpp"
#include "InputOutput/Location.hpp"
#include "RS/ResourceStrings.hpp"

HOST_API GSErrCode ACAPI_MenuItem_RegisterMenu(short menuStrResID, short promptStrResID, Int32 menuPosCode,
                                               GSFlags menuFlags);
HOST_API GSErrCode ACAPI_MenuItem_InstallMenuHandler(short menuStrResID, APIMenuCommandProc* handlerProc);
HOST_API GSErrCode ACAPI_Notification_CatchSelectionChange(APISelectionChangeHandlerProc* handlerProc);
HOST_API GSErrCode ACAPI_ProjectOperation_CatchProjectEvent(GSFlags eventTypes,
                                                            APIProjectEventHandlerProc* handlerProc);
HOST_API GSErrCode ACAPI_RegisterModelessWindow(GS::IntPtr referenceID,
                                                APIPaletteControlCallBackProc* callBackProc,
                                                GSFlags controlFlags, const API_Guid& guid);
HOST_API GSErrCode ACAPI_UnregisterModelessWindow(GS::IntPtr referenceID);

HOST_API GSErrCode ACAPI_KeepInMemory(bool keepIt);
HOST_API GSErrCode ACAPI_GetOwnLocation(IO::Location* ownFileLoc);
HOST_API GSResModule ACAPI_GetOwnResModule();
HOST_API GSErrCode ACAPI_GetReleaseNumber(API_ServerApplicationInfo* serverApplicationInfo);

// Writes one line to the report window, formatted printf-style like the host does.
HOST_API GSErrCode ACAPI_WriteReportText(const GS::UniString& text, bool withAlert);
template <typename... Args>
GSErrCode ACAPI_WriteReport(const GS::UniString& format, bool withAlert, Args... args) {
    return ACAPI_WriteReportText(GS::UniString::Printf(format, args...), withAlert);
}
