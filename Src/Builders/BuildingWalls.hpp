#pragma once

#include "ACAPinc.h"
#include "Builders/WallSegments.hpp"
#include "HashTable.hpp"

// The building's walls in the host: one wall per kept segment, and the facade walls trimmed against
// the slab of the floor above. Log category "BuildingOrchestrator".
namespace Tolva::Builders::BuildingOrchestrator {

// A facade wall to trim; the slab is found through slabFloorIndex, the wall's floor + 1.
struct WallSlabPair {
    API_Guid wallGuid;
    API_Guid slabGuid;
    short slabFloorIndex;
};

// Host floor index to the building slab created on it.
using FloorSlabTable = GS::HashTable<short, API_Guid>;

// Adds to created and failed; a failed wall is logged and the next one made. Returns 0.
GSErrCode CreateWallsFromSegments(const GS::Array<WallSegment>& segments, GS::Array<API_Guid>& createdWalls,
                                  GS::Array<WallSlabPair>& wallSlabPairs, Int32& created, Int32& failed);

// Subtracts the slab above from each facade wall; a wall without a slab above stays as it is. Returns
// 0, or the last failure's code when a link could not be made.
GSErrCode ApplySeoTrimming(const GS::Array<WallSlabPair>& wallSlabPairs, const FloorSlabTable& slabsByFloor);

} // namespace Tolva::Builders::BuildingOrchestrator
