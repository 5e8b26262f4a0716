// The texts that tell reports apart: host version, platform and an anonymous user.
#include "Logging/SentryLogger.hpp"

#include "ACAPinc.h"
#include <windows.h>

namespace SentryLogger {

namespace {

constexpr DWORD ComputerNameBufferSize = 16;

// djb2 over the name's bytes taken as signed characters, as the ids were always made.
UInt32 NameHash(const char* name) {
    UInt32 hash = 5381;
    for (const char* c = name; *c != '\0'; ++c) {
        hash = hash * 33 + static_cast<UInt32>(static_cast<Int32>(static_cast<signed char>(*c)));
    }
    return hash;
}

} // namespace

GS::UniString GetHostVersionText() {
    try {
        API_ServerApplicationInfo info = {};
        ACAPI_GetReleaseNumber(&info);
        // A call that left no version (0) has none to tell, like a throwing one.
        if (info.mainVersion == 0) {
            return "Unknown";
        }
        return GS::UniString::Printf("%d", static_cast<Int32>(info.mainVersion));
    } catch (...) {
        return "Unknown";
    }
}

GS::UniString GetPlatformText() {
    return "Windows-Release";
}

GS::UniString GetAnonymousUserId() {
    char name[ComputerNameBufferSize] = {};
    DWORD size = ComputerNameBufferSize;
    if (!GetComputerNameA(name, &size)) {
        return "user-unknown";
    }
    return GS::UniString::Printf("user-%08lx", static_cast<unsigned long>(NameHash(name)));
}

} // namespace SentryLogger
