#include "Glue/APIGlue.h"

// The static glue every add-on links: the two exported functions and the guard that keeps the
// entry points from running before the host's function table is present.
namespace {

API_HostFunctionTable hostTable;
bool hostTablePresent = false;

API_AddonType GuardedCheckEnvironment(API_EnvirParams* envir) {
    return hostTablePresent ? CheckEnvironment(envir) : APIAddon_Unknown;
}

GSErrCode GuardedRegisterInterface() {
    return hostTablePresent ? RegisterInterface() : APIERR_GENERAL;
}

GSErrCode GuardedInitialize() {
    return hostTablePresent ? Initialize() : APIERR_GENERAL;
}

GSErrCode GuardedFreeData() {
    return hostTablePresent ? FreeData() : APIERR_GENERAL;
}

} // namespace

extern "C" HOST_API GSErrCode GetExportedFuncAddrs(API_AddOnEntryPoints* entryPoints) {
    entryPoints->formatWord = API_GlueFormatWord;
    entryPoints->checkEnvironment = GuardedCheckEnvironment;
    entryPoints->registerInterface = GuardedRegisterInterface;
    entryPoints->initialize = GuardedInitialize;
    entryPoints->freeData = GuardedFreeData;
    entryPoints->apiVersion = API_VersionNumber;
    return NoError;
}

extern "C" HOST_API void SetImportedFuncAddrs(const API_HostFunctionTable* table) {
    hostTable = *table;
    hostTablePresent = true;
}

// ACAPI_GetToken is the host's (StandIn/LibraryManager.cpp): one definition, for the add-on and the tests.
