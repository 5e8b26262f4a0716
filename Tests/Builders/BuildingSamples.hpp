#pragma once

#include "Model/BuildingData.hpp"

#include <initializer_list>
#include <utility>

// Small building records for the building import's tests (mm).
namespace BuildingSamples {

inline Tolva::TolvaPolygon Rectangle(double x0, double y0, double x1, double y1) {
    Tolva::TolvaPolyline ring;
    for (auto [x, y] : {std::pair{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}) {
        ring.points.Push({x, y, 0});
    }
    Tolva::TolvaPolygon polygon;
    polygon.polylines.Push(ring);
    return polygon;
}

// A 10 x 8 m story with its facade on a ring 175 mm inside the outline, no walls of its own.
inline Tolva::TolvaStory Story(const char* id, Int32 level, double heightOffset, double height = 3000.0) {
    Tolva::TolvaStory story;
    story.id = id;
    story.buildingId = "b1";
    story.level = level;
    story.height = height;
    story.heightOffset = heightOffset;
    story.polygon = Rectangle(0, 0, 10000, 8000);
    story.centerPolygon = Rectangle(175, 175, 9825, 7825);
    return story;
}

// A unit on the story with one wall of the given width.
inline Tolva::TolvaUnit Unit(const char* id, const char* storyId, Tolva::TolvaPoint3D a,
                             Tolva::TolvaPoint3D b, double width = 200.0) {
    Tolva::TolvaUnit unit;
    unit.id = id;
    unit.storyId = storyId;
    unit.wallGuides.vertices.Push(a);
    unit.wallGuides.vertices.Push(b);
    GS::Array<Int32> edge;
    edge.Push(0);
    edge.Push(1);
    unit.wallGuides.edges.Push(edge);
    unit.wallGuides.guides.Add("0", {"unit-plan", "simple", width});
    return unit;
}

inline Tolva::Transition Door(const char* id, const char* storyId, double x, double y) {
    Tolva::Transition door;
    door.id = id;
    door.type = "door";
    door.location = {x, y, 0};
    door.direction = {0, 1, 0};
    door.definitionId = "door-single-900";
    door.storyId = storyId;
    return door;
}

inline Tolva::FurnitureObject Furniture(const char* id, const char* storyId, double x, double y, double z) {
    Tolva::FurnitureObject item;
    item.id = id;
    item.type = "plan_object_instance";
    item.location = {x, y, z};
    item.direction = {1, 0, 0};
    item.planObjectTemplateId = "tpl-bed";
    item.storyId = storyId;
    return item;
}

inline Tolva::FurnitureTemplate BedTemplate() {
    Tolva::FurnitureTemplate bed;
    bed.id = "tpl-bed";
    bed.name = "Double bed";
    Tolva::FurnitureShape outline;
    for (auto [x, y] : {std::pair{-800.0, -1000.0}, {800.0, -1000.0}, {800.0, 1000.0}, {-800.0, 1000.0}}) {
        outline.points.Push({x, y, 0});
    }
    bed.shape2d.Push(outline);
    return bed;
}

} // namespace BuildingSamples
