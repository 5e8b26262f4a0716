#pragma once

#include "Definitions.hpp"

#include <cstdint>

// The part of the Windows SDK's windows.h the add-on uses, with the system's own names and types, and
// its constants as the SDK's macros.
typedef unsigned long DWORD;
typedef int BOOL;
typedef unsigned short WORD;
typedef wchar_t WCHAR;
typedef unsigned long long ULONG_PTR;
typedef ULONG_PTR DWORD_PTR;
typedef void* LPVOID;
typedef const void* LPCVOID;
typedef DWORD* LPDWORD;
typedef const char* LPCSTR;
typedef char* LPSTR;
typedef const WCHAR* LPCWSTR;

#define DECLARE_HANDLE(name)                                                                                 \
    struct name##__ {                                                                                        \
        int unused;                                                                                          \
    };                                                                                                       \
    typedef struct name##__* name
DECLARE_HANDLE(HWND);
DECLARE_HANDLE(HINSTANCE);
typedef HINSTANCE HMODULE;

#ifndef FALSE
#define FALSE 0
#endif
#ifndef TRUE
#define TRUE 1
#endif

// The SDK empties these 16-bit pointer qualifiers, so neither can name anything where it is included.
#undef far
#undef near
#define far
#define near

#ifndef __MSABI_LONG
#define __MSABI_LONG(x) x##l
#endif

#define SW_SHOWNORMAL 1
#define MAX_PATH 260
#define MAX_COMPUTERNAME_LENGTH 15
#define GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT (0x2)
#define GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS (0x4)
#define INVALID_FILE_ATTRIBUTES ((DWORD)-1)
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010
#define FILE_ATTRIBUTE_ARCHIVE 0x00000020

#define ERROR_INVALID_HANDLE __MSABI_LONG(6)
#define ERROR_INVALID_PARAMETER __MSABI_LONG(87)
#define ERROR_BUFFER_OVERFLOW __MSABI_LONG(111)
#define ERROR_INSUFFICIENT_BUFFER __MSABI_LONG(122)

extern "C" {

// Suspends the calling thread; the host records the wait instead of waiting.
HOST_API void Sleep(DWORD dwMilliseconds);

// The calling thread's last error code, as the system calls that failed last left it.
HOST_API DWORD GetLastError();
HOST_API void SetLastError(DWORD dwErrCode);

// The module containing an address (with the FROM_ADDRESS flag); 0 on failure.
HOST_API BOOL GetModuleHandleExA(DWORD dwFlags, LPCSTR lpModuleName, HMODULE* phModule);
// The module's file path, cut to nSize - 1 characters; its length, nSize when cut, 0 on failure.
HOST_API DWORD GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize);
// The user's temporary folder with its trailing backslash; its length, or the size needed (with the
// terminator) when it does not fit nBufferLength; 0 on failure.
HOST_API DWORD GetTempPathA(DWORD nBufferLength, LPSTR lpBuffer);
// The attributes of a file or folder; INVALID_FILE_ATTRIBUTES when there is none.
HOST_API DWORD GetFileAttributesA(LPCSTR lpFileName);
// The computer's NetBIOS name; 0 when it does not fit *nSize characters with its terminator (then
// *nSize is the size needed).
HOST_API BOOL GetComputerNameA(LPSTR lpBuffer, LPDWORD nSize);

} // extern "C"
