// HARNESS SHIM, not part of Archicad's DevKit. The DevKit's Windows edition ships this GSRoot header;
// the macOS edition does not. StackInfo.hpp (WINDOWS branch) names GS::IntelStackWalk and Relative only.
#pragma once
#include "Definitions.hpp"
#include "LoadedModuleListDefs.hpp"
namespace GS {
enum IntelStackWalkAddressKind { Relative, Absolute };
UInt16 IntelStackWalk(void* context, Int32 ignoreDepth, UInt16 maxDepth,
                      LoadedModuleListDefs::RVAOrVA* addresses, IntelStackWalkAddressKind kind);
} // namespace GS
