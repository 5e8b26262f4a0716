#pragma once

#include "ACAPinc.h"

#include <utility>
#include <vector>

// The stand-in's 3D bodies: what an element shows in the 3D model.
namespace StandIn {

// The matrix that leaves a body where it is.
inline API_Tranmat IdentityTranmat() {
    return {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0}};
}

struct Polygon3D {
    GSFlags status = 0;
    Int32 material = 0;
    std::vector<Int32> edges; // signed 1-based edge references, 0 between contours
};

struct Body3D {
    std::vector<API_Coord3D> vertices;
    std::vector<std::pair<Int32, Int32>> edges; // 1-based vertex numbers
    std::vector<Polygon3D> polygons;
    API_Tranmat transform = IdentityTranmat(); // a body given without one stays where it is
    Int32 material = 0;
};

// A vertical prism over closed contours (the outer one first, each repeating its first point at its
// end) from bottom to top: the bottom and top faces carry the holes after a 0, one side face per
// contour edge. With point heights (one per contour point, in the same order) the top follows
// them instead, as a mesh's surface.
HOST_API Body3D Prism(const std::vector<std::vector<API_Coord>>& contours, double bottom, double top,
                      Int32 material, const std::vector<double>* pointTops = nullptr);

// The same geometry as a morph's mesh body (numbered from 0), and back, placed by the matrix as the
// body's transform.
HOST_API Modeler::MeshBody MeshBodyOf(const Body3D& body);
HOST_API Body3D BodyOf(const Modeler::MeshBody& mesh, const API_Tranmat& placement, Int32 material);

} // namespace StandIn
