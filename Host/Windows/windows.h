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
typedef HINSTANCE HMODULE;
typedef const char* LPCSTR;
typedef char* LPSTR;
typedef const wchar_t* LPCWSTR;

#ifndef TRUE
#define TRUE 1
#define FALSE 0
#endif

constexpr int SW_SHOWNORMAL = 1;
constexpr DWORD MAX_PATH = 260;
constexpr DWORD MAX_COMPUTERNAME_LENGTH = 15;
constexpr DWORD GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT = 0x00000002;
constexpr DWORD GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS = 0x00000004;
constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x00000010;
constexpr DWORD FILE_ATTRIBUTE_ARCHIVE = 0x00000020;

constexpr DWORD ERROR_INVALID_HANDLE = 6;
constexpr DWORD ERROR_INVALID_PARAMETER = 87;
constexpr DWORD ERROR_BUFFER_OVERFLOW = 111;
constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;

// Suspends the calling thread; the host records the wait instead of waiting.
HOST_API void Sleep(DWORD dwMilliseconds);

// The calling thread's last error code, as the system calls that failed last left it.
HOST_API DWORD GetLastError();
HOST_API void SetLastError(DWORD dwErrCode);

// The module containing an address (with the FROM_ADDRESS flag); 0 on failure.
HOST_API BOOL GetModuleHandleExA(DWORD dwFlags, LPCSTR lpModuleName, HMODULE* phModule);
// The module's file path, cut to nSize - 1 characters; its length, nSize when cut, 0 on failure.
HOST_API DWORD GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize);
// The attributes of a file or folder; INVALID_FILE_ATTRIBUTES when there is none.
HOST_API DWORD GetFileAttributesA(LPCSTR lpFileName);
// The computer's NetBIOS name; 0 when it does not fit *nSize characters with its terminator (then
// *nSize is the size needed).
HOST_API BOOL GetComputerNameA(LPSTR lpBuffer, LPDWORD nSize);
