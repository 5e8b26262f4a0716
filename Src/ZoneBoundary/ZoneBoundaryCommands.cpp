#include "ZoneBoundary/ZoneBoundaryCommands.hpp"

#include "ACAPinc.h"
#include "Logging/Logger.hpp"
#include "ZoneBoundary/SegmentMatch.hpp"
#include "ZoneBoundary/WallPropertyAnalyzer.hpp"
#include "ZoneBoundary/ZoneGeometryExtractor.hpp"

#include <algorithm>
#include <limits>

namespace JSCommands {

namespace {

using Tolva::ZoneBoundary::Point3D;

constexpr const char* Category = "ZoneBoundaryCommands";
constexpr double SearchMargin = 5000.0;  // mm around the zone in which walls are considered
constexpr double MatchTolerance = 500.0; // mm

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
    bool Overlaps(const Box& other) const {
        return minX <= other.maxX && other.minX <= maxX && minY <= other.maxY && other.minY <= maxY;
    }
};

GS::Array<WallGeometry> WallsNear(const GS::Array<Point3D>& vertices) {
    Box zoneBox;
    for (const Point3D& vertex : vertices) {
        zoneBox.Add(vertex.x, vertex.y);
    }
    zoneBox = {zoneBox.minX - SearchMargin, zoneBox.minY - SearchMargin, zoneBox.maxX + SearchMargin,
               zoneBox.maxY + SearchMargin};

    GS::Array<WallGeometry> walls;
    GS::Array<API_Guid> guids;
    ACAPI_Element_GetElemList(API_WallID, &guids);
    for (const API_Guid& guid : guids) {
        API_Element element = {};
        element.header.guid = guid;
        if (ACAPI_Element_Get(&element) != NoError) {
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
        if (wallBox.Overlaps(zoneBox)) {
            wall.isExterior = WallPropertyAnalyzer::IsExteriorWall(guid);
            walls.Push(wall);
        }
    }
    return walls;
}

GS::UniString PointJSON(const Point3D& point) {
    return GS::UniString::Printf("[%.10g,%.10g,%.10g]", point.x, point.y, point.z);
}

const char* EdgeType(const GS::Array<WallGeometry>& walls, const Point3D& a, const Point3D& b) {
    for (const WallGeometry& wall : walls) {
        if (SegmentMatchesWall(wall.begin.x, wall.begin.y, wall.end.x, wall.end.y, a.x, a.y, b.x, b.y,
                               MatchTolerance)) {
            return wall.isExterior ? "outer" : "simple";
        }
    }
    return "simple";
}

} // namespace

GS::UniString ExtractZoneBoundaryAsJSON(const API_Guid& zone) {
    GS::Array<Point3D> vertices;
    GS::UniString error;
    if (!ZoneGeometryExtractor::ExtractZonePolygon(zone, vertices, error)) {
        Logger::Error(Category, error);
        return GS::UniString();
    }
    const GS::Array<WallGeometry> walls = WallsNear(vertices);
    const auto exterior =
        std::count_if(walls.begin(), walls.end(), [](const WallGeometry& w) { return w.isExterior; });
    Logger::Info(Category,
                 GS::UniString::Printf("Selected %d walls total: %d exterior, %d interior",
                                       static_cast<int>(walls.GetSize()), static_cast<int>(exterior),
                                       static_cast<int>(walls.GetSize() - exterior)));

    GS::UniString json =
        "{\"bounds\":{\"type\":\"polygon\",\"polylines\":[{\"type\":\"polyline\",\"points\":[";
    for (const Point3D& vertex : vertices) {
        json += PointJSON(vertex) + ",";
    }
    if (!vertices.IsEmpty()) {
        json += PointJSON(vertices[0]);
    }
    json += "]}]},\"adjacentSegments\":[";
    const USize count = vertices.GetSize();
    for (USize i = 0; i < count; ++i) {
        const Point3D& a = vertices[i];
        const Point3D& b = vertices[(i + 1) % count];
        if (i > 0) {
            json += ",";
        }
        json += GS::UniString("{\"type\":\"") + EdgeType(walls, a, b) +
                "\",\"lineSegment\":{\"type\":\"line_segment\",\"points\":[" + PointJSON(a) + "," +
                PointJSON(b) + "]}}";
    }
    json += "]}";
    return json;
}

} // namespace JSCommands
