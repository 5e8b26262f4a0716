#pragma once

#include "HashTable.hpp"
#include "Model/Geometry.hpp"

namespace Tolva {

struct WallGuide {
    // "story-plan" marks a wall the story outline already provides.
    GS::UniString source;
    GS::UniString geometryType = "simple";
    double width = 0.0;
};

struct WallGuides {
    // Each edge holds two indices into vertices.
    GS::Array<GS::Array<Int32>> edges;
    GS::Array<TolvaPoint3D> vertices;
    // Keyed by the edge index in decimal; a repeated key keeps its first guide.
    GS::HashTable<GS::UniString, WallGuide> guides;
};

struct BoundsWallGuideSegment {
    GS::UniString source;
    TolvaPolyline lineSegment;
    GS::UniString geometryType = "simple";
    double width = 0.0;
};

} // namespace Tolva
