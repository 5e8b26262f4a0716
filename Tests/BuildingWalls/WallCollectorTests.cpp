#include "Browser/ReportLines.hpp"
#include "Builders/WallCollectors.hpp"
#include "BuildingSupport.hpp"
#include "SegmentSupport.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using namespace Tolva::Builders::BuildingOrchestrator;
using ::testing::Contains;
using ::testing::Not;
using Tolva::BuildingData;
using Tolva::Builders::ElevationFloorMap;

class WallCollectors : public ReportLines {
protected:
    void SetUp() override {
        ReportLines::SetUp();
        elevations.Add(0.0, 0);
        elevations.Add(3000.0, 1);
        elevations.Add(6000.0, 2);
    }

    ElevationFloorMap elevations;
    BuildingData building;
    GS::Array<WallSegment> segments;
};

TEST_F(WallCollectors, TakeStoryEdgesOfPositiveWidthThatAreNoFacadeOnTheStorysFloor) {
    Tolva::TolvaStory story = Story("s1", 3000.0, 2800.0);
    story.wallGuides = GraphBuilder()
                           .Edge({4000, 0, 0}, {0, 0, 0}, 120, "story-plan")
                           .Edge({0, 0, 0}, {0, 4000, 0}, 150, "facade")
                           .Edge({0, 0, 0}, {0, 4000, 0}, 0)
                           .Edge({0, 0, 0}, {0, 4000, 0}, -1)
                           .BrokenEdge(200)
                           .Edge({0, 5000, 0}, {0, 1000, 0}, 90)
                           .Build();
    building.stories.Push(story);
    CollectStoryWalls(building, elevations, 1, 500.0, segments);

    ASSERT_EQ(segments.GetSize(), 2u);
    const WallSegment& first = segments[0];
    EXPECT_EQ(first.start, (TolvaPoint3D{0, 0, 0})) << "stored in canonical order";
    EXPECT_EQ(first.end, (TolvaPoint3D{4000, 0, 0}));
    EXPECT_EQ(first.thickness, 120.0);
    EXPECT_EQ(first.height, 2800.0);
    EXPECT_EQ(first.floorIndex, 2) << "floor 1 plus the offset";
    EXPECT_EQ(first.bottomOffset, 0.0);
    EXPECT_EQ(first.slabThickness, 500.0);
    EXPECT_FALSE(first.isExterior);
    EXPECT_EQ(first.layerKind, WallLayerKind::StoryWalls);
    EXPECT_EQ(segments[1].start, (TolvaPoint3D{0, 1000, 0}));
    EXPECT_EQ(segments[1].thickness, 90.0);
}

TEST_F(WallCollectors, TakeUnitEdgesThatAreNeitherStoryPlanNorFacade) {
    building.units.Push(Unit("u1", "s2",
                             GraphBuilder()
                                 .Edge({0, 0, 0}, {3000, 0, 0}, 120, "story-plan")
                                 .Edge({0, 0, 0}, {3000, 0, 0}, 350, "facade")
                                 .Edge({3000, 0, 0}, {3000, 3000, 0}, 100, "unit")
                                 .Build()));
    StoryHeightTable heights;
    heights.Add("s2", 3200.0);
    StoryFloorTable floors;
    floors.Add("s2", 5);
    CollectUnitWalls(building, heights, floors, 500.0, segments);

    ASSERT_EQ(segments.GetSize(), 1u);
    EXPECT_EQ(segments[0].start, (TolvaPoint3D{3000, 0, 0}));
    EXPECT_EQ(segments[0].thickness, 100.0);
    EXPECT_EQ(segments[0].height, 3200.0);
    EXPECT_EQ(segments[0].floorIndex, 5);
    EXPECT_EQ(segments[0].layerKind, WallLayerKind::UnitWalls);
    EXPECT_FALSE(segments[0].isExterior);
}

TEST_F(WallCollectors, GiveUnitsOfUnknownStoriesThreeMetreWallsOnFloorZero) {
    building.units.Push(Unit("u1", "nowhere", GraphBuilder().Edge({0, 0, 0}, {3000, 0, 0}, 100).Build()));
    StoryHeightTable heights;
    heights.Add("s2", 3200.0);
    StoryFloorTable floors;
    floors.Add("s2", 5);
    CollectUnitWalls(building, heights, floors, 500.0, segments);

    ASSERT_EQ(segments.GetSize(), 1u);
    EXPECT_EQ(segments[0].height, 3000.0);
    EXPECT_EQ(segments[0].floorIndex, 0);
}

