#pragma once

#include "ACAPinc.h"
#include "ZoneBoundary/ZoneBoundaryTypes.hpp"

namespace JSCommands {

// The zone boundary JSON of the zone's outline with every edge classified "outer" or "simple" by the
// first wall of the zone's story along it; empty when the outline or the walls cannot be read.
GS::UniString ExtractZoneBoundaryAsJSON(const API_Guid& zone);

} // namespace JSCommands
