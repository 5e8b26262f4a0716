#pragma once

#include "Model/Furniture.hpp"
#include "Model/Transition.hpp"
#include "Model/WallGuides.hpp"

namespace Tolva {

// One room or area of a plan; each becomes a zone.
struct PlanContainer {
    GS::UniString type;
    GS::UniString containedPlanType;
    GS::UniString id;
    TolvaPolygon bounds;
    GS::Array<BoundsWallGuideSegment> boundsWallGuideSegments;
    TolvaTransform transform;
    GS::Array<GS::UniString> tagIds;
    TolvaPoint3D referencePoint;
    GS::UniString spaceTypeId;
};

struct SpaceType {
    GS::UniString id;
    // JSON "class": the zone category name.
    GS::UniString className;
    GS::UniString color;
    bool slabCut = false;
    bool gfaExclude = false;
    bool giaExclude = false;
    bool niaExclude = false;
    bool ufaExclude = false;
    // The zone name and label text.
    GS::UniString displayName;
    bool needsDaylight = false;
    bool verticalTransportation = false;
};

struct WallTemplate {
    GS::UniString type;
    TolvaMultiPolygon polygon;
    TolvaMesh mesh;
};

struct Program {
    GS::UniString id;
    GS::UniString color;
    GS::UniString displayName;
};

struct Divider {
    GS::UniString type;
    GS::UniString id;
    GS::UniString scope;
    TolvaPolyline segment;
    // -1 when the divider names no edge.
    Int32 edgeIndex = -1;
};

struct PlanTemplate {
    GS::UniString type;
    GS::UniString planType;
    GS::UniString id;
    // Never sent by the page; the plan import falls back to "Unit".
    GS::UniString name;
    TolvaPolygon bounds;
    GS::Array<PlanContainer> subContainers;
    GS::Array<Transition> transitions;
    GS::Array<GS::UniString> tags;
    WallGuides wallGuides;
    GS::Array<WallTemplate> walls;
    GS::Array<SpaceType> spaceTypes;
    GS::Array<Program> programs;
    GS::Array<Divider> dividers;
    GS::Array<FurnitureObject> planObjects;
    GS::Array<FurnitureTemplate> planObjectTemplates;
    GS::UniString ownerId;
    GS::UniString hash;
};

} // namespace Tolva
