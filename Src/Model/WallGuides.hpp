#pragma once

#include "HashTable.hpp"
#include "Model/Geometry.hpp"

#include <cmath>

namespace Tolva {

struct WallGuide {
    // "story-plan" marks a wall the story outline already provides.
    GS::UniString source;
    GS::UniString geometryType = "simple";
    double width = 0.0;
};

struct WallGuides {
    // Each edge stays at its position in the data, because guides are keyed by that position; a
    // usable edge holds two indices into vertices, a malformed one any other number of them.
    GS::Array<GS::Array<Int32>> edges;
    // A malformed vertex stays at its position as a point of NaN coordinates.
    GS::Array<TolvaPoint3D> vertices;
    // Keyed by the edge index in decimal; a repeated key keeps its first guide.
    GS::HashTable<GS::UniString, WallGuide> guides;
};

// Whether edge i has exactly two indices, both naming vertices the data gave in a usable form.
inline bool IsUsableEdge(const WallGuides& wallGuides, USize i) {
    if (i >= wallGuides.edges.GetSize() || wallGuides.edges[i].GetSize() != 2) {
        return false;
    }
    const Int32 vertexCount = static_cast<Int32>(wallGuides.vertices.GetSize());
    for (Int32 index : wallGuides.edges[i]) {
        if (index < 0 || index >= vertexCount) {
            return false;
        }
        const TolvaPoint3D& vertex = wallGuides.vertices[static_cast<USize>(index)];
        if (!std::isfinite(vertex.x) || !std::isfinite(vertex.y)) {
            return false;
        }
    }
    return true;
}

// The guide of edge i, stored under i in decimal; null when there is none.
inline const WallGuide* GuideOfEdge(const WallGuides& wallGuides, USize i) {
    return wallGuides.guides.GetPtr(GS::UniString::Printf("%u", i));
}

struct BoundsWallGuideSegment {
    GS::UniString source;
    TolvaPolyline lineSegment;
    GS::UniString geometryType = "simple";
    double width = 0.0;
};

} // namespace Tolva
