#include "ZoneBoundary/SegmentMatch.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double Tolerance = 500;

// The edge runs from (0, 0) to (4000, 0).
bool MatchesEdge(double w1x, double w1y, double w2x, double w2y) {
    return SegmentMatchesWall(w1x, w1y, w2x, w2y, 0, 0, 4000, 0, Tolerance);
}

TEST(SegmentMatchesWall, MatchesWallsAlongTheEdgeInEitherDirection) {
    EXPECT_TRUE(MatchesEdge(0, 0, 4000, 0));
    EXPECT_TRUE(MatchesEdge(4000, 0, 0, 0));
    EXPECT_TRUE(MatchesEdge(-200, 400, 4200, 400)) << "400 mm beside, overlapping";
    EXPECT_FALSE(MatchesEdge(-200, 600, 4200, 600)) << "600 mm beside";
    EXPECT_TRUE(MatchesEdge(1000, 100, 2000, 100)) << "a short wall along part of the edge";
    EXPECT_TRUE(MatchesEdge(4300, 0, 9000, 0)) << "within the tolerance of the edge's end";
    EXPECT_FALSE(MatchesEdge(4600, 0, 9000, 0)) << "on the line but beyond the edge";
}

TEST(SegmentMatchesWall, TurnedWallsMatchOnlyByTheirEnds) {
    const double turn = 6.0 * 3.14159265359 / 180.0;
    // 6 m long, turned 6 degrees about the edge's mid-point: the edge's ends lie about 210 mm from
    // its line, but it is not parallel enough and its ends are far from the edge's.
    const double dx = std::cos(turn) * 3000;
    const double dy = std::sin(turn) * 3000;
    EXPECT_FALSE(MatchesEdge(2000 - dx, -dy, 2000 + dx, dy));
    // Ends within 500 mm of the edge's ends match whatever the angle.
    EXPECT_TRUE(MatchesEdge(0, -300, 4000, 300));
    EXPECT_TRUE(MatchesEdge(4000, 300, 0, -300));
    // Four degrees passes the angle test and the distance test.
    EXPECT_TRUE(
        SegmentMatchesWall(0, 0, 6000, 6000 * std::tan(4 * 3.14159265359 / 180), 500, 0, 3500, 0, Tolerance));
}

TEST(SegmentMatchesWall, DegenerateWallsAndEdgesNeverMatchByDirection) {
    EXPECT_FALSE(MatchesEdge(2000, 0, 2000.5, 0)) << "a wall shorter than 1 mm";
    EXPECT_FALSE(SegmentMatchesWall(0, 0, 4000, 0, 2000, 0, 2000.5, 0, Tolerance));
    EXPECT_TRUE(SegmentMatchesWall(0, 0, 0.5, 0, 100, 0, 100, 0, Tolerance)) << "both ends close";
}

} // namespace
