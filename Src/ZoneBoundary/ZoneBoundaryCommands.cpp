#include "ZoneBoundary/ZoneBoundaryCommands.hpp"

#include "ACAPinc.h"
#include "Logging/Logger.hpp"
#include "ZoneBoundary/WallBoundaryMatcher.hpp"
#include "ZoneBoundary/WallPropertyAnalyzer.hpp"
#include "ZoneBoundary/ZoneGeometryExtractor.hpp"

#include <algorithm>

namespace JSCommands {

namespace {

using Tolva::ZoneBoundary::Point3D;

constexpr const char* Category = "ZoneBoundaryCommands";

GS::UniString PointJSON(const Point3D& point) {
    return GS::UniString::Printf("[%.10g,%.10g,%.10g]", point.x, point.y, point.z);
}

// The first wall along the edge decides.
const char* EdgeType(const GS::Array<WallGeometry>& walls, const Point3D& a, const Point3D& b) {
    for (const WallGeometry& wall : walls) {
        if (WallBoundaryMatcher::RunsAlong(wall, a, b)) {
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
    GS::Array<WallGeometry> walls;
    if (WallBoundaryMatcher::CandidateWalls(zone, vertices, walls) != NoError) {
        return GS::UniString();
    }
    for (WallGeometry& wall : walls) {
        wall.isExterior = WallPropertyAnalyzer::IsExteriorWall(wall.guid);
    }
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
