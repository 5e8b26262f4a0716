#include "BuilderTestSupport.hpp"

#include "Builders/PolygonConversion.hpp"
#include "StandIn/Faults.hpp"
#include "StandIn/TypedHandles.hpp"

#include <cmath>

namespace {

using Tolva::TolvaPoint3D;
using Tolva::TolvaPolygon;
using Tolva::TolvaPolyline;
using Tolva::Builders::ConvertToHostPolygon;
using Tolva::Builders::PointTransform;

TolvaPolyline Ring(std::initializer_list<TolvaPoint3D> points) {
    TolvaPolyline polyline;
    for (const TolvaPoint3D& point : points) {
        polyline.points.Push(point);
    }
    return polyline;
}

TolvaPolygon Polygon(std::initializer_list<TolvaPolyline> rings) {
    TolvaPolygon polygon;
    for (const TolvaPolyline& ring : rings) {
        polygon.polylines.Push(ring);
    }
    return polygon;
}

const TolvaPolyline OpenSquare = Ring({{0, 0, 0}, {4000, 0, 0}, {4000, 3000, 0}, {0, 3000, 0}});

class PolygonConversion : public BuilderTest {
protected:
    void TearDown() override {
        ACAPI_DisposeElemMemoHdls(&memo);
        BuilderTest::TearDown();
    }

    GSErrCode Convert(const TolvaPolygon& polygon, bool arcs = false, PointTransform transform = {},
                      bool close = true) {
        return ConvertToHostPolygon(polygon, poly, memo, "SlabBuilder", arcs, std::move(transform), close);
    }

    std::vector<std::pair<double, double>> Coords() const {
        std::vector<std::pair<double, double>> coords;
        for (Int32 i = 0; i <= poly.nCoords; ++i) {
            coords.emplace_back((*memo.coords)[i].x, (*memo.coords)[i].y);
        }
        return coords;
    }

    std::vector<Int32> Pends() const {
        return std::vector<Int32>(*memo.pends, *memo.pends + poly.nSubPolys + 1);
    }

