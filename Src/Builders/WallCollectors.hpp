#pragma once

#include "Builders/ElevationFloorMap.hpp"
#include "Builders/WallSegments.hpp"
#include "Model/BuildingData.hpp"

// Every candidate wall of a building, appended to one list: the story graphs' walls, the units' walls
// and the facade rings of the stories' centre outlines. Log category "BuildingOrchestrator".
namespace Tolva::Builders::BuildingOrchestrator {

// Story ids to a story's height (mm) and to its host floor index.
using StoryHeightTable = GS::HashTable<GS::UniString, double>;
using StoryFloorTable = GS::HashTable<GS::UniString, short>;

// Edges with a positive width whose guide is not "facade", on the floor of each story's elevation.
void CollectStoryWalls(const BuildingData& building, const ElevationFloorMap& elevationMap, short floorOffset,
                       double slabThickness, GS::Array<WallSegment>& segments);

// Edges with a positive width whose guide is neither "facade" nor "story-plan"; a unit of an unknown
// story gets 3000 mm walls on floor 0.
void CollectUnitWalls(const BuildingData& building, const StoryHeightTable& storyHeights,
                      const StoryFloorTable& storyFloors, double slabThickness,
                      GS::Array<WallSegment>& segments);

// One exterior wall per side of each closed ring of each story's centre outline, holes included.
void CollectFacadeWalls(const BuildingData& building, const ElevationFloorMap& elevationMap,
                        short floorOffset, double slabThickness, GS::Array<WallSegment>& segments);

} // namespace Tolva::Builders::BuildingOrchestrator
