#pragma once

#include "UniString.hpp"

enum ResStringType { RST_Localised = 0, RST_Fixed = 1 };

// Reads entry `index` (1-based) of string list `resID` from a module's resources; fileName and
// lineCount name the caller, as the macro below passes them.
HOST_API bool RSGetIndString_ParamAdapter(const char* fileName, UInt32 lineCount, GS::UniString* result,
                                          GSResID resID, Int32 index, GSResModule resModule,
                                          ResStringType rsType = RST_Localised);

#define RSGetIndString(...) RSGetIndString_ParamAdapter(__FILE__, __LINE__, __VA_ARGS__)