TEST_F(WallCollectors, CloseEveryFacadeRingWithTheFacadeGuidesWidth) {
    Tolva::TolvaStory story = Story("s1", 6000.0, 3100.0);
    story.wallGuides = GraphBuilder()
                           .Edge({0, 0, 0}, {1, 0, 0}, 0, "facade")
                           .Edge({0, 0, 0}, {1, 0, 0}, 120)
                           .Edge({0, 0, 0}, {1, 0, 0}, 300, "facade")
                           .Build();
    story.centerPolygon.polylines.Push(Polyline({{0, 0}, {10000, 0}, {10000, 8000}, {0, 8000}, {0, 0}}));
    building.stories.Push(story);
    CollectFacadeWalls(building, elevations, 0, 500.0, segments);

    ASSERT_EQ(segments.GetSize(), 4u) << "the closing point repeats the first";
    for (const WallSegment& segment : segments) {
        EXPECT_EQ(segment.thickness, 300.0);
        EXPECT_EQ(segment.height, 3100.0);
        EXPECT_EQ(segment.floorIndex, 2);
        EXPECT_TRUE(segment.isExterior);
        EXPECT_EQ(segment.layerKind, WallLayerKind::FacadeWalls);
    }
    EXPECT_EQ(segments[3].start, (TolvaPoint3D{0, 0, 0})) << "the ring is closed, in canonical order";
    EXPECT_EQ(segments[3].end, (TolvaPoint3D{0, 8000, 0}));
}

TEST_F(WallCollectors, CountTheSidesOfOpenAndShortRings) {
    Tolva::TolvaStory story = Story("s1", 0.0);
    story.centerPolygon.polylines.Push(Polyline({{0, 0}, {4000, 0}, {4000, 4000}, {0, 4000}}));
    story.centerPolygon.polylines.Push(Polyline({{1000, 1000}, {2000, 1000}, {1000, 2000}}));
    story.centerPolygon.polylines.Push(Polyline({{1000, 1000}, {2000, 1000}}));
    story.centerPolygon.polylines.Push(Polyline({}));
    story.centerPolygon.polylines.Push(Polyline({{5, 5}, {5, 5}}));
    building.stories.Push(story);
    CollectFacadeWalls(building, elevations, 0, 500.0, segments);

    EXPECT_EQ(segments.GetSize(), 7u) << "4 sides of the open square and 3 of the triangle";
    EXPECT_EQ(segments[0].thickness, DefaultFacadeThickness);
    const auto lines = Lines();
    EXPECT_THAT(lines,
                Contains("[INFO] BuildingOrchestrator: Story 0 centerPolygon has 5 polylines (4 holes) - "
                         "creating walls for all contours"));
    EXPECT_THAT(
        lines,
        Contains("[WARNING] BuildingOrchestrator: Story 0 polyline 2 has insufficient points (2), skipping"));
    EXPECT_THAT(
        lines,
        Contains("[WARNING] BuildingOrchestrator: Story 0 polyline 4 has insufficient points (1), skipping"));
    EXPECT_THAT(lines, Not(Contains(::testing::HasSubstr("polyline 3"))));
}

TEST_F(WallCollectors, SayHoleInTheSingularForOneHole) {
    Tolva::TolvaStory plain = Story("s0", 0.0);
    Tolva::TolvaStory story = Story("s1", 3000.0);
    story.centerPolygon.polylines.Push(Polyline({{0, 0}, {4000, 0}, {4000, 4000}}));
    story.centerPolygon.polylines.Push(Polyline({{1000, 1000}, {2000, 1000}, {1000, 2000}}));
    building.stories.Push(plain);
    building.stories.Push(story);
    CollectFacadeWalls(building, elevations, 0, 500.0, segments);

    EXPECT_EQ(segments.GetSize(), 6u);
    EXPECT_THAT(Lines(),
                Contains("[INFO] BuildingOrchestrator: Story 1 centerPolygon has 2 polylines (1 hole) - "
                         "creating walls for all contours"));
}

} // namespace
