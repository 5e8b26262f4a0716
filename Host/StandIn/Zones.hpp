#pragma once

#include "StandIn/Project.hpp"

// Automatic zone boundaries and the zones at a point.
namespace StandIn {

// Detects an automatic zone's boundary from the walls on its story around its reference point, by
// its reference-line flag, and writes it as the zone's polygon. APIERR_BADPOLY when the point lies
// in no closed region or on a wall; nothing is changed then.
HOST_API GSErrCode DetectZonePolygon(API_Element* zone, StoredMemo* memo);

// The contours of a polygon memo, each with its closing point.
HOST_API std::vector<std::vector<API_Coord>> MemoContours(const StoredMemo& memo);

// Even-odd test over every contour of a polygon memo, so a point in a hole is outside.
HOST_API bool PolygonContains(const StoredMemo& memo, API_Coord point);

} // namespace StandIn
