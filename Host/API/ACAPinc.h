#pragma once

// The Archicad API as the add-on sees it. As the DevKit's own, this header brings every APIdefs file,
// so the add-on includes it alone.
#include "API_Guid.hpp"
#include "APIdefs_3D.h"
#include "APIdefs_Attributes.h"
#include "APIdefs_Base.h"
#include "APIdefs_Elements.h"
#include "APIdefs_Environment.h"
#include "APIdefs_Interface.h"
#include "APIdefs_LibraryParts.h"
#include "APIdefs_Properties.h"
#include "GSRoot.hpp"
#include "Location.hpp"

// The add-on's four entry points, which the host calls through the static glue.
API_AddonType CheckEnvironment(API_EnvirParams* envir);
GSErrCode RegisterInterface();
GSErrCode Initialize();
GSErrCode FreeData();

HOST_API GSErrCode ACAPI_MenuItem_RegisterMenu(short menuStrResID, short promptStrResID,
                                               APIMenuCodeID menuPosCode, GSFlags menuFlags);
HOST_API GSErrCode ACAPI_MenuItem_InstallMenuHandler(short menuStrResID, APIMenuCommandProc* handlerProc);
HOST_API GSErrCode ACAPI_Notification_CatchSelectionChange(APISelectionChangeHandlerProc* handlerProc);
HOST_API GSErrCode ACAPI_ProjectOperation_CatchProjectEvent(GSFlags eventTypes,
                                                            APIProjectEventHandlerProc* handlerProc);
HOST_API GSErrCode ACAPI_RegisterModelessWindow(Int32 referenceID,
                                                APIPaletteControlCallBackProc* callBackProc,
                                                GSFlags controlFlags,
                                                const API_Guid& paletteGuid = APINULLGuid);
HOST_API GSErrCode ACAPI_UnregisterModelessWindow(Int32 referenceID);

HOST_API void ACAPI_KeepInMemory(bool keepIn);
HOST_API GSErrCode ACAPI_GetOwnLocation(IO::Location* ownFileLoc);
HOST_API GSResModule ACAPI_GetOwnResModule();
HOST_API void ACAPI_GetReleaseNumber(API_ServerApplicationInfo* serverApplicationInfo);
// The loaded add-on's token, the same in the add-on and in the host.
HOST_API API_Token ACAPI_GetToken();

// Writes one line to the report window, formatted printf-style like the host does.
HOST_API void ACAPI_WriteReport(const GS::UniString& format, bool withDial, ...);
