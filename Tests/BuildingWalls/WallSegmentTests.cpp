#include "SegmentSupport.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using namespace Tolva::Builders::BuildingOrchestrator;

constexpr Int32 MaxCell = std::numeric_limits<Int32>::max();
constexpr Int32 MinCell = std::numeric_limits<Int32>::min();

TEST(WallSegmentCells, RoundDownToTheCellBelow) {
    EXPECT_EQ(CellOf(0.0, 1000.0), 0);
    EXPECT_EQ(CellOf(999.9, 1000.0), 0);
    EXPECT_EQ(CellOf(1000.0, 1000.0), 1);
    EXPECT_EQ(CellOf(-0.1, 1000.0), -1) << "cell 0 is as wide as every other cell";
    EXPECT_EQ(CellOf(-1000.0, 1000.0), -1);
    EXPECT_EQ(CellOf(-1000.1, 1000.0), -2);
}

TEST(WallSegmentCells, SaturateBeyondTheIntegerRange) {
    EXPECT_EQ(CellOf(1e15, 1000.0), MaxCell);
    EXPECT_EQ(CellOf(-1e15, 1000.0), MinCell);
    EXPECT_EQ(CellOf(std::numeric_limits<double>::infinity(), 1000.0), MaxCell);
    EXPECT_EQ(CellOf(-std::numeric_limits<double>::infinity(), 1000.0), MinCell);
    EXPECT_EQ(CellOf(std::numeric_limits<double>::max(), 1e-300), MaxCell);
}

TEST(WallSegmentCells, KeepTheCellsAtTheIntegerEdges) {
    EXPECT_EQ(CellOf(2147483646.5 * 1000.0, 1000.0), MaxCell - 1);
    EXPECT_EQ(CellOf(2147483647.0 * 1000.0, 1000.0), MaxCell);
    EXPECT_EQ(CellOf(2147483648.0 * 1000.0, 1000.0), MaxCell);
    EXPECT_EQ(CellOf(-2147483647.5 * 1000.0, 1000.0), MinCell);
    EXPECT_EQ(CellOf(-2147483647.0 * 1000.0, 1000.0), MinCell + 1);
    EXPECT_EQ(CellOf(-2147483649.0 * 1000.0, 1000.0), MinCell);
}

TEST(WallSegmentCells, PutNotANumberInCellZero) {
    EXPECT_EQ(CellOf(std::nan(""), 1000.0), 0);
    EXPECT_EQ(CellOf(1.0, std::nan("")), 0);
    EXPECT_EQ(CellOf(std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity()), 0);
}

TEST(WallSegmentKeys, TakeThePlanCellsOfBothEndsAndTheFloor) {
    const WallSegmentKey key = MakeWallSegmentKey(Segment(1500, -200, 2999, 1e15, 4), 1000.0);
    EXPECT_EQ(key, (WallSegmentKey{1, -1, 2, MaxCell, 4}));
    WallSegment raised = Segment(1500, -200, 2999, 1e15, 4);
    raised.start.z = raised.end.z = 12345.0;
    EXPECT_EQ(MakeWallSegmentKey(raised, 1000.0), key) << "z is not part of the key";
}

TEST(WallSegmentKeys, HashEqualKeysAlikeAndWrapAroundAtTheEdges) {
    const WallSegmentKey edge{MaxCell, MinCell, MaxCell, MinCell, std::numeric_limits<short>::min()};
    const WallSegmentKey same = edge;
    EXPECT_EQ(edge.GenerateHashValue(), same.GenerateHashValue());
    // Each factor is odd, so flipping a bit of one field always changes the hash.
    for (int field = 0; field < 5; ++field) {
        WallSegmentKey other = edge;
        Int32* cells[] = {&other.startXCell, &other.startYCell, &other.endXCell, &other.endYCell};
        if (field < 4) {
            *cells[field] ^= 1;
        } else {
            other.floorIndex += 1;
        }
        EXPECT_NE(other, edge);
        EXPECT_NE(other.GenerateHashValue(), edge.GenerateHashValue()) << "field " << field;
    }
}

TEST(WallSegmentOrder, PutsTheStartBeforeTheEndByXThenYThenZ) {
    struct Case {
        TolvaPoint3D a, b;
    };
    const Case cases[] = {{{5, 0, 0}, {1, 9, 9}}, {{1, 5, 0}, {1, 2, 9}}, {{1, 2, 5}, {1, 2, 3}}};
    for (const Case& c : cases) {
        WallSegment forward;
        forward.start = c.b;
        forward.end = c.a;
        WallSegment reversed;
        reversed.start = c.a;
        reversed.end = c.b;
        PutInCanonicalOrder(forward);
        PutInCanonicalOrder(reversed);
        EXPECT_EQ(forward.start, c.b);
        EXPECT_EQ(reversed.start, c.b) << "swapped";
        EXPECT_EQ(reversed.end, c.a);
    }
    WallSegment point;
    point.start = point.end = {1, 2, 3};
    PutInCanonicalOrder(point);
    EXPECT_EQ(point.start, (TolvaPoint3D{1, 2, 3}));
}

} // namespace
