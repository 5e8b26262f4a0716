#include "RunHost.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string Apartment = std::string(TOLVA_SOURCE_DIR) + "/examples/projects/apartment.json";
// The apartment's slab and its living room, by their GUIDs in the example.
const std::string Slab = "560F2569-FB9E-4580-A879-FEDF7FCDA1F7";
const std::string Bathroom = "2D606145-9873-449C-89D6-05F8268C9FD9";
const std::string Masses = std::string(TOLVA_SOURCE_DIR) + "/examples/projects/masses.json";

size_t LinesStartingWith(const std::string& text, const std::string& start) {
    size_t count = 0;
    for (size_t at = 0; at < text.size(); at = text.find('\n', at) + 1) {
        count += text.compare(at, start.size(), start) == 0 ? 1 : 0;
        if (text.find('\n', at) == std::string::npos) {
            break;
        }
    }
    return count;
}

TEST(GeometrySessions, CreateAnAutomaticZoneAndSearchZonesAtPoints) {
    std::string session = WriteTemp("zones.json", R"({"steps": [
        {"action": "auto-zone", "x": -3, "y": 4, "method": "referenceLine"},
        {"action": "find-zone", "x": 8, "y": 2}, {"action": "find-zone", "x": 20, "y": 2},
        {"action": "fault", "call": "ACAPI_Element_Create:Zone:InnerEdge", "code": -1},
        {"action": "auto-zone", "x": 3, "y": 4}]})");
    Outcome run = RunHost("--project " + Apartment + " run " + session);
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.output, CachesEmptied +
                              "No zone at (-3, 4): 0x81060069\nZone search at (8, 2): " + Bathroom +
                              "\nZone search at (20, 2): none, 0x81060068\nNo zone at (3, 4): 0xFFFFFFFF\n" +
                              CachesEmptied);
    std::string created = WriteTemp("created.json", R"({"steps": [{"action": "auto-zone", "x": 3, "y": 4,
        "name": "Hall"}, {"action": "select", "name": "Hall"}]})");
    run = RunHost("--project " + Apartment + " run " + created);
    EXPECT_NE(run.output.find("at (3, 4): 5 coordinates in 1 contours\n"), std::string::npos) << run.output;
}

TEST(GeometrySessions, PrintTheBodiesOfAnElement) {
    std::string session = WriteTemp("bodies.json", R"({"steps": [
        {"action": "bodies", "guids": [")" + Slab + R"("]}, {"action": "bodies", "type": "line"}]})");
    Outcome run = RunHost("--project " + Apartment + " run " + session);
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("Element " + Slab +
                              ": bodies 7 to 7\nBody 7: 8 vertices, 12 edges, 6 polygons, "
                              "material 3\n  vertex 1: -0.15 -0.15 -0.25\n"),
              std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find("  polygon 2 (status 0): 5 6 7 8\n"), std::string::npos);
}

TEST(GeometrySessions, WriteTheBuildingMassesThePageReceivedAsObj) {
    const std::string obj = TempPath("masses.obj");
    std::string session = WriteTemp("masses.json", R"({"steps": [{"action": "select", "type": "morph"},
        {"action": "call", "command": "getBuildingMassAsJson"}]})");
    Outcome run = RunHost("--project " + Masses + " --obj " + obj + " run " + session);
    ASSERT_EQ(run.status, 0) << run.output;
    const std::string text = ReadFile(obj);
    EXPECT_EQ(text.rfind("mtllib " + obj.substr(obj.rfind('/') + 1, obj.size() - obj.rfind('/') - 5) +
                             ".mtl\no mesh1\nusemtl color_aaaaaa\nv 4000 4000 0\n",
                         0),
              0u)
        << text.substr(0, 200);
    // A box, an L-shaped block, a block round a courtyard and a turned box.
    EXPECT_EQ(LinesStartingWith(text, "o "), 4u);
    EXPECT_EQ(LinesStartingWith(text, "v "), 8u + 12u + 16u + 8u);
    EXPECT_EQ(LinesStartingWith(text, "f "), 12u + 20u + 32u + 12u);
    EXPECT_NE(text.find("\nf 41 42 43\n"), std::string::npos) << "faces count vertices over the whole file";
    EXPECT_EQ(ReadFile(obj.substr(0, obj.size() - 4) + ".mtl"),
              "newmtl color_aaaaaa\nKd 0.6666666667 0.6666666667 "
              "0.6666666667\n");
}

