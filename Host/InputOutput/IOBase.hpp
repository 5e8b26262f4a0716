#pragma once

#include "Definitions.hpp"

namespace IO {

const Int32 ModuleId = 257;

const Int32 ErrorStart = static_cast<Int32>(0x80000000) | (ModuleId << 16);

// Error code ranges of the file-system classes, as the host numbers them.
const Int32 LocationErrors = ErrorStart + 0x0000;
const Int32 FileErrors = ErrorStart + 0x0100;
const Int32 FolderErrors = ErrorStart + 0x0200;
const Int32 FileSystemErrors = ErrorStart + 0x0300;

enum AccessDeniedTreatment {
    AccessDeniedIsAllowed,                // do not retry
    AccessDeniedIsError,                  // retry some times
    AccessDeniedIsErrorInPrivateLocations // default; retry, if the file is in a previously declared folder
};

} // namespace IO
