#pragma once

#include "ACAPinc.h"

namespace ZoneBoundaryUtils {

struct ZoneExtractionResult {
    bool success = false;
    GS::UniString zoneDataJson; // with the "reference" member; empty on failure
    GS::UniString errorMessage; // empty on success
    double referenceX = 0;      // mm, the clicked point
    double referenceY = 0;
};

// The boundary JSON of the room around the point (metres), read through a temporary zone inside
// one undo step that leaves the model unchanged; remembers the point for the plan import.
ZoneExtractionResult ExtractZoneDataAtPoint(const API_Coord& point);

} // namespace ZoneBoundaryUtils
