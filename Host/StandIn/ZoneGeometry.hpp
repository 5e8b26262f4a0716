#pragma once

#include "ACAPinc.h"

#include <vector>

// Plane geometry behind automatic zones: the free region around a point bounded by wall
// footprints. The only user of Boost.Geometry, which is expensive to compile.
namespace StandIn::ZoneGeometry {

struct WallFootprint {
    API_Coord begin = {};
    API_Coord end = {};
    double thickness = 0;
    API_WallReferenceLineLocationID referenceLine = APIWallRefLine_Center;
};

enum class Method { ReferenceLine, InnerEdge };

// A closed contour: its last point repeats the first.
using Contour = std::vector<API_Coord>;

// The outer contour (counter-clockwise, from its lowest then leftmost point) and then its holes
// (clockwise, ordered by their own start points); empty when the point lies in no closed region
// or on a wall. Unites only the walls around the point, in a window grown until the region found
// lies inside it.
HOST_API std::vector<Contour> DetectBoundary(const std::vector<WallFootprint>& walls, API_Coord point,
                                             Method method);

// The same answer from the union of every wall at once: the plain way, kept to check the window
// against and to measure it by.
HOST_API std::vector<Contour> DetectBoundaryFromAllWalls(const std::vector<WallFootprint>& walls,
                                                         API_Coord point, Method method);

// The four corners of a wall's footprint, counter-clockwise from the right of its begin point.
HOST_API std::vector<API_Coord> FootprintCorners(const WallFootprint& wall);

} // namespace StandIn::ZoneGeometry
