#pragma once

#include "GSRoot/Definitions.hpp"

// The part of the Windows shell the add-on calls, with the system's own names.
using HWND = void*;
using HINSTANCE = void*;
using LPCWSTR = const wchar_t*;
constexpr int SW_SHOWNORMAL = 1;

// Opens a document or address with its default application; a result of 32 or less is a failure.
HOST_API HINSTANCE ShellExecuteW(HWND window, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR folder,
                                 int show);
