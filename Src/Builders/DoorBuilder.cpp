#include "Builders/DoorBuilder.hpp"

#include "Builders/DoorLibraryManager.hpp"
#include "Logging/Logger.hpp"

#include <cmath>

namespace Tolva::Builders {

namespace {

constexpr const char* Category = "DoorBuilder";
constexpr double MaxWallDistance = 0.5; // m
constexpr double MinDirectionLength = 0.001;
constexpr double FallbackHeight = 2.1; // m
constexpr double Pi = 3.14159265358979323846;

API_Coord PlacementPoint(const Transition& t) {
    if (t.hasTransforms) {
        return {t.center.m[3] / 1000.0, t.center.m[7] / 1000.0};
    }
    return {t.location.x / 1000.0, t.location.y / 1000.0};
}

bool IsSizedDoorKind(const GS::UniString& definitionId) {
    for (const char* prefix : {"door6", "door7", "door8", "door9", "door10"}) {
        if (definitionId.BeginsWith(prefix)) {
            return true;
        }
    }
    return false;
}

bool Scales(double scale) {
    return scale != 1.0 && scale > 0;
}

// The side flags from the door's facing direction against the wall's begin-to-end direction.
void SetSides(const Transition& t, const API_WallType& wall, API_OpeningBaseType& opening) {
    opening.reflected = t.isFlipped;
    opening.oSide = false;
    opening.refSide = false;
    double length = std::hypot(t.direction.x, t.direction.y);
    if ((t.direction.x == 0 && t.direction.y == 0) || length <= MinDirectionLength) {
        return;
    }
    double alpha = std::atan2(wall.endC.y - wall.begC.y, wall.endC.x - wall.begC.x) -
                   std::atan2(t.direction.y / length, t.direction.x / length);
    if (alpha > Pi) {
        alpha -= 2 * Pi;
    } else if (alpha < -Pi) {
        alpha += 2 * Pi;
    }
    opening.oSide = alpha <= 0;
    opening.refSide = alpha <= 0;
}

} // namespace

double FallbackDoorWidth(const GS::UniString& definitionId) {
    for (const char* narrow : {"swing", "pocket", "open", "closet", "door700"}) {
        if (definitionId == narrow) {
            return 700;
        }
    }
    for (const char* wide : {"doubleSwing", "bifold", "bypass", "revolving"}) {
        if (definitionId == wide) {
            return 1400;
        }
    }
    if (definitionId == "door600") {
        return 600;
    }
    if (definitionId == "door800") {
        return 800;
    }
    if (definitionId == "door1000") {
        return 1000;
    }
    return 900;
}

GSErrCode DoorBuilder::CreateDoor(const Transition& t, const GS::Array<API_Guid>& walls, API_Guid& door) {
    return CreateDoor(t, WallIndex(walls), door);
}

GSErrCode DoorBuilder::CreateDoor(const Transition& t, const WallIndex& walls, API_Guid& door) {
    const auto name = t.id.ToCStr();
    if (walls.NoneGiven()) {
        Logger::Error(Category, GS::UniString::Printf("Door '%s' FAILED: No walls available", name.Get()));
        return APIERR_BADPARS;
    }
    const std::optional<WallIndex::Hit> hit = walls.Nearest(PlacementPoint(t), MaxWallDistance);
    if (!hit) {
        Logger::Error(Category,
                      GS::UniString::Printf("Door '%s' FAILED: Could not find suitable wall for placement",
                                            name.Get()));
        return APIERR_BADPARS;
    }
    if (hit->distance > MaxWallDistance) {
        Logger::Warning(Category, GS::UniString::Printf(
                                      "Door '%s' SKIPPED: Distance to nearest wall is %.3fm (max allowed: "
                                      "%.1fm) [Story: %s, Unit: %s]",
                                      name.Get(), hit->distance, MaxWallDistance, t.storyId.ToCStr().Get(),
                                      t.unitId.ToCStr().Get()));
        return APIERR_BADPARS;
    }
    API_Element wall = {};
    wall.header.guid = hit->wall->header.guid;
    if (GSErrCode err = ACAPI_Element_Get(&wall)) {
        Logger::Error(Category, GS::UniString::Printf("Door '%s' FAILED: Cannot access owner wall (error %d)",
                                                      name.Get(), err));
        return err;
    }

    API_Element element = {};
    API_ElementMemo memo = {};
    element.header.type = API_DoorID;
    GSErrCode defaultsErr = ACAPI_Element_GetDefaults(&element, &memo);
    if (defaultsErr != NoError) {
        Logger::Warning(Category,
                        GS::UniString::Printf("Door '%s': GetDefaults failed (error %d), using hardcoded "
                                              "fallback",
                                              name.Get(), defaultsErr));
        element = {};
        element.header.type = API_DoorID;
        double width = FallbackDoorWidth(t.definitionId);
        if (!IsSizedDoorKind(t.definitionId) && Scales(t.scale)) {
            Logger::Debug(Category,
                          GS::UniString::Printf("Door '%s': Applying scale %.2f to width %.0fmm = %.0fmm",
                                                name.Get(), t.scale, width, width * t.scale));
            width *= t.scale;
        }
        element.door.openingBase.width = width / 1000.0;
        element.door.openingBase.height = FallbackHeight;
    }
    Int32 libInd = GetDoorLibraryPart();
    if (libInd != 0) {
        Logger::Debug(Category, GS::UniString::Printf("Door '%s': Using door library part (libInd=%d)",
                                                      name.Get(), libInd));
    }
    element.door.openingBase.libInd = libInd;
    element.door.owner = wall.header.guid;
    element.header.floorInd = wall.header.floorInd;
    element.door.objLoc = hit->offset;
    SetSides(t, wall.wall, element.door.openingBase);
    if (defaultsErr == NoError && Scales(t.scale)) {
        element.door.openingBase.width *= t.scale;
    }

    GSErrCode err = ACAPI_Element_Create(&element, &memo);
    if (err != NoError) {
        Logger::Error(Category,
                      GS::UniString::Printf("Door '%s' FAILED: Creation error %d", name.Get(), err));
    } else {
        door = element.header.guid;
    }
    ACAPI_DisposeElemMemoHdls(&memo);
    return err;
}

Int32 DoorBuilder::GetDoorLibraryPart() {
    if (Int32 libInd = DoorLibraryManager::GetDoorLibInd()) {
        Logger::Info(Category, GS::UniString::Printf("Using Tolva Door.gsm library part: libInd=%d", libInd));
        return libInd;
    }
    API_Element defaults = {};
    defaults.header.type = API_DoorID;
    if (ACAPI_Element_GetDefaults(&defaults, nullptr) == NoError && defaults.door.openingBase.libInd != 0) {
        Logger::Info(Category, GS::UniString::Printf("Using default door from GetDefaults: libInd=%d",
                                                     defaults.door.openingBase.libInd));
        return defaults.door.openingBase.libInd;
    }
    API_LibPart part = {};
    part.typeID = APILib_DoorID;
    if (ACAPI_LibraryPart_Search(&part, false, true) == NoError && part.index != 0) {
        Logger::Info(Category,
                     GS::UniString::Printf("Using door from library search: libInd=%d", part.index));
        return part.index;
    }
    Logger::Warning(Category,
                    "No door library parts found in project - doors will be created as openings only");
    return 0;
}

} // namespace Tolva::Builders
