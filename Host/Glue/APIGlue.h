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
};

using GetExportedFuncAddrsProc = GSErrCode(API_AddOnEntryPoints* entryPoints);
using SetImportedFuncAddrsProc = void(const API_HostFunctionTable* table);
