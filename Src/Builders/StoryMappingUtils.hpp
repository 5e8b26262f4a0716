#pragma once

#include "ACAPinc.h"
#include "Builders/ElevationFloorMap.hpp"

namespace Tolva::Builders {

namespace StoryMappingUtils {

// Adds one entry per distinct story elevation of the project to the (empty) map. floorOffset is 1
// when the host skips the null floor, else 0; the map keeps the plain story indices.
GSErrCode BuildElevationMapping(ElevationFloorMap& map, short& floorOffset);

} // namespace StoryMappingUtils

} // namespace Tolva::Builders
