#pragma once

#include "ACAPinc.h"
#include "ZoneBoundary/ZoneBoundaryTypes.hpp"

namespace ZoneGeometryExtractor {

// Appends the vertices (mm, z = 0) of the zone's outline, without the closing copy of its first
// vertex. On failure the error text is set and logged.
bool ExtractZonePolygon(const API_Guid& zone, GS::Array<Tolva::ZoneBoundary::Point3D>& points,
                        GS::UniString& error);

// The first and last coordinate index of the zone's outline, the memo's first contour (coordinates
// count from 1); both -1, with a warning, when the memo's contour ends do not give one.
void FindOuterContour(const API_ElementMemo& memo, int& start, int& end);

} // namespace ZoneGeometryExtractor
