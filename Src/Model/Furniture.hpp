#pragma once

#include "Model/Geometry.hpp"

namespace Tolva {

// One placed furniture item.
struct FurnitureObject {
    GS::UniString id;
    // "plan_object" or "plan_object_instance".
    GS::UniString type = "plan_object";
    TolvaPoint3D location;
    TolvaPoint3D direction;
    bool isFlipped = false;
    // Items of any other kind are dropped by the parsers.
    GS::UniString objectType = "furniture";
    GS::UniString planObjectTemplateId;
    GS::UniString storyId;
};

struct FurnitureShape {
    GS::UniString type = "polyline";
    GS::Array<TolvaPoint3D> points;
};

struct FurnitureTemplate {
    GS::UniString id;
    GS::UniString name;
    GS::UniString objectType = "furniture";
    GS::Array<GS::UniString> tags;
    GS::UniString visibility = "public";
    TolvaPolygon bounds;
    GS::Array<FurnitureShape> shape2d;
};

} // namespace Tolva