    API_Polygon poly = {};
    API_ElementMemo memo = {};
};

using CoordList = std::vector<std::pair<double, double>>;

TEST_F(PolygonConversion, ClosesAnOpenSquareWithACopyOfItsFirstPointInMetres) {
    ASSERT_EQ(Convert(Polygon({OpenSquare})), NoError);
    EXPECT_EQ(poly.nCoords, 5);
    EXPECT_EQ(poly.nSubPolys, 1);
    EXPECT_EQ(poly.nArcs, 0);
    EXPECT_EQ(Coords(), (CoordList{{0, 0}, {0, 0}, {4, 0}, {4, 3}, {0, 3}, {0, 0}}));
    EXPECT_EQ(Pends(), (std::vector<Int32>{0, 5}));
    EXPECT_EQ(BMGetHandleSize(memo.coords), GSSize(6 * sizeof(API_Coord)));
    EXPECT_EQ(BMGetHandleSize(memo.pends), GSSize(2 * sizeof(Int32)));
    EXPECT_EQ(memo.parcs, nullptr);
    EXPECT_TRUE(Lines().empty()) << "the per-ring line is at debug level";
}

TEST_F(PolygonConversion, KeepsARingThatRepeatsItsFirstPoint) {
    TolvaPolyline closed = OpenSquare;
    closed.points.Push({0, 0, 0});
    ASSERT_EQ(Convert(Polygon({closed})), NoError);
    EXPECT_EQ(poly.nCoords, 5);
    EXPECT_EQ(Pends(), (std::vector<Int32>{0, 5}));
    EXPECT_EQ(Coords(), (CoordList{{0, 0}, {0, 0}, {4, 0}, {4, 3}, {0, 3}, {0, 0}}));
}

TEST_F(PolygonConversion, TestsClosingIn3DOnTheRawMillimetres) {
    TolvaPolyline nearlyClosed = OpenSquare;
    nearlyClosed.points.Push({0, 0, 0.0005});
    ASSERT_EQ(Convert(Polygon({nearlyClosed})), NoError);
    EXPECT_EQ(poly.nCoords, 5) << "0.0005 mm apart in Z counts as closed";
    ACAPI_DisposeElemMemoHdls(&memo);

    TolvaPolyline apart = OpenSquare;
    apart.points.Push({0, 0, 0.001});
    ASSERT_EQ(Convert(Polygon({apart})), NoError);
    EXPECT_EQ(poly.nCoords, 6) << "0.001 mm apart gets a closing coordinate";
    EXPECT_EQ(Pends(), (std::vector<Int32>{0, 6}));
}

TEST_F(PolygonConversion, CountsRingsAndHolesWithTheirEndIndices) {
    const TolvaPolyline hole = Ring({{1000, 1000, 0}, {2000, 1000, 0}, {2000, 2000, 0}});
    ASSERT_EQ(Convert(Polygon({OpenSquare, hole}), true), NoError);
    EXPECT_EQ(poly.nCoords, 9);
    EXPECT_EQ(poly.nSubPolys, 2);
    EXPECT_EQ(Pends(), (std::vector<Int32>{0, 5, 9}));
    EXPECT_EQ(Coords()[6], std::make_pair(1.0, 1.0));
    EXPECT_EQ(Coords()[9], std::make_pair(1.0, 1.0));
    ASSERT_NE(memo.parcs, nullptr) << "asked for: an empty arc handle";
    EXPECT_EQ(BMGetHandleSize(memo.parcs), 0);
}

TEST_F(PolygonConversion, DropsZAndConvertsMillimetresToMetres) {
    ASSERT_EQ(Convert(Polygon({Ring({{2500, 1250, 300}, {-500, 7, 300}})})), NoError);
    EXPECT_EQ(Coords()[1], std::make_pair(2.5, 1.25));
    EXPECT_EQ(Coords()[2], std::make_pair(-0.5, 0.007));
}

TEST_F(PolygonConversion, LeavesRingsOpenWhenNotAskedToClose) {
    ASSERT_EQ(Convert(Polygon({OpenSquare}), false, {}, false), NoError);
    EXPECT_EQ(poly.nCoords, 4);
    EXPECT_EQ(Pends(), (std::vector<Int32>{0, 4}));
}

TEST_F(PolygonConversion, ScalesTransformedPointsAndClosesWithTheTransformedFirstPoint) {
    Int32 calls = 0;
    // A transform that would turn the raw closed ring into an open one, had it been tested afterwards.
    const PointTransform shift = [&calls](const TolvaPoint3D& p) {
        ++calls;
        return TolvaPoint3D{p.x + 1000 + calls, p.y * 2, p.z + 50};
    };
    ASSERT_EQ(Convert(Polygon({OpenSquare}), false, shift), NoError);
    EXPECT_EQ(calls, 4) << "every raw point once; the closing copy is not transformed again";
    EXPECT_EQ(Coords(), (CoordList{{0, 0}, {1.001, 0}, {5.002, 0}, {5.003, 6}, {1.004, 6}, {1.001, 0}}));

    ACAPI_DisposeElemMemoHdls(&memo);
    TolvaPolyline closed = OpenSquare;
    closed.points.Push({0, 0, 0});
    ASSERT_EQ(Convert(Polygon({closed}), false, shift), NoError);
    EXPECT_EQ(poly.nCoords, 5) << "closed by its raw points, though transformed apart";
}

TEST_F(PolygonConversion, RefusesAPolygonWithoutPolylines) {
    poly = {7, 7, 7};
    EXPECT_EQ(Convert(TolvaPolygon()), APIERR_BADPARS);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"[ERROR] SlabBuilder: Polygon has no polylines"}));
    EXPECT_EQ(poly.nCoords, 7);
    EXPECT_EQ(memo.coords, nullptr);
}

