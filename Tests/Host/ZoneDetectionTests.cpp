#include "ZoneTestSupport.hpp"

#include "StandIn/Faults.hpp"
#include "StandIn/TypedHandles.hpp"
#include "StandIn/ZoneGeometry.hpp"

#include <functional>
#include <numbers>
#include <string>

namespace {

void LoadApartment() {
    StandIn::LoadProject(ExampleProject("apartment.json"));
}

constexpr double Exterior = 0.3 / 2;
constexpr double Interior = 0.12 / 2;

TEST_F(AutomaticZones, EveryApartmentRoomIsFoundByTheReferenceLines) {
    LoadApartment();
    ExpectContour(Detected({3, 4}, true)[0], {{0, 0}, {6, 0}, {6, 8}, {0, 8}});
    ExpectContour(Detected({8, 2}, true)[0], {{6, 0}, {10, 0}, {10, 4.5}, {6, 4.5}});
    ExpectContour(Detected({8, 6}, true)[0], {{6, 4.5}, {10, 4.5}, {10, 8}, {6, 8}});
}

TEST_F(AutomaticZones, TheInnerEdgesLieInsideTheReferenceLinesByHalfEachWallsThickness) {
    LoadApartment();
    ExpectContour(Detected({3, 4}, false)[0], {{Exterior, Exterior},
                                               {6 - Interior, Exterior},
                                               {6 - Interior, 8 - Exterior},
                                               {Exterior, 8 - Exterior}});
    ExpectContour(Detected({8, 2}, false)[0], {{6 + Interior, Exterior},
                                               {10 - Exterior, Exterior},
                                               {10 - Exterior, 4.5 - Interior},
                                               {6 + Interior, 4.5 - Interior}});
    ExpectContour(Detected({8, 6}, false)[0], {{6 + Interior, 4.5 + Interior},
                                               {10 - Exterior, 4.5 + Interior},
                                               {10 - Exterior, 8 - Exterior},
                                               {6 + Interior, 8 - Exterior}});
}

TEST_F(AutomaticZones, TheMemoIsAClosedPolygonWithoutArcsAsTheHostWritesIt) {
    LoadApartment();
    API_Guid guid = {};
    ASSERT_EQ(CreateZone({3, 4}, true, &guid), NoError);
    API_Element zone = {};
    zone.header.guid = guid;
    ASSERT_EQ(ACAPI_Element_Get(&zone), NoError);
    EXPECT_FALSE(zone.zone.manual);
    EXPECT_EQ(zone.zone.poly.nCoords, 5);
    EXPECT_EQ(zone.zone.poly.nSubPolys, 1);
    EXPECT_EQ(zone.zone.poly.nArcs, 0);
    API_ElementMemo memo = {};
    ASSERT_EQ(ACAPI_Element_GetMemo(guid, &memo, APIMemoMask_Polygon), NoError);
    EXPECT_EQ(BMGetHandleSize(memo.coords), static_cast<GSSize>(6 * sizeof(API_Coord)));
    EXPECT_EQ((*memo.pends)[0], 0);
    EXPECT_EQ((*memo.pends)[1], 5);
    EXPECT_EQ(BMGetHandleSize(memo.parcs), 0);
    ACAPI_DisposeElemMemoHdls(&memo);
}

TEST_F(AutomaticZones, AClickOutsideTheBuildingOrOnAWallFailsAndCreatesNothing) {
    LoadApartment();
    size_t elements = StandIn::TheModel().elements.size();
    for (bool referenceLine : {true, false}) {
        EXPECT_EQ(CreateZone({-2, 4}, referenceLine), APIERR_BADPOLY);
        EXPECT_EQ(CreateZone({6, 2}, referenceLine), APIERR_BADPOLY);
    }
    // On a wall: inside its footprint for the inner edges, on its reference line for the lines.
    EXPECT_EQ(CreateZone({0.1, 4}, false), APIERR_BADPOLY);
    EXPECT_EQ(CreateZone({0, 4}, true), APIERR_BADPOLY);
    EXPECT_EQ(StandIn::TheModel().elements.size(), elements);
}

TEST_F(AutomaticZones, AnOpenSpaceIsNoRoom) {
    PlantWall(0, 0, 5, 0);
    PlantWall(5, 0, 5, 4);
    PlantWall(0, 4, 0, 0);
    PlantWall(0, 4, 3, 4);
    for (bool referenceLine : {true, false}) {
        EXPECT_EQ(CreateZone({2, 2}, referenceLine), APIERR_BADPOLY);
    }
    EXPECT_EQ(CreateZone({2, 2}, true), APIERR_BADPOLY);
}

TEST_F(AutomaticZones, AStoryWithoutWallsHasNoRoom) {
    EXPECT_EQ(CreateZone({2, 2}, true), APIERR_BADPOLY);
}

TEST_F(AutomaticZones, AFreeStandingPillarMakesAClockwiseHole) {
    PlantLoop({{0, 0}, {6, 0}, {6, 6}, {0, 6}});
    PlantLoop({{2.8, 2.8}, {3.2, 2.8}, {3.2, 3.2}, {2.8, 3.2}}, 0.1);
    Contours byLines = Detected({1, 1}, true);
    ASSERT_EQ(byLines.size(), 2u);
    ExpectContour(byLines[0], {{0, 0}, {6, 0}, {6, 6}, {0, 6}});
    ExpectContour(byLines[1], {{2.8, 2.8}, {2.8, 3.2}, {3.2, 3.2}, {3.2, 2.8}});
    Contours byEdges = Detected({1, 1}, false);
    ASSERT_EQ(byEdges.size(), 2u);
    ExpectContour(byEdges[1], {{2.75, 2.75}, {2.75, 3.25}, {3.25, 3.25}, {3.25, 2.75}});
    // Inside the pillar's loop is a room of its own.
    ExpectContour(Detected({3, 3}, true)[0], {{2.8, 2.8}, {3.2, 2.8}, {3.2, 3.2}, {2.8, 3.2}});
}

TEST_F(AutomaticZones, ASolidPillarIsAHoleOfTheInnerEdgeOnly) {
    PlantLoop({{0, 0}, {6, 0}, {6, 6}, {0, 6}});
    PlantWall(3, 2.8, 3, 3.2, 0.4);
    Contours byEdges = Detected({1, 1}, false);
    ASSERT_EQ(byEdges.size(), 2u);
    ExpectContour(byEdges[1], {{2.8, 2.8}, {2.8, 3.2}, {3.2, 3.2}, {3.2, 2.8}});
    EXPECT_EQ(Detected({1, 1}, true).size(), 1u);
    EXPECT_EQ(CreateZone({3, 3}, false), APIERR_BADPOLY);
}

TEST_F(AutomaticZones, AnLShapedRoomKeepsItsSixCorners) {
    PlantLoop({{0, 0}, {6, 0}, {6, 3}, {3, 3}, {3, 6}, {0, 6}});
    ExpectContour(Detected({1, 5}, true)[0], {{0, 0}, {6, 0}, {6, 3}, {3, 3}, {3, 6}, {0, 6}});
    ExpectContour(Detected({1, 5}, false)[0],
                  {{0.15, 0.15}, {5.85, 0.15}, {5.85, 2.85}, {2.85, 2.85}, {2.85, 5.85}, {0.15, 5.85}});
}

TEST_F(AutomaticZones, TJunctionsSplitTheWallsTheyMeet) {
    PlantWall(0, 0, 8, 0);
    PlantWall(8, 0, 8, 4);
    PlantWall(8, 4, 0, 4);
    PlantWall(0, 4, 0, 0);
    PlantWall(4, 0, 4, 4, 0.1);
    ExpectContour(Detected({1, 1}, true)[0], {{0, 0}, {4, 0}, {4, 4}, {0, 4}});
    ExpectContour(Detected({7, 1}, true)[0], {{4, 0}, {8, 0}, {8, 4}, {4, 4}});
    ExpectContour(Detected({7, 1}, false)[0], {{4.05, 0.15}, {7.85, 0.15}, {7.85, 3.85}, {4.05, 3.85}});
}

TEST_F(AutomaticZones, AWallEndingFreeInsideARoomSplitsNothing) {
    PlantLoop({{0, 0}, {8, 0}, {8, 4}, {0, 4}});
    PlantWall(4, 4, 4, 2, 0.1);
    ExpectContour(Detected({1, 1}, true)[0], {{0, 0}, {8, 0}, {8, 4}, {0, 4}});
    EXPECT_EQ(Detected({1, 1}, false)[0].size(), 9u);
}

TEST_F(AutomaticZones, RotatedLayoutsGiveTheRotatedRooms) {
    for (double degrees : {7.0, 33.0}) {
        StandIn::ResetHost();
        double a = degrees * std::numbers::pi / 180;
        auto turned = [a](double x, double y) {
            return API_Coord{x * std::cos(a) - y * std::sin(a), x * std::sin(a) + y * std::cos(a)};
        };
        std::vector<API_Coord> corners = {turned(0, 0), turned(10, 0), turned(10, 8), turned(0, 8)};
        PlantLoop(corners);
        API_Coord t = turned(6, 0);
        API_Coord u = turned(6, 8);
        PlantWall(t.x, t.y, u.x, u.y, 0.12);
        API_Coord inLiving = turned(3, 4);
        Contours room = Detected(inLiving, true);
        ASSERT_EQ(room.size(), 1u) << degrees;
        ExpectContour(room[0], {turned(0, 0), turned(6, 0), turned(6, 8), turned(0, 8)}, 1e-5);
        Contours inner = Detected(inLiving, false);
        ASSERT_EQ(inner.size(), 1u) << degrees;
        ExpectContour(inner[0],
                      {turned(Exterior, Exterior), turned(6 - Interior, Exterior),
                       turned(6 - Interior, 8 - Exterior), turned(Exterior, 8 - Exterior)},
                      1e-5);
    }
}

TEST_F(AutomaticZones, WallsOnOtherStoriesAreIgnored) {
    PlantLoop({{0, 0}, {6, 0}, {6, 6}, {0, 6}});
    PlantWall(3, 0, 3, 6, 0.1, 1);
    ExpectContour(Detected({1, 1}, true)[0], {{0, 0}, {6, 0}, {6, 6}, {0, 6}});
    StandIn::TheModel().activeStory = 1;
    EXPECT_EQ(CreateZone({1, 1}, true), APIERR_BADPOLY);
}

TEST_F(AutomaticZones, TheInnerEdgeMethodAloneCanBeFailed) {
    LoadApartment();
    StandIn::Faults::Arm("ACAPI_Element_Create:Zone:InnerEdge", APIERR_GENERAL);
    EXPECT_EQ(CreateZone({3, 4}, false), APIERR_GENERAL);
    EXPECT_EQ(CreateZone({3, 4}, true), NoError);
    StandIn::Faults::Arm("ACAPI_Element_Create:Zone:Automatic", -1);
    EXPECT_EQ(CreateZone({3, 4}, true), -1);
}

TEST_F(AutomaticZones, AFailedStepTakesTheDetectedZoneBack) {
    LoadApartment();
    size_t elements = StandIn::TheModel().elements.size();
    EXPECT_EQ(InStep([] {
                  API_Element zone = {};
                  zone.header.type = API_ZoneID;
                  ACAPI_Element_GetDefaults(&zone, nullptr);
                  zone.zone.manual = false;
                  zone.zone.refPos = {3, 4};
                  ACAPI_Element_Create(&zone, nullptr);
                  return APIERR_GENERAL;
              }),
              APIERR_GENERAL);
    EXPECT_EQ(StandIn::TheModel().elements.size(), elements);
}

// Stories larger than the first window around a point, so that it grows, meets long walls and
// rooms open to the outside: the answers must be those of the union of every wall.
namespace Windowed {

using StandIn::ZoneGeometry::Contour;
using StandIn::ZoneGeometry::Method;
using StandIn::ZoneGeometry::WallFootprint;

constexpr API_WallReferenceLineLocationID Lines[] = {APIWallRefLine_Center, APIWallRefLine_Outside,
                                                     APIWallRefLine_Inside};

// Rooms of 4 m, cells x cells, walls of mixed thickness and reference lines; the ones `kept`
// refuses are left out.
std::vector<WallFootprint> Grid(int cells, const std::function<bool(int, int, bool)>& kept) {
    std::vector<WallFootprint> walls;
    for (int i = 0; i <= cells; ++i) {
        for (int j = 0; j < cells; ++j) {
            double thickness = 0.1 + 0.05 * ((i + j) % 4);
            API_WallReferenceLineLocationID line = Lines[(i + j) % 3];
            if (kept(i, j, true)) {
                walls.push_back({{4.0 * i, 4.0 * j}, {4.0 * i, 4.0 * (j + 1)}, thickness, line});
            }
            if (kept(i, j, false)) {
                walls.push_back({{4.0 * j, 4.0 * i}, {4.0 * (j + 1), 4.0 * i}, thickness, line});
            }
        }
    }
    return walls;
}

// A hall of 6 x 6 cells with pillars and a walled stair in it, and a bay open to the outside.
std::vector<WallFootprint> HallAndBay() {
    std::vector<WallFootprint> walls = Grid(12, [](int i, int j, bool upright) {
        bool inHall = i > 3 && i < 9 && j >= 3 && j < 9;
        bool bayMouth = !upright && i == 0 && (j == 10 || j == 11);
        bool inBay = i == 11 && upright && j == 0;
        return !inHall && !bayMouth && !inBay;
    });
    walls.push_back({{20, 20}, {20, 20.6}, 0.6, APIWallRefLine_Center});
    walls.push_back({{28, 28}, {28.4, 28}, 0.4, APIWallRefLine_Inside});
    for (auto [a, b] : std::vector<std::pair<API_Coord, API_Coord>>{
             {{22, 24}, {25, 24}}, {{25, 24}, {25, 26}}, {{25, 26}, {22, 26}}, {{22, 26}, {22, 24}}}) {
        walls.push_back({a, b, 0.2, APIWallRefLine_Center});
    }
    return walls;
}

// Two corridor walls 60 m long, rooms along them, one room's cross wall missing.
std::vector<WallFootprint> Corridor() {
    std::vector<WallFootprint> walls = {{{0, 0}, {60, 0}, 0.3, APIWallRefLine_Outside},
                                        {{0, 3}, {60, 3}, 0.2, APIWallRefLine_Center},
                                        {{0, 9}, {60, 9}, 0.3, APIWallRefLine_Inside},
                                        {{0, 0}, {0, 9}, 0.3, APIWallRefLine_Center},
                                        {{60, 0}, {60, 9}, 0.3, APIWallRefLine_Center}};
    for (int k = 1; k < 12; ++k) {
        if (k != 7) {
            walls.push_back({{5.0 * k, 3}, {5.0 * k, 9}, 0.12, APIWallRefLine_Center});
        }
    }
    return walls;
}

std::string Shown(const std::vector<Contour>& contours) {
    std::string shown;
    for (const Contour& contour : contours) {
        for (const API_Coord& c : contour) {
            shown += "(" + std::to_string(c.x) + ", " + std::to_string(c.y) + ")";
        }
        shown += "; ";
    }
    return shown;
}

bool Same(const std::vector<Contour>& a, const std::vector<Contour>& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t k = 0; k < a.size(); ++k) {
        if (a[k].size() != b[k].size()) {
            return false;
        }
        for (size_t i = 0; i < a[k].size(); ++i) {
            if (a[k][i].x != b[k][i].x || a[k][i].y != b[k][i].y) {
                return false;
            }
        }
    }
    return true;
}

TEST(WindowedZoneDetection, GivesTheAnswersOfTheWholeStoryToTheLastBit) {
    struct Case {
        const char* story;
        std::vector<WallFootprint> walls;
        std::vector<API_Coord> points;
        size_t rooms; // points in a closed room, by either method
    };
    std::vector<API_Coord> cells;
    for (int i = 0; i < 12; i += 2) {
        for (int j = i % 4 == 0 ? 0 : 1; j < 12; j += 2) {
            cells.push_back({4.0 * i + 2, 4.0 * j + 2});
        }
    }
    // The hall, its pillar, the stair, the open bay, a wall's inside, a point beyond every wall.
    std::vector<API_Coord> hallPoints = {{18, 14}, {30, 33},    {20, 20.3}, {23, 25}, {46, 42},
                                         {46, 2},  {44, 30.05}, {-3, 10},   {2.02, 6}};
    hallPoints.insert(hallPoints.end(), cells.begin(), cells.end());
    std::vector<API_Coord> corridorPoints = {{30, 1.5}, {2, 6}, {33, 6}, {37, 6}, {58, 6}, {59.9, 1}};
    std::vector<Case> cases = {{"hall and bay", HallAndBay(), hallPoints, 82},
                               {"corridor", Corridor(), corridorPoints, 11}};
    for (const Case& c : cases) {
        size_t rooms = 0;
        for (Method method : {Method::ReferenceLine, Method::InnerEdge}) {
            for (const API_Coord& point : c.points) {
                std::vector<Contour> windowed = StandIn::ZoneGeometry::DetectBoundary(c.walls, point, method);
                std::vector<Contour> whole =
                    StandIn::ZoneGeometry::DetectBoundaryFromAllWalls(c.walls, point, method);
                EXPECT_TRUE(Same(windowed, whole)) << c.story << " at " << point.x << ", " << point.y << ": "
                                                   << Shown(windowed) << " instead of " << Shown(whole);
                rooms += whole.empty() ? 0 : 1;
            }
        }
        EXPECT_EQ(rooms, c.rooms) << c.story;
    }
}

} // namespace Windowed

} // namespace
