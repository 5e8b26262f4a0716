#include "Builders/BuildingImport.hpp"

#include "Builders/BuildingDoorsAndFurniture.hpp"
#include "Builders/BuildingStories.hpp"
#include "Builders/BuildingSummary.hpp"
#include "Builders/BuildingWalls.hpp"
#include "Builders/SlabBuilder.hpp"
#include "Builders/WallCollectors.hpp"
#include "Builders/WallDeduplication.hpp"
#include "Builders/ZoneBuilder.hpp"
#include "Logging/Logger.hpp"

namespace Tolva::Builders::BuildingOrchestrator {

namespace {

constexpr const char* Category = "BuildingOrchestrator";
// Every slab's thickness (mm); also the walls' recorded slab thickness and de-duplication tolerance.
constexpr double SlabThickness = 500.0;

struct StoryTables {
    StoryHeightTable heights;
    StoryFloorTable floors;
};

// The map gives story indices; skipNullFloor renumbers stories but moves none, so no offset here.
constexpr short PlacementOffset = 0;

short StoryFloor(const TolvaStory& story, const ElevationFloorMap& map) {
    return StoryMappingUtils::FindFloorForElevation(story.heightOffset, map);
}

StoryTables MapStories(const GS::Array<TolvaStory>& stories, const ElevationFloorMap& map) {
    StoryTables tables;
    for (const TolvaStory& story : stories) {
        tables.heights.Add(story.id, story.height);
        tables.floors.Add(story.id, StoryFloor(story, map));
    }
    return tables;
}

FloorSlabTable CreateSlabs(const GS::Array<TolvaStory>& stories, const ElevationFloorMap& map,
                           BuildingImportCounts& counts) {
    FloorSlabTable slabs;
    Int32 position = 0;
    for (const TolvaStory& story : stories) {
        const short floor = StoryFloor(story, map);
        Logger::Debug(Category, GS::UniString::Printf("Story %d (building ", position++) +
                                    (story.buildingId.IsEmpty() ? GS::UniString("0") : story.buildingId) +
                                    GS::UniString::Printf("): elevation=%.0f mm, finalFloorIndex=%d",
                                                          story.heightOffset, floor));
        if (story.polygon.polylines.IsEmpty()) {
            continue;
        }
        API_Guid slab = APINULLGuid;
        if (SlabBuilder::CreateSlab(story.polygon, SlabThickness, floor, slab) == NoError) {
            ++counts.slabsCreated;
            slabs.Add(floor, slab);
        } else {
            ++counts.slabsFailed;
        }
    }
    return slabs;
}

void CreateGrossFloorAreaZones(const GS::Array<TolvaStory>& stories, const ElevationFloorMap& map,
                               BuildingImportCounts& counts) {
    for (const TolvaStory& story : stories) {
        if (story.polygon.polylines.IsEmpty()) {
            continue;
        }
        const short floor = StoryFloor(story, map);
        const GS::UniString name = GS::UniString::Printf("GFA Floor %d", story.level);
        API_Guid zone = APINULLGuid;
        if (const GSErrCode err = ZoneBuilder::CreateGFAZone(story.polygon, name, "GFA", floor, zone);
            err != NoError) {
            ++counts.gfaZonesFailed;
            Logger::Warning(
                Category,
                GS::UniString::Printf("Failed to create GFA zone for story %d: error %d", story.level, err));
        } else {
            ++counts.gfaZonesCreated;
            Logger::Debug(Category,
                          "Created GFA zone '" + name + GS::UniString::Printf("' on floor %d", floor));
        }
    }
}

GS::Array<API_Guid> CreateWalls(const BuildingData& building, const ElevationFloorMap& map,
                                const StoryTables& stories, const FloorSlabTable& slabs,
                                BuildingImportCounts& counts) {
    GS::Array<WallSegment> collected;
    CollectStoryWalls(building, map, PlacementOffset, SlabThickness, collected);
    CollectUnitWalls(building, stories.heights, stories.floors, SlabThickness, collected);
    CollectFacadeWalls(building, map, PlacementOffset, SlabThickness, collected);
    const GS::Array<WallSegment> unique = DeduplicateWallSegments(collected, SlabThickness);
    GS::Array<API_Guid> walls;
    GS::Array<WallSlabPair> facadePairs;
    CreateWallsFromSegments(unique, walls, facadePairs, counts.wallsCreated, counts.wallsFailed);
    if (!facadePairs.IsEmpty()) {
        Logger::Info(Category, GS::UniString::Printf("Applying SEO trimming to %d facade walls...",
                                                     static_cast<Int32>(facadePairs.GetSize())));
        if (ApplySeoTrimming(facadePairs, slabs) != NoError) {
            Logger::Warning(Category, "Some SEO operations failed but continuing...");
        }
    }
    return walls;
}

} // namespace

GSErrCode ImportBuilding(const BuildingData& building, GS::UniString& summary) {
    short floorOffset = 0;
    if (const GSErrCode err = ReadFloorOffset(floorOffset); err != NoError) {
        summary = GS::UniString::Printf("Failed to get story settings: error %d", err);
        Logger::Error(Category, summary);
        return err;
    }
    BuildingImportCounts counts;
    ElevationFloorMap map;
    if (const GSErrCode err = CreateRequiredStories(building, counts.storiesCreated, floorOffset, map);
        err != NoError) {
        summary = GS::UniString::Printf("Failed to create required stories: error %d", err);
        Logger::Error(Category, summary);
        return err;
    }
    const StoryTables stories = MapStories(building.stories, map);
    const FloorSlabTable slabs = CreateSlabs(building.stories, map, counts);
    CreateGrossFloorAreaZones(building.stories, map, counts);
    const GS::Array<API_Guid> walls = CreateWalls(building, map, stories, slabs, counts);
    PlaceBuildingDoors(building.transitions, stories.floors, GroupWallsByFloor(walls), walls,
                       counts.doorsCreated, counts.doorsFailed);
    CreateBuildingFurniture(building, map, PlacementOffset, counts.furnitureCreated, counts.furnitureFailed);
    // The summary numbers the floors as the project does.
    summary = FormatBuildingSummary(building, map, floorOffset, counts);
    Logger::Info(Category, summary);
    const bool nothingBuilt =
        counts.slabsCreated == 0 && counts.wallsCreated == 0 && counts.doorsCreated == 0;
    return nothingBuilt ? GSErrCode(APIERR_BADPARS) : NoError;
}

} // namespace Tolva::Builders::BuildingOrchestrator
