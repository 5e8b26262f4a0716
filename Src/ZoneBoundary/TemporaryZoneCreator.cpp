#include "ZoneBoundary/TemporaryZoneCreator.hpp"

#include "Logging/Logger.hpp"

const char* ZoneCreationMethodName(ZoneCreationMethod method) {
    return method == ZoneCreationMethod::InnerEdge ? "Inner Edge" : "Reference Line";
}

bool IsPolygonError(GSErrCode code) {
    const auto bits = static_cast<UInt32>(code);
    return code == APIERR_BADPOLY || (bits >> 16) == 0x8106u;
}

namespace TemporaryZoneCreator {

namespace {

constexpr const char* Category = "TemporaryZoneCreator";

constexpr const char* BothMethodsFailed =
    "Failed to create zone at this location (error: %d). Both Inner Edge and Reference Line methods failed. "
    "The point may not be inside a fully enclosed space with walls. Please ensure:\n"
    "1. The clicked point is inside a closed room/space\n"
    "2. The space is bounded by walls on all sides\n"
    "3. You are on the correct floor/story\n"
    "4. The walls form a valid closed polygon";

} // namespace

GSErrCode TryCreateZone(const API_Coord& point, ZoneCreationMethod method, API_Guid& zoneGuid) {
    Logger::Info(Category, GS::UniString::Printf("Trying %s method at (%.2f, %.2f)",
                                                 ZoneCreationMethodName(method), point.x, point.y));
    API_Element element = {};
    element.header.type = API_ZoneID;
    API_ElementMemo memo = {};
    if (const GSErrCode err = ACAPI_Element_GetDefaults(&element, &memo); err != NoError) {
        Logger::Error(Category,
                      GS::UniString::Printf("ACAPI_Element_GetDefaults failed with error code %d", err));
        ACAPI_DisposeElemMemoHdls(&memo);
        return err;
    }
    element.zone.manual = false;
    element.zone.refLineFlag = method == ZoneCreationMethod::ReferenceLine;
    element.zone.pos = point;
    element.zone.refPos = point;
    GS::ucsncpy(element.zone.roomName, GS::UniString("TempZone").ToUStr().Get(), API_UniLongNameLen);
    const GSErrCode err = ACAPI_Element_Create(&element, &memo);
    ACAPI_DisposeElemMemoHdls(&memo);
    if (err != NoError) {
        Logger::Info(Category, GS::UniString::Printf("%s method failed with error code %d",
                                                     ZoneCreationMethodName(method), err));
        return err;
    }
    zoneGuid = element.header.guid;
    return NoError;
}

GSErrCode CreateTemporaryZoneAtPoint(const API_Coord& point, API_Guid& zoneGuid) {
    Logger::Info(Category,
                 GS::UniString::Printf("CreateTemporaryZoneAtPoint at (%.2f, %.2f)", point.x, point.y));
    Logger::Info(Category, "Attempting zone creation with Inner Edge method");
    const GSErrCode innerEdge = TryCreateZone(point, ZoneCreationMethod::InnerEdge, zoneGuid);
    if (innerEdge == NoError) {
        Logger::Info(Category, "Successfully created zone with Inner Edge method (GUID: " +
                                   APIGuidToString(zoneGuid) + ")");
        return NoError;
    }
    if (!IsPolygonError(innerEdge)) {
        Logger::Error(Category, GS::UniString::Printf("Failed to create zone with error code %d", innerEdge));
        return innerEdge;
    }
    Logger::Info(
        Category,
        GS::UniString::Printf(
            "Inner Edge method failed with polygon error %d, trying Reference Line fallback", innerEdge));
    const GSErrCode referenceLine = TryCreateZone(point, ZoneCreationMethod::ReferenceLine, zoneGuid);
    if (referenceLine == NoError) {
        Logger::Info(Category, "Successfully created zone with Reference Line fallback (GUID: " +
                                   APIGuidToString(zoneGuid) + ")");
        return NoError;
    }
    if (IsPolygonError(referenceLine)) {
        Logger::Error(Category, GS::UniString::Printf(BothMethodsFailed, referenceLine));
    } else {
        Logger::Error(Category,
                      GS::UniString::Printf("Failed to create zone with error code %d", referenceLine));
    }
    return referenceLine;
}

GSErrCode DeleteTemporaryZone(const API_Guid& zoneGuid) {
    Logger::Info(Category, "DeleteTemporaryZone - Deleting temporary zone");
    GS::Array<API_Guid> guids;
    guids.Push(zoneGuid);
    if (const GSErrCode err = ACAPI_Element_Delete(guids); err != NoError) {
        Logger::Error(Category, GS::UniString::Printf("ACAPI_Element_Delete failed with error code %d", err));
        return err;
    }
    Logger::Info(Category, "Successfully deleted temporary zone");
    return NoError;
}

} // namespace TemporaryZoneCreator
