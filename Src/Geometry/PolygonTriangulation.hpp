#pragma once

#include "Array.hpp"

#include <span>

// Earcut over 2D points: the one place where polygons become triangles.
namespace PolygonTriangulation {

struct Point2D {
    double x = 0;
    double y = 0;
};

// Three indices into the same point list as the polygon's.
struct Triangle {
    int a = 0;
    int b = 0;
    int c = 0;
};

// The ring visits points[face[0]], points[face[1]], ...; the triangles (cleared first) carry the face's
// own indices. False, with the reason logged under "PolygonTriangulation", when it cannot be done.
bool Triangulate(const GS::Array<int>& face, const GS::Array<Point2D>& points,
                 GS::Array<Triangle>& triangles);

// The same for an outer ring followed by its holes: the triangles cover the ring minus the holes.
bool Triangulate(std::span<const GS::Array<int>> rings, const GS::Array<Point2D>& points,
                 GS::Array<Triangle>& triangles);

} // namespace PolygonTriangulation
