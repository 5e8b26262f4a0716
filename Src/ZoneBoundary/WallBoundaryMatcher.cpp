#include "ZoneBoundary/WallBoundaryMatcher.hpp"

#include "ACAPinc.h"
#include "Logging/Logger.hpp"
#include "ZoneBoundary/SegmentMatch.hpp"
#include "ZoneBoundary/ZoneGeometryExtractor.hpp"

namespace WallBoundaryMatcher {

namespace {
constexpr const char* Category = "WallBoundaryMatcher";
constexpr double MatchTolerance = 500.0; // mm
} // namespace

GSErrCode FindBoundaryWalls(const API_Guid& zone, GS::Array<API_Guid>& walls) {
    GS::Array<Tolva::ZoneBoundary::Point3D> vertices;
    GS::UniString error;
    if (!ZoneGeometryExtractor::ExtractZonePolygon(zone, vertices, error)) {
        Logger::Error(Category, "Error extracting zone boundary: " + error);
        return APIERR_NOTFOUND;
    }
    Logger::Info(Category, GS::UniString::Printf("Matching walls to zone boundary with %d vertices",
                                                 static_cast<int>(vertices.GetSize())));
    API_Element zoneElement = {};
    zoneElement.header.guid = zone;
    if (const GSErrCode err = ACAPI_Element_Get(&zoneElement); err != NoError) {
        Logger::Error(Category, GS::UniString::Printf("Failed to get zone element: %d", err));
        return err;
    }
    GS::Array<API_Guid> candidates;
    if (const GSErrCode err = ACAPI_Element_GetElemList(API_WallID, &candidates); err != NoError) {
        Logger::Error(Category, GS::UniString::Printf("Failed to get wall list: %d", err));
        return err;
    }
    Logger::Debug(Category,
                  GS::UniString::Printf("Found %d walls to check", static_cast<int>(candidates.GetSize())));

    const USize before = walls.GetSize();
    const USize count = vertices.GetSize();
    for (USize i = 0; i < count; ++i) {
        const auto& a = vertices[i];
        const auto& b = vertices[(i + 1) % count];
        for (const API_Guid& guid : candidates) {
            API_Element wall = {};
            wall.header.guid = guid;
            if (ACAPI_Element_Get(&wall) != NoError || wall.header.floorInd != zoneElement.header.floorInd) {
                continue;
            }
            if (SegmentMatchesWall(wall.wall.begC.x * 1000.0, wall.wall.begC.y * 1000.0,
                                   wall.wall.endC.x * 1000.0, wall.wall.endC.y * 1000.0, a.x, a.y, b.x, b.y,
                                   MatchTolerance) &&
                !walls.Contains(guid)) {
                walls.Push(guid);
                Logger::Debug(Category, "Matched wall to boundary segment");
            }
        }
    }
    Logger::Info(Category, GS::UniString::Printf("Found %d walls matching zone boundary",
                                                 static_cast<int>(walls.GetSize() - before)));
    return NoError;
}

} // namespace WallBoundaryMatcher
