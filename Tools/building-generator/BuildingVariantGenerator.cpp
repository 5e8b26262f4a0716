#include "BuildingVariantGenerator.hpp"

#include <cstdio>
#include <vector>

namespace BuildingGenerator {

namespace {

constexpr double UnitWidth = 6000.0;
constexpr double RowDepth = 8000.0;
constexpr double CorridorWidth = 2000.0;
constexpr double StoryHeight = 3000.0;
constexpr double FacadeThickness = 350.0;
constexpr double PartyWallThickness = 200.0;
constexpr double InteriorWallThickness = 100.0;

struct Point {
    double x;
    double y;
};

struct Edge {
    Point a;
    Point b;
    const char* source;
    double width;
};

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", value);
    return text;
}

std::string PointText(Point p, double z = 0.0) {
    return "[" + Number(p.x) + "," + Number(p.y) + "," + Number(z) + "]";
}

std::string PolygonText(const std::vector<Point>& ring) {
    std::string points;
    for (const Point& p : ring) {
        points += (points.empty() ? "" : ",") + PointText(p);
    }
    return R"({"type":"polygon","polylines":[{"type":"polyline","points":[)" + points + "]}]}";
}

std::string WallGuidesText(const std::vector<Edge>& edges) {
    std::string edgeList;
    std::string vertices;
    std::string guides;
    for (size_t i = 0; i < edges.size(); ++i) {
        const std::string separator = i == 0 ? "" : ",";
        edgeList += separator + "[" + std::to_string(2 * i) + "," + std::to_string(2 * i + 1) + "]";
        vertices += separator + PointText(edges[i].a) + "," + PointText(edges[i].b);
        guides += separator + "\"" + std::to_string(i) + R"(":{"source":")" + edges[i].source +
                  R"(","geometry":{"type":"simple","width":)" + Number(edges[i].width) + "}}";
    }
    return R"({"edgeGraph":{"edges":[)" + edgeList + "],\"vertices\":[" + vertices + "]},\"guides\":{" +
           guides + "}}";
}

std::vector<Point> Rectangle(double x0, double y0, double x1, double y1) {
    return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

// One unit's place: its row (0 below the corridor, 1 above) and its column.
struct UnitPlace {
    int row;
    int column;
    double x0() const { return column * UnitWidth; }
    double x1() const { return x0() + UnitWidth; }
    double y0() const { return row == 0 ? 0.0 : RowDepth + CorridorWidth; }
    double y1() const { return y0() + RowDepth; }
    double corridorY() const { return row == 0 ? RowDepth : RowDepth + CorridorWidth; }
};

std::vector<Edge> UnitWalls(const UnitPlace& u, int columns) {
    std::vector<Edge> edges;
    // Party walls: the left one reversed, so that its neighbour lists the same wall the other way.
    if (u.column > 0) {
        edges.push_back({{u.x0(), u.y1()}, {u.x0(), u.y0()}, "unit-plan", PartyWallThickness});
    }
    if (u.column < columns - 1) {
        edges.push_back({{u.x1(), u.y0()}, {u.x1(), u.y1()}, "unit-plan", PartyWallThickness});
    }
    // The corridor wall again, as the unit sees it; the story lists it first.
    edges.push_back({{u.x0(), u.corridorY()}, {u.x1(), u.corridorY()}, "unit-plan", PartyWallThickness});
    // The outline on the facade side belongs to the story.
    const double facadeY = u.row == 0 ? u.y0() : u.y1();
    edges.push_back({{u.x0(), facadeY}, {u.x1(), facadeY}, "facade", FacadeThickness});
    // Rooms: a bathroom box by the corridor, two bedrooms by the facade.
    const double middleY = (u.y0() + u.y1()) / 2;
    const double bathY = u.row == 0 ? u.corridorY() - 2500 : u.corridorY() + 2500;
    edges.push_back(
        {{u.x0() + 2000, u.corridorY()}, {u.x0() + 2000, bathY}, "unit-plan", InteriorWallThickness});
    edges.push_back({{u.x0(), bathY}, {u.x0() + 2000, bathY}, "unit-plan", InteriorWallThickness});
    edges.push_back({{u.x0(), middleY}, {u.x0() + 3000, middleY}, "unit-plan", InteriorWallThickness});
    edges.push_back({{u.x0() + 3000, middleY}, {u.x0() + 3000, facadeY}, "unit-plan", InteriorWallThickness});
    edges.push_back({{u.x0() + 4500, middleY}, {u.x0() + 4500, facadeY}, "unit-plan", InteriorWallThickness});
    return edges;
}

std::string Transform(Point at) {
    return "[1,0,0," + Number(at.x) + ",0,1,0," + Number(at.y) + ",0,0,1,0,0,0,0,1]";
}

} // namespace

