#pragma once

#include "UniString.hpp"

// Reads entry `index` (1-based) of string list `resID` from a module's resources.
HOST_API bool RSGetIndString(GS::UniString* string, GSResID resID, Int32 index, GSResModule resModule);
