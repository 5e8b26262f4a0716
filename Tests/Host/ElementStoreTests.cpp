#include "ModelTestSupport.hpp"

#include "StandIn/Faults.hpp"
#include "StandIn/TypedHandles.hpp"

#include <cmath>
#include <limits>

namespace {

using Elements = FreshModel;

// A slab polygon memo over the given closed contours, coded as the host codes polygons.
struct PolygonMemo {
    API_ElementMemo memo = {};
    API_Polygon poly = {};

    explicit PolygonMemo(const std::vector<std::vector<API_Coord>>& contours) {
        Int32 n = 0;
        for (const auto& contour : contours) {
            n += static_cast<Int32>(contour.size());
        }
        poly = {n, static_cast<Int32>(contours.size()), 0};
        memo.coords =
            reinterpret_cast<API_Coord**>(BMAllocateHandle((n + 1) * sizeof(API_Coord), ALLOCATE_CLEAR, 0));
        memo.pends = reinterpret_cast<Int32**>(
            BMAllocateHandle((poly.nSubPolys + 1) * sizeof(Int32), ALLOCATE_CLEAR, 0));
        Int32 at = 1;
        Int32 sub = 1;
        for (const auto& contour : contours) {
            for (const API_Coord& c : contour) {
                (*memo.coords)[at++] = c;
            }
            (*memo.pends)[sub++] = at - 1;
        }
    }
    ~PolygonMemo() { ACAPI_DisposeElemMemoHdls(&memo); }
};

const std::vector<API_Coord> Square = {{0, 0}, {4, 0}, {4, 4}, {0, 4}, {0, 0}};

TEST_F(Elements, ChangesOutsideAnUndoStepAreRefused) {
    API_Element wall = Wall(0, 0, 5, 0);
    EXPECT_EQ(ACAPI_Element_Create(&wall, nullptr), APIERR_NEEDSUNDOSCOPE);
    EXPECT_TRUE(StandIn::TheModel().elements.empty());
    ASSERT_EQ(StandIn::PlantElement(&wall, nullptr), NoError);
    EXPECT_EQ(ACAPI_Element_Delete({wall.header.guid}), APIERR_NEEDSUNDOSCOPE);
    EXPECT_EQ(StandIn::TheModel().elements.size(), 1u);
}

TEST_F(Elements, WallsRoundTripOnTheActiveStoryInCreationOrder) {
    StandIn::TheModel().activeStory = 2;
    API_Element first = Wall(0, 0, 5, 0);
    API_Element second = Wall(5, 0, 5, 4);
    second.wall.thickness = 0.12;
    EXPECT_EQ(first.header.floorInd, 2);
    ASSERT_EQ(InStep([&] {
                  return ACAPI_Element_Create(&second, nullptr) | ACAPI_Element_Create(&first, nullptr);
              }),
              NoError);
    EXPECT_NE(first.header.guid, APINULLGuid);
    EXPECT_NE(first.header.guid, second.header.guid);

    GS::Array<API_Guid> walls;
    ASSERT_EQ(ACAPI_Element_GetElemList(API_WallID, &walls), NoError);
    EXPECT_EQ(walls, (GS::Array<API_Guid>{second.header.guid, first.header.guid}));

    API_Element read = {};
    read.header.guid = second.header.guid;
    ASSERT_EQ(ACAPI_Element_Get(&read), NoError);
    EXPECT_EQ(read.header.type, API_ElemType(API_WallID));
    EXPECT_EQ(read.wall.thickness, 0.12);
    EXPECT_EQ(read.wall.endC.y, 4.0);
    EXPECT_EQ(read.header.floorInd, 2);

    ASSERT_EQ(InStep([&] { return ACAPI_Element_Delete({second.header.guid}); }), NoError);
    EXPECT_EQ(ACAPI_Element_Get(&read), APIERR_BADID);
    EXPECT_EQ(InStep([&] {
                  return ACAPI_Element_Delete({first.header.guid, second.header.guid});
              }),
              APIERR_BADID);
    EXPECT_EQ(Guids(), (std::vector<API_Guid>{first.header.guid}));
}

TEST_F(Elements, UnsoundRecordsAreRefusedWithACode) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    API_Element thin = Wall(0, 0, 1, 0);
    thin.wall.thickness = 0;
    API_Element point = Wall(1, 1, 1, 1);
    API_Element lost = Wall(0, 0, nan, 0);
    API_Element unknown = {};
    unknown.header.type = API_ElemTypeID(200); // within the enumeration's range, no type of it
    InStep([&] {
        EXPECT_EQ(ACAPI_Element_Create(&thin, nullptr), APIERR_BADPARS);
        EXPECT_EQ(ACAPI_Element_Create(&point, nullptr), APIERR_BADPARS);
        EXPECT_EQ(ACAPI_Element_Create(&lost, nullptr), APIERR_BADPARS);
        EXPECT_EQ(ACAPI_Element_Create(&unknown, nullptr), APIERR_BADPARS);
        return NoError;
    });
    EXPECT_EQ(ACAPI_Element_GetDefaults(&unknown, nullptr), APIERR_BADID);
    EXPECT_TRUE(StandIn::TheModel().elements.empty());
}