TEST(GeometrySessions, WriteTheContextWithItsGroupsAndColoursAsObj) {
    const std::string obj = TempPath("context.obj");
    std::string session = WriteTemp("context.json", R"({"steps": [{"action": "select", "type": "object"},
        {"action": "call", "command": "getContext"}, {"action": "select", "type": "wall"},
        {"action": "call", "command": "getContext"}]})");
    Outcome run = RunHost("--project " + Masses + " --obj " + obj + " run " + session);
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("the answer of ACAPI.getContext holds no meshes; " + obj + " is left as it is"),
              std::string::npos)
        << run.output;
    const std::string text = ReadFile(obj);
    EXPECT_NE(text.find("o custom_geometry/groups/group1/mesh3\nusemtl color_ffffff\n"), std::string::npos)
        << text;
    EXPECT_NE(text.find("o custom_geometry/objects/object1/mesh1\nusemtl color_99734d\n"), std::string::npos);
    EXPECT_EQ(ReadFile(obj.substr(0, obj.size() - 4) + ".mtl"),
              "newmtl color_99734d\nKd 0.6 0.4509803922 0.3019607843\nnewmtl color_ffffff\nKd 1 1 1\n");
}

TEST(GeometrySessions, TheMassesExampleSessionWritesEveryContextMesh) {
    const std::string obj = TempPath("example.obj");
    Outcome run = RunHost("--project " + Masses + " --obj " + obj + " run " + TOLVA_SOURCE_DIR +
                          "/examples/sessions/masses-context.json");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("Context JSON generated: 10 elements extracted"), std::string::npos)
        << run.output;
    EXPECT_EQ(LinesStartingWith(ReadFile(obj), "o "), 10u);
}

TEST(GeometrySessions, RefuseAZoneStepWithoutAPoint) {
    std::string session = WriteTemp("bad.json", R"({"steps": [{"action": "auto-zone", "x": 1}]})");
    Outcome run = RunHost("--project " + Apartment + " run " + session);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("Session step 1: \"y\" must be a number"), std::string::npos) << run.output;
}

} // namespace

namespace {

// A site with a survey point at (1000, 2000) m: grid axes by coordinates and by length, a line on
// the ground floor and a polyline on the first floor (3.2 m up).
TEST(GeometrySessions, ThePageGetsTheSiteGridAndCentreLinesFromTheSurveyPoint) {
    std::string session = WriteTemp("guides.json", R"({"steps": [
        {"action": "select", "type": "grid"}, {"action": "call", "command": "getGridlines"},
        {"action": "select", "type": "polyline"}, {"action": "call", "command": "getCenterlines"},
        {"action": "select", "type": "wall"}, {"action": "call", "command": "getGridlines"}]})");
    Outcome run = RunHost("--report " + TempPath("report.txt") + " --project " +
                          std::string(TOLVA_SOURCE_DIR) + "/examples/projects/site-grid.json run " + session);
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.output,
              R"(ACAPI.getGridlines: {"name":"grid_lines","color":"#000000","type":"group","items":[)"
              R"({"type":"polyline","points":[[0,0,0],[24000,0,0]]},)"
              R"({"type":"polyline","points":[[24000,0,0],[24000,18000,0]]},)"
              R"({"type":"polyline","points":[[0,9000,0],[24000,9000,0]]},)"
              R"({"type":"polyline","points":[[12000,0,0],[12000.000000000002,18000,0]]}]})"
              "\n"
              R"(ACAPI.getCenterlines: {"name":"centerline","color":"#000000","type":"group","items":[)"
              R"({"type":"polyline","points":[[2000,4000,3200],[10000,4000,3200],[10000,16000,3200],)"
              R"([22000,16000,3200]]}]})"
              "\n"
              R"(ACAPI.getGridlines: {"error":"No grid elements selected. Please select at least one grid."})"
              "\n");
}

} // namespace
