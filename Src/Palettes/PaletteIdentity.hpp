#pragma once

#include "ACAPinc.h"

// The fixed identities of the two palettes and the reference numbers they are registered under.
namespace PaletteIdentity {

inline constexpr const char* BrowserPaletteGuid = "{FEE27B6B-3873-4834-98B5-F0081AA4CD45}";
inline constexpr const char* GeneratePlanPaletteGuid = "{B3C7E5F1-9A2D-4E6F-8B4C-1D7F6E3A9C2B}";

// The sum, modulo 2^32, of the GUID's four little-endian 32-bit words in its 16-byte form.
UInt32 ReferenceNumber(const API_Guid& guid);

} // namespace PaletteIdentity
