#include "ModelTestSupport.hpp"

#include "ACAPinc.h"
#include "StandIn/Faults.hpp"
#include "StandIn/Model3D.hpp"
#include "StandIn/Stories.hpp"

#include <cmath>

namespace {

class Model3D : public FreshModel {
protected:
    // Plants a slab over the contours (outer first, each closed) and returns its GUID.
    static API_Guid PlantSlab(const std::vector<std::vector<API_Coord>>& contours) {
        API_Element slab = {};
        slab.header.type = API_SlabID;
        EXPECT_EQ(ACAPI_Element_GetDefaults(&slab, nullptr), NoError);
        StandIn::StoredMemo memo;
        memo.coords.push_back({0, 0});
        memo.pends.push_back(0);
        for (const auto& contour : contours) {
            memo.coords.insert(memo.coords.end(), contour.begin(), contour.end());
            memo.pends.push_back(static_cast<Int32>(memo.coords.size() - 1));
        }
        slab.slab.poly = {static_cast<Int32>(memo.coords.size() - 1), static_cast<Int32>(contours.size()), 0};
        EXPECT_EQ(StandIn::PlantElement(&slab, &memo), NoError);
        return slab.header.guid;
    }

    static API_ElemInfo3D InfoOf(const API_Guid& guid) {
        API_Elem_Head head = {};
        head.guid = guid;
        API_ElemInfo3D info = {};
        EXPECT_EQ(ACAPI_ModelAccess_Get3DInfo(head, &info), NoError);
        return info;
    }

    static API_Component3D Read(API_3DTypeID type, Int32 index) {
        API_Component3D component = {};
        component.header = {type, index, 0, 0};
        EXPECT_EQ(ACAPI_ModelAccess_GetComponent(&component), NoError) << type << " " << index;
        return component;
    }

