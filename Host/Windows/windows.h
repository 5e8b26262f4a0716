#pragma once

#include "Definitions.hpp"

// The part of the Windows SDK's windows.h the add-on uses, with the system's own names and types.
typedef unsigned long DWORD;
typedef int BOOL;
typedef void* HWND;
typedef void* HINSTANCE;
typedef const wchar_t* LPCWSTR;

constexpr int SW_SHOWNORMAL = 1;

// Suspends the calling thread; the host records the wait instead of waiting.
HOST_API void Sleep(DWORD dwMilliseconds);
