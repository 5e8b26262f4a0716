#pragma once

#include <windows.h>

extern "C" {

// Opens a document or address with its default application; a result of 32 or less is a failure.
HOST_API HINSTANCE ShellExecuteW(HWND hwnd, LPCWSTR lpOperation, LPCWSTR lpFile, LPCWSTR lpParameters,
                                 LPCWSTR lpDirectory, int nShowCmd);

} // extern "C"
