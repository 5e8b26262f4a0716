#pragma once

#include "ACAPinc.h"
#include "Builders/StoryMappingUtils.hpp"
#include "Builders/WallCollectors.hpp"
#include "Model/BuildingData.hpp"

#include <map>

// Doors and furniture of a building import, placed on the floors of their stories.
namespace Tolva::Builders::BuildingOrchestrator {

// Floor index -> the created walls on it, ascending by floor.
using WallsByFloor = std::map<short, GS::Array<API_Guid>>;

// The walls by the floor their host header gives; a wall whose header cannot be read is left out.
WallsByFloor GroupWallsByFloor(const GS::Array<API_Guid>& walls);

// Every "door" transition, into the walls of its story's floor (all walls for an unknown story); the
// story floors are story indices. Each floor's walls are indexed once for all its doors.
void PlaceBuildingDoors(const GS::Array<Transition>& transitions, const StoryFloorTable& storyFloors,
                        const WallsByFloor& wallsByFloor, const GS::Array<API_Guid>& allWalls, Int32& created,
                        Int32& failed);

// The floor (with the offset) of a furniture item: its story's, else the story at its height, else
// the first story's.
short ResolveFurnitureFloor(const FurnitureObject& item, const GS::Array<TolvaStory>& stories,
                            const ElevationFloorMap& map, short floorOffset);

void CreateBuildingFurniture(const BuildingData& building, const ElevationFloorMap& map, short floorOffset,
                             Int32& created, Int32& failed);

} // namespace Tolva::Builders::BuildingOrchestrator
