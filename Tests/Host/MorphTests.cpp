#include "ModelTestSupport.hpp"

#include "ACAPinc.h"
#include "GSException.hpp"
#include "StandIn/Model3D.hpp"
#include "StandIn/TypedHandles.hpp"

namespace {

using Morphs = FreshModel;

// Creates the default morph (a 1 m cube) moved by (dx, dy, dz), in a step.
API_Guid CreateMovedCube(double dx, double dy, double dz) {
    API_Element morph = {};
    morph.header.type = API_MorphID;
    API_ElementMemo memo = {};
    EXPECT_EQ(ACAPI_Element_GetDefaults(&morph, &memo), NoError);
    morph.morph.tranmat.tmx[3] = dx;
    morph.morph.tranmat.tmx[7] = dy;
    morph.morph.tranmat.tmx[11] = dz;
    EXPECT_EQ(ACAPI_CallUndoableCommand("Morph", [&] { return ACAPI_Element_Create(&morph, &memo); }),
              NoError);
    ACAPI_DisposeElemMemoHdls(&memo);
    return morph.header.guid;
}

TEST_F(Morphs, TheMemoHoldsTheMeshBodyNumberedFromZero) {
    API_Guid guid = CreateMovedCube(2, 0, 0);
    API_ElementMemo memo = {};
    ASSERT_EQ(ACAPI_Element_GetMemo(guid, &memo, APIMemoMask_All), NoError);
    ASSERT_NE(memo.morphBody, nullptr);
    const Modeler::MeshBody& body = *memo.morphBody;
    EXPECT_EQ(body.GetVertexCount(), 8u);
    EXPECT_EQ(body.GetPolygonCount(), 6u);
    EXPECT_EQ(body.GetConstVertex(6).z, 1);
    // The top face: polygon edges 4 to 7, edges 5 to 8 (from 1), the top ring of vertices 4 to 7.
    const Modeler::PGON& top = body.GetConstPolygon(1);
    EXPECT_EQ(top.fpedg, 4);
    EXPECT_EQ(top.lpedg, 7);
    EXPECT_EQ(body.GetConstPolyEdge(4), 5);
    EXPECT_EQ(body.GetConstEdge(4).vert1, 4);
    EXPECT_EQ(body.GetConstEdge(4).vert2, 5);
    EXPECT_EQ(body.GetConstPolyEdge(0), -4);
    ACAPI_DisposeElemMemoHdls(&memo);
    EXPECT_EQ(memo.morphBody, nullptr);
}

TEST_F(Morphs, TheModelPlacesTheBodyByTheElementsMatrix) {
    API_Guid guid = CreateMovedCube(2, 3, 0.5);
    API_Element morph = {};
    morph.header.guid = guid;
    ASSERT_EQ(ACAPI_Element_Get(&morph), NoError);
    EXPECT_EQ(morph.morph.tranmat.tmx[7], 3);
    std::vector<StandIn::Body3D> bodies = StandIn::BodiesOf(*StandIn::FindElement(guid));
    ASSERT_EQ(bodies.size(), 1u);
    EXPECT_DOUBLE_EQ(bodies[0].vertices[6].x, 1) << "the body keeps its own coordinates";
    EXPECT_DOUBLE_EQ(bodies[0].transform.tmx[3], 2);
    EXPECT_DOUBLE_EQ(bodies[0].transform.tmx[7], 3);
    EXPECT_DOUBLE_EQ(bodies[0].transform.tmx[11], 0.5);
}

TEST_F(Morphs, BodiesReferringToMissingPartsAreRefused) {
    StandIn::ElementDefaults defaults = StandIn::DefaultsOf(API_MorphID);
    Modeler::MeshBody broken = *defaults.memo.morphBody;
    broken.AddEdge(0, 8);
    defaults.memo.morphBody = broken;
    EXPECT_EQ(StandIn::PlantElement(&defaults.element, &defaults.memo), APIERR_BADPARS);
    Modeler::MeshBody badReference = *StandIn::DefaultsOf(API_MorphID).memo.morphBody;
    badReference.AddPolygon({13});
    defaults.memo.morphBody = badReference;
    EXPECT_EQ(StandIn::PlantElement(&defaults.element, &defaults.memo), APIERR_BADPARS);
}

TEST_F(Morphs, AMorphWithoutABodyHasNoneInTheMemoAndNo3D) {
    StandIn::ElementDefaults defaults = StandIn::DefaultsOf(API_MorphID);
    defaults.memo.morphBody.reset();
    ASSERT_EQ(StandIn::PlantElement(&defaults.element, &defaults.memo), NoError);
    API_ElementMemo memo = {};
    ASSERT_EQ(ACAPI_Element_GetMemo(defaults.element.header.guid, &memo), NoError);
    EXPECT_EQ(memo.morphBody, nullptr);
    EXPECT_TRUE(StandIn::BodiesOf(StandIn::TheModel().elements.back()).empty());
}

TEST_F(Morphs, MorphsAreSavedAndLoadedWithTheirMatrixAndBody) {
    std::string project = ExampleProject("apartment.json");
    project.insert(project.rfind(']'), R"(, {"type": "morph", "story": 0,
        "transform": [1, 0, 0, 1, 0, 1, 0, 2, 0, 0, 1, 0],
        "body": {"vertices": [[0, 0, 0], [1, 0, 0], [0, 1, 0]], "edges": [[0, 1], [1, 2], [2, 0]],
                 "polygons": [[1, 2, 3]]}},
        {"type": "morph", "story": 0, "transform": [1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0]})");
    StandIn::LoadProject(project);
    const StandIn::StoredElement& morph =
        StandIn::TheModel().elements[StandIn::TheModel().elements.size() - 2];
    ASSERT_TRUE(morph.memo->morphBody);
    EXPECT_EQ(morph.memo->morphBody->GetConstPolygon(0).lpedg, 2);
    EXPECT_EQ(morph.element.morph.tranmat.tmx[7], 2);
    EXPECT_FALSE(StandIn::TheModel().elements.back().memo->morphBody);
    std::string saved = StandIn::SaveProject();
    StandIn::LoadProject(saved);
    EXPECT_EQ(StandIn::SaveProject(), saved);
    std::string bad = project;
    bad.replace(bad.find("[2, 0]]"), 6, "[3, 0]");
    try {
        StandIn::LoadProject(bad);
        ADD_FAILURE() << "loaded";
    } catch (const GS::Exception& e) {
        EXPECT_STREQ(e.GetMessage().ToCStr().Get(),
                     "Project file, root.elements[16].body.edges[2][0]: expected an integer from 0 to 2");
    }
}

} // namespace

