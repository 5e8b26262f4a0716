#pragma once

#include "Definitions.hpp"
#include "Model3D/model.h"

#include <vector>

// The body of a morph. Vertices, edges, polygons and polygon edges are numbered from 0; a polygon
// edge is a signed edge number from 1 (negative: the edge run backwards), 0 closing a contour.
namespace Modeler {

class MeshBody {
public:
    UInt32 GetVertexCount() const { return static_cast<UInt32>(vertices.size()); }
    const VERT& GetConstVertex(UInt32 index) const { return vertices.at(index); }
    UInt32 GetEdgeCount() const { return static_cast<UInt32>(edges.size()); }
    const EDGE& GetConstEdge(UInt32 index) const { return edges.at(index); }
    UInt32 GetPolygonCount() const { return static_cast<UInt32>(polygons.size()); }
    const PGON& GetConstPolygon(UInt32 index) const { return polygons.at(index); }
    UInt32 GetPolyEdgeCount() const { return static_cast<UInt32>(polyEdges.size()); }
    Int32 GetConstPolyEdge(UInt32 index) const { return polyEdges.at(index); }

    UInt32 AddVertex(const VERT& vertex) {
        vertices.push_back(vertex);
        return GetVertexCount() - 1;
    }
    UInt32 AddEdge(Int32 vert1, Int32 vert2) {
        edges.emplace_back(vert1, vert2);
        return GetEdgeCount() - 1;
    }
    // A polygon over these polygon edges (at least one).
    void AddPolygon(const std::vector<Int32>& edgeReferences) {
        Int32 first = static_cast<Int32>(GetPolyEdgeCount());
        polyEdges.insert(polyEdges.end(), edgeReferences.begin(), edgeReferences.end());
        polygons.push_back({0, first, static_cast<Int32>(GetPolyEdgeCount()) - 1});
    }

    bool operator==(const MeshBody& other) const = default;

private:
    std::vector<VERT> vertices;
    std::vector<EDGE> edges;
    std::vector<PGON> polygons;
    std::vector<Int32> polyEdges;
};

} // namespace Modeler