TEST_F(PolygonConversion, RefusesAOnePointPolylineBeforeAllocatingAnything) {
    poly = {7, 8, 9};
    const Int32 allocations = StandIn::Faults::CallCount("BMAllocateHandle");
    EXPECT_EQ(Convert(Polygon({OpenSquare, Ring({{12.345, -6.5, 3}})})), APIERR_BADPARS);
    EXPECT_EQ(Lines(),
              (std::vector<std::string>{
                  "[ERROR] SlabBuilder: Polyline 1 has insufficient points: 1 (minimum 2 required). This may "
                  "indicate malformed source data or transformation issues. First point: (12.35, -6.50, "
                  "3.00), Last point: (12.35, -6.50, 3.00)"}));
    EXPECT_EQ(poly.nCoords, 7);
    EXPECT_EQ(poly.nSubPolys, 8);
    EXPECT_EQ(poly.nArcs, 9);
    EXPECT_EQ(StandIn::Faults::CallCount("BMAllocateHandle"), allocations);
    EXPECT_EQ(memo.coords, nullptr);
}

TEST_F(PolygonConversion, PrintsTheOriginForAPolylineWithoutPoints) {
    EXPECT_EQ(Convert(Polygon({TolvaPolyline()})), APIERR_BADPARS);
    EXPECT_EQ(Lines(),
              (std::vector<std::string>{
                  "[ERROR] SlabBuilder: Polyline 0 has insufficient points: 0 (minimum 2 required). This may "
                  "indicate malformed source data or transformation issues. First point: (0.00, 0.00, "
                  "0.00), Last point: (0.00, 0.00, 0.00)"}));
}

TEST_F(PolygonConversion, ReleasesWhatItAllocatedWhenAnAllocationFails) {
    const std::vector<std::string> messages = {"Failed to allocate memory for polygon coordinates",
                                               "Failed to allocate memory for polygon pends",
                                               "Failed to allocate memory for polygon parcs"};
    for (Int32 k = 0; k < 3; ++k) {
        ClearLines();
        StandIn::Faults::Arm("BMAllocateHandle", 1, 1, k);
        const Int32 live = StandIn::HandleLedger::LiveCount();
        EXPECT_EQ(ConvertToHostPolygon(Polygon({OpenSquare}), poly, memo, "ZoneBuilder", true, {}, true),
                  APIERR_MEMFULL);
        EXPECT_EQ(Lines(), (std::vector<std::string>{"[ERROR] ZoneBuilder: " + messages[k]}));
        EXPECT_EQ(StandIn::HandleLedger::LiveCount(), live) << "allocation " << k + 1;
        EXPECT_EQ(memo.coords, nullptr);
        EXPECT_EQ(memo.pends, nullptr);
        EXPECT_EQ(memo.parcs, nullptr);
    }
}

TEST_F(PolygonConversion, ReplacesTheDefaultsPolygonAndTheHostAcceptsTheResult) {
    API_Element slab = {};
    slab.header.type = API_SlabID;
    ASSERT_EQ(ACAPI_Element_GetDefaults(&slab, &memo), NoError);
    ASSERT_NE(memo.coords, nullptr) << "slab defaults carry a polygon";
    const Int32 live = StandIn::HandleLedger::LiveCount();
    const TolvaPolyline hole = Ring({{1000, 1000, 0}, {2000, 1000, 0}, {2000, 2000, 0}});
    ASSERT_EQ(ConvertToHostPolygon(Polygon({OpenSquare, hole}), slab.slab.poly, memo, "SlabBuilder", false,
                                   {}, true),
              NoError);
    EXPECT_EQ(StandIn::HandleLedger::LiveCount(), live) << "the defaults' handles were released";
    ASSERT_EQ(InStep([&] { return ACAPI_Element_Create(&slab, &memo); }), NoError);
    const StandIn::StoredElement* stored = StandIn::FindElement(slab.header.guid);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->memo->pends, (std::vector<Int32>{0, 5, 9}));
}

} // namespace