namespace {

using Meshes = FreshModel;

TEST_F(Meshes, AMeshIsASurfaceOverItsPolygonAtItsPointsHeights) {
    std::string project = ExampleProject("new-project.json");
    project.replace(project.rfind("[]"), 2, R"([{"type": "mesh", "story": 0, "level": 0.5,
        "polygon": [[[0, 0], [4, 0], [4, 4], [0, 4], [0, 0]]], "heights": [[0, 1, 2, 1, 0]]}])");
    StandIn::LoadProject(project);
    const StandIn::StoredElement& mesh = StandIn::TheModel().elements.back();
    std::vector<StandIn::Body3D> bodies = StandIn::BodiesOf(mesh);
    ASSERT_EQ(bodies.size(), 1u);
    EXPECT_EQ(bodies[0].vertices.size(), 8u);
    EXPECT_DOUBLE_EQ(bodies[0].vertices[0].z, 0.5);
    EXPECT_DOUBLE_EQ(bodies[0].vertices[6].z, 2.5);
    API_ElementMemo memo = {};
    ASSERT_EQ(ACAPI_Element_GetMemo(mesh.element.header.guid, &memo, APIMemoMask_Polygon), NoError);
    EXPECT_EQ(BMGetHandleSize(memo.meshPolyZ), static_cast<GSSize>(6 * sizeof(double)));
    EXPECT_EQ((*memo.meshPolyZ)[3], 2);
    ACAPI_DisposeElemMemoHdls(&memo);
    std::string saved = StandIn::SaveProject();
    StandIn::LoadProject(saved);
    EXPECT_EQ(StandIn::SaveProject(), saved);
}

TEST_F(Meshes, EveryPointNeedsAHeight) {
    StandIn::ElementDefaults defaults = StandIn::DefaultsOf(API_MeshID);
    defaults.memo.meshPolyZ.pop_back();
    EXPECT_EQ(StandIn::PlantElement(&defaults.element, &defaults.memo), APIERR_BADPOLY);
}

} // namespace
