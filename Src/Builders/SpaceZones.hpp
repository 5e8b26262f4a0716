#pragma once

#include "Builders/StoryMappingUtils.hpp"
#include "Model/BuildingData.hpp"
#include "Model/SpacesData.hpp"

#include <optional>

namespace Tolva::Builders::BuildingOrchestrator {

// What one import knows for placing its spaces: the space types by id, the project's stories by
// elevation, and the elevation (mm) taken as the project's 0.
struct SpacePlacement {
    GS::HashTable<GS::UniString, const SpaceType*> spaceTypes;
    ElevationFloorMap floors;
    short floorOffset = 0;
    double baseMm = 0.0;
    // The building's stories, or none.
    const BuildingData* storyData = nullptr;
};

// The zone a space becomes.
struct SpaceZone {
    GS::UniString name;
    GS::UniString categoryName;
    short floor = 0;
    bool unit = false;
};

// The zone of a room or unit space; none for a space to skip (no or an unknown spaceTypeId), which
// is logged here.
std::optional<SpaceZone> ZoneOfSpace(const TolvaSpace& space, const SpacePlacement& placement);

} // namespace Tolva::Builders::BuildingOrchestrator
