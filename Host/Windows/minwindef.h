#pragma once

#include "GSRoot/Definitions.hpp"

// The basic Windows types the add-on's system calls use, with the SDK's names.
using BOOL = int;
using DWORD = unsigned long;
using LPDWORD = DWORD*;
using LPCSTR = const char*;
using LPSTR = char*;
using HINSTANCE = void*;
using HMODULE = HINSTANCE;

constexpr DWORD MAX_PATH = 260;
