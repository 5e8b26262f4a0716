#include "GuideElements.hpp"
#include "JSCommands/GridCommands.hpp"
#include "StandIn/Faults.hpp"
#include "StandIn/JSONText.hpp"

#include <limits>
#include <numbers>

namespace {

using JSCommands::GridCommands::ExtractGridLines;
using JSCommands::GuideGeometry::Polyline;

class Gridlines : public GuideElements {
protected:
    static std::string Answer() { return JS::ToJSONText(JSCommands::GridCommands::GetGridlines({})); }
    static std::vector<std::vector<double>> Points(const GS::Array<Polyline>& lines) {
        std::vector<std::vector<double>> points;
        for (const Polyline& line : lines) {
            for (const API_Coord3D& p : line) {
                points.push_back({p.x, p.y, p.z});
            }
        }
        return points;
    }
};

TEST_F(Gridlines, FourCoordinatesGiveThreeLinesAtTheGridsLevel) {
    const API_Guid grid =
        Grid({{0, 0}, {5, 0}, {5, 2.5}, {0, 2.5}}, {{Parameter("AC_Length", 99)}}, {0, 0}, 0, 0.25);
    StandIn::SelectElements({grid});
    EXPECT_EQ(Answer(), R"({"name":"grid_lines","color":"#000000","type":"group","items":[)"
                        R"({"type":"polyline","points":[[0,0,250],[5000,0,250]]},)"
                        R"({"type":"polyline","points":[[5000,0,250],[5000,2500,250]]},)"
                        R"({"type":"polyline","points":[[5000,2500,250],[0,2500,250]]}]})")
        << "the coordinates win over the length";
    EXPECT_EQ(Lines(), std::vector<std::string>{
                           "[INFO] GridCommands: Retrieved 3 grid line(s) from 1 grid element(s)"});
}

TEST_F(Gridlines, ALengthAlongTheAngleGivesOneLine) {
    const API_Guid alongX = Grid({}, {{Parameter("A", 1), Parameter("AC_Length", 12.5)}}, {2, 3}, 0, 0);
    GS::Array<Polyline> lines;
    GS::UniString error;
    ASSERT_TRUE(ExtractGridLines(alongX, lines, error));
    EXPECT_EQ(Points(lines), (std::vector<std::vector<double>>{{2, 3, 0}, {14.5, 3, 0}}));

    const API_Guid upwards = Grid({{7, 7}}, {{Parameter("AC_Length", 2)}}, {1, 1}, std::numbers::pi / 2, 0.5);
    lines.Clear();
    ASSERT_TRUE(ExtractGridLines(upwards, lines, error)) << "one coordinate is no line";
    ASSERT_EQ(lines.GetSize(), 1u);
    EXPECT_NEAR(lines[0][1].x, 1.0, 1e-12);
    EXPECT_DOUBLE_EQ(lines[0][1].y, 3.0);
    EXPECT_EQ(lines[0][1].z, 0.5);
}

TEST_F(Gridlines, EveryPointIsRelativeToTheGeoLocation) {
    StandIn::Settings().geoLocation.surveyPointPosition = {100, 200, 0};
    const API_Guid byCoordinates = Grid({{100, 200}, {105, 200}});
    const API_Guid byLength = Grid({}, {{Parameter("AC_Length", 12.5)}}, {101, 202});
    StandIn::SelectElements({byCoordinates, byLength});
    const std::string expected = R"({"name":"grid_lines","color":"#000000","type":"group","items":[)"
                                 R"({"type":"polyline","points":[[0,0,0],[5000,0,0]]},)"
                                 R"({"type":"polyline","points":[[1000,2000,0],[13500,2000,0]]}]})";
    EXPECT_EQ(Answer(), expected);
    StandIn::Faults::Arm("ACAPI_Element_NeigToCoord", APIERR_GENERAL);
    EXPECT_EQ(Answer(), expected) << "the placement point stands in for the host's point";
    StandIn::Faults::Arm("ACAPI_GeoLocation_GetGeoLocation", APIERR_GENERAL, 2);
    EXPECT_EQ(Answer(), R"({"name":"grid_lines","color":"#000000","type":"group","items":[)"
                        R"({"type":"polyline","points":[[100000,200000,0],[105000,200000,0]]},)"
                        R"({"type":"polyline","points":[[101000,202000,0],[113500,202000,0]]}]})")
        << "no shift when the host cannot tell the geo-location";
}

TEST_F(Gridlines, GridsThatCannotBeExportedAreSkippedWithAWarning) {
    const API_Guid noParameters = Grid({{0, 0}, {1, 0}}, std::nullopt);
    const API_Guid noLength = Grid({}, {{Parameter("AC_Length", 0)}});
    const API_Guid badLength = Grid({}, {{Parameter("AC_Length", std::numeric_limits<double>::quiet_NaN())}});
    const API_Guid good = Grid({{0, 0}, {1, 0}});
    StandIn::SelectElements({noParameters, noLength, badLength, good});
    EXPECT_EQ(Answer(), R"({"name":"grid_lines","color":"#000000","type":"group","items":[)"
                        R"({"type":"polyline","points":[[0,0,0],[1000,0,0]]}]})");
    const std::string noData =
        "[WARNING] GridCommands: Failed to extract grid lines: Grid length parameter not "
        "found or invalid, and no coordinate data available";
    EXPECT_EQ(Lines(),
              (std::vector<std::string>{
                  "[WARNING] GridCommands: Failed to extract grid lines: Grid element has no parameters",
                  noData, noData, "[INFO] GridCommands: Retrieved 1 grid line(s) from 4 grid element(s)"}));

    ClearReport();
    StandIn::Faults::Arm("ACAPI_Element_GetMemo", APIERR_GENERAL);
    StandIn::SelectElements({good});
    EXPECT_EQ(Answer(),
              R"({"error":"Failed to extract grid lines from selected grids. Check if they are valid )"
              R"(grid elements."})");
    EXPECT_EQ(Lines(),
              (std::vector<std::string>{
                  "[WARNING] GridCommands: Failed to extract grid lines: Failed to get element memo",
                  "[ERROR] GridCommands: Failed to extract grid lines from selected grids. Check if they "
                  "are valid grid elements."}));
    GS::Array<Polyline> lines;
    GS::UniString error;
    StandIn::Faults::Arm("ACAPI_Element_Get", APIERR_GENERAL);
    EXPECT_FALSE(ExtractGridLines(good, lines, error));
    EXPECT_EQ(error, GS::UniString("Failed to get grid element"));
}

