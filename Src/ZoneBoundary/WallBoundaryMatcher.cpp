#include "ZoneBoundary/WallBoundaryMatcher.hpp"

#include "Logging/Logger.hpp"
#include "ZoneBoundary/SegmentMatch.hpp"
#include "ZoneBoundary/ZoneGeometryExtractor.hpp"

#include <algorithm>
#include <limits>

namespace WallBoundaryMatcher {

namespace {

using JSCommands::WallGeometry;
using Tolva::ZoneBoundary::Point3D;

constexpr const char* Category = "WallBoundaryMatcher";
constexpr double MatchTolerance = 500.0; // mm
// No wall farther than this from the boundary's box can lie within the tolerance of an edge.
constexpr double SearchMargin = 5000.0; // mm

struct Box {
    double minX = std::numeric_limits<double>::max();
    double minY = std::numeric_limits<double>::max();
    double maxX = std::numeric_limits<double>::lowest();
    double maxY = std::numeric_limits<double>::lowest();

    void Add(double x, double y) {
        minX = std::min(minX, x);
        minY = std::min(minY, y);
        maxX = std::max(maxX, x);
        maxY = std::max(maxY, y);
    }
    Box Widened(double margin) const { return {minX - margin, minY - margin, maxX + margin, maxY + margin}; }
    bool Overlaps(const Box& other) const {
        return minX <= other.maxX && other.minX <= maxX && minY <= other.maxY && other.minY <= maxY;
    }
};

} // namespace

GSErrCode CandidateWalls(const API_Guid& zone, const GS::Array<Point3D>& boundary,
                         GS::Array<WallGeometry>& walls) {
    API_Element zoneElement = {};
    zoneElement.header.guid = zone;
    if (const GSErrCode err = ACAPI_Element_Get(&zoneElement); err != NoError) {
        Logger::Error(Category, GS::UniString::Printf("Failed to get zone element: %d", err));
        return err;
    }
    GS::Array<API_Guid> guids;
    if (const GSErrCode err = ACAPI_Element_GetElemList(API_WallID, &guids); err != NoError) {
        Logger::Error(Category, GS::UniString::Printf("Failed to get wall list: %d", err));
        return err;
    }
    Logger::Debug(Category,
                  GS::UniString::Printf("Found %d walls to check", static_cast<int>(guids.GetSize())));

    Box boundaryBox;
    for (const Point3D& vertex : boundary) {
        boundaryBox.Add(vertex.x, vertex.y);
    }
    const Box searched = boundaryBox.Widened(SearchMargin);
    for (const API_Guid& guid : guids) {
        API_Element element = {};
        element.header.guid = guid;
        if (const GSErrCode err = ACAPI_Element_Get(&element); err != NoError) {
            Logger::Warning(Category,
                            GS::UniString::Printf("Wall %s left out of the boundary: it cannot be read (%d)",
                                                  APIGuidToString(guid).ToCStr().Get(), err));
            continue;
        }
        if (element.header.floorInd != zoneElement.header.floorInd) {
            continue;
        }
        const double z = element.wall.bottomOffset * 1000.0;
        WallGeometry wall{guid,
                          {element.wall.begC.x * 1000.0, element.wall.begC.y * 1000.0, z},
                          {element.wall.endC.x * 1000.0, element.wall.endC.y * 1000.0, z},
                          false};
        Box wallBox;
        wallBox.Add(wall.begin.x, wall.begin.y);
        wallBox.Add(wall.end.x, wall.end.y);
        if (wallBox.Overlaps(searched)) {
            walls.Push(wall);
        }
    }
    return NoError;
}

bool RunsAlong(const WallGeometry& wall, const Point3D& a, const Point3D& b) {
    return SegmentMatchesWall(wall.begin.x, wall.begin.y, wall.end.x, wall.end.y, a.x, a.y, b.x, b.y,
                              MatchTolerance);
}

GSErrCode FindBoundaryWalls(const API_Guid& zone, GS::Array<API_Guid>& walls) {
    GS::Array<Point3D> vertices;
    GS::UniString error;
    if (!ZoneGeometryExtractor::ExtractZonePolygon(zone, vertices, error)) {
        Logger::Error(Category, "Error extracting zone boundary: " + error);
        return APIERR_BADPARS;
    }
    Logger::Info(Category, GS::UniString::Printf("Matching walls to zone boundary with %d vertices",
                                                 static_cast<int>(vertices.GetSize())));
    GS::Array<WallGeometry> candidates;
    if (const GSErrCode err = CandidateWalls(zone, vertices, candidates); err != NoError) {
        return err;
    }

    const USize before = walls.GetSize();
    const USize count = vertices.GetSize();
    for (USize i = 0; i < count; ++i) {
        const Point3D& a = vertices[i];
        const Point3D& b = vertices[(i + 1) % count];
        for (const WallGeometry& wall : candidates) {
            if (RunsAlong(wall, a, b) && !walls.Contains(wall.guid)) {
                walls.Push(wall.guid);
                Logger::Debug(Category, "Matched wall to boundary segment");
            }
        }
    }
    Logger::Info(Category, GS::UniString::Printf("Found %d walls matching zone boundary",
                                                 static_cast<int>(walls.GetSize() - before)));
    return NoError;
}

} // namespace WallBoundaryMatcher
