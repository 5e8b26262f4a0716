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

// What each run needs, kept per thread so that faces, which come by the hundred thousand, cost no
// allocations beyond earcut's own.
struct Scratch {
    std::vector<Ring> polygon;
    std::vector<int> flatIndices; // for each of earcut's (flat) indices, the polygon's own index
    mapbox::detail::Earcut<uint32_t> earcut;
};

Scratch& ThreadScratch() {
    thread_local Scratch scratch;
    return scratch;
}

bool BuildRings(std::span<const GS::Array<int>> rings, const GS::Array<Point2D>& points, Scratch& scratch) {
    scratch.polygon.resize(rings.size());
    scratch.flatIndices.clear();
    for (size_t r = 0; r < rings.size(); ++r) {
        Ring& coordinates = scratch.polygon[r];
        coordinates.clear();
        for (const int index : rings[r]) {
            if (index < 0 || static_cast<USize>(index) >= points.GetSize()) {
                Logger::Error(Category, GS::UniString::Printf(
                                            "Vertex index %d out of bounds (vertex count: %llu)", index,
                                            static_cast<unsigned long long>(points.GetSize())));
                return false;
            }
            const Point2D& point = points[static_cast<USize>(index)];
            coordinates.push_back({point.x, point.y});
            scratch.flatIndices.push_back(index);
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
    Scratch& scratch = ThreadScratch();
    if (!BuildRings(rings, points, scratch)) {
        return false;
    }
    const size_t vertexCount = scratch.flatIndices.size();
    std::chrono::steady_clock::time_point start;
    if constexpr (TimingLogged) {
        start = std::chrono::steady_clock::now();
    }
    scratch.earcut(scratch.polygon);
    const std::vector<uint32_t>& indices = scratch.earcut.indices;
    if (!CheckIndices(indices, vertexCount)) {
        return false;
    }
    const std::vector<int>& flat = scratch.flatIndices;
    for (size_t i = 0; i < indices.size(); i += 3) {
        triangles.Push({flat[indices[i]], flat[indices[i + 1]], flat[indices[i + 2]]});
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
