#pragma once

#include "Model/PlanTemplate.hpp"

namespace Tolva {

// A space of spaces.json, or a unit of units.json turned into one.
struct TolvaSpace {
    // For a unit: "UNIT:" + unit id + ":" + story id.
    GS::UniString spaceTypeId;
    // For a unit: the mean of its outer contour's points, z = 0.
    TolvaPoint3D labelPosition;
    TolvaPolygon polygon;
    // Read from the identifiers; never negative.
    Int32 storyLevel = 0;
};

struct SpacesData {
    // spaces.json first, then the units of units.json.
    GS::Array<TolvaSpace> spaces;
    GS::Array<SpaceType> spaceTypes;
};

} // namespace Tolva