TEST_F(Elements, SlabPolygonsAreCheckedAndReadBackExactly) {
    API_Element slab = {};
    slab.header.type = API_SlabID;
    API_ElementMemo defaults = {};
    ASSERT_EQ(ACAPI_Element_GetDefaults(&slab, &defaults), NoError);
    EXPECT_NE(defaults.coords, nullptr);
    ACAPI_DisposeElemMemoHdls(&defaults);

    PolygonMemo withHole({Square, {{1, 1}, {1, 2}, {2, 2}, {1, 1}}});
    slab.slab.poly = withHole.poly;
    PolygonMemo open({{{0, 0}, {4, 0}, {4, 4}, {0, 4}, {0, 0.001}}});
    API_Element openSlab = slab;
    openSlab.slab.poly = open.poly;
    API_Element lying = slab;
    lying.slab.poly.nCoords += 1;
    InStep([&] {
        EXPECT_EQ(ACAPI_Element_Create(&slab, &withHole.memo), NoError);
        EXPECT_EQ(ACAPI_Element_Create(&openSlab, &open.memo), APIERR_BADPOLY);
        EXPECT_EQ(ACAPI_Element_Create(&lying, &withHole.memo), APIERR_BADPOLY);
        return NoError;
    });
    ASSERT_EQ(StandIn::TheModel().elements.size(), 1u);

    API_ElementMemo read = {};
    ASSERT_EQ(ACAPI_Element_GetMemo(slab.header.guid, &read, APIMemoMask_Polygon), NoError);
    EXPECT_EQ(BMGetHandleSize(read.coords), 10 * 16);
    EXPECT_EQ(BMGetHandleSize(read.pends), 3 * 4);
    EXPECT_EQ((*read.pends)[1], 5);
    EXPECT_EQ((*read.pends)[2], 9);
    EXPECT_EQ((*read.coords)[7].y, 2.0);
    ACAPI_DisposeElemMemoHdls(&read);
}

TEST_F(Elements, FaultsFailACallWithoutChangingTheModel) {
    API_Element wall = Wall(0, 0, 2, 0);
    StandIn::Faults::Arm("ACAPI_Element_Create:Wall", APIERR_GENERAL);
    StandIn::Faults::Arm("ACAPI_Element_GetDefaults", APIERR_MEMFULL);
    API_Element defaults = {};
    defaults.header.type = API_SlabID;
    EXPECT_EQ(ACAPI_Element_GetDefaults(&defaults, nullptr), APIERR_MEMFULL);
    InStep([&] {
        EXPECT_EQ(ACAPI_Element_Create(&wall, nullptr), APIERR_GENERAL);
        EXPECT_EQ(ACAPI_Element_Create(&wall, nullptr), NoError);
        return NoError;
    });
    EXPECT_EQ(StandIn::TheModel().elements.size(), 1u);
}

