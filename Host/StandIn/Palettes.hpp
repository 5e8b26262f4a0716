#pragma once

#include "DGModule.hpp"

#include <vector>

// The palettes that exist, so the driver can find one by its GUID and act on it as the user.
namespace StandIn {

HOST_API std::vector<DG::Palette*>& LivePalettes();
// Null when no palette with the GUID exists.
HOST_API DG::Palette* FindPalette(const GS::Guid& guid);

} // namespace StandIn
