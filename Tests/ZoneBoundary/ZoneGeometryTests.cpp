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

std::pair<int, int> Largest(int coordCount, const std::vector<Int32>& ends) {
    HandMadeMemo handMade(coordCount, ends);
    int start = -1;
    int end = -1;
    ZoneGeometryExtractor::FindLargestSubpolygon(handMade.memo, start, end);
    return {start, end};
}

using LargestSubpolygon = RoomModel;

TEST_F(LargestSubpolygon, ChoosesTheContourWithTheMostCoordinates) {
    EXPECT_EQ(Largest(6, {0, 5}), std::make_pair(1, 5));
    EXPECT_EQ(Largest(13, {0, 5, 12}), std::make_pair(6, 12)) << "a hole larger than the outer contour";
    EXPECT_EQ(Largest(11, {0, 5, 10}), std::make_pair(1, 5)) << "the first of equal contours";
    EXPECT_EQ(Largest(6, {}), std::make_pair(0, 0));
}

TEST_F(LargestSubpolygon, SkipsContourEndsOutsideTheCoordinates) {
    EXPECT_EQ(Largest(6, {0, 9, 5}), std::make_pair(0, 0));
    EXPECT_TRUE(
        Reported("[WARNING] ZoneGeometryExtractor: Skipping invalid subpolygon: start=1, end=9, coords "
                 "size=6"));
    EXPECT_EQ(Largest(6, {7, 5}), std::make_pair(0, 5));
    EXPECT_TRUE(
        Reported("[WARNING] ZoneGeometryExtractor: Invalid pends[0]=7, coords size=6. Using coords size."));
}

using ZonePolygon = RoomModel;

TEST_F(ZonePolygon, GivesTheLargestContourInMillimetresWithoutItsClosingPoint) {
    const API_Guid zone =
        AddZone({{{0, 0}, {4, 0}, {4, 3}, {0, 3}}, {{1, 1}, {2, 1}, {2.5, 1.5}, {2, 2}, {1, 2}, {0.5, 1.5}}});
    GS::Array<Point3D> points;
    GS::UniString error;
    ASSERT_TRUE(ZoneGeometryExtractor::ExtractZonePolygon(zone, points, error));
    ASSERT_EQ(points.GetSize(), 6u) << "the hexagonal hole has more coordinates than the outline";
    EXPECT_DOUBLE_EQ(points[0].x, 1000);
    EXPECT_DOUBLE_EQ(points[2].x, 2500);
    EXPECT_DOUBLE_EQ(points[2].y, 1500);
    EXPECT_EQ(points[5].z, 0);
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
