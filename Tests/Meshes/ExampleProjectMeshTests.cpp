#include "ExportTestSupport.hpp"

#include "StandIn/ProjectFile.hpp"

#include <fstream>
#include <sstream>

namespace {

// An example project with every element selected, in host order.
void OpenWithEverythingSelected(const std::string& name) {
    std::ifstream file(std::string(TOLVA_SOURCE_DIR) + "/examples/projects/" + name);
    std::stringstream text;
    text << file.rdbuf();
    StandIn::LoadProject(text.str());
    std::vector<API_Guid> all;
    for (const StandIn::StoredElement& stored : StandIn::TheModel().elements) {
        all.push_back(stored.element.header.guid);
    }
    StandIn::SelectElements(all);
}

class ExampleProjectMeshes : public ExportTest, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        ExportTest::SetUp();
        OpenWithEverythingSelected(GetParam());
    }
    static void ExpectClosedAndSound(const std::vector<MeshChecks::Mesh>& meshes) {
        for (size_t m = 0; m < meshes.size(); ++m) {
            EXPECT_TRUE(MeshChecks::IsClosed(meshes[m])) << "mesh " << m;
        }
        ExpectSoundMeshes(meshes);
    }
};

TEST_P(ExampleProjectMeshes, AreClosedAndFaceOutwardsEverywhere) {
    const std::string context = Context();
    EXPECT_TRUE(IsStrictJson(context));
    const std::vector<MeshChecks::Mesh> meshes = MeshChecks::MeshesIn(context);
    ASSERT_FALSE(meshes.empty());
    ExpectClosedAndSound(meshes);
}

TEST_P(ExampleProjectMeshes, BuildingMassesFaceOutwardsEverywhere) {
    const std::string result = BuildingMasses();
    EXPECT_TRUE(IsStrictJson(result));
    const std::vector<MeshChecks::Mesh> meshes = MeshChecks::MeshesIn(result);
    ExpectClosedAndSound(meshes);
    if (meshes.empty()) {
        EXPECT_EQ(result,
                  R"({"success":0,"error":"No Morph elements selected. Please select at least one Morph."})");
    }
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleProjectMeshes,
                         ::testing::Values("apartment.json", "two-story-house.json", "masses.json"));

using MassesExample = ExportTest;

// The masses example holds what the exports must get right: concave and holed morphs, a turned one,
// a slab with a hole, a terrain mesh touching its base, a group with a wall in it, a turned and
// mirrored object, a zone upstairs and a model offset.
TEST_F(MassesExample, HoldsEveryKindOfContextGeometry) {
    OpenWithEverythingSelected("masses.json");
    const std::string context = Context();
    EXPECT_EQ(MeshChecks::MeshesIn(context).size(), 10u)
        << "slab, mesh, 4 morphs, zone, object, 2 in the group";
    EXPECT_NE(context.find(R"("name":"object1")"), std::string::npos);
    EXPECT_NE(context.find(R"("name":"group1")"), std::string::npos);
    EXPECT_EQ(MeshChecks::MeshesIn(BuildingMasses()).size(), 4u);
}

} // namespace
