// HARNESS SHIM, not part of Archicad's DevKit. The Windows edition's DGLib ships this header; DGUtility.hpp
// (WINDOWS branch) needs HTHEME and HIMAGELIST from it, which the Windows SDK (here MinGW-w64) declares.
#pragma once
// windows.h first: commctrl.h needs its types. clang-format off keeps the order.
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <uxtheme.h>
// clang-format on
