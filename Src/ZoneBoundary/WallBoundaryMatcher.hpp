#pragma once

#include "ACAPinc.h"
#include "GSRoot.hpp"

namespace WallBoundaryMatcher {

// Appends, once each, the walls on the zone's story that run along an edge of its largest contour.
GSErrCode FindBoundaryWalls(const API_Guid& zone, GS::Array<API_Guid>& walls);

} // namespace WallBoundaryMatcher
