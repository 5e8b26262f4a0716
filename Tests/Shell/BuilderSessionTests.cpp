#include "RunHost.hpp"

#include <gtest/gtest.h>
#include <rapidjson/document.h>

#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using Point = std::pair<double, double>;
using Contour = std::vector<Point>;

Point PointOf(const rapidjson::Value& point) {
    return {point[0].GetDouble(), point[1].GetDouble()};
}

std::vector<Contour> ContoursOf(const rapidjson::Value& polygon) {
    std::vector<Contour> contours;
    for (const auto& ring : polygon.GetArray()) {
        Contour& contour = contours.emplace_back();
        for (const auto& point : ring.GetArray()) {
            contour.push_back(PointOf(point));
        }
    }
    return contours;
}

// The name of an attribute by its index (from 1) in one of the project's attribute lists.
std::string AttributeName(const rapidjson::Document& project, const char* list,
                          const rapidjson::Value& index) {
    return project["attributes"][list][index.GetInt() - 1]["name"].GetString();
}

// The lines the session printed that start with a text, without that text.
std::vector<std::string> PrintedAfter(const std::string& output, const std::string& start) {
    std::vector<std::string> rests;
    for (size_t at = 0; at < output.size();) {
        size_t end = output.find('\n', at);
        end = end == std::string::npos ? output.size() : end;
        if (output.compare(at, start.size(), start) == 0) {
            rests.push_back(output.substr(at + start.size(), end - at - start.size()));
        }
        at = end + 1;
    }
    return rests;
}

// The example guide graph holds a malformed edge, a guide from the story plan (skipped) and
// partition walls of their own widths; the slab has a stair hole; the bedroom's container is
// moved 4 m up by its transform.
TEST(BuilderSessions, TheExampleSessionSavesWallsAHoledSlabAndLabelledZones) {
    const std::string saved = TempPath("builders.json");
    Outcome run = RunHost("--report " + TempPath("report.txt") + " --save " + saved + " run " +
                          TOLVA_SOURCE_DIR + "/examples/sessions/builders.json");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(PrintedAfter(run.output, "Walls: "), std::vector<std::string>{"6 created, result 0x00000000"});
    const std::vector<std::string> slabs = PrintedAfter(run.output, "Slab ");
    const std::vector<std::string> zones = PrintedAfter(run.output, "Zone ");
    ASSERT_EQ(slabs.size(), 1u) << run.output;
    ASSERT_EQ(zones.size(), 3u) << run.output;

    rapidjson::Document project;
    project.Parse<rapidjson::kParseFullPrecisionFlag>(ReadFile(saved).c_str());
    ASSERT_FALSE(project.HasParseError()) << ReadFile(saved);

    using Wall = std::tuple<Point, Point, double, double>; // begin, end, thickness, height
    std::vector<Wall> walls;
    std::vector<const rapidjson::Value*> slabElements;
    std::vector<const rapidjson::Value*> zoneElements;
    std::map<std::string, const rapidjson::Value*> labelsByZone;
    for (const auto& element : project["elements"].GetArray()) {
        const std::string type = element["type"].GetString();
        EXPECT_EQ(element["story"].GetInt(), 0) << type;
        if (type == "wall") {
            walls.emplace_back(PointOf(element["begin"]), PointOf(element["end"]),
                               element["thickness"].GetDouble(), element["height"].GetDouble());
            EXPECT_EQ(AttributeName(project, "layers", element["layer"]), "Tolva Unit Walls");
            EXPECT_EQ(AttributeName(project, "buildingMaterials", element["material"]), "Tolva Material");
        } else if (type == "slab") {
            slabElements.push_back(&element);
        } else if (type == "zone") {
            zoneElements.push_back(&element);
        } else if (type == "label") {
            labelsByZone[element["zone"].GetString()] = &element;
        } else {
            ADD_FAILURE() << "unexpected " << type;
        }
    }
    EXPECT_EQ(walls, (std::vector<Wall>{{{0, 0}, {10, 0}, 0.3, 3.0},
                                        {{10, 0}, {10, 8}, 0.3, 3.0},
                                        {{10, 8}, {0, 8}, 0.3, 3.0},
                                        {{0, 8}, {0, 0}, 0.3, 3.0},
                                        {{6, 0}, {6, 8}, 0.15, 3.0},
                                        {{0, 4}, {6, 4}, 0.1, 3.0}}));

    ASSERT_EQ(slabElements.size(), 1u);
    const rapidjson::Value& slab = *slabElements[0];
    EXPECT_EQ(slab["guid"].GetString(), slabs[0]);
    EXPECT_EQ(slab["thickness"].GetDouble(), 0.25);
    EXPECT_EQ(ContoursOf(slab["polygon"]),
              (std::vector<Contour>{{{6, 0}, {10, 0}, {10, 8}, {6, 8}, {6, 0}},
                                    {{7, 1.5}, {7, 3.5}, {9, 3.5}, {9, 1.5}, {7, 1.5}}}));

    struct Zone {
        std::string name;
        std::string category;
        Contour outline;
        Point stamp;
    };
    const Zone expected[] = {
        {"Living Room", "Living Area", {{0, 0}, {6, 0}, {6, 4}, {0, 4}, {0, 0}}, {2, 2}},
        {"Bedroom", "Bedroom", {{0, 4}, {6, 4}, {6, 8}, {0, 8}, {0, 4}}, {2, 6}},
        {"Küche", "Kitchen", {{6, 4}, {10, 4}, {10, 8}, {6, 8}, {6, 4}}, {7, 6}},
    };
    ASSERT_EQ(zoneElements.size(), 3u);
    for (size_t i = 0; i < zoneElements.size(); ++i) {
        const rapidjson::Value& zone = *zoneElements[i];
        const std::string guid = zone["guid"].GetString();
        EXPECT_EQ(guid, zones[i]);
        EXPECT_EQ(zone["name"].GetString(), expected[i].name);
        EXPECT_EQ(AttributeName(project, "zoneCategories", zone["category"]), expected[i].category);
        EXPECT_EQ(ContoursOf(zone["polygon"]), std::vector<Contour>{expected[i].outline}) << expected[i].name;
        EXPECT_EQ(PointOf(zone["stamp"]), expected[i].stamp) << expected[i].name;
        ASSERT_EQ(labelsByZone.count(guid), 1u) << expected[i].name;
        EXPECT_EQ((*labelsByZone[guid])["text"].GetString(), expected[i].name);
        EXPECT_EQ(PointOf((*labelsByZone[guid])["begin"]), expected[i].stamp) << expected[i].name;
    }
    EXPECT_EQ(labelsByZone.size(), 3u);
}

} // namespace
