#pragma once

#include "ACAPinc.h"
#include "ZoneBoundary/ZoneBoundaryTypes.hpp"

namespace JSCommands {

// One wall that may run along the zone's boundary; millimetres, z = the wall's bottom offset.
struct WallGeometry {
    API_Guid guid = {};
    Tolva::ZoneBoundary::Point3D begin;
    Tolva::ZoneBoundary::Point3D end;
    bool isExterior = false;
};

// The zone boundary JSON of the zone's largest contour with every edge classified "outer" or
// "simple" by the walls along it; empty when the zone's polygon cannot be read.
GS::UniString ExtractZoneBoundaryAsJSON(const API_Guid& zone);

} // namespace JSCommands
