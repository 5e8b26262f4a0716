#include "Builders/BuildingDoorsAndFurniture.hpp"

#include "Builders/DoorBuilder.hpp"
#include "Builders/FurnitureBuilder.hpp"
#include "Builders/WallIndex.hpp"
#include "Logging/ErrorAggregation.hpp"
#include "Logging/Logger.hpp"

#include <cmath>
#include <limits>
#include <map>
#include <memory>

namespace Tolva::Builders::BuildingOrchestrator {

namespace {

constexpr const char* Category = "BuildingOrchestrator";
// A furniture item's height (mm) must lie closer than this to a story elevation to be placed there.
constexpr double FurnitureHeightTolerance = 5000.0;

short FloorWithOffset(double elevation, const ElevationFloorMap& map, short floorOffset) {
    return static_cast<short>(StoryMappingUtils::FindFloorForElevation(elevation, map) + floorOffset);
}

} // namespace

WallsByFloor GroupWallsByFloor(const GS::Array<API_Guid>& walls) {
    WallsByFloor byFloor;
    Int32 grouped = 0;
    for (const API_Guid& wall : walls) {
        API_Elem_Head header = {};
        header.guid = wall;
        if (ACAPI_Element_GetHeader(&header) != NoError) {
            continue;
        }
        byFloor[header.floorInd].Push(wall);
        ++grouped;
    }
    Logger::Info(Category, GS::UniString::Printf("Pre-grouped %d walls into %d floors for door placement",
                                                 grouped, static_cast<Int32>(byFloor.size())));
    GS::UniString floors = "Floors with walls: [";
    bool first = true;
    for (const auto& [floor, onFloor] : byFloor) {
        floors += (first ? "" : ", ") +
                  GS::UniString::Printf("%d (%d walls)", floor, static_cast<Int32>(onFloor.GetSize()));
        first = false;
    }
    Logger::Debug(Category, floors + "]");
    return byFloor;
}

void PlaceBuildingDoors(const GS::Array<Transition>& transitions, const StoryFloorTable& storyFloors,
                        const WallsByFloor& wallsByFloor, const GS::Array<API_Guid>& allWalls, Int32& created,
                        Int32& failed) {
    // One index per floor, read once for all its doors (as the plan import does).
    const GS::Array<API_Guid> none;
    std::map<const GS::Array<API_Guid>*, std::unique_ptr<WallIndex>> indices;
    const auto indexOf = [&](const GS::Array<API_Guid>& walls) -> const WallIndex& {
        std::unique_ptr<WallIndex>& index = indices[&walls];
        if (index == nullptr) {
            index = std::make_unique<WallIndex>(walls);
        }
        return *index;
    };
    for (const Transition& transition : transitions) {
        if (transition.type != "door") {
            continue;
        }
        const GS::Array<API_Guid>* candidates = &allWalls;
        if (const short* floor = storyFloors.GetPtr(transition.storyId)) {
            const auto onFloor = wallsByFloor.find(*floor);
            if (onFloor != wallsByFloor.end()) {
                candidates = &onFloor->second;
            } else {
                Logger::Warning(Category,
                                "Door '" + transition.id + "': Story ID '" + transition.storyId +
                                    GS::UniString::Printf(
                                        "' maps to floor %d, but no walls exist on that floor", *floor));
                candidates = &none;
            }
        } else {
            Logger::Warning(Category, "Door '" + transition.id + "': Story ID '" + transition.storyId +
                                          "' not found in story levels, using all walls");
        }
        API_Guid door = APINULLGuid;
        if (DoorBuilder::CreateDoor(transition, indexOf(*candidates), door) == NoError) {
            ++created;
        } else {
            ++failed;
        }
    }
}

short ResolveFurnitureFloor(const FurnitureObject& item, const GS::Array<TolvaStory>& stories,
                            const ElevationFloorMap& map, short floorOffset) {
    if (!item.storyId.IsEmpty()) {
        Logger::Debug(Category,
                      "Furniture '" + item.id + "': Attempting to use storyId='" + item.storyId + "'");
        for (const TolvaStory& story : stories) {
            if (story.id == item.storyId) {
                const short floor = FloorWithOffset(story.heightOffset, map, floorOffset);
                Logger::Debug(Category,
                              "Furniture '" + item.id +
                                  GS::UniString::Printf("': Matched storyId to story elevation %.0f mm -> "
                                                        "floor %d (with offset)",
                                                        story.heightOffset, floor));
                return floor;
            }
        }
        Logger::Warning(Category, "Furniture '" + item.id + "': storyId='" + item.storyId +
                                      "' does not match any story");
    }
    const double z = item.location.z;
    if (z != 0.0) {
        Logger::Debug(Category, "Furniture '" + item.id +
                                    GS::UniString::Printf("': Attempting to use Z-coordinate %.0f mm", z));
        double bestDistance = std::numeric_limits<double>::max();
        double bestElevation = 0.0;
        short bestFloor = -1;
        bool found = false;
        for (const auto& [elevation, floor] : map) {
            const double distance = std::abs(elevation - z);
            if (distance < FurnitureHeightTolerance && distance < bestDistance) {
                bestDistance = distance;
                bestElevation = elevation;
                bestFloor = floor;
                found = true;
            }
        }
        if (found && bestElevation >= 0.0) {
            const auto floor = static_cast<short>(bestFloor + floorOffset);
            Logger::Debug(Category, "Furniture '" + item.id +
                                        GS::UniString::Printf("': Matched Z-coordinate to elevation %.0f mm "
                                                              "(distance: %.0f mm) -> floor %d (with offset)",
                                                              bestElevation, bestDistance, floor));
            return floor;
        }
        Logger::Warning(Category,
                        "Furniture '" + item.id +
                            GS::UniString::Printf("': Z-coordinate %.0f mm not within tolerance of any "
                                                  "story elevation",
                                                  z));
    }
    if (stories.IsEmpty()) {
        Logger::Warning(Category,
                        "Furniture '" + item.id + "': No stories available, using ground floor (0)");
        return 0;
    }
    const short floor = FloorWithOffset(stories[0].heightOffset, map, floorOffset);
    Logger::Warning(Category, "Furniture '" + item.id +
                                  GS::UniString::Printf(
                                      "': Using fallback to first story (floor %d with offset)", floor));
    return floor;
}

void CreateBuildingFurniture(const BuildingData& building, const ElevationFloorMap& map, short floorOffset,
                             Int32& created, Int32& failed) {
    const GS::Array<FurnitureObject>& items = building.furnitureInstances;
    if (items.IsEmpty()) {
        return;
    }
    const auto count = static_cast<Int32>(items.GetSize());
    Logger::Info(Category, GS::UniString::Printf("Creating %d furniture items from building data...", count));
    ErrorAggregation::ErrorAggregationScope scope("Furniture Creation", static_cast<UInt32>(count));
    if (building.furnitureTemplates.IsEmpty()) {
        Logger::Warning(Category, "Furniture instances provided but no templates found - skipping");
        return;
    }
    Logger::Info(Category, GS::UniString::Printf("Using %d furniture templates",
                                                 static_cast<Int32>(building.furnitureTemplates.GetSize())));
    for (const FurnitureObject& item : items) {
        const short floor = ResolveFurnitureFloor(item, building.stories, map, floorOffset);
        API_Guid object = APINULLGuid;
        if (FurnitureBuilder::CreateFurniture(item, building.furnitureTemplates, floor, object) == NoError) {
            scope.RecordSuccess();
            ++created;
        } else {
            scope.RecordFailure();
            ++failed;
        }
    }
}

} // namespace Tolva::Builders::BuildingOrchestrator
