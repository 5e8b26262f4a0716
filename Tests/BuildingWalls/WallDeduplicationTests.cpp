#include "Browser/ReportLines.hpp"
#include "Builders/WallDeduplication.hpp"
#include "SegmentSupport.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace {

using namespace Tolva::Builders::BuildingOrchestrator;
using ::testing::ElementsAre;

constexpr double Tolerance = 500.0;

std::vector<WallSegment> Deduplicated(std::initializer_list<WallSegment> segments,
                                      double tolerance = Tolerance) {
    GS::Array<WallSegment> input;
    for (const WallSegment& segment : segments) {
        input.Push(segment);
    }
    const GS::Array<WallSegment> output = DeduplicateWallSegments(input, tolerance);
    return {output.begin(), output.end()};
}

bool Same(const WallSegment& a, const WallSegment& b) {
    const auto samePoint = [](const TolvaPoint3D& p, const TolvaPoint3D& q) {
        // Not-a-number coordinates are the same when both are not a number.
        const auto same = [](double u, double v) { return u == v || (std::isnan(u) && std::isnan(v)); };
        return same(p.x, q.x) && same(p.y, q.y) && same(p.z, q.z);
    };
    return samePoint(a.start, b.start) && samePoint(a.end, b.end) && a.thickness == b.thickness &&
           a.height == b.height && a.floorIndex == b.floorIndex && a.isExterior == b.isExterior &&
           a.layerKind == b.layerKind;
}

MATCHER_P(IsSegment, expected, "") {
    return Same(arg, expected);
}

class WallDeduplication : public ReportLines {};

TEST_F(WallDeduplication, KeepsTheFirstCollectedCopyOfAStoryAndAUnitWall) {
    WallSegment story = Segment(0, 0, 4000, 0, 1, 120);
    story.layerKind = WallLayerKind::StoryWalls;
    WallSegment unit = Segment(0, 0, 4000, 0, 1, 200);
    unit.layerKind = WallLayerKind::UnitWalls;
    EXPECT_THAT(Deduplicated({story, unit}), ElementsAre(IsSegment(story)));
    EXPECT_THAT(Lines(),
                ElementsAre("[INFO] BuildingOrchestrator: Deduplicating 2 collected wall segments using "
                            "spatial hash",
                            "[INFO] BuildingOrchestrator: Deduplication complete: 2 → 1 unique walls "
                            "(50.0% reduction)"));
}

TEST_F(WallDeduplication, CollapsesCopiesLessThanTheToleranceApartAcrossCellBorders) {
    const WallSegment a = Segment(3000, 0, 7000, 0);
    EXPECT_THAT(Deduplicated({a, Segment(3400, 0, 7400, 0)}), ElementsAre(IsSegment(a))) << "400 mm apart";
    const WallSegment left = Segment(995, 1995, 4995, 1995);
    EXPECT_THAT(Deduplicated({left, Segment(1005, 2005, 5005, 2005)}), ElementsAre(IsSegment(left)))
        << "10 mm apart on both sides of 1000 mm borders";
    const WallSegment below = Segment(-5, -5, -5, 3000);
    EXPECT_THAT(Deduplicated({below, Segment(5, 5, 5, 3005)}), ElementsAre(IsSegment(below)))
        << "around zero";
    const WallSegment wide = Segment(0, 0, 9000, 0);
    EXPECT_THAT(Deduplicated({wide, Segment(1999, 0, 10999, 0)}, 2000.0), ElementsAre(IsSegment(wide)));
}

TEST_F(WallDeduplication, KeepsEveryDistinctWallWhoseEndsShareCells) {
    const WallSegment a = Segment(0, 0, 100, 0);
    const WallSegment b = Segment(0, 0, 100, 600);
    const WallSegment c = Segment(0, 600, 100, 600);
    const WallSegment d = Segment(600, 0, 600, 700);
    EXPECT_THAT(Deduplicated({a, b, c, d}),
                ElementsAre(IsSegment(a), IsSegment(b), IsSegment(c), IsSegment(d)));
}

TEST_F(WallDeduplication, KeepsWallsOnOtherFloorsOrHeightsOrExactlyTheToleranceApart) {
    const WallSegment a = Segment(0, 0, 4000, 0, 0);
    const WallSegment b = Segment(0, 0, 4000, 0, 1);
    WallSegment raised = Segment(0, 0, 4000, 0, 0);
    raised.start.z = raised.end.z = 500.0;
    const WallSegment shifted = Segment(0, 0, 4500, 0, 0);
    EXPECT_THAT(Deduplicated({a, b, raised, shifted}),
                ElementsAre(IsSegment(a), IsSegment(b), IsSegment(raised), IsSegment(shifted)));
}

TEST_F(WallDeduplication, NeitherMatchesNorLosesSegmentsOfNoNumber) {
    const double nan = std::nan("");
    const WallSegment broken = Segment(nan, 0, 4000, 0);
    const WallSegment copy = Segment(nan, 0, 4000, 0);
    const WallSegment wall = Segment(0, 0, 4000, 0);
    EXPECT_THAT(Deduplicated({broken, copy, wall}),
                ElementsAre(IsSegment(broken), IsSegment(copy), IsSegment(wall)));
    EXPECT_THAT(Deduplicated({wall, broken}), ElementsAre(IsSegment(wall), IsSegment(broken)));
}