TEST_F(Gridlines, OnlyGridElementsOfTheSelectionCount) {
    const API_Guid wall = Wall();
    API_Element furniture = {};
    furniture.header.type = API_ObjectID;
    furniture.object.libInd = 1;
    ASSERT_EQ(StandIn::PlantElement(&furniture, nullptr), NoError);
    StandIn::SelectElements({wall, furniture.header.guid, Line({0, 0}, {1, 0})});
    const std::string none = R"({"error":"No grid elements selected. Please select at least one grid."})";
    EXPECT_EQ(Answer(), none);
    EXPECT_EQ(Lines(),
              std::vector<std::string>{
                  "[ERROR] GridCommands: No grid elements selected. Please select at least one grid."});
    ClearReport();
    const API_Guid second = Grid({{0, 0}, {1, 0}});
    const API_Guid first = Grid({{0, 0}, {2, 0}});
    StandIn::SelectElements({wall, second, first});
    EXPECT_EQ(JSCommands::GridCommands::GetSelectedGrids(), (GS::Array<API_Guid>{second, first}));
    StandIn::Faults::Arm("ACAPI_Selection_Get", APIERR_GENERAL);
    EXPECT_EQ(Answer(), none);
    EXPECT_EQ(Lines().front(), "[ERROR] GridCommands: Failed to get selection");
}

} // namespace
