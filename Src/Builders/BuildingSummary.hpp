#pragma once

#include "Builders/StoryMappingUtils.hpp"
#include "Model/BuildingData.hpp"

// What a building import did, and the summary text the page shows.
namespace Tolva::Builders::BuildingOrchestrator {

struct BuildingImportCounts {
    Int32 storiesCreated = 0;
    Int32 slabsCreated = 0;
    Int32 slabsFailed = 0;
    Int32 gfaZonesCreated = 0;
    Int32 gfaZonesFailed = 0;
    Int32 wallsCreated = 0;
    Int32 wallsFailed = 0;
    Int32 doorsCreated = 0;
    Int32 doorsFailed = 0;
    Int32 furnitureCreated = 0;
    Int32 furnitureFailed = 0;
};

// The map holds plain floor indices; floorOffset is added to each listed floor.
GS::UniString FormatBuildingSummary(const BuildingData& building, const ElevationFloorMap& map,
                                    short floorOffset, const BuildingImportCounts& counts);

} // namespace Tolva::Builders::BuildingOrchestrator
