#include "Builders/SpacesImport.hpp"

#include "Builders/MemoGuard.hpp"
#include "Builders/SpaceZones.hpp"
#include "Builders/ZoneBuilder.hpp"
#include "Logging/ErrorAggregation.hpp"
#include "Logging/Logger.hpp"

namespace Tolva::Builders::BuildingOrchestrator {

namespace {

constexpr const char* Category = "BuildingOrchestrator";

struct ImportCounts {
    Int32 created = 0;
    Int32 skipped = 0;
    Int32 failed = 0;
};

GS::UniString SummaryOf(const ImportCounts& counts, Int32 total) {
    if (counts.failed > 0) {
        return GS::UniString::Printf("Created: %d zones | Skipped: %d | Failed: %d (Total: %d spaces)",
                                     counts.created, counts.skipped, counts.failed, total);
    }
    if (counts.skipped > 0) {
        return GS::UniString::Printf("Created: %d zones | Skipped: %d (Total: %d spaces)", counts.created,
                                     counts.skipped, total);
    }
    return GS::UniString::Printf("Successfully created all %d zones", counts.created);
}

// Rooms get the label defaults fetched once for the whole import; units get no label.
void CreateSpaceZone(const TolvaSpace& space, const SpaceZone& zone, UInt32 index,
                     const API_Element& labelDefaults, ImportCounts& counts,
                     ErrorAggregation::ErrorAggregationScope& scope) {
    API_Guid guid = {};
    const GSErrCode err = ZoneBuilder::CreateZoneFromPolygon(
        space.polygon, space.labelPosition.x, space.labelPosition.y, zone.name, zone.categoryName, zone.floor,
        guid, zone.unit ? nullptr : &labelDefaults);
    if (err != NoError) {
        ++counts.failed;
        scope.RecordFailure();
        Logger::ErrorWithContext(
            Category,
            GS::UniString::Printf("Failed to create zone '%s': error %d", zone.name.ToCStr().Get(), err),
            GS::UniString::Printf("space index %u", index));
        return;
    }
    ++counts.created;
    scope.RecordSuccess();
    Logger::Debug(Category, GS::UniString::Printf("Created zone '%s' on floor %d%s", zone.name.ToCStr().Get(),
                                                  zone.floor, zone.unit ? " (unit zone, no label)" : ""));
}

} // namespace

GSErrCode ImportSpaces(const SpacesData& data, GS::UniString& summary, const BuildingData* storyData) {
    Logger::Info(Category, "Starting zone import from space data");
    ErrorAggregation::ErrorAggregationScope scope("Zone Import", data.spaces.GetSize());

    SpacePlacement placement;
    placement.storyData = storyData;
    for (const SpaceType& type : data.spaceTypes) {
        placement.spaceTypes.Add(type.id, &type);
    }
    Logger::Debug(Category,
                  GS::UniString::Printf("Loaded %u space types for lookup", placement.spaceTypes.GetSize()));

    API_Element labelDefaults = {};
    API_ElementMemo labelMemo = {};
    MemoGuard labelMemoGuard(labelMemo);
    labelDefaults.header.type = API_LabelID;
    if (const GSErrCode err = ACAPI_Element_GetDefaults(&labelDefaults, &labelMemo); err != NoError) {
        Logger::Error(Category, "Failed to get label defaults");
        return err;
    }
    Logger::Info(Category, "Pre-loaded label defaults (performance optimization - saves 500 API calls)");

    if (const GSErrCode err =
            StoryMappingUtils::BuildElevationMapping(placement.floors, placement.floorOffset);
        err != NoError) {
        Logger::Error(Category, "Failed to query story mapping");
        return err;
    }
    if (const GSErrCode err = ComputeBaseElevation(
            data.spaces, storyData != nullptr ? &storyData->stories : nullptr, placement.baseMm);
        err != NoError) {
        return err;
    }

    ImportCounts counts;
    for (UInt32 index = 0; index < data.spaces.GetSize(); ++index) {
        const TolvaSpace& space = data.spaces[index];
        const std::optional<SpaceZone> zone = ZoneOfSpace(space, placement);
        if (!zone) {
            ++counts.skipped;
            scope.RecordSkip();
            continue;
        }
        CreateSpaceZone(space, *zone, index, labelDefaults, counts, scope);
    }

    summary = SummaryOf(counts, static_cast<Int32>(data.spaces.GetSize()));
    Logger::Info(Category, summary);
    return NoError;
}

} // namespace Tolva::Builders::BuildingOrchestrator
