#include "Builders/SpaceZones.hpp"

#include "Logging/Logger.hpp"

namespace Tolva::Builders::BuildingOrchestrator {

namespace {

constexpr const char* Category = "BuildingOrchestrator";
const GS::UniString UnitPrefix = "UNIT:";

const TolvaStory* FindStory(const BuildingData& building, const GS::UniString& id) {
    for (const TolvaStory& story : building.stories) {
        if (story.id == id) {
            return &story;
        }
    }
    return nullptr;
}

// A unit's id is "UNIT:" + unit id + ":" + story id; an id without the second ":" names the zone
// with all of it and leaves the story to the space's own level.
SpaceZone UnitZone(const TolvaSpace& space, const SpacePlacement& placement) {
    GS::UniString rest = space.spaceTypeId;
    rest.Delete(0, UnitPrefix.GetLength());
    GS::Array<GS::UniString> parts;
    rest.Split(":", &parts);
    SpaceZone zone;
    zone.unit = true;
    GS::UniString storyId;
    if (parts.GetSize() >= 2) {
        zone.name = parts[0];
        storyId = parts[1];
    } else {
        zone.name = rest;
    }
    Logger::Debug(Category, GS::UniString::Printf("Processing unit zone: '%s' (storyId='%s')",
                                                  zone.name.ToCStr().Get(), storyId.ToCStr().Get()));
    if (placement.storyData != nullptr && !storyId.IsEmpty()) {
        if (const TolvaStory* story = FindStory(*placement.storyData, storyId)) {
            const double normalized = story->heightOffset - placement.baseMm;
            const short floor = StoryMappingUtils::FindFloorForElevation(normalized, placement.floors);
            zone.floor = static_cast<short>(floor + placement.floorOffset);
            Logger::Debug(Category,
                          GS::UniString::Printf(
                              "Unit zone: Found story '%s' at elevation %.0f mm -> normalized %.0f mm -> "
                              "floor %d + offset %d = %d",
                              storyId.ToCStr().Get(), story->heightOffset, normalized, floor,
                              placement.floorOffset, zone.floor));
            return zone;
        }
        Logger::Warning(Category,
                        GS::UniString::Printf("Unit zone: Story '%s' not found in building data, using "
                                              "storyLevel fallback",
                                              storyId.ToCStr().Get()));
    }
    zone.floor = static_cast<short>(space.storyLevel);
    Logger::Debug(Category,
                  GS::UniString::Printf("Unit zone: No building data, using storyLevel=%d -> floor %d",
                                        space.storyLevel, zone.floor));
    return zone;
}

} // namespace

std::optional<SpaceZone> ZoneOfSpace(const TolvaSpace& space, const SpacePlacement& placement) {
    if (space.spaceTypeId.BeginsWith(UnitPrefix)) {
        return UnitZone(space, placement);
    }
    if (space.spaceTypeId.IsEmpty()) {
        Logger::Debug(Category, "Skipping space - no spaceTypeId");
        return std::nullopt;
    }
    const SpaceType* const* type = placement.spaceTypes.GetPtr(space.spaceTypeId);
    if (type == nullptr) {
        Logger::Warning(Category, "Space has unknown spaceTypeId: " + space.spaceTypeId);
        return std::nullopt;
    }
    SpaceZone zone;
    zone.name = (*type)->displayName;
    zone.categoryName = (*type)->className;
    const double absolute = space.labelPosition.z;
    const double normalized = absolute - placement.baseMm;
    const short floor = StoryMappingUtils::FindFloorForElevation(normalized, placement.floors);
    zone.floor = static_cast<short>(floor + placement.floorOffset);
    Logger::Debug(Category, GS::UniString::Printf(
                                "Space: absolute %.0f mm -> normalized %.0f mm -> floor %d + offset %d = %d",
                                absolute, normalized, floor, placement.floorOffset, zone.floor));
    return zone;
}

} // namespace Tolva::Builders::BuildingOrchestrator
