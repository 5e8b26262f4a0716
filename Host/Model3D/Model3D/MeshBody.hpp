#pragma once

#include "Definitions.hpp"

#include <vector>

// The body of a morph. Vertices, edges, polygons and polygon edges are numbered from 0; a polygon
// edge is a signed edge number from 1 (negative: the edge run backwards), 0 closing a contour.
namespace Modeler {

struct MeshVertex {
    double x = 0;
    double y = 0;
    double z = 0;
    bool operator==(const MeshVertex&) const = default;
};

struct MeshEdge {
    UInt32 vert1 = 0;
    UInt32 vert2 = 0;
    bool operator==(const MeshEdge&) const = default;
};

struct MeshPolygon {
    UInt32 fpedg = 0; // first and last polygon edge
    UInt32 lpedg = 0;
    bool operator==(const MeshPolygon&) const = default;
};

class MeshBody {
public:
    UInt32 GetVertexCount() const { return static_cast<UInt32>(vertices.size()); }
    const MeshVertex& GetConstVertex(UInt32 index) const { return vertices.at(index); }
    UInt32 GetEdgeCount() const { return static_cast<UInt32>(edges.size()); }
    const MeshEdge& GetConstEdge(UInt32 index) const { return edges.at(index); }
    UInt32 GetPolygonCount() const { return static_cast<UInt32>(polygons.size()); }
    const MeshPolygon& GetConstPolygon(UInt32 index) const { return polygons.at(index); }
    UInt32 GetPolyEdgeCount() const { return static_cast<UInt32>(polyEdges.size()); }
    Int32 GetConstPolyEdge(UInt32 index) const { return polyEdges.at(index); }

    UInt32 AddVertex(const MeshVertex& vertex) {
        vertices.push_back(vertex);
        return GetVertexCount() - 1;
    }
    UInt32 AddEdge(UInt32 vert1, UInt32 vert2) {
        edges.push_back({vert1, vert2});
        return GetEdgeCount() - 1;
    }
    // A polygon over these polygon edges (at least one).
    void AddPolygon(const std::vector<Int32>& edgeReferences) {
        UInt32 first = GetPolyEdgeCount();
        polyEdges.insert(polyEdges.end(), edgeReferences.begin(), edgeReferences.end());
        polygons.push_back({first, GetPolyEdgeCount() - 1});
    }

    bool operator==(const MeshBody& other) const = default;

private:
    std::vector<MeshVertex> vertices;
    std::vector<MeshEdge> edges;
    std::vector<MeshPolygon> polygons;
    std::vector<Int32> polyEdges;
};

} // namespace Modeler
