#include "Builders/PlanImport.hpp"

#include "Builders/DoorBuilder.hpp"
#include "Builders/FurnitureBuilder.hpp"
#include "Builders/WallBuilder.hpp"
#include "Builders/WallIndex.hpp"
#include "Builders/ZoneBuilder.hpp"
#include "Logging/ErrorAggregation.hpp"
#include "Logging/Logger.hpp"

namespace Tolva::Builders::BuildingOrchestrator {

namespace {

constexpr const char* Category = "BuildingOrchestrator";

struct Counter {
    Int32 created = 0;
    Int32 failed = 0;

    void Count(GSErrCode result) { ++(result == NoError ? created : failed); }
};

struct PlanCounts {
    Counter walls;
    Counter zones;
    Counter doors;
    Counter furniture;

    bool CreatedAny() const {
        return walls.created > 0 || zones.created > 0 || doors.created > 0 || furniture.created > 0;
    }
};

short FloorOfZone(const API_Guid& zoneGuid) {
    API_Elem_Head header = {};
    header.type = API_ZoneID;
    header.guid = zoneGuid;
    if (const GSErrCode err = ACAPI_Element_GetHeader(&header); err != NoError) {
        Logger::Warning(Category, GS::UniString::Printf(
                                      "Failed to get zone floor index (error %d), using ground floor", err));
        return 0;
    }
    Logger::Debug(Category, GS::UniString::Printf("Using zone's floor index: %d", header.floorInd));
    return header.floorInd;
}

// The new walls first, then the room's own walls, each once.
GS::Array<API_Guid> DoorWalls(const GS::Array<API_Guid>& newWalls, const GS::Array<API_Guid>& boundaryWalls) {
    GS::Array<API_Guid> walls = newWalls;
    for (const API_Guid& wall : boundaryWalls) {
        if (!walls.Contains(wall)) {
            walls.Push(wall);
        }
    }
    return walls;
}

const SpaceType* FindSpaceType(const GS::Array<SpaceType>& spaceTypes, const GS::UniString& id) {
    for (const SpaceType& spaceType : spaceTypes) {
        if (spaceType.id == id) {
            return &spaceType;
        }
    }
    return nullptr;
}

void CreateContainerZones(const PlanTemplate& plan, short floorInd, Counter& zones) {
    for (const PlanContainer& container : plan.subContainers) {
        const SpaceType* spaceType = FindSpaceType(plan.spaceTypes, container.spaceTypeId);
        if (spaceType == nullptr) {
            Logger::Warning(Category, GS::UniString::Printf(
                                          "SpaceType not found for container %s (spaceTypeId: %s)",
                                          container.id.ToCStr().Get(), container.spaceTypeId.ToCStr().Get()));
            ++zones.failed;
            continue;
        }
        API_Guid zone = {};
        const GSErrCode err =
            ZoneBuilder::CreateZoneFromContainer(container, spaceType, floorInd, container.transform, zone);
        if (err != NoError) {
            Logger::Warning(Category, GS::UniString::Printf("Failed to create zone for container %s",
                                                            container.id.ToCStr().Get()));
        }
        zones.Count(err);
    }
}

void CreateUnitZone(const PlanTemplate& plan, short floorInd, Counter& zones) {
    if (plan.planType != "unit" || plan.bounds.polylines.IsEmpty()) {
        return;
    }
    const GS::UniString name = plan.name.IsEmpty() ? GS::UniString("Unit") : plan.name;
    API_Guid zone = {};
    const GSErrCode err = ZoneBuilder::CreateGFAZone(plan.bounds, name, "Unit", floorInd, zone);
    if (err != NoError) {
        Logger::Warning(Category, GS::UniString::Printf("Failed to create unit zone: error %d", err));
    } else {
        Logger::Info(Category, GS::UniString::Printf("Created unit zone '%s'", name.ToCStr().Get()));
    }
    zones.Count(err);
}

void CreateDoors(const PlanTemplate& plan, const GS::Array<API_Guid>& walls, Counter& doors) {
    // Read once for all doors: a plan's doors each look for their wall among all of them.
    const WallIndex index(walls);
    for (const Transition& transition : plan.transitions) {
        if (transition.type != "door") {
            continue;
        }
        API_Guid door = {};
        doors.Count(DoorBuilder::CreateDoor(transition, index, door));
    }
}

void CreateFurniture(const PlanTemplate& plan, short floorInd, Counter& furniture) {
    if (plan.planObjects.IsEmpty()) {
        return;
    }
    const UInt32 count = plan.planObjects.GetSize();
    Logger::Info(Category,
                 GS::UniString::Printf("Creating %d furniture items...", static_cast<Int32>(count)));
    ErrorAggregation::ErrorAggregationScope scope("Furniture Creation", count);
    for (const FurnitureObject& item : plan.planObjects) {
        API_Guid object = {};
        const GSErrCode err =
            FurnitureBuilder::CreateFurniture(item, plan.planObjectTemplates, floorInd, object);
        furniture.Count(err);
        if (err != NoError) {
            scope.RecordFailure();
            Logger::Debug(Category,
                          GS::UniString::Printf("Failed to create furniture: id=%s, templateId=%s, error=%d",
                                                item.id.ToCStr().Get(),
                                                item.planObjectTemplateId.ToCStr().Get(), err));
        } else {
            scope.RecordSuccess();
        }
    }
}

GS::UniString Summary(const PlanCounts& counts) {
    return GS::UniString::Printf(
        "Plan Import Complete\n\nCreated:\n  - Walls: %d\n  - Zones: %d\n  - Doors: %d\n"
        "  - Furniture: %d\n\nFailed:\n  - Walls: %d\n  - Zones: %d\n  - Doors: %d\n"
        "  - Furniture: %d",
        counts.walls.created, counts.zones.created, counts.doors.created, counts.furniture.created,
        counts.walls.failed, counts.zones.failed, counts.doors.failed, counts.furniture.failed);
}

} // namespace

GSErrCode ImportPlan(const PlanTemplate& plan, const GS::Array<API_Guid>& boundaryWalls,
                     const API_Guid& zoneGuid, GS::UniString& summary) {
    const short floorInd = FloorOfZone(zoneGuid);
    PlanCounts counts;

    GS::Array<API_Guid> newWalls;
    if (WallBuilder::CreateWallsFromGraph(plan.wallGuides, floorInd, newWalls, true) == NoError) {
        counts.walls.created = static_cast<Int32>(newWalls.GetSize());
    } else {
        counts.walls.failed = 1;
    }
    const GS::Array<API_Guid> doorWalls = DoorWalls(newWalls, boundaryWalls);

    CreateContainerZones(plan, floorInd, counts.zones);
    CreateUnitZone(plan, floorInd, counts.zones);
    CreateDoors(plan, doorWalls, counts.doors);
    CreateFurniture(plan, floorInd, counts.furniture);

    summary = Summary(counts);
    Logger::Info(Category, summary);
    return counts.CreatedAny() ? NoError : GSErrCode(APIERR_BADPARS);
}

} // namespace Tolva::Builders::BuildingOrchestrator
