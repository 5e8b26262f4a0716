#include "Builders/BuildingSummary.hpp"

#include <algorithm>
#include <set>
#include <vector>

namespace Tolva::Builders::BuildingOrchestrator {

namespace {

constexpr Int32 ListedFloors = 5;

Int32 CountBuildings(const GS::Array<TolvaStory>& stories) {
    std::set<GS::UniString> ids;
    for (const TolvaStory& story : stories) {
        ids.insert(story.buildingId.IsEmpty() ? GS::UniString("0") : story.buildingId);
    }
    return static_cast<Int32>(ids.size());
}

GS::UniString FloorList(const ElevationFloorMap& map, short floorOffset) {
    std::vector<std::pair<double, short>> floors;
    for (const auto& [elevation, floor] : map) {
        floors.emplace_back(elevation, floor);
    }
    std::sort(floors.begin(), floors.end());
    GS::UniString list;
    const auto count = static_cast<Int32>(floors.size());
    for (Int32 i = 0; i < std::min(count, ListedFloors); ++i) {
        list += GS::UniString::Printf("  - Floor %d: elevation %.2f m\n", floors[i].second + floorOffset,
                                      floors[i].first / 1000.0);
    }
    if (count > ListedFloors) {
        list += GS::UniString::Printf("  - ... (%d more floors)\n", count - ListedFloors);
    }
    return list;
}

GS::UniString FurnitureText(const BuildingImportCounts& counts) {
    if (counts.furnitureCreated <= 0 && counts.furnitureFailed < 1) {
        return GS::UniString();
    }
    GS::UniString text = GS::UniString::Printf("  - Furniture: %d\n", counts.furnitureCreated);
    if (counts.furnitureFailed > 0) {
        text += GS::UniString::Printf("  (Failed: %d)\n", counts.furnitureFailed);
    }
    return text;
}

} // namespace

GS::UniString FormatBuildingSummary(const BuildingData& building, const ElevationFloorMap& map,
                                    short floorOffset, const BuildingImportCounts& counts) {
    // The floor list and the furniture text are joined as texts, not through a narrow format.
    return GS::UniString::Printf(
               "Building Import Complete\n\nBuildings: %d\nTotal Stories Imported: %d\nUnique "
               "Elevations (Archicad Floors): %d (%d new floors created)\n\nFloor Elevation "
               "Mapping:\n",
               CountBuildings(building.stories), static_cast<Int32>(building.stories.GetSize()),
               static_cast<Int32>(map.GetSize()), counts.storiesCreated) +
           FloorList(map, floorOffset) +
           GS::UniString::Printf(
               "\nUnits: %d\nTransitions: %d\n\nCreated:\n  - Slabs: %d\n  - GFA Zones: %d\n  - "
               "Walls: %d\n  - Doors: %d\n",
               static_cast<Int32>(building.units.GetSize()),
               static_cast<Int32>(building.transitions.GetSize()), counts.slabsCreated,
               counts.gfaZonesCreated, counts.wallsCreated, counts.doorsCreated) +
           FurnitureText(counts) +
           GS::UniString::Printf("\nFailed:\n  - Slabs: %d\n  - GFA Zones: %d\n  - Walls: %d\n  - Doors: %d",
                                 counts.slabsFailed, counts.gfaZonesFailed, counts.wallsFailed,
                                 counts.doorsFailed);
}

} // namespace Tolva::Builders::BuildingOrchestrator
