#pragma once

#include "Definitions.hpp"
#include "Vector3D.hpp"

// The geometry and topology records of a mesh body.
namespace Brep {

class MeshBrep {
public:
    typedef Coord3D Vertex;

    // Joins two vertex numbers; pgon1 and pgon2 are the polygons on either side.
    struct Edge {
        static const Int32 InvalidPgonIdx = -1;

        Int32 vert1 = 0, vert2 = 0;
        Int32 pgon1 = 0, pgon2 = 0;

        Edge() = default;
        Edge(Int32 vert1, Int32 vert2, Int32 pgon1 = InvalidPgonIdx, Int32 pgon2 = InvalidPgonIdx)
            : vert1(vert1), vert2(vert2), pgon1(pgon1), pgon2(pgon2) {}

        bool operator==(const Edge&) const = default;
    };

    typedef Int32 PolyEdge;

    // The polygon's edges are the polygon edges fpedg to lpedg; ivect is its normal.
    struct Polygon {
        Int32 ivect = 0;
        Int32 fpedg = 0;
        Int32 lpedg = 0;

        UInt32 GetEdgeCount() const { return lpedg - fpedg + 1; }

        bool operator==(const Polygon&) const = default;
    };
};

} // namespace Brep
