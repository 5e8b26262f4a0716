#pragma once

#include "Model/BuildingData.hpp"

#include <initializer_list>

// A wall guide graph built edge by edge: each edge gets its own two vertices and, unless the width is
// negative, a guide under its index.
class GraphBuilder {
public:
    GraphBuilder& Edge(Tolva::TolvaPoint3D a, Tolva::TolvaPoint3D b, double width, const char* source = "") {
        const Int32 first = static_cast<Int32>(graph.vertices.GetSize());
        graph.vertices.Push(a);
        graph.vertices.Push(b);
        graph.edges.Push(GS::Array<Int32>{first, first + 1});
        if (width >= 0.0) {
            Tolva::WallGuide guide;
            guide.source = source;
            guide.width = width;
            graph.guides.Add(GS::UniString::Printf("%u", graph.edges.GetSize() - 1), guide);
        }
        return *this;
    }
    // An edge of one index only, with a guide.
    GraphBuilder& BrokenEdge(double width) {
        graph.vertices.Push({0, 0, 0});
        graph.edges.Push(GS::Array<Int32>{static_cast<Int32>(graph.vertices.GetSize() - 1)});
        Tolva::WallGuide guide;
        guide.width = width;
        graph.guides.Add(GS::UniString::Printf("%u", graph.edges.GetSize() - 1), guide);
        return *this;
    }
    Tolva::WallGuides Build() const { return graph; }

private:
    Tolva::WallGuides graph;
};

inline Tolva::TolvaStory Story(const char* id, double elevation, double height = 3000.0) {
    Tolva::TolvaStory story;
    story.id = id;
    story.heightOffset = elevation;
    story.height = height;
    return story;
}

inline Tolva::TolvaUnit Unit(const char* id, const char* storyId, Tolva::WallGuides guides) {
    Tolva::TolvaUnit unit;
    unit.id = id;
    unit.storyId = storyId;
    unit.wallGuides = guides;
    return unit;
}

// A polyline through the plan points at z 0.
inline Tolva::TolvaPolyline Polyline(std::initializer_list<std::pair<double, double>> points) {
    Tolva::TolvaPolyline polyline;
    for (auto [x, y] : points) {
        polyline.points.Push({x, y, 0});
    }
    return polyline;
}
