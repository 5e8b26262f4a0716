#pragma once

#include "ACAPinc.h"

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

// The host context value stored at initialisation, which later host calls pass on.
GS::IntPtr ACAPI_GetToken();
