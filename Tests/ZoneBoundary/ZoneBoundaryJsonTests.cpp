#include "ZoneBoundaryTestSupport.hpp"

#include "Main/ProjectEvents.hpp"
#include "StandIn/Faults.hpp"

#include "ZoneBoundary/WallBoundaryMatcher.hpp"
#include "ZoneBoundary/WallPropertyAnalyzer.hpp"
#include "ZoneBoundary/ZoneBoundaryCommands.hpp"

#include <string>

namespace {

std::string Segment(const char* type, const char* from, const char* to) {
    return std::string("{\"type\":\"") + type + "\",\"lineSegment\":{\"type\":\"line_segment\",\"points\":[" +
           from + "," + to + "]}}";
}

// A 4 m by 3 m room: exterior walls south and east, an interior wall north, no wall west.
class Room : public RoomModel {
protected:
    void SetUp() override {
        RoomModel::SetUp();
        south = AddWall(0, 0, 4, 0, true);
        east = AddWall(4, 0, 4, 3, true);
        north = AddWall(4, 3, 0, 3);
        zone = AddZone({{{0, 0}, {4, 0}, {4, 3}, {0, 3}}});
    }
    API_Guid south, east, north, zone;
};

TEST_F(Room, BoundaryJsonClassifiesEveryEdgeByTheFirstWallAlongIt) {
    const std::string expected =
        "{\"bounds\":{\"type\":\"polygon\",\"polylines\":[{\"type\":\"polyline\",\"points\":"
        "[[0,0,0],[4000,0,0],[4000,3000,0],[0,3000,0],[0,0,0]]}]},\"adjacentSegments\":[" +
        Segment("outer", "[0,0,0]", "[4000,0,0]") + "," + Segment("outer", "[4000,0,0]", "[4000,3000,0]") +
        "," + Segment("simple", "[4000,3000,0]", "[0,3000,0]") + "," +
        Segment("simple", "[0,3000,0]", "[0,0,0]") + "]}";
    EXPECT_EQ(JSCommands::ExtractZoneBoundaryAsJSON(zone).ToCStr().Get(), expected);
    EXPECT_TRUE(Reported("[INFO] ZoneBoundaryCommands: Selected 3 walls total: 2 exterior, 1 interior"));
}

TEST_F(Room, OnlyWallsNearTheRoomOnItsOwnStoryAreConsidered) {
    AddWall(20, 0, 30, 0, true);
    AddWall(0, 3, 4, 3, true, 1);  // above the interior wall, on the next story
    AddWall(0, 3, 0, 0, true, -1); // below the open west side
    const std::string json = JSCommands::ExtractZoneBoundaryAsJSON(zone).ToCStr().Get();
    EXPECT_TRUE(Reported("[INFO] ZoneBoundaryCommands: Selected 3 walls total: 2 exterior, 1 interior"));
    EXPECT_NE(json.find(Segment("simple", "[4000,3000,0]", "[0,3000,0]")), std::string::npos);
    EXPECT_NE(json.find(Segment("simple", "[0,3000,0]", "[0,0,0]")), std::string::npos);

    GS::Array<API_Guid> walls;
    ASSERT_EQ(WallBoundaryMatcher::FindBoundaryWalls(zone, walls), NoError);
    EXPECT_EQ(walls.GetSize(), 3u);
    EXPECT_TRUE(walls.Contains(south) && walls.Contains(east) && walls.Contains(north));
    EXPECT_TRUE(Reported("[INFO] WallBoundaryMatcher: Found 3 walls matching zone boundary"));
}

TEST_F(Room, TheJsonAndTheBoundaryWallsReadEachWallOnce) {
    AddWall(0, 3, 0, 0, true, 1);
    auto wallReads = [] { return StandIn::Faults::CallCount("ACAPI_Element_Get:Wall"); };
    const Int32 before = wallReads();
    JSCommands::ExtractZoneBoundaryAsJSON(zone);
    EXPECT_EQ(wallReads() - before, 4);
    GS::Array<API_Guid> walls;
    ASSERT_EQ(WallBoundaryMatcher::FindBoundaryWalls(zone, walls), NoError);
    EXPECT_EQ(wallReads() - before, 8);
}

TEST_F(Room, AFailedWallListGivesNoJsonRatherThanEdgesWithoutWalls) {
    StandIn::Faults::Arm("ACAPI_Element_GetElemList", APIERR_MEMFULL);
    EXPECT_TRUE(JSCommands::ExtractZoneBoundaryAsJSON(zone).IsEmpty());
    EXPECT_TRUE(Reported("[ERROR] WallBoundaryMatcher: Failed to get wall list: -2130313214"));
}

TEST_F(Room, AZoneWithoutAPolygonGivesNoJsonAndNoWalls) {
    EXPECT_TRUE(JSCommands::ExtractZoneBoundaryAsJSON(north).IsEmpty());
    EXPECT_TRUE(Reported("[ERROR] ZoneBoundaryCommands: Zone has no polygon coordinates"));
    GS::Array<API_Guid> walls;
    EXPECT_EQ(WallBoundaryMatcher::FindBoundaryWalls(north, walls), APIERR_BADPARS);
    EXPECT_TRUE(Reported(
        "[ERROR] WallBoundaryMatcher: Error extracting zone boundary: Zone has no polygon coordinates"));
}

TEST_F(Room, AWallMatchingSeveralEdgesIsListedOnce) {
    const API_Guid around = AddZone({{{0, 0}, {2, 0}, {4, 0}, {4, 3}, {0, 3}}});
    GS::Array<API_Guid> walls;
    ASSERT_EQ(WallBoundaryMatcher::FindBoundaryWalls(around, walls), NoError);
    EXPECT_EQ(walls.GetSize(), 3u);
    EXPECT_EQ(walls[0], south);
}

// Each case starts as a freshly opened project, with the "Position" property not yet looked up.
class ExteriorWalls : public RoomModel {
protected:
    void SetUp() override {
        RoomModel::SetUp();
        WallPropertyAnalyzer::ForgetPositionProperty();
    }
};

TEST_F(ExteriorWalls, AreFoundByTheirChoiceAlsoInAGermanProject) {
    StandIn::Properties().language = StandIn::ProjectLanguage::German;
    const API_Guid outside = AddWall(0, 0, 4, 0, true);
    const API_Guid inside = AddWall(0, 3, 4, 3);
    SetPosition(inside, "Interior");
    EXPECT_TRUE(WallPropertyAnalyzer::IsExteriorWall(outside));
    EXPECT_FALSE(WallPropertyAnalyzer::IsExteriorWall(inside));
    EXPECT_FALSE(WallPropertyAnalyzer::IsExteriorWall(AddWall(0, 0, 0, 3))) << "undefined";
}

TEST_F(ExteriorWalls, AreFoundByTheirTextWhenPositionIsNotAChoice) {
    StandIn::Properties().position = StandIn::PositionDefinition::NotEnumeration;
    const API_Guid wall = AddWall(0, 0, 4, 0);
    EXPECT_FALSE(WallPropertyAnalyzer::IsExteriorWall(wall));
    GS::Array<API_PropertyDefinition> definitions;
    ASSERT_EQ(ACAPI_Element_GetPropertyDefinitions(wall, API_PropertyDefinitionFilter_BuiltIn, definitions),
              NoError);
    API_Property property = {};
    ASSERT_EQ(ACAPI_Element_GetPropertyValue(wall, definitions[0].guid, property), NoError);
    property.value.singleVariant.variant.uniStringValue = "External wall";
    property.isDefault = false;
    ASSERT_EQ(InStep([&] { return ACAPI_Element_SetProperty(wall, property); }), NoError);
    EXPECT_TRUE(WallPropertyAnalyzer::IsExteriorWall(wall));
    StandIn::Properties().forcedStatus = API_VariantStatusUserUndefined;
    EXPECT_FALSE(WallPropertyAnalyzer::IsExteriorWall(wall));
}

TEST_F(ExteriorWalls, AFailedSearchForThePositionPropertyIsMadeAgainOnTheNextCall) {
    const API_Guid wall = AddWall(0, 0, 4, 0, true);
    StandIn::Faults::Arm("ACAPI_Element_GetPropertyDefinitions", APIERR_MEMFULL);
    EXPECT_FALSE(WallPropertyAnalyzer::IsExteriorWall(wall)) << "the host failed the search";
    EXPECT_TRUE(WallPropertyAnalyzer::IsExteriorWall(wall));
}

TEST_F(ExteriorWalls, APositionPropertyNotFoundIsSearchedForAgain) {
    StandIn::Properties().position = StandIn::PositionDefinition::Missing;
    const API_Guid wall = AddWall(0, 0, 4, 0);
    EXPECT_FALSE(WallPropertyAnalyzer::IsExteriorWall(wall));
    StandIn::Properties().position = StandIn::PositionDefinition::SingleChoice;
    SetPosition(wall, "Exterior");
    EXPECT_TRUE(WallPropertyAnalyzer::IsExteriorWall(wall));
}

TEST_F(ExteriorWalls, TheFoundPositionPropertyIsSearchedForAgainAfterAProjectEvent) {
    const API_Guid wall = AddWall(0, 0, 4, 0, true);
    auto searches = [] { return StandIn::Faults::CallCount("ACAPI_Element_GetPropertyDefinitions"); };
    EXPECT_TRUE(WallPropertyAnalyzer::IsExteriorWall(wall));
    const Int32 before = searches();
    EXPECT_TRUE(WallPropertyAnalyzer::IsExteriorWall(wall));
    EXPECT_EQ(searches(), before) << "found once, kept";
    EXPECT_EQ(ProjectEventHandler(APINotify_Open, 0), NoError);
    EXPECT_TRUE(WallPropertyAnalyzer::IsExteriorWall(wall));
    EXPECT_EQ(searches(), before + 1);
}

} // namespace
