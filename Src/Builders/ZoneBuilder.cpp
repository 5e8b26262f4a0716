#include "Builders/ZoneBuilder.hpp"

#include "Builders/MemoGuard.hpp"
#include "Builders/PolygonConversion.hpp"
#include "Builders/RoomName.hpp"
#include "Builders/SubPolygonMessage.hpp"
#include "Logging/Logger.hpp"

#include <optional>

namespace Tolva::Builders {

namespace {

constexpr const char* Category = "ZoneBuilder";
constexpr const char* NoContainerPolygon = "No polygon data in container bounds";
constexpr const char* NoPolygonParameter = "No polygon data in polygon parameter";

// What the three zone operations do differently.
struct ZoneRequest {
    explicit ZoneRequest(const TolvaPolygon& polygon) : polygon(polygon) {}

    const TolvaPolygon& polygon;
    short floorInd = 0;
    std::optional<GS::UniString> name;
    std::optional<GS::UniString> categoryName;
    bool logCategoryLookup = false;
    const char* emptyPolygonMessage = NoPolygonParameter;
    const char* subPolygonWhat = "Zone created";
    PointTransform transform;
    // Stamp and reference position in metres; none keeps the defaults'.
    std::optional<API_Coord> position;
    bool failureNamesFloor = false;
};

void SetCategory(API_ZoneType& zone, const GS::UniString& name, bool logLookup) {
    const API_AttributeIndex index = ZoneBuilder::FindZoneCategory(name);
    const auto narrow = name.ToCStr();
    if (index.ToInt32_Deprecated() != 0) {
        zone.catInd = index;
        if (logLookup) {
            Logger::Debug(Category, GS::UniString::Printf("Zone category '%s' found (index %d)", narrow.Get(),
                                                          index.ToInt32_Deprecated()));
        }
    } else if (logLookup) {
        Logger::Debug(Category, GS::UniString::Printf("Zone category '%s' not found, using default category",
                                                      narrow.Get()));
    }
}

GSErrCode CreateZone(const ZoneRequest& request, API_Guid& zoneGuid) {
    API_Element zone = {};
    API_ElementMemo memo = {};
    MemoGuard guard(memo);
    zone.header.type = API_ZoneID;
    if (const GSErrCode err = ACAPI_Element_GetDefaults(&zone, &memo); err != NoError) {
        Logger::Error(Category, GS::UniString::Printf("Zone GetDefaults failed: %d", err));
        return err;
    }
    zone.header.floorInd = request.floorInd;
    // A manual zone keeps the polygon it is given instead of finding one from the walls.
    zone.zone.manual = true;
    if (request.name) {
        SetRoomName(zone.zone, *request.name);
    }
    if (request.categoryName) {
        SetCategory(zone.zone, *request.categoryName, request.logCategoryLookup);
    }
    if (request.polygon.polylines.IsEmpty()) {
        Logger::Error(Category, request.emptyPolygonMessage);
        return APIERR_BADPARS;
    }
    if (const GSErrCode err = ConvertToHostPolygon(request.polygon, zone.zone.poly, memo, Category, true,
                                                   request.transform, true);
        err != NoError) {
        return err;
    }
    if (request.polygon.polylines.GetSize() > 1) {
        Logger::Info(Category, SubPolygonMessage(request.subPolygonWhat, request.polygon));
    }
    if (request.position) {
        zone.zone.pos = *request.position;
        zone.zone.refPos = *request.position;
    }
    if (const GSErrCode err = ACAPI_Element_Create(&zone, &memo); err != NoError) {
        Logger::Error(Category,
                      request.failureNamesFloor
                          ? GS::UniString::Printf("Zone creation failed: %d (0x%X) on floor %d", err, err,
                                                  request.floorInd)
                          : GS::UniString::Printf("Zone creation failed: %d (0x%X) at position (%.2f, %.2f)",
                                                  err, err, zone.zone.pos.x, zone.zone.pos.y));
        return err;
    }
    zoneGuid = zone.header.guid;
    return NoError;
}

void LabelOrWarn(const API_Guid& zoneGuid, const API_Coord& position, const GS::UniString& text,
                 short floorInd, const API_Element* labelDefaults) {
    if (const GSErrCode err = ZoneBuilder::CreateZoneLabel(zoneGuid, position, text, floorInd, labelDefaults);
        err != NoError) {
        Logger::Warning(Category, GS::UniString::Printf("Zone created but label creation failed: %d", err));
    }
}

API_Coord Metres(double x, double y) {
    return {x / 1000.0, y / 1000.0};
}

} // namespace

GSErrCode ZoneBuilder::CreateZoneFromContainer(const PlanContainer& container, const SpaceType* spaceType,
                                               short floorInd, const TolvaTransform& transform,
                                               API_Guid& zoneGuid) {
    const TolvaPoint3D stamp = transform.Apply(container.referencePoint);
    ZoneRequest request(container.bounds);
    request.floorInd = floorInd;
    if (spaceType != nullptr) {
        request.name = spaceType->displayName;
        request.categoryName = spaceType->className;
    }
    request.emptyPolygonMessage = NoContainerPolygon;
    request.transform = [transform](const TolvaPoint3D& point) { return transform.Apply(point); };
    request.position = Metres(stamp.x, stamp.y);
    if (const GSErrCode err = CreateZone(request, zoneGuid); err != NoError) {
        return err;
    }
    LabelOrWarn(zoneGuid, *request.position, spaceType != nullptr ? spaceType->displayName : "Zone", floorInd,
                nullptr);
    return NoError;
}

GSErrCode ZoneBuilder::CreateZoneFromPolygon(const TolvaPolygon& polygon, double labelX, double labelY,
                                             const GS::UniString& zoneName, const GS::UniString& categoryName,
                                             short floorInd, API_Guid& zoneGuid,
                                             const API_Element* labelDefaults) {
    ZoneRequest request(polygon);
    request.floorInd = floorInd;
    request.name = zoneName;
    request.categoryName = categoryName;
    request.logCategoryLookup = true;
    request.position = Metres(labelX, labelY);
    if (const GSErrCode err = CreateZone(request, zoneGuid); err != NoError) {
        return err;
    }
    if (labelDefaults != nullptr) {
        LabelOrWarn(zoneGuid, *request.position, zoneName, floorInd, labelDefaults);
    }
    return NoError;
}

GSErrCode ZoneBuilder::CreateGFAZone(const TolvaPolygon& polygon, const GS::UniString& zoneName,
                                     const GS::UniString& categoryName, short floorInd, API_Guid& zoneGuid) {
    ZoneRequest request(polygon);
    request.floorInd = floorInd;
    request.name = zoneName;
    request.categoryName = categoryName;
    request.subPolygonWhat = "GFA zone created";
    request.failureNamesFloor = true;
    if (!polygon.polylines.IsEmpty() && !polygon.polylines[0].points.IsEmpty()) {
        const TolvaPoint3D& first = polygon.polylines[0].points[0];
        request.position = Metres(first.x, first.y);
    }
    return CreateZone(request, zoneGuid);
}

} // namespace Tolva::Builders
