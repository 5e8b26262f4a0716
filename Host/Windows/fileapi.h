#pragma once

#include "Windows/minwindef.h"

constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x00000010;
constexpr DWORD FILE_ATTRIBUTE_ARCHIVE = 0x00000020;

// The attributes of a file or folder; INVALID_FILE_ATTRIBUTES when there is none.
HOST_API DWORD GetFileAttributesA(LPCSTR fileName);