    // The signed edge references of the body's polygon, as the polygon-edge reads give them.
    static std::vector<Int32> PolygonEdges(Int32 polygon) {
        API_PgonType pgon = Read(API_PgonID, polygon).pgon;
        std::vector<Int32> edges;
        for (Int32 j = pgon.fpedg; j <= pgon.lpedg; ++j) {
            edges.push_back(Read(API_PedgID, j).pedg.pedg);
        }
        return edges;
    }
};

const std::vector<API_Coord> Square = {{0, 0}, {4, 0}, {4, 4}, {0, 4}, {0, 0}};

TEST_F(Model3D, ABoxSlabHasEightVerticesTwelveEdgesAndSixPolygons) {
    API_ElemInfo3D info = InfoOf(PlantSlab({Square}));
    ASSERT_EQ(info.fbody, 1);
    ASSERT_EQ(info.lbody, 1);
    API_BodyType body = Read(API_BodyID, 1).body;
    EXPECT_EQ(body.nVert, 8);
    EXPECT_EQ(body.nEdge, 12);
    EXPECT_EQ(body.nPgon, 6);
    API_VertType top = Read(API_VertID, 7).vert;
    EXPECT_DOUBLE_EQ(top.x, 4);
    EXPECT_DOUBLE_EQ(top.y, 4);
    EXPECT_DOUBLE_EQ(top.z, 0);
    EXPECT_DOUBLE_EQ(Read(API_VertID, 1).vert.z, -0.2);
    EXPECT_EQ(PolygonEdges(2), (std::vector<Int32>{5, 6, 7, 8}));
    EXPECT_EQ(PolygonEdges(1), (std::vector<Int32>{-4, -3, -2, -1}));
    EXPECT_EQ(PolygonEdges(3), (std::vector<Int32>{1, 10, -5, -9}));
    API_EdgeType edge = Read(API_EdgeID, 10).edge;
    EXPECT_EQ(edge.vert1, 2);
    EXPECT_EQ(edge.vert2, 6);
}

TEST_F(Model3D, ASlabWithAHoleListsTheHoleContourAfterAZero) {
    PlantSlab({Square, {{1, 1}, {1, 2}, {2, 2}, {2, 1}, {1, 1}}});
    API_BodyType body = Read(API_BodyID, 1).body;
    EXPECT_EQ(body.nVert, 16);
    EXPECT_EQ(body.nPgon, 10);
    EXPECT_EQ(PolygonEdges(2), (std::vector<Int32>{5, 6, 7, 8, 0, 17, 18, 19, 20}));
}

TEST_F(Model3D, BodiesAreNumberedOverTheModelInHostOrder) {
    API_Element wall = Wall(0, 0, 4, 0);
    ASSERT_EQ(StandIn::PlantElement(&wall, nullptr), NoError);
    API_Guid slab = PlantSlab({Square});
    API_ElemInfo3D info = InfoOf(slab);
    EXPECT_EQ(info.fbody, 2);
    EXPECT_EQ(info.lbody, 2);
    API_BodyType body = Read(API_BodyID, 1).body;
    EXPECT_EQ(body.nVert, 8);
    API_VertType corner = Read(API_VertID, 5).vert;
    EXPECT_DOUBLE_EQ(corner.y, -0.15);
    EXPECT_DOUBLE_EQ(corner.z, 3.0);
}

TEST_F(Model3D, AZoneCanHaveTheTwoBodiesItWasGiven) {
    API_Element zone = {};
    zone.header.type = API_ZoneID;
    StandIn::ElementDefaults defaults = StandIn::DefaultsOf(API_ZoneID);
    zone = defaults.element;
    ASSERT_EQ(StandIn::PlantElement(&zone, &defaults.memo), NoError);
    StandIn::Body3D box = StandIn::Prism({Square}, 0, 1, 2);
    StandIn::Body3D hidden = StandIn::Prism({Square}, 1, 2, 2);
    hidden.polygons[0].status = APIPgon_Invis;
    StandIn::FindElement(zone.header.guid)->bodies = std::vector{box, hidden};
    API_ElemInfo3D info = InfoOf(zone.header.guid);
    EXPECT_EQ(info.lbody - info.fbody, 1);
    Read(API_BodyID, info.lbody);
    EXPECT_EQ(Read(API_PgonID, 1).pgon.status, APIPgon_Invis);
    EXPECT_EQ(Read(API_PgonID, 1).pgon.iumat, 2);
}

// A vertex of the body read last where the body's matrix places it.
API_Coord3D Placed(const API_BodyType& body, Int32 vertex) {
    API_Component3D component = {};
    component.header = {API_VertID, vertex, 0, 0};
    EXPECT_EQ(ACAPI_ModelAccess_GetComponent(&component), NoError);
    const API_VertType& v = component.vert;
    const double* m = body.tranmat.tmx;
    return {m[0] * v.x + m[1] * v.y + m[2] * v.z + m[3], m[4] * v.x + m[5] * v.y + m[6] * v.z + m[7],
            m[8] * v.x + m[9] * v.y + m[10] * v.z + m[11]};
}

TEST_F(Model3D, ObjectsAreBoxesOfTheirABAndZZYZXPlacedByTheirMatrix) {
    StandIn::ElementDefaults defaults = StandIn::DefaultsOf(API_ObjectID);
    API_Element object = defaults.element;
    object.object.pos = {2, 3};
    object.object.angle = M_PI / 2;
    (*defaults.memo.params)[0].value.real = 0.8;
    (*defaults.memo.params)[2].value.real = 0.75;
    ASSERT_EQ(StandIn::PlantElement(&object, &defaults.memo), NoError);
    API_BodyType body = Read(API_BodyID, InfoOf(object.header.guid).fbody).body;
    API_VertType local = Read(API_VertID, 7).vert;
    EXPECT_DOUBLE_EQ(local.x, 0.8) << "the box in the object's own coordinates";
    EXPECT_DOUBLE_EQ(local.y, 1);
    API_Coord3D far = Placed(body, 7);
    EXPECT_NEAR(far.x, 1, 1e-12) << "turned a quarter about the placement point";
    EXPECT_NEAR(far.y, 3.8, 1e-12);
    EXPECT_DOUBLE_EQ(far.z, 0.75);
}

TEST_F(Model3D, TheModelLiesTheModelOffsetAwayFromTheProject) {
    StandIn::Settings().modelOffset = {100, -50, 7};
    PlantSlab({Square});
    API_BodyType body = Read(API_BodyID, 1).body;
    API_Coord3D corner = Placed(body, 7);
    EXPECT_DOUBLE_EQ(corner.x, 4 - 100);
    EXPECT_DOUBLE_EQ(corner.y, 4 + 50);
    EXPECT_DOUBLE_EQ(corner.z, 0) << "heights are not offset";
}

TEST_F(Model3D, MaterialsAreTheProjectsSurfaces) {
    API_UmatType umat = Read(API_UmatID, 1).umat;
    EXPECT_GE(umat.mater.surfaceRGB.f_red, 0);
    API_Component3D missing = {};
    missing.header = {API_UmatID, 100000, 0, 0};
    EXPECT_EQ(ACAPI_ModelAccess_GetComponent(&missing), APIERR_BADINDEX);
}

TEST_F(Model3D, PartsNeedABodyAndAnIndexInIt) {
    PlantSlab({Square});
    API_Component3D component = {};
    component.header = {API_BodyID, 2, 0, 0};
    EXPECT_EQ(ACAPI_ModelAccess_GetComponent(&component), APIERR_BADINDEX);
    component.header = {API_VertID, 1, 0, 0};
    EXPECT_EQ(ACAPI_ModelAccess_GetComponent(&component), APIERR_BADINDEX);
    Read(API_BodyID, 1);
    for (API_3DTypeID type : {API_VertID, API_EdgeID, API_PgonID, API_PedgID}) {
        component.header = {type, 0, 0, 0};
        EXPECT_EQ(ACAPI_ModelAccess_GetComponent(&component), APIERR_BADINDEX) << type;
        component.header = {type, 1000, 0, 0};
        EXPECT_EQ(ACAPI_ModelAccess_GetComponent(&component), APIERR_BADINDEX) << type;
    }
}

TEST_F(Model3D, ElementsWithoutBodiesHaveNo3DInfo) {
    API_Element line = {};
    line.header.type = API_LineID;
    line.line.endC = {1, 1};
    ASSERT_EQ(StandIn::PlantElement(&line, nullptr), NoError);
    API_ElemInfo3D info = {};
    EXPECT_EQ(ACAPI_ModelAccess_Get3DInfo(line.header, &info), APIERR_BADID);
}

TEST_F(Model3D, EveryComponentReadFailsOnDemand) {
    API_Guid slab = PlantSlab({Square});
    API_Elem_Head head = {};
    head.guid = slab;
    API_ElemInfo3D info = {};
    StandIn::Faults::Arm("ACAPI_ModelAccess_Get3DInfo", APIERR_GENERAL);
    EXPECT_EQ(ACAPI_ModelAccess_Get3DInfo(head, &info), APIERR_GENERAL);
    for (auto [name, type] : {std::pair{"Body", API_BodyID},
                              {"Vertex", API_VertID},
                              {"Edge", API_EdgeID},
                              {"Polygon", API_PgonID},
                              {"PolygonEdge", API_PedgID},
                              {"Material", API_UmatID}}) {
        Read(API_BodyID, 1);
        StandIn::Faults::Arm(std::string("ACAPI_ModelAccess_GetComponent:") + name, APIERR_GENERAL);
        API_Component3D component = {};
        component.header = {type, 1, 0, 0};
        EXPECT_EQ(ACAPI_ModelAccess_GetComponent(&component), APIERR_GENERAL) << name;
        EXPECT_EQ(ACAPI_ModelAccess_GetComponent(&component), NoError) << name;
    }
}

} // namespace
