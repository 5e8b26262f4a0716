#pragma once

#include "ACAPinc.h"
#include "ZoneBoundary/ZoneBoundaryTypes.hpp"

namespace ZoneGeometryExtractor {

// Appends the vertices (mm, z = 0) of the zone's contour with the most coordinates, without the
// closing copy of its first vertex. On failure the error text is set and logged.
bool ExtractZonePolygon(const API_Guid& zone, GS::Array<Tolva::ZoneBoundary::Point3D>& points,
                        GS::UniString& error);

// The first and last coordinate index of the contour with the most coordinates (the first of
// equal ones); not necessarily the outer contour.
void FindLargestSubpolygon(const API_ElementMemo& memo, int& start, int& end);

} // namespace ZoneGeometryExtractor
