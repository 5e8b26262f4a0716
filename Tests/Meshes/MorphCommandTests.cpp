#include "ExportTestSupport.hpp"

#include "StandIn/Faults.hpp"

#include <cmath>

namespace {

using GetBuildingMassAsJson = ExportTest;

const ExportTest::Outline LShape = {{0, 0}, {2, 0}, {2, 1}, {1, 1}, {1, 2}, {0, 2}, {0, 0}};

TEST_F(GetBuildingMassAsJson, ABoxMorphIsEightVerticesAndTwelveOutwardTriangles) {
    StandIn::SelectElements({PlantMorph(Moved(2, 3, 0.5))});
    const std::string result = BuildingMasses();
    EXPECT_EQ(result.rfind(R"({"version":1,"type":"array<mesh>","value":[{"vertices":[[2000,3000,500],)", 0),
              0u)
        << result;
    EXPECT_NE(result.find(R"(],"type":"mesh"}]})"), std::string::npos);
    const std::vector<MeshChecks::Mesh> meshes = MeshChecks::MeshesIn(result);
    ASSERT_EQ(meshes.size(), 1u);
    EXPECT_EQ(meshes[0].vertices.size(), 8u);
    EXPECT_EQ(meshes[0].faces.size(), 12u);
    EXPECT_EQ(meshes[0].vertices[6], (MeshChecks::Point{3000, 4000, 1500})) << "placed by the matrix, in mm";
    ASSERT_TRUE(MeshChecks::IsClosed(meshes[0]));
    ExpectSoundMeshes(meshes);
    EXPECT_TRUE(Lines().empty());
}

TEST_F(GetBuildingMassAsJson, AConcaveMorphFacesOutwardsEverywhere) {
    // An L-shaped tower, turned a quarter about z: its L faces become 4 triangles each.
    const API_Tranmat turned = {{0, -1, 0, 10, 1, 0, 0, 0, 0, 0, 1, 0}};
    StandIn::SelectElements({PlantMorph(turned, PrismBody({LShape}, 3))});
    const std::vector<MeshChecks::Mesh> meshes = MeshChecks::MeshesIn(BuildingMasses());
    ASSERT_EQ(meshes.size(), 1u);
    EXPECT_EQ(meshes[0].faces.size(), 4u + 4u + 6u * 2u);
    EXPECT_EQ(meshes[0].vertices[1], (MeshChecks::Point{10000, 2000, 0}));
    ASSERT_TRUE(MeshChecks::IsClosed(meshes[0]));
    ExpectSoundMeshes(meshes);
}

TEST_F(GetBuildingMassAsJson, AMorphFaceWithAHoleKeepsItOpen) {
    StandIn::SelectElements({PlantMorph(Moved(0, 0, 0), PrismBody(SquareRing(), 1))});
    ExpectOneOpenRing(BuildingMasses());
}

TEST_F(GetBuildingMassAsJson, ACollinearFaceFailsTheCommandAndIsReportedTwice) {
    StandIn::SelectElements(
        {PlantMorph(Moved(0, 0, 0)), PlantMorph(Moved(0, 0, 0), CubeWithACollinearFace())});
    EXPECT_EQ(BuildingMasses(),
              R"({"success":0,"error":"Failed to triangulate 1 faces out of 7 total faces."})");
    const std::string collinear = "Cannot export: Face 6 has collinear vertices (invalid geometry). Please "
                                  "fix the geometry in Archicad "
                                  "before exporting.";
    const std::string failed = "Failed to triangulate 1 faces out of 7 total faces.";
    EXPECT_EQ(Lines(), (std::vector<std::string>{"[ERROR] MorphCommands: " + collinear, collinear,
                                                 "[WARNING] MorphCommands: " + failed, failed,
                                                 "[ERROR] MorphCommands: " + failed}));
}

TEST_F(GetBuildingMassAsJson, WithoutAMorphSelectedNothingIsExported) {
    const std::string refused =
        R"({"success":0,"error":"No Morph elements selected. Please select at least one Morph."})";
    EXPECT_EQ(BuildingMasses(), refused);
    StandIn::SelectElements({PlantWall(), PlantSlab({{{0, 0}, {1, 0}, {1, 1}, {0, 0}}})});
    EXPECT_EQ(BuildingMasses(), refused);
    EXPECT_TRUE(Lines().empty()) << "nothing is logged";
}

TEST_F(GetBuildingMassAsJson, GivesOneMeshPerMorphInSelectionOrder) {
    const API_Guid low = PlantMorph(Moved(0, 0, 0));
    const API_Guid high = PlantMorph(Moved(0, 0, 10));
    StandIn::SelectElements({high, PlantWall(), low});
    const std::vector<MeshChecks::Mesh> meshes = MeshChecks::MeshesIn(BuildingMasses());
    ASSERT_EQ(meshes.size(), 2u);
    EXPECT_EQ(meshes[0].vertices[0][2], 10000);
    EXPECT_EQ(meshes[1].vertices[0][2], 0);
}

TEST_F(GetBuildingMassAsJson, TheFirstMorphThatCannotBeReadEndsTheCommand) {
    StandIn::ElementDefaults bodiless = StandIn::DefaultsOf(API_MorphID);
    bodiless.memo.morphBody.reset();
    ASSERT_EQ(StandIn::PlantElement(&bodiless.element, &bodiless.memo), NoError);
    StandIn::SelectElements(
        {PlantMorph(Moved(0, 0, 0)), bodiless.element.header.guid, PlantMorph(Moved(0, 0, 0))});
    EXPECT_EQ(BuildingMasses(), R"({"success":0,"error":"Morph body is null"})");
    EXPECT_EQ(Lines(), std::vector<std::string>{"[ERROR] MorphCommands: Morph body is null"});

    StandIn::Host().report.clear();
    StandIn::Faults::Arm("ACAPI_Element_GetMemo", APIERR_GENERAL);
    EXPECT_EQ(BuildingMasses(), R"({"success":0,"error":"Failed to get element memo: -2130313215"})");
    // The selection reads each element once; the export reads the first morph again.
    StandIn::Faults::Arm("ACAPI_Element_Get", APIERR_GENERAL, 1, 3);
    EXPECT_EQ(BuildingMasses(), R"({"success":0,"error":"Failed to get Morph element: -2130313215"})");
}

} // namespace
