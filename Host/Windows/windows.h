#pragma once

#include "Definitions.hpp"

#include <cstdint>

// The part of the Windows SDK's windows.h the add-on uses, with the system's own names and types.
typedef unsigned long DWORD;
typedef int BOOL;
typedef std::uintptr_t DWORD_PTR;
typedef void* LPVOID;
typedef const void* LPCVOID;
typedef DWORD* LPDWORD;
typedef void* HWND;
typedef void* HINSTANCE;
typedef const wchar_t* LPCWSTR;

#ifndef TRUE
#define TRUE 1
#define FALSE 0
#endif

constexpr int SW_SHOWNORMAL = 1;

constexpr DWORD ERROR_INVALID_HANDLE = 6;
constexpr DWORD ERROR_INVALID_PARAMETER = 87;
constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;

// Suspends the calling thread; the host records the wait instead of waiting.
HOST_API void Sleep(DWORD dwMilliseconds);

// The calling thread's last error code, as the system calls that failed last left it.
HOST_API DWORD GetLastError();
HOST_API void SetLastError(DWORD dwErrCode);
