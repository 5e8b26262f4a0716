#include "Geometry/PolygonTriangulation.hpp"

#include "Logging/Logger.hpp"

#include <mapbox/earcut.hpp>

#include <array>
#include <chrono>
#include <exception>
#include <vector>

namespace PolygonTriangulation {

namespace {

constexpr const char* Category = "PolygonTriangulation";
// Timing is only worth its clock reads when the line it goes into can be written.
constexpr bool TimingLogged = Logger::MinimumLevel <= Logger::LogLevel::Debug;

using Ring = std::vector<std::array<double, 2>>;

size_t VertexCount(std::span<const GS::Array<int>> rings) {
    size_t count = 0;
    for (const GS::Array<int>& ring : rings) {
        count += ring.GetSize();
    }
    return count;
}

// Earcut's rings, and for each of earcut's (flat) indices the polygon's own index.
bool BuildRings(std::span<const GS::Array<int>> rings, const GS::Array<Point2D>& points,
                std::vector<Ring>& polygon, std::vector<int>& flatIndices) {
    for (const GS::Array<int>& ring : rings) {
        Ring& coordinates = polygon.emplace_back();
        coordinates.reserve(ring.GetSize());
        for (const int index : ring) {
            if (index < 0 || static_cast<USize>(index) >= points.GetSize()) {
                Logger::Error(Category, GS::UniString::Printf(
                                            "Vertex index %d out of bounds (vertex count: %llu)", index,
                                            static_cast<unsigned long long>(points.GetSize())));
                return false;
            }
            const Point2D& point = points[static_cast<USize>(index)];
            coordinates.push_back({point.x, point.y});
            flatIndices.push_back(index);
        }
    }
    return true;
}

bool CheckIndices(const std::vector<uint32_t>& indices, size_t vertexCount) {
    if (indices.empty()) {
        Logger::Error(Category,
                      GS::UniString::Printf("Earcut returned empty result for polygon with %d vertices",
                                            static_cast<int>(vertexCount)));
        return false;
    }
    if (indices.size() % 3 != 0) {
        Logger::Error(Category, GS::UniString::Printf("Earcut returned %d indices (not divisible by 3)",
                                                      static_cast<int>(indices.size())));
        return false;
    }
    for (const uint32_t index : indices) {
        if (index >= vertexCount) {
            Logger::Error(Category,
                          GS::UniString::Printf("Earcut returned invalid index %u (face size: %llu)", index,
                                                static_cast<unsigned long long>(vertexCount)));
            return false;
        }
    }
    return true;
}

bool RunEarcut(std::span<const GS::Array<int>> rings, const GS::Array<Point2D>& points,
               GS::Array<Triangle>& triangles) {
    const size_t vertexCount = VertexCount(rings);
    std::vector<Ring> polygon;
    polygon.reserve(rings.size());
    std::vector<int> flatIndices;
    flatIndices.reserve(vertexCount);
    if (!BuildRings(rings, points, polygon, flatIndices)) {
        return false;
    }
    std::chrono::steady_clock::time_point start;
    if constexpr (TimingLogged) {
        start = std::chrono::steady_clock::now();
    }
    const std::vector<uint32_t> indices = mapbox::earcut<uint32_t>(polygon);
    if (!CheckIndices(indices, vertexCount)) {
        return false;
    }
    triangles.SetCapacity(static_cast<USize>(indices.size() / 3));
    for (size_t i = 0; i < indices.size(); i += 3) {
        triangles.Push({flatIndices[indices[i]], flatIndices[indices[i + 1]], flatIndices[indices[i + 2]]});
    }
    if constexpr (TimingLogged) {
        const double milliseconds =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        Logger::Debug(Category, GS::UniString::Printf(
                                    "Triangulated polygon with %d vertices into %d triangles (%.3f ms)",
                                    static_cast<int>(vertexCount), static_cast<int>(triangles.GetSize()),
                                    milliseconds));
    }
    return true;
}

} // namespace

bool Triangulate(const GS::Array<int>& face, const GS::Array<Point2D>& points,
                 GS::Array<Triangle>& triangles) {
    return Triangulate(std::span<const GS::Array<int>>(&face, 1), points, triangles);
}

bool Triangulate(std::span<const GS::Array<int>> rings, const GS::Array<Point2D>& points,
                 GS::Array<Triangle>& triangles) {
    triangles.Clear();
    const int outerCount = rings.empty() ? 0 : static_cast<int>(rings.front().GetSize());
    if (outerCount < 3) {
        Logger::Warning(
            Category, GS::UniString::Printf("Polygon has only %d vertices (minimum 3 required)", outerCount));
        return false;
    }
    if (outerCount == 3 && rings.size() == 1) {
        const GS::Array<int>& face = rings.front();
        triangles.Push({face[0], face[1], face[2]});
        return true;
    }
    try {
        return RunEarcut(rings, points, triangles);
    } catch (const std::exception& e) {
        Logger::Error(Category, GS::UniString::Printf("Earcut triangulation failed: %s", e.what()));
    } catch (...) {
        Logger::Error(Category, "Earcut triangulation failed with unknown exception");
    }
    triangles.Clear();
    return false;
}

} // namespace PolygonTriangulation
