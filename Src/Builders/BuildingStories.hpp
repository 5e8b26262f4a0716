#pragma once

#include "ACAPinc.h"
#include "Builders/StoryMappingUtils.hpp"
#include "Model/BuildingData.hpp"

#include <map>

// The host stories a building needs: one per distinct story elevation, created or moved as needed.
namespace Tolva::Builders::BuildingOrchestrator {

// Floor index -> required project level (mm): the ground story's level plus the elevation above the
// building's lowest.
using FloorElevationTable = std::map<short, double>;

// floorOffset from the host's skipNullFloor setting: 1 when it is on, else 0.
GSErrCode ReadFloorOffset(short& floorOffset);

// Makes sure the project has a story for every distinct elevation of the building, the lowest on the
// ground story (index 0) and the others at their height above it, and fills map with elevation (mm)
// -> story index. floorOffset (skipNullFloor) changes only the new stories' names, never an index.
// The map is filled only on success.
GSErrCode CreateRequiredStories(const BuildingData& building, Int32& storiesCreated, short floorOffset,
                                ElevationFloorMap& map);

// The stories' elevations (mm), without those within 1 mm of one taken before and without
// non-finite ones, ascending.
GS::Array<double> CollectRequiredElevations(const GS::Array<TolvaStory>& stories);

// Moves the existing stories first ... last to their levels in the table (mm); a
// story that cannot be moved stays where it is, with a warning. The ground story is never moved.
void AdjustStoryElevations(const FloorElevationTable& table, short first, short last, const char* title);

// Moves story s to the elevation (m) by changing the height of the story below it.
GSErrCode SetStoryElevation(short s, double elevation);
GSErrCode GetStoryElevation(short s, double& elevation);

} // namespace Tolva::Builders::BuildingOrchestrator
