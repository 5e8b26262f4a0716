#pragma once

#include "Windows/minwindef.h"

constexpr DWORD GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT = 0x00000002;
constexpr DWORD GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS = 0x00000004;

// The module containing an address (with the FROM_ADDRESS flag); 0 on failure.
HOST_API BOOL GetModuleHandleExA(DWORD flags, LPCSTR moduleName, HMODULE* module);
// The module's file path, cut to size - 1 characters; returns its length, size when cut, 0 on failure.
HOST_API DWORD GetModuleFileNameA(HMODULE module, LPSTR fileName, DWORD size);
