#pragma once

#include "Windows/minwindef.h"

constexpr DWORD MAX_COMPUTERNAME_LENGTH = 15;

// The computer's NetBIOS name; 0 when it does not fit *size characters with its terminator (then
// *size is the size needed).
HOST_API BOOL GetComputerNameA(LPSTR buffer, LPDWORD size);