TEST_F(WallDeduplication, CollapsesCopiesFarBeyondTheIntegerCells) {
    const WallSegment far = Segment(1e15, -1e15, 1e15 + 4000, -1e15);
    const WallSegment other = Segment(1e15, -1e15 + 2000, 1e15 + 4000, -1e15 + 2000);
    EXPECT_THAT(Deduplicated({far, Segment(1e15 + 100, -1e15, 1e15 + 4100, -1e15), other}),
                ElementsAre(IsSegment(far), IsSegment(other)));
    const double edge = 2147483647.0 * 1000.0;
    const WallSegment atEdge = Segment(edge - 10, edge - 10, edge + 4000, edge);
    EXPECT_THAT(Deduplicated({atEdge, Segment(edge + 10, edge + 10, edge + 4020, edge + 20)}),
                ElementsAre(IsSegment(atEdge)));
    const double huge = std::numeric_limits<double>::max();
    const WallSegment extreme = Segment(-huge, -huge, huge, huge);
    EXPECT_THAT(Deduplicated({extreme, extreme}), ElementsAre(IsSegment(extreme)));
}

TEST_F(WallDeduplication, KeepsEverySegmentWithoutAPositiveTolerance) {
    const WallSegment a = Segment(0, 0, 4000, 0);
    for (double tolerance : {0.0, -1.0, std::nan("")}) {
        EXPECT_THAT(Deduplicated({a, a}, tolerance), ElementsAre(IsSegment(a), IsSegment(a)));
    }
    EXPECT_THAT(Deduplicated({}), ElementsAre());
    EXPECT_THAT(Lines().back(),
                "[INFO] BuildingOrchestrator: Deduplication complete: 0 → 0 unique walls (0.0% "
                "reduction)");
}

// The sides of a regular polygon of n corners around (cx, cy), in canonical order as collected.
std::vector<WallSegment> Ring(int n, double radius, double cx = 0.0, double cy = 0.0) {
    std::vector<WallSegment> sides;
    const double step = 2.0 * std::acos(-1.0) / n;
    for (int k = 0; k < n; ++k) {
        WallSegment side =
            Segment(cx + radius * std::cos(k * step), cy + radius * std::sin(k * step),
                    cx + radius * std::cos((k + 1) * step), cy + radius * std::sin((k + 1) * step), 0, 350);
        PutInCanonicalOrder(side);
        sides.push_back(side);
    }
    return sides;
}

GS::Array<WallSegment> ToArray(const std::vector<WallSegment>& segments) {
    GS::Array<WallSegment> array;
    for (const WallSegment& segment : segments) {
        array.Push(segment);
    }
    return array;
}

TEST_F(WallDeduplication, KeepsEverySideOfARoundFacadeAndBothWallsOfAShortL) {
    struct Case {
        int sides;
        double radius;
    };
    for (const Case c : {Case{36, 2000.0}, Case{100, 10000.0}, Case{100000, 10000.0}, Case{100000, 1e6}}) {
        const std::vector<WallSegment> ring = Ring(c.sides, c.radius, 995.0, -1005.0);
        EXPECT_EQ(DeduplicateWallSegments(ToArray(ring), Tolerance).GetSize(), ring.size())
            << c.sides << " sides, radius " << c.radius;
    }
    const WallSegment a = Segment(0, 0, 400, 0);
    const WallSegment b = Segment(0, 0, 0, 400);
    EXPECT_THAT(Deduplicated({a, b}), ElementsAre(IsSegment(a), IsSegment(b)));
    const WallSegment c = Segment(400, 0, 800, 0);
    EXPECT_THAT(Deduplicated({a, c}), ElementsAre(IsSegment(a), IsSegment(c))) << "one continues the other";
}

TEST_F(WallDeduplication, CollapsesCopiesOffsetAcrossReversedAndOverCellBorders) {
    const double cell = CellsPerTolerance * Tolerance;
    struct Case {
        const char* name;
        WallSegment kept;
        WallSegment copy;
    };
    const Case cases[] = {
        {"350 mm across", Segment(0, 0, 4000, 0), Segment(0, 350, 4000, 350)},
        {"350 mm across, reversed", Segment(0, 0, 0, 3000), Segment(350, 3000, 350, 0)},
        {"across a near-vertical wall, so the copy's canonical order turns", Segment(10, 0, 0, 3000),
         Segment(-150, 3000, -140, 0)},
        {"both sides of a cell border", Segment(cell - 100, 0, cell - 100, 3000),
         Segment(cell + 100, 0, cell + 100, 3000)},
        {"both sides of two borders, reversed", Segment(cell - 5, cell - 5, 2 * cell - 5, cell - 5),
         Segment(2 * cell + 5, cell + 300, cell + 5, cell + 300)},
        {"a 900 mm wall 300 mm across", Segment(0, 0, 900, 0), Segment(0, 300, 900, 300)},
    };
    for (const Case& c : cases) {
        EXPECT_THAT(Deduplicated({c.kept, c.copy}), ElementsAre(IsSegment(c.kept))) << c.name;
        EXPECT_THAT(Deduplicated({c.copy, c.kept}), ElementsAre(IsSegment(c.copy))) << c.name << ", swapped";
    }
    EXPECT_THAT(Deduplicated({Segment(0, 0, 600, 0), Segment(0, 350, 600, 350)}).size(), 2u)
        << "350 mm is more than half of a 600 mm wall: a neighbour, not a copy";
}

