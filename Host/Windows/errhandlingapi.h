#pragma once

#include "GSRoot/Definitions.hpp"

using DWORD = unsigned long;

// The calling thread's last error code, as the system calls that failed last left it.
HOST_API DWORD GetLastError();
HOST_API void SetLastError(DWORD errorCode);
