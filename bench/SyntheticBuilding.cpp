#include "SyntheticBuilding.hpp"

namespace {

constexpr double UnitWidth = 8000.0;
constexpr double UnitDepth = 10000.0;
constexpr int UnitsPerRow = 10;
constexpr double StoryHeight = 3000.0;

class GraphWriter {
public:
    explicit GraphWriter(Tolva::WallGuides& graph) : graph(graph) {}

    void Edge(Tolva::TolvaPoint3D a, Tolva::TolvaPoint3D b, double width, const char* source) {
        const Int32 first = static_cast<Int32>(graph.vertices.GetSize());
        graph.vertices.Push(a);
        graph.vertices.Push(b);
        graph.edges.Push(GS::Array<Int32>{first, first + 1});
        Tolva::WallGuide guide;
        guide.source = source;
        guide.width = width;
        graph.guides.Add(GS::UniString::Printf("%u", graph.edges.GetSize() - 1), guide);
    }

private:
    Tolva::WallGuides& graph;
};

Tolva::TolvaStory MakeStory(int s, int rows) {
    Tolva::TolvaStory story;
    story.id = GS::UniString::Printf("story-%d", s);
    story.buildingId = "building-1";
    story.level = s;
    story.height = StoryHeight;
    story.heightOffset = s * StoryHeight;
    const double width = UnitsPerRow * UnitWidth;
    const double depth = rows * UnitDepth;
    GraphWriter writer(story.wallGuides);
    for (int r = 0; r <= rows; ++r) {
        for (int c = 0; c < UnitsPerRow; ++c) {
            writer.Edge({c * UnitWidth, r * UnitDepth, 0}, {(c + 1) * UnitWidth, r * UnitDepth, 0},
                        r == 0 || r == rows ? 350.0 : 200.0, r == 0 || r == rows ? "facade" : "story-plan");
        }
    }
    for (int c = 0; c <= UnitsPerRow; ++c) {
        for (int r = 0; r < rows; ++r) {
            writer.Edge({c * UnitWidth, r * UnitDepth, 0}, {c * UnitWidth, (r + 1) * UnitDepth, 0},
                        c == 0 || c == UnitsPerRow ? 350.0 : 200.0,
                        c == 0 || c == UnitsPerRow ? "facade" : "");
        }
    }
    Tolva::TolvaPolyline outline;
    for (auto [x, y] : {std::pair{0.0, 0.0}, {width, 0.0}, {width, depth}, {0.0, depth}, {0.0, 0.0}}) {
        outline.points.Push({x, y, 0});
    }
    story.centerPolygon.polylines.Push(outline);
    return story;
}

Tolva::TolvaUnit MakeUnit(int s, int u, int rows) {
    Tolva::TolvaUnit unit;
    unit.id = GS::UniString::Printf("unit-%d-%d", s, u);
    unit.storyId = GS::UniString::Printf("story-%d", s);
    const double x = (u % UnitsPerRow) * UnitWidth;
    const double y = (u / UnitsPerRow) * UnitDepth;
    // Units drawn by the web application disagree with their neighbours by a few millimetres.
    const double off = (u % 3) * 2.5;
    const int column = u % UnitsPerRow;
    const int row = u / UnitsPerRow;
    const auto side = [](bool onFacade) { return onFacade ? "facade" : ""; };
    GraphWriter writer(unit.wallGuides);
    writer.Edge({x + off, y, 0}, {x + UnitWidth, y + off, 0}, 150, side(row == 0));
    writer.Edge({x + UnitWidth, y + UnitDepth, 0}, {x + UnitWidth, y + off, 0}, 150,
                side(column == UnitsPerRow - 1));
    writer.Edge({x + UnitWidth, y + UnitDepth, 0}, {x, y + UnitDepth - off, 0}, 150, side(row == rows - 1));
    writer.Edge({x, y + off, 0}, {x, y + UnitDepth, 0}, 150, side(column == 0));
    writer.Edge({x + 3000, y, 0}, {x + 3000, y + 4000, 0}, 100, "");
    writer.Edge({x, y + 4000, 0}, {x + 5000, y + 4000, 0}, 100, "");
    writer.Edge({x + 5000, y + 4000, 0}, {x + 5000, y + UnitDepth, 0}, 100, "");
    writer.Edge({x + 5000, y + 7000, 0}, {x + UnitWidth, y + 7000, 0}, 100, "");
    return unit;
}

} // namespace

Tolva::BuildingData MakeSyntheticBuilding(int storyCount, int unitsPerStory) {
    Tolva::BuildingData building;
    const int rows = (unitsPerStory + UnitsPerRow - 1) / UnitsPerRow;
    for (int s = 0; s < storyCount; ++s) {
        building.stories.Push(MakeStory(s, rows));
        for (int u = 0; u < unitsPerStory; ++u) {
            building.units.Push(MakeUnit(s, u, rows));
        }
    }
    return building;
}
