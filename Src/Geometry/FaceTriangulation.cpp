#include "Geometry/FaceTriangulation.hpp"

#include "Geometry/FaceNormal.hpp"
#include "Geometry/PolygonTriangulation.hpp"
#include "Logging/HostReport.hpp"
#include "Logging/Logger.hpp"

#include <cmath>

namespace MeshToolkit {

namespace {

using JSCommands::Vertex3D;
using PolygonTriangulation::Point2D;

enum class Plane { XY, XZ, YZ };

// The plane that keeps most of the face's area: the one across the normal's largest component.
Plane ProjectionPlane(double nx, double ny, double nz) {
    if (std::fabs(nz) > std::fabs(nx) && std::fabs(nz) > std::fabs(ny)) {
        return Plane::XY;
    }
    return std::fabs(ny) > std::fabs(nx) ? Plane::XZ : Plane::YZ;
}

Point2D Project(const Vertex3D& v, Plane plane) {
    switch (plane) {
    case Plane::XY:
        return {v.x, v.y};
    case Plane::XZ:
        return {v.x, v.z};
    default:
        return {v.y, v.z};
    }
}

// True when the triangle's own normal points against the face's.
bool AgainstNormal(const Vertex3D& a, const Vertex3D& b, const Vertex3D& c, double nx, double ny, double nz) {
    const double ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z;
    const double vx = c.x - a.x, vy = c.y - a.y, vz = c.z - a.z;
    return (uy * vz - uz * vy) * nx + (uz * vx - ux * vz) * ny + (ux * vy - uy * vx) * nz < 0;
}

// What each face needs, kept per thread so that faces, which come by the hundred thousand, cost no
// allocations beyond their triangles.
struct Scratch {
    GS::Array<Point2D> points;
    GS::Array<GS::Array<int>> localContours;
    GS::Array<int> meshIndices; // for each point, the mesh's vertex
    GS::Array<PolygonTriangulation::Triangle> triangles;
};

Scratch& ThreadScratch() {
    thread_local Scratch scratch;
    return scratch;
}

} // namespace

bool TriangulateFace(const GS::Array<int>& face, JSCommands::MeshData& mesh, UInt32 faceNumber,
                     const char* category) {
    return TriangulateFace(std::span<const GS::Array<int>>(&face, 1), mesh, faceNumber, category);
}

bool TriangulateFace(std::span<const GS::Array<int>> contours, JSCommands::MeshData& mesh, UInt32 faceNumber,
                     const char* category) {
    double nx = 0, ny = 0, nz = 0;
    if (contours.empty() || !ComputeFaceNormal(contours.front(), mesh, nx, ny, nz)) {
        const GS::UniString message = GS::UniString::Printf(
            "Cannot export: Face %u has collinear vertices (invalid geometry). Please fix the geometry in "
            "Archicad before exporting.",
            faceNumber);
        Logger::Error(category, message);
        HostReport::Write(message);
        return false;
    }
    // The face's vertices in 2D, numbered from 0 across the contours.
    const Plane plane = ProjectionPlane(nx, ny, nz);
    Scratch& scratch = ThreadScratch();
    scratch.points.Clear();
    scratch.meshIndices.Clear();
    scratch.localContours.SetSize(static_cast<USize>(contours.size()));
    for (size_t c = 0; c < contours.size(); ++c) {
        GS::Array<int>& local = scratch.localContours[static_cast<USize>(c)];
        local.Clear();
        for (const int index : contours[c]) {
            local.Push(static_cast<int>(scratch.points.GetSize()));
            scratch.points.Push(Project(mesh.vertices[static_cast<USize>(index)], plane));
            scratch.meshIndices.Push(index);
        }
    }
    GS::Array<PolygonTriangulation::Triangle>& triangles = scratch.triangles;
    if (!PolygonTriangulation::Triangulate(
            std::span<const GS::Array<int>>(scratch.localContours.begin(), scratch.localContours.end()),
            scratch.points, triangles)) {
        const GS::UniString message =
            GS::UniString::Printf("Failed to triangulate face %u with %u vertices", faceNumber,
                                  static_cast<unsigned>(scratch.points.GetSize()));
        HostReport::Write(message);
        Logger::Warning(category, message);
        return false;
    }
    const GS::Array<int>& meshIndices = scratch.meshIndices;
    for (const PolygonTriangulation::Triangle& triangle : triangles) {
        int a = meshIndices[static_cast<USize>(triangle.a)];
        int b = meshIndices[static_cast<USize>(triangle.b)];
        int c = meshIndices[static_cast<USize>(triangle.c)];
        if (AgainstNormal(mesh.vertices[static_cast<USize>(a)], mesh.vertices[static_cast<USize>(b)],
                          mesh.vertices[static_cast<USize>(c)], nx, ny, nz)) {
            std::swap(b, c);
        }
        mesh.faces.Push({a, b, c});
    }
    return true;
}

bool AddPolygonFaces(const FaceContours& contours, JSCommands::MeshData& mesh, UInt32 faceNumber,
                     const char* category) {
    if (contours.IsEmpty() || contours[0].GetSize() < 3) {
        return true;
    }
    GS::Array<GS::Array<int>> kept;
    for (const GS::Array<int>& contour : contours) {
        if (contour.GetSize() >= 3) {
            kept.Push(contour);
        }
    }
    if (kept.GetSize() == 1 && kept[0].GetSize() == 3) {
        mesh.faces.Push(kept[0]);
        return true;
    }
    return TriangulateFace(std::span<const GS::Array<int>>(kept.begin(), kept.end()), mesh, faceNumber,
                           category);
}

} // namespace MeshToolkit
