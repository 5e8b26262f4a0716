#include "ZoneBoundaryTestSupport.hpp"

#include "StandIn/Faults.hpp"
#include "StandIn/TypedHandles.hpp"
#include "ZoneBoundary/ZoneGeometryExtractor.hpp"

#include <vector>

namespace {

using Tolva::ZoneBoundary::Point3D;

// A memo with hand-made (possibly inconsistent) coordinates and contour ends.
class HandMadeMemo {
public:
    HandMadeMemo(int coordCount, const std::vector<Int32>& ends) {
        memo.coords = reinterpret_cast<API_Coord**>(
            BMAllocateHandle(static_cast<GSSize>(coordCount * sizeof(API_Coord)), 0, 0));
        memo.pends = reinterpret_cast<Int32**>(
            BMAllocateHandle(static_cast<GSSize>(ends.size() * sizeof(Int32)), 0, 0));
        for (size_t k = 0; k < ends.size(); ++k) {
            (*memo.pends)[k] = ends[k];
        }
    }
    ~HandMadeMemo() { ACAPI_DisposeElemMemoHdls(&memo); }
    API_ElementMemo memo = {};
};

std::pair<int, int> Outer(int coordCount, const std::vector<Int32>& ends) {
    HandMadeMemo handMade(coordCount, ends);
    int start = 0;
    int end = 0;
    ZoneGeometryExtractor::FindOuterContour(handMade.memo, start, end);
    return {start, end};
}

using OuterContour = RoomModel;

// Coordinates count from 1; contour k ends at index ends[k].
TEST_F(OuterContour, IsTheFirstContourHoweverManyCoordinatesTheOthersHave) {
    EXPECT_EQ(Outer(6, {0, 5}), std::make_pair(1, 5));
    EXPECT_EQ(Outer(31, {0, 5, 30}), std::make_pair(1, 5)) << "a 24-sided column after the outline";
    EXPECT_EQ(Outer(11, {0, 5, 10}), std::make_pair(1, 5));
}

TEST_F(OuterContour, IsNoneWhenTheContourEndsDoNotGiveOne) {
    EXPECT_EQ(Outer(6, {0}), std::make_pair(-1, -1));
    EXPECT_TRUE(
        Reported("[WARNING] ZoneGeometryExtractor: Zone has no contour: 1 contour ends, coords size=6"));
    EXPECT_EQ(Outer(6, {0, 9, 5}), std::make_pair(-1, -1));
    EXPECT_TRUE(
        Reported("[WARNING] ZoneGeometryExtractor: Invalid outer contour: start=1, end=9, coords size=6"));
    EXPECT_EQ(Outer(6, {-1, 5}), std::make_pair(-1, -1));
    EXPECT_EQ(Outer(6, {3, 2}), std::make_pair(-1, -1));
}

using ZonePolygon = RoomModel;

TEST_F(ZonePolygon, GivesTheOutlineInMillimetresWithoutItsClosingPointAlsoBeforeABiggerHole) {
    const API_Guid zone =
        AddZone({{{0, 0}, {4, 0}, {4, 3}, {0, 3}}, {{1, 1}, {2, 1}, {2.5, 1.5}, {2, 2}, {1, 2}, {0.5, 1.5}}});
    GS::Array<Point3D> points;
    GS::UniString error;
    ASSERT_TRUE(ZoneGeometryExtractor::ExtractZonePolygon(zone, points, error));
    ASSERT_EQ(points.GetSize(), 4u) << "the hexagonal hole has more coordinates than the outline";
    EXPECT_DOUBLE_EQ(points[1].x, 4000);
    EXPECT_DOUBLE_EQ(points[2].y, 3000);
    EXPECT_EQ(points[3].z, 0);
    EXPECT_TRUE(error.IsEmpty());
}

TEST_F(ZonePolygon, ReportsWhatCouldNotBeRead) {
    GS::Array<Point3D> points;
    GS::UniString error;
    EXPECT_FALSE(ZoneGeometryExtractor::ExtractZonePolygon(AddWall(0, 0, 4, 0), points, error));
    EXPECT_EQ(error, GS::UniString("Zone has no polygon coordinates"));

    const API_Guid zone = AddZone({{{0, 0}, {4, 0}, {4, 3}, {0, 3}}});
    StandIn::Faults::Arm("ACAPI_Element_GetMemo", APIERR_MEMFULL);
    EXPECT_FALSE(ZoneGeometryExtractor::ExtractZonePolygon(zone, points, error));
    EXPECT_EQ(error, GS::UniString("Failed to get zone memo: -2130313214"));
    EXPECT_TRUE(Reported("[ERROR] ZoneGeometryExtractor: Failed to get zone memo: -2130313214"));
    EXPECT_FALSE(ZoneGeometryExtractor::ExtractZonePolygon(APINULLGuid, points, error));
    EXPECT_EQ(error, GS::UniString::Printf("Failed to get zone element: %d", APIERR_BADID));
    EXPECT_TRUE(points.IsEmpty());
}

} // namespace
