#pragma once

#include "HashTable.hpp"

namespace Tolva::Builders {

// Story elevations (mm) to host floor indices, in insertion order; stories less than 1 mm apart
// share the entry of the lower index.
using ElevationFloorMap = GS::HashTable<double, short>;

namespace StoryMappingUtils {

// Elevations closer than this (mm) are one floor.
constexpr double SameElevationTolerance = 1.0;

// The floor at the elevation, or the nearest one (the earlier entry on equal distances); floor 0
// when the map has none. Warns when the nearest floor is more than 1 mm away.
short FindFloorForElevation(double elevationMm, const ElevationFloorMap& map);

} // namespace StoryMappingUtils

} // namespace Tolva::Builders
