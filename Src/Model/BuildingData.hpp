#pragma once

#include "Model/Furniture.hpp"
#include "Model/Transition.hpp"
#include "Model/WallGuides.hpp"

namespace Tolva {

struct TolvaStory {
    GS::UniString id;
    GS::UniString buildingId;
    Int32 level = 0;
    double height = 3000.0;
    double heightOffset = 0.0;
    TolvaPolygon polygon;
    TolvaPolygon centerPolygon;
    GS::Array<TolvaMesh> meshes;
    WallGuides wallGuides;
    GS::Array<BoundsWallGuideSegment> boundsWallGuideSegments;
    TolvaTransform globalTransform;
};

struct TolvaUnit {
    GS::UniString id;
    GS::UniString storyId;
    TolvaPolygon polygon;
    TolvaMesh mesh;
    WallGuides wallGuides;
    GS::Array<BoundsWallGuideSegment> boundsWallGuideSegments;
    TolvaTransform globalTransform;
};

// A whole building variant, from up to five separate texts.
struct BuildingData {
    GS::Array<TolvaStory> stories;
    GS::Array<TolvaUnit> units;
    GS::Array<Transition> transitions;
    GS::Array<FurnitureObject> furnitureInstances;
    // One per id, in the order of first appearance.
    GS::Array<FurnitureTemplate> furnitureTemplates;
};

} // namespace Tolva
