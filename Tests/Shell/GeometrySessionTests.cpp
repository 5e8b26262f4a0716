#include "RunHost.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string Apartment = std::string(TOLVA_SOURCE_DIR) + "/examples/projects/apartment.json";
// The apartment's slab and its living room, by their GUIDs in the example.
const std::string Slab = "560F2569-FB9E-4580-A879-FEDF7FCDA1F7";
const std::string Bathroom = "2D606145-9873-449C-89D6-05F8268C9FD9";

TEST(GeometrySessions, CreateAnAutomaticZoneAndSearchZonesAtPoints) {
    std::string session = WriteTemp("zones.json", R"({"steps": [
        {"action": "auto-zone", "x": -3, "y": 4, "method": "referenceLine"},
        {"action": "find-zone", "x": 8, "y": 2}, {"action": "find-zone", "x": 20, "y": 2},
        {"action": "fault", "call": "ACAPI_Element_Create:Zone:InnerEdge", "code": -1},
        {"action": "auto-zone", "x": 3, "y": 4}]})");
    Outcome run = RunHost("--project " + Apartment + " run " + session);
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.output, "No zone at (-3, 4): 0x81060069\nZone search at (8, 2): " + Bathroom +
                              "\nZone search at (20, 2): none, 0x81060068\nNo zone at (3, 4): 0xFFFFFFFF\n");
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
