#include "ModelTestSupport.hpp"

#include "ACAPinc.h"
#include "StandIn/PlanDrawing.hpp"

#include <string>
#include <vector>

namespace {

size_t Count(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

using PlanDrawing = FreshModel;

TEST_F(PlanDrawing, ShowsTheStorysRoomsAndWhichWallsAreExterior) {
    StandIn::LoadProject(ExampleProject("two-story-house.json"));

    std::string ground = StandIn::DrawStory(0);
    EXPECT_EQ(Count(ground, "fill=\"#2b2b2b\""), 4u) << "four exterior walls";
    EXPECT_EQ(Count(ground, "fill=\"#9a9a9a\""), 1u) << "one interior wall";
    EXPECT_NE(ground.find(">Kitchen</text>"), std::string::npos);
    EXPECT_EQ(ground.find(">Storage</text>"), std::string::npos) << "the basement is another story";
    EXPECT_NE(StandIn::DrawStory(-1).find(">Storage</text>"), std::string::npos);
}

TEST_F(PlanDrawing, ShowsDoorsInTheirWallsLabelsFurnitureAndGridLines) {
    StandIn::LoadProject(ExampleProject("apartment.json"));
    API_Element grid = {};
    grid.header.type = API_ElemType(API_ObjectID, APIVarId_GridElement);
    StandIn::StoredMemo axis;
    axis.coords = {{2, 0}, {2, 8}};
    grid.object.libInd = 1;
    ASSERT_EQ(StandIn::PlantElement(&grid, &axis), NoError);

    std::string drawing = StandIn::DrawStory(0);
    EXPECT_EQ(Count(drawing, "stroke=\"#7a4a1a\" stroke-width=\"1.2\""), 3u) << "three door swings";
    // The entrance: 0.9 m wide at 3 m along the wall from (0, 0), cut through its 0.3 m.
    EXPECT_NE(
        drawing.find("<path d=\"M222.0 539.4 L276.0 539.4 L276.0 558.6 L222.0 558.6 Z \" fill=\"white\"/>"),
        std::string::npos);
    EXPECT_NE(drawing.find(">Open kitchen</text>"), std::string::npos);
    EXPECT_NE(drawing.find(">Sofa</text>"), std::string::npos);
    EXPECT_EQ(Count(drawing, "stroke-dasharray=\"12 3 2 3\""), 1u) << "one grid line";
}

TEST_F(PlanDrawing, DrawsAGridWithoutCoordinatesByItsLengthAlongItsAngle) {
    StandIn::LoadProject(ExampleProject("site-grid.json"));
    std::string drawing = StandIn::DrawStory(0);
    EXPECT_EQ(Count(drawing, "stroke-dasharray=\"12 3 2 3\""), 3u) << "three grid elements";
    // The axis of 24 m from (1000, 2009) along x, on a canvas from (1000, 2000) to (1024, 2018).
    EXPECT_NE(drawing.find("<path d=\"M60.0 600.0 L1500.0 600.0 \" fill=\"none\" stroke=\"#c03030\""),
              std::string::npos)
        << drawing;
}

TEST_F(PlanDrawing, OutlinesAWallTrimmedByASolidOperationButNotTheWallThatTrimsIt) {
    API_Element target = Wall(0, 0, 4, 0);
    API_Element trimming = Wall(4, 0, 4, 3);
    ASSERT_EQ(StandIn::PlantElement(&target, nullptr), NoError);
    ASSERT_EQ(StandIn::PlantElement(&trimming, nullptr), NoError);
    const std::string outlined = "stroke=\"#e040fb\"";
    const std::string plain = "stroke=\"black\" stroke-width=\"0.5\"";
    EXPECT_EQ(Count(StandIn::DrawStory(0), outlined), 0u);
    ASSERT_EQ(InStep([&] {
                  return ACAPI_Element_SolidLink_Create(target.header.guid, trimming.header.guid,
                                                        APISolid_Substract, 0);
              }),
              NoError);
    std::string drawing = StandIn::DrawStory(0);
    EXPECT_EQ(Count(drawing, outlined), 1u);
    EXPECT_EQ(Count(drawing, plain), 1u);
}

TEST_F(PlanDrawing, EscapesNamesAndDrawsAnEmptyStory) {
    API_Element zone = {};
    zone.header.type = API_ZoneID;
    API_ElementMemo memo = {};
    ASSERT_EQ(ACAPI_Element_GetDefaults(&zone, &memo), NoError);
    StandIn::StoredMemo square;
    square.coords = {{0, 0}, {0, 0}, {3, 0}, {3, 3}, {0, 3}, {0, 0}};
    square.pends = {0, 5};
    ACAPI_DisposeElemMemoHdls(&memo);
    GS::ucsncpy(zone.zone.roomName, GS::UniString("Kids <&> Guests").ToUStr().Get(), API_UniLongNameLen);
    ASSERT_EQ(StandIn::PlantElement(&zone, &square), NoError);
    EXPECT_NE(StandIn::DrawStory(0).find(">Kids &lt;&amp;&gt; Guests</text>"), std::string::npos);
    std::string empty = StandIn::DrawStory(5);
    EXPECT_EQ(empty.rfind("<svg", 0), 0u);
    EXPECT_EQ(Count(empty, "<path"), 2u) << "only the scale bar and the north arrow";
}

// The zones' fill colours in the order they are drawn.
std::vector<std::string> ZoneFills(const std::string& drawing) {
    std::vector<std::string> fills;
    const std::string zoneFill = "\" fill-rule=\"evenodd\" stroke=\"#8a8a8a\"";
    for (size_t at = drawing.find(zoneFill); at != std::string::npos; at = drawing.find(zoneFill, at + 1)) {
        const size_t fill = drawing.rfind("fill=\"", at) + 6;
        fills.push_back(drawing.substr(fill, at - fill));
    }
    return fills;
}

// A square zone from the origin with the side (m), in the category of that index.
void PlantSquareZone(double side, Int32 category) {
    API_Element zone = {};
    zone.header.type = API_ZoneID;
    ASSERT_EQ(ACAPI_Element_GetDefaults(&zone, nullptr), NoError);
    zone.zone.catInd = ACAPI_CreateAttributeIndex(category);
    StandIn::StoredMemo square;
    square.coords = {{0, 0}, {0, 0}, {side, 0}, {side, side}, {0, side}, {0, 0}};
    square.pends = {0, 5};
    ASSERT_EQ(StandIn::PlantElement(&zone, &square), NoError);
}

TEST_F(PlanDrawing, FillsTheLargerZonesFirstSoRoomsInsideAUnitShow) {
    PlantSquareZone(6, 1);
    PlantSquareZone(4, 3);
    PlantSquareZone(2, 2);
    const std::vector<std::string> largestFirst = ZoneFills(StandIn::DrawStory(0));
    ASSERT_EQ(largestFirst.size(), 3u);
    EXPECT_NE(largestFirst[0], largestFirst[1]);
    EXPECT_NE(largestFirst[1], largestFirst[2]);

    StandIn::ResetHost();
    PlantSquareZone(2, 2);
    PlantSquareZone(6, 1);
    PlantSquareZone(4, 3);
    EXPECT_EQ(ZoneFills(StandIn::DrawStory(0)), largestFirst);
}

} // namespace
