#include "GuideElements.hpp"
#include "JSCommands/LineCommands.hpp"
#include "StandIn/Faults.hpp"
#include "StandIn/JSONText.hpp"

namespace {

using JSCommands::GuideGeometry::Polyline;

class Centerlines : public GuideElements {
protected:
    static std::string Answer() { return JS::ToJSONText(JSCommands::LineCommands::GetCenterlines({})); }
    // The element's polylines as [[x, y, z], ...] texts in metres, or its error text.
    static std::vector<std::string> Extracted(const API_Guid& element) {
        GS::Array<Polyline> polylines = {Polyline{{9, 9, 9}}};
        GS::UniString error = "earlier";
        JSCommands::LineCommands::ExtractLineGeometry(element, polylines, error);
        if (!error.IsEmpty()) {
            EXPECT_TRUE(polylines.IsEmpty());
            return {error.ToCStr().Get()};
        }
        std::vector<std::string> texts;
        for (const Polyline& polyline : polylines) {
            std::string text;
            for (const API_Coord3D& p : polyline) {
                text += GS::UniString::Printf("[%g, %g, %g]", p.x, p.y, p.z).ToCStr().Get();
            }
            texts.push_back(text);
        }
        return texts;
    }
};

TEST_F(Centerlines, LinesAndPolylinesAtTheirStoryLevel) {
    ThreeStories(1.5);
    StandIn::SelectElements(
        {Line({0, 0}, {4, 0}, 0), PolylineElement({{0, 0}, {1, 0}, {1, 1}, {2, 1}, {2, 2}}, 2)});
    EXPECT_EQ(Answer(), R"({"name":"centerline","color":"#000000","type":"group","items":[)"
                        R"({"type":"polyline","points":[[0,0,0],[4000,0,0]]},)"
                        R"({"type":"polyline","points":[[0,0,8000],[1000,0,8000],[1000,1000,8000],)"
                        R"([2000,1000,8000],[2000,2000,8000]]}]})")
        << "floor 0 is at 0 whatever its level; floor 2 at its level of 1.5 + 6.5 m";
    EXPECT_EQ(Lines(),
              std::vector<std::string>{"[INFO] LineCommands: Retrieved 2 line segment(s) from 2 line(s)"});
}

TEST_F(Centerlines, PointsAreRelativeToTheGeoLocation) {
    ThreeStories();
    StandIn::Settings().geoLocation.surveyPointPosition = {10, -20, 5};
    EXPECT_EQ(Extracted(Line({12, -18}, {10, -20}, 1)), std::vector<std::string>{"[2, 2, 3][0, 0, 3]"});
    StandIn::Faults::Arm("ACAPI_GeoLocation_GetGeoLocation", APIERR_GENERAL);
    EXPECT_EQ(Extracted(PolylineElement({{12, -18}, {10, -20}}, 1)),
              std::vector<std::string>{"[12, -18, 3][10, -20, 3]"});
    StandIn::Faults::Arm("ACAPI_ProjectSetting_GetStorySettings", APIERR_GENERAL);
    EXPECT_EQ(Extracted(Line({12, -18}, {10, -20}, 1)), std::vector<std::string>{"[2, 2, 0][0, 0, 0]"})
        << "no story level: 0";
    EXPECT_EQ(StandIn::Faults::CallCount("ACAPI_ProjectSetting_GetStorySettings"), 3);
    Extracted(Line({0, 0}, {1, 0}, 0));
    EXPECT_EQ(StandIn::Faults::CallCount("ACAPI_ProjectSetting_GetStorySettings"), 3)
        << "floor 0 asks nothing";
}

TEST_F(Centerlines, AStoryTheHostDoesNotKnowIsAtZero) {
    ThreeStories(1.5);
    API_Element line = {};
    line.header.type = API_LineID;
    line.header.floorInd = 7;
    line.line.endC = {1, 0};
    ASSERT_EQ(StandIn::PlantElement(&line, nullptr), NoError);
    EXPECT_EQ(Extracted(line.header.guid), std::vector<std::string>{"[0, 0, 0][1, 0, 0]"});
}

TEST_F(Centerlines, ElementsThatCannotBeExportedAreSkippedWithAWarning) {
    const API_Guid shortPolyline = PolylineElement({{0, 0}, {1, 0}});
    StandIn::TheModel().elements.back().memo->coords.resize(2);
    const API_Guid noCoordinates = PolylineElement({{0, 0}, {1, 0}});
    StandIn::TheModel().elements.back().memo->coords.clear();
    const API_Guid good = Line({0, 0}, {1, 0});
    EXPECT_EQ(Extracted(shortPolyline), std::vector<std::string>{"Polyline has insufficient coordinates"});
    EXPECT_EQ(Extracted(noCoordinates), std::vector<std::string>{"Polyline has no coordinates"});
    EXPECT_EQ(Extracted(Wall()), std::vector<std::string>{"Unsupported element type: 1"});
    StandIn::Faults::Arm("ACAPI_Element_GetMemo", APIERR_GENERAL);
    EXPECT_EQ(Extracted(PolylineElement({{0, 0}, {1, 0}})),
              std::vector<std::string>{"Failed to get element memo: error code -2130313215"});
    StandIn::Faults::Arm("ACAPI_Element_Get", APIERR_BADID);
    EXPECT_EQ(Extracted(good), std::vector<std::string>{"Failed to get element: error code -2130313115"});

    ClearReport();
    StandIn::SelectElements({shortPolyline, good, noCoordinates});
    EXPECT_EQ(Answer(), R"({"name":"centerline","color":"#000000","type":"group","items":[)"
                        R"({"type":"polyline","points":[[0,0,0],[1000,0,0]]}]})");
    EXPECT_EQ(Lines(),
              (std::vector<std::string>{
                  "[WARNING] LineCommands: Failed to extract line geometry: Polyline has insufficient "
                  "coordinates",
                  "[WARNING] LineCommands: Failed to extract line geometry: Polyline has no coordinates",
                  "[INFO] LineCommands: Retrieved 1 line segment(s) from 3 line(s)"}));
    ClearReport();
    StandIn::SelectElements({shortPolyline, noCoordinates});
    EXPECT_EQ(Answer(),
              R"("{\"success\":false,\"error\":\"Failed to extract geometry from any line elements\"}")");
    EXPECT_EQ(Lines().back(), "[ERROR] API: Failed to extract geometry from any line elements");
}

TEST_F(Centerlines, OnlyLinesAndPolylinesOfTheSelectionCount) {
    StandIn::SelectElements({Wall(), Grid({{0, 0}, {1, 0}})});
    EXPECT_EQ(Answer(),
              R"("{\"success\":false,\"error\":\"No line elements selected. Please select at least one )"
              R"(line or polyline.\"}")");
    EXPECT_EQ(Lines(),
              std::vector<std::string>{
                  "[ERROR] API: No line elements selected. Please select at least one line or polyline."});
    const API_Guid polyline = PolylineElement({{0, 0}, {1, 0}});
    const API_Guid line = Line({0, 0}, {1, 0});
    StandIn::SelectElements({polyline, Wall(), line});
    EXPECT_EQ(JSCommands::LineCommands::GetSelectedLines(), (GS::Array<API_Guid>{polyline, line}));
    ClearReport();
    StandIn::Faults::Arm("ACAPI_Selection_Get", APIERR_GENERAL);
    EXPECT_TRUE(JSCommands::LineCommands::GetSelectedLines().IsEmpty());
    EXPECT_EQ(Lines(), std::vector<std::string>{"[ERROR] LineCommands: Failed to get selection"});
}

} // namespace
