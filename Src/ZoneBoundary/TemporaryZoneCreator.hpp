#pragma once

#include "ACAPinc.h"
#include "ZoneBoundary/ZoneBoundaryTypes.hpp"

// A zone that exists only while the walls around a point are read; created and deleted inside the
// caller's undoable step.
namespace TemporaryZoneCreator {

// Tries the inner-edge boundary first and falls back to the reference lines on a polygon error.
GSErrCode CreateTemporaryZoneAtPoint(const API_Coord& point, API_Guid& zoneGuid);
GSErrCode TryCreateZone(const API_Coord& point, ZoneCreationMethod method, API_Guid& zoneGuid);
GSErrCode DeleteTemporaryZone(const API_Guid& zoneGuid);

} // namespace TemporaryZoneCreator

// The host's answer when no closed boundary was found around the point.
bool IsPolygonError(GSErrCode code);
