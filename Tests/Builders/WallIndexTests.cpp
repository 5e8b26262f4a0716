#include "LibraryTestSupport.hpp"

#include "Builders/WallIndex.hpp"

#include <cmath>
#include <random>

namespace {

using Tolva::Builders::WallIndex;

class WallIndexTest : public LibraryTest {
protected:
    // The nearest wall by measuring every one, the earliest of equal distances winning.
    static std::pair<API_Guid, double> Measured(const GS::Array<API_Guid>& walls, const API_Coord& p) {
        std::pair<API_Guid, double> best = {APINULLGuid, 1e10};
        for (const API_Guid& guid : walls) {
            const API_WallType& w = Stored(guid).element.wall;
            const double dx = w.endC.x - w.begC.x, dy = w.endC.y - w.begC.y;
            const double u =
                std::clamp(((p.x - w.begC.x) * dx + (p.y - w.begC.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
            const double d = std::hypot(p.x - w.begC.x - u * dx, p.y - w.begC.y - u * dy);
            if (d < best.second) {
                best = {guid, d};
            }
        }
        return best;
    }
};

TEST_F(WallIndexTest, FindsTheSameWallAsMeasuringEveryWallNearAndFar) {
    GS::Array<API_Guid> walls;
    std::mt19937 random(7);
    std::uniform_real_distribution<double> coordinate(-30, 30), length(0.2, 9);
    for (int i = 0; i < 300; ++i) {
        const double x = coordinate(random), y = coordinate(random);
        walls.Push(i % 2 ? PlantWall(x, y, x + length(random), y) : PlantWall(x, y, x, y + length(random)));
    }
    walls.Push(walls[3]); // given twice: still one wall
    const WallIndex index(walls);
    for (int k = 0; k < 500; ++k) {
        const API_Coord p = {coordinate(random) * 1.5, coordinate(random) * 1.5};
        const auto expected = Measured(walls, p);
        const auto hit = index.Nearest(p, 0.5);
        ASSERT_TRUE(hit.has_value());
        EXPECT_EQ(hit->wall->header.guid, expected.first) << p.x << ", " << p.y;
        EXPECT_DOUBLE_EQ(hit->distance, expected.second);
    }
}

TEST_F(WallIndexTest, AWallTooLongForTheGridAndWallsThatCannotBeReadAreHandled) {
    GS::Array<API_Guid> walls;
    walls.Push(GSGuid2APIGuid(GS::Guid(GS::Guid::GenerateGuid)));
    walls.Push(PlantWall(-20000, 5, 20000, 5));
    const WallIndex index(walls);
    EXPECT_FALSE(index.NoneGiven());
    const auto hit = index.Nearest({1234.5, 5.2}, 0.5);
    ASSERT_TRUE(hit.has_value());
    EXPECT_EQ(hit->wall->header.guid, walls[1]);
    EXPECT_NEAR(hit->distance, 0.2, 1e-9);
    EXPECT_NEAR(hit->offset, 21234.5, 1e-6);

    EXPECT_TRUE(WallIndex(GS::Array<API_Guid>()).NoneGiven());
    GS::Array<API_Guid> unreadable;
    unreadable.Push(GSGuid2APIGuid(GS::Guid(GS::Guid::GenerateGuid)));
    EXPECT_FALSE(WallIndex(unreadable).Nearest({0, 0}, 0.5).has_value());
}

} // namespace