VariantTexts GenerateVariant(const VariantShape& shape) {
    const int columns = (shape.unitsPerStory + 1) / 2;
    const double width = columns * UnitWidth;
    const double depth = 2 * RowDepth + CorridorWidth;
    const double inset = FacadeThickness / 2;
    std::string stories;
    std::string units;
    std::string transitions;
    std::string furniture;
    for (int s = 0; s < shape.stories; ++s) {
        const std::string storyId = "b1-" + std::to_string(s);
        const double elevation = s * StoryHeight;
        std::vector<Edge> storyWalls;
        for (int row = 0; row < 2; ++row) {
            const double y = row == 0 ? RowDepth : RowDepth + CorridorWidth;
            for (int c = 0; c < columns; ++c) {
                storyWalls.push_back(
                    {{c * UnitWidth, y}, {(c + 1) * UnitWidth, y}, "story-plan", PartyWallThickness});
            }
        }
        const std::vector<Point> outline = Rectangle(0, 0, width, depth);
        for (size_t k = 0; k < outline.size(); ++k) {
            storyWalls.push_back({outline[k], outline[(k + 1) % outline.size()], "facade", FacadeThickness});
        }
        std::vector<Point> center = Rectangle(inset, inset, width - inset, depth - inset);
        if (s % 2 == 1) {
            center.push_back(center.front()); // some outlines repeat their first point
        }
        stories += std::string(stories.empty() ? "" : ",\n") + "{\"id\":" + Quoted(storyId) +
                   ",\"buildingId\":\"b1\",\"level\":" + std::to_string(s) +
                   ",\"height\":" + Number(StoryHeight) + ",\"heightOffset\":" + Number(elevation) +
                   ",\"polygon\":" + PolygonText(outline) + ",\"centerPolygon\":" + PolygonText(center) +
                   ",\"wallGuides\":" + WallGuidesText(storyWalls) + "}";
        for (int n = 0; n < shape.unitsPerStory; ++n) {
            const UnitPlace place{n % 2, n / 2};
            const std::string unitId = storyId + "-u" + std::to_string(n + 1);
            units += std::string(units.empty() ? "" : ",\n") + "{\"id\":" + Quoted(unitId) +
                     ",\"storyId\":" + Quoted(storyId) + ",\"polygon\":" +
                     PolygonText(Rectangle(place.x0(), place.y0(), place.x1(), place.y1())) +
                     ",\"wallGuides\":" + WallGuidesText(UnitWalls(place, columns)) + "}";
            const Point door{place.x0() + 3500, place.corridorY()};
            const Point inward{0, place.row == 0 ? -1.0 : 1.0};
            transitions +=
                std::string(transitions.empty() ? "" : ",\n") + "{\"id\":" + Quoted("door-" + unitId) +
                ",\"type\":\"door\",\"location\":" + PointText(door, elevation) +
                ",\"direction\":" + PointText(inward) +
                ",\"isFlipped\":false,\"definitionId\":\"door-single-900\",\"scale\":1,\"unitId\":" +
                Quoted(unitId) + ",\"storyId\":" + Quoted(storyId) +
                ",\"transforms\":{\"center\":" + Transform(door) + "}}";
            const Point bed{place.x0() + 1500,
                            (place.y0() + place.y1()) / 2 + (place.row == 0 ? -2000 : 2000)};
            const Point table{place.x0() + 4500,
                              (place.y0() + place.y1()) / 2 + (place.row == 0 ? 1500 : -1500)};
            // The bed is placed by its story, the table by its height alone.
            furniture +=
                std::string(furniture.empty() ? "" : ",\n") + "{\"id\":" + Quoted("bed-" + unitId) +
                ",\"type\":\"plan_object_instance\",\"location\":" + PointText(bed, elevation) +
                ",\"direction\":[1,0,0],\"objectType\":\"furniture\",\"planObjectTemplateId\":"
                "\"tpl-bed\",\"storyId\":" +
                Quoted(storyId) + "},\n{\"id\":" + Quoted("table-" + unitId) +
                ",\"type\":\"plan_object_instance\",\"location\":" + PointText(table, elevation + 10) +
                ",\"direction\":[0,1,0],\"objectType\":\"furniture\",\"planObjectTemplateId\":"
                "\"tpl-table\"}";
        }
    }
    VariantTexts texts;
    texts.stories = "[\n" + stories + "\n]\n";
    texts.units = "{\"value\":[\n" + units + "\n]}\n";
    texts.transitions = "[\n" + transitions + "\n]\n";
    texts.furnitureInstances = "{\"value\":[\n" + furniture + "\n]}\n";
    texts.furnitureTemplates =
        "[\n{\"id\":\"tpl-bed\",\"name\":\"Double bed\",\"objectType\":\"furniture\",\"tags\":[\"bedroom\"],"
        "\"visibility\":\"public\",\"bounds\":" +
        PolygonText(Rectangle(-800, -1000, 800, 1000)) + ",\"shape2d\":[{\"type\":\"polyline\",\"points\":[" +
        "[-800,-1000,0],[800,-1000,0],[800,1000,0],[-800,1000,0],[-800,-1000,0]]}]},\n"
        "{\"id\":\"tpl-table\",\"name\":\"Dining table\",\"objectType\":\"furniture\",\"tags\":[\"dining\"],"
        "\"visibility\":\"public\",\"bounds\":" +
        PolygonText(Rectangle(-600, -400, 600, 400)) + ",\"shape2d\":[{\"type\":\"polyline\",\"points\":[" +
        "[-600,-400,0],[600,-400,0],[600,400,0],[-600,400,0],[-600,-400,0]]}]}\n]\n";
    return texts;
}

} // namespace BuildingGenerator