// What the de-duplication must give: each segment compared with every kept one before it.
std::vector<WallSegment> PairwiseDeduplicated(const std::vector<WallSegment>& segments, double tolerance) {
    std::vector<WallSegment> kept;
    for (const WallSegment& segment : segments) {
        bool copy = false;
        for (const WallSegment& earlier : kept) {
            copy = copy || IsDuplicateWall(earlier, segment, tolerance);
        }
        if (!copy) {
            kept.push_back(segment);
        }
    }
    return kept;
}

// Walls with copies moved by up to twice the tolerance, ends often near cell borders, on two floors.
std::vector<WallSegment> RandomSegments(std::mt19937& random, double tolerance, double origin) {
    const double cell = CellsPerTolerance * tolerance;
    std::uniform_int_distribution<int> cellIndex(-6, 6);
    std::uniform_real_distribution<double> nearBorder(-tolerance, tolerance);
    std::uniform_real_distribution<double> shift(-2.0 * tolerance, 2.0 * tolerance);
    std::uniform_int_distribution<int> floor(0, 1);
    std::uniform_int_distribution<int> copies(0, 3);
    const auto coordinate = [&] { return origin + cellIndex(random) * cell + nearBorder(random); };
    std::vector<WallSegment> segments;
    for (int wall = 0; wall < 300; ++wall) {
        const WallSegment original = Segment(coordinate(), coordinate(), coordinate(), coordinate(),
                                             static_cast<short>(floor(random)), wall);
        segments.push_back(original);
        for (int k = copies(random); k > 0; --k) {
            WallSegment copy = original;
            copy.start.x += shift(random);
            copy.start.y += shift(random);
            copy.end.x += shift(random);
            copy.end.y += shift(random);
            copy.start.z += shift(random) / 4.0;
            copy.thickness += 1000.0;
            segments.push_back(copy);
        }
    }
    // Short walls of every size in a crowd, with copies within their (small) radius.
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int wall = 0; wall < 300; ++wall) {
        const double length = tolerance * 4.0 * std::pow(unit(random), 3.0);
        const double angle = 6.3 * unit(random);
        const double x = origin + tolerance * 3.0 * unit(random);
        const double y = origin + tolerance * 3.0 * unit(random);
        WallSegment original =
            Segment(x, y, x + length * std::cos(angle), y + length * std::sin(angle), 0, wall);
        PutInCanonicalOrder(original);
        segments.push_back(original);
        for (int k = copies(random); k > 0; --k) {
            WallSegment copy = original;
            const double reach = 0.7 * std::min(tolerance, CopyLengthFraction * length);
            copy.start.x += reach * (2.0 * unit(random) - 1.0);
            copy.start.y += reach * (2.0 * unit(random) - 1.0);
            copy.end.x += reach * (2.0 * unit(random) - 1.0);
            copy.end.y += reach * (2.0 * unit(random) - 1.0);
            if (k % 2 == 0) {
                std::swap(copy.start, copy.end);
            }
            segments.push_back(copy);
        }
    }
    std::shuffle(segments.begin(), segments.end(), random);
    return segments;
}

TEST_F(WallDeduplication, KeepsWhatAPairwiseComparisonKeepsOnRandomSets) {
    std::mt19937 random(20);
    for (double tolerance : {1.0, 120.0, 500.0, 2500.0}) {
        for (double origin : {0.0, -3.3e6, 2147483647.0 * CellsPerTolerance * tolerance}) {
            for (int round = 0; round < 4; ++round) {
                const std::vector<WallSegment> segments = RandomSegments(random, tolerance, origin);
                GS::Array<WallSegment> input;
                for (const WallSegment& segment : segments) {
                    input.Push(segment);
                }
                const GS::Array<WallSegment> output = DeduplicateWallSegments(input, tolerance);
                const std::vector<WallSegment> expected = PairwiseDeduplicated(segments, tolerance);
                ASSERT_EQ(output.GetSize(), expected.size())
                    << "tolerance " << tolerance << " origin " << origin;
                for (size_t i = 0; i < expected.size(); ++i) {
                    ASSERT_TRUE(Same(output[static_cast<USize>(i)], expected[i]))
                        << "tolerance " << tolerance << " origin " << origin << " at " << i << ": "
                        << output[static_cast<USize>(i)] << " instead of " << expected[i];
                }
                EXPECT_LT(expected.size(), segments.size()) << "the set holds copies";
            }
        }
    }
}

} // namespace