// Creates an element from its type's defaults, reads it and its memo back and deletes it.
TEST_F(Elements, EveryKindRoundTripsFromItsDefaultsThroughCreateGetMemoAndDelete) {
    const API_ElemType kinds[] = {API_WallID,   API_SlabID,     API_ZoneID,
                                  API_ObjectID, API_MorphID,    API_MeshID,
                                  API_LineID,   API_PolyLineID, {API_ObjectID, APIVarId_GridElement}};
    for (const API_ElemType& kind : kinds) {
        API_Element element = {};
        element.header.type = kind;
        API_ElementMemo memo = {};
        ASSERT_EQ(ACAPI_Element_GetDefaults(&element, &memo), NoError) << kind.typeID;
        PolygonMemo path({{{0, 0}, {3, 0}, {3, 1}}});
        if (kind.typeID == API_PolyLineID) {
            // Polyline defaults carry no path.
            EXPECT_EQ(memo.coords, nullptr);
            element.polyLine.poly = path.poly;
            std::swap(memo, path.memo);
        }
        EXPECT_EQ(InStep([&] { return ACAPI_Element_Create(&element, &memo); }), NoError) << kind.typeID;
        API_Element read = {};
        read.header.guid = element.header.guid;
        EXPECT_EQ(ACAPI_Element_Get(&read), NoError) << kind.typeID;
        EXPECT_EQ(read.header.type, kind);
        API_ElementMemo readMemo = {};
        EXPECT_EQ(ACAPI_Element_GetMemo(element.header.guid, &readMemo, APIMemoMask_All), NoError);
        EXPECT_EQ(BMGetHandleSize(reinterpret_cast<GSHandle>(readMemo.coords)),
                  BMGetHandleSize(reinterpret_cast<GSHandle>(memo.coords)))
            << kind.typeID;
        EXPECT_EQ(BMGetHandleSize(reinterpret_cast<GSHandle>(readMemo.meshPolyZ)),
                  BMGetHandleSize(reinterpret_cast<GSHandle>(memo.meshPolyZ)))
            << kind.typeID;
        EXPECT_EQ(readMemo.morphBody != nullptr, memo.morphBody != nullptr) << kind.typeID;
        EXPECT_EQ(BMGetHandleSize(reinterpret_cast<GSHandle>(readMemo.params)),
                  BMGetHandleSize(reinterpret_cast<GSHandle>(memo.params)))
            << kind.typeID;
        ACAPI_DisposeElemMemoHdls(&readMemo);
        ACAPI_DisposeElemMemoHdls(&memo);
        EXPECT_EQ(InStep([&] { return ACAPI_Element_Delete({element.header.guid}); }), NoError);
        EXPECT_EQ(ACAPI_Element_Get(&read), APIERR_BADID) << kind.typeID;
    }
    EXPECT_TRUE(StandIn::TheModel().elements.empty());
}

} // namespace

namespace {

TEST_F(Elements, AreFoundByGuidThroughDeletionsUndoAndRedo) {
    std::vector<API_Guid> walls;
    for (int i = 0; i < 4; ++i) {
        API_Element wall = Wall(i, 0, i, 1);
        ASSERT_EQ(StandIn::PlantElement(&wall, nullptr), NoError);
        walls.push_back(wall.header.guid);
        ASSERT_NE(StandIn::FindElement(wall.header.guid), nullptr) << "found as soon as it is stored";
    }
    ASSERT_EQ(InStep([&] { return ACAPI_Element_Delete(GS::Array<API_Guid>{walls[1]}); }), NoError);
    EXPECT_EQ(StandIn::FindElement(walls[1]), nullptr);
    ASSERT_NE(StandIn::FindElement(walls[3]), nullptr);
    EXPECT_EQ(StandIn::FindElement(walls[3])->element.wall.begC.x, 3.0) << "the element moved up in the list";
    ASSERT_TRUE(StandIn::UndoLastStep());
    ASSERT_NE(StandIn::FindElement(walls[1]), nullptr);
    EXPECT_EQ(StandIn::FindElement(walls[1])->element.wall.begC.x, 1.0);
    EXPECT_EQ(StandIn::FindElement(walls[3])->element.wall.begC.x, 3.0);
    ASSERT_TRUE(StandIn::RedoStep());
    EXPECT_EQ(StandIn::FindElement(walls[1]), nullptr);
    EXPECT_EQ(StandIn::FindElement(APINULLGuid), nullptr);
}

} // namespace
