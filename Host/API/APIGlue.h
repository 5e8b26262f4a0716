#pragma once

#include "API/APIdefs_Environment.h"

// What the host and the add-on's static glue exchange when the module is loaded.
struct API_AddOnEntryPoints {
    UInt32 formatWord = 0;
    API_AddonType (*checkEnvironment)(API_EnvirParams* envir) = nullptr;
    GSErrCode (*registerInterface)() = nullptr;
    GSErrCode (*initialize)() = nullptr;
    GSErrCode (*freeData)() = nullptr;
    Int32 apiVersion = 0;
};

struct API_HostFunctionTable {
    UInt32 formatWord = 0;
    GS::IntPtr hostContext = 0;
};

using GetExportedFuncAddrsProc = GSErrCode(API_AddOnEntryPoints* entryPoints);
using SetImportedFuncAddrsProc = void(const API_HostFunctionTable* table);

// The add-on's four entry points; the glue calls them once the host's table is present.
API_AddonType CheckEnvironment(API_EnvirParams* envir);
GSErrCode RegisterInterface();
GSErrCode Initialize();
GSErrCode FreeData();

// The host context value stored at initialisation, which later host calls pass on.
GS::IntPtr ACAPI_GetToken();
