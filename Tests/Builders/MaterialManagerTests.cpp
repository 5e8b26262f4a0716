#include "BuilderTestSupport.hpp"

#include "Builders/MaterialManager.hpp"
#include "StandIn/Attributes.hpp"
#include "StandIn/Faults.hpp"

namespace {

using Tolva::Builders::MaterialManager;

class Materials : public BuilderTest {
protected:
    void SetUp() override {
        BuilderTest::SetUp();
        MaterialManager::InvalidateCache();
        ClearLines();
    }

    static const StandIn::StoredAttribute* Stored(API_AttrTypeID type, const char* name) {
        for (const StandIn::StoredAttribute& stored : StandIn::Attributes().byType[type]) {
            if (stored.name == name) {
                return &stored;
            }
        }
        return nullptr;
    }

    static const API_Attribute* Named(API_AttrTypeID type, const char* name) {
        const StandIn::StoredAttribute* stored = Stored(type, name);
        return stored != nullptr ? &stored->attribute : nullptr;
    }

    static API_AttributeIndex AddSurface(const char* name, short transparency = 0, bool textured = false) {
        GS::UniString surfaceName = name;
        API_Attribute surface = {};
        surface.header.typeID = API_MaterialID;
        surface.header.uniStringNamePtr = &surfaceName;
        surface.material.transpPc = transparency;
        IO::Location texture("Textures/Brick.jpg");
        return StandIn::AddAttribute(surface, textured ? &texture : nullptr);
    }

    // Replaces the project's surfaces with a textured and a transparent one.
    static void KeepOnlyUnplainSurfaces() {
        StandIn::Attributes().byType[API_MaterialID].clear();
        AddSurface("White", 0, true);
        AddSurface("Glass", 60);
    }

    static Int32 HostLookups() { return StandIn::Faults::CallCount("ACAPI_Attribute_Get"); }
};

TEST_F(Materials, CreatesTolvaMaterialFromTheFirstSolidFillAndAPlainSurface) {
    API_AttributeIndex index = {};
    ASSERT_EQ(MaterialManager::GetTolvaMaterial(index), NoError);
    const API_Attribute* material = Named(API_BuildingMaterialID, "Tolva Material");
    ASSERT_NE(material, nullptr);
    EXPECT_EQ(material->header.index, index);
    const API_BuildingMaterialType& fields = material->buildingMaterial;
    EXPECT_EQ(fields.connPriority, 100);
    EXPECT_EQ(fields.cutFill, Named(API_FilltypeID, "Background")->header.index);
    EXPECT_EQ(fields.cutFillPen, 91);
    EXPECT_EQ(fields.cutFillBackgroundPen, 0);
    EXPECT_EQ(fields.cutMaterial, Named(API_MaterialID, "White")->header.index);
    EXPECT_TRUE(fields.showUncutLines);
    const StandIn::StoredAttribute* stored = Stored(API_BuildingMaterialID, "Tolva Material");
    EXPECT_TRUE(stored->id.IsEmpty() && stored->manufacturer.IsEmpty() && stored->description.IsEmpty());
    EXPECT_EQ(fields.thermalConductivity, 0.0);
    EXPECT_EQ(fields.density, 0.0);
    EXPECT_EQ(fields.heatCapacity, 0.0);
    EXPECT_EQ(Lines(), (std::vector<std::string>{
                           "[INFO] MaterialManager: Tolva Material not found, creating new material",
                           "[INFO] MaterialManager: Found solid fill: Background (index 2)",
                           "[INFO] MaterialManager: Found plain surface material by name: White (index 3)",
                           "[INFO] MaterialManager: Created Tolva Material at index 2"}));
}

TEST_F(Materials, CachesTheMaterialUntilTheProjectChanges) {
    API_AttributeIndex index = {};
    ASSERT_EQ(MaterialManager::GetTolvaMaterial(index), NoError);
    const Int32 lookups = HostLookups();
    API_AttributeIndex again = {};
    ASSERT_EQ(MaterialManager::GetTolvaMaterial(again), NoError);
    EXPECT_EQ(again, index);
    EXPECT_EQ(HostLookups(), lookups) << "no host call for a cached material";

    ClearLines();
    MaterialManager::InvalidateCache();
    ASSERT_EQ(MaterialManager::GetTolvaMaterial(again), NoError);
    EXPECT_EQ(again, index);
    EXPECT_EQ(HostLookups(), lookups + 1);
    EXPECT_EQ(Lines(),
              (std::vector<std::string>{"[INFO] MaterialManager: Cache invalidated due to project change",
                                        "[INFO] MaterialManager: Found existing Tolva Material at index " +
                                            std::to_string(index.ToInt32_Deprecated())}));
}

TEST_F(Materials, CannotBeMadeInAProjectWithoutASolidFill) {
    auto& fills = StandIn::Attributes().byType[API_FilltypeID];
    for (StandIn::StoredAttribute& fill : fills) {
        if (fill.attribute.filltype.subType == APIFill_Solid) {
            fill.attribute.filltype.subType = APIFill_Vector;
        }
    }
    API_AttributeIndex index = {};
    EXPECT_EQ(MaterialManager::GetTolvaMaterial(index), APIERR_GENERAL);
    EXPECT_EQ(Lines(),
              (std::vector<std::string>{
                  "[INFO] MaterialManager: Tolva Material not found, creating new material",
                  "[ERROR] MaterialManager: No valid fill pattern found in project",
                  "[ERROR] MaterialManager: Failed to get reference attributes for material creation"}));
    EXPECT_EQ(Named(API_BuildingMaterialID, "Tolva Material"), nullptr);
    EXPECT_EQ(StandIn::Faults::CallCount("ACAPI_Attribute_Get:Fill"), 1000) << "every fill index was tried";
    EXPECT_EQ(MaterialManager::GetTolvaMaterial(index), APIERR_GENERAL) << "a failure is not cached";
}

TEST_F(Materials, FindsAPlainSurfaceByItsUsualNames) {
    KeepOnlyUnplainSurfaces();
    const API_AttributeIndex grey = AddSurface("Grey");
    API_AttributeIndex index = {};
    ASSERT_EQ(MaterialManager::GetPlainSurface(index), NoError);
    EXPECT_EQ(index, grey);
    EXPECT_EQ(Lines(),
              (std::vector<std::string>{"[INFO] MaterialManager: Found plain surface material by name: "
                                        "Grey (index 3)"}));
}

TEST_F(Materials, ScansForAnyOpaqueSurfaceWithoutTexture) {
    KeepOnlyUnplainSurfaces();
    AddSurface("Brick", 0, true);
    const API_AttributeIndex concrete = AddSurface("Concrete - Smooth");
    API_AttributeIndex index = {};
    ASSERT_EQ(MaterialManager::GetPlainSurface(index), NoError);
    EXPECT_EQ(index, concrete);
    EXPECT_EQ(Lines(),
              (std::vector<std::string>{"[INFO] MaterialManager: Found plain surface material: Concrete - "
                                        "Smooth (index 4)"}));
}

TEST_F(Materials, CreatesTolvaSurfaceWhenTheProjectHasNoPlainOne) {
    KeepOnlyUnplainSurfaces();
    API_AttributeIndex index = {};
    ASSERT_EQ(MaterialManager::GetTolvaMaterial(index), NoError);
    const API_Attribute* surface = Named(API_MaterialID, "Tolva Surface");
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->material.mtype, APIMater_MatteID);
    EXPECT_EQ(surface->material.surfaceRGB.f_red, 0.7);
    EXPECT_EQ(surface->material.surfaceRGB.f_green, 0.7);
    EXPECT_EQ(surface->material.surfaceRGB.f_blue, 0.7);
    EXPECT_EQ(surface->material.texture.fileLoc, nullptr);
    EXPECT_EQ(surface->material.transpPc, 0);
    EXPECT_EQ(Named(API_BuildingMaterialID, "Tolva Material")->buildingMaterial.cutMaterial,
              surface->header.index);
    EXPECT_EQ(Lines()[2], "[INFO] MaterialManager: No plain surface material found, creating Tolva Surface");
    EXPECT_EQ(Lines()[3], "[INFO] MaterialManager: Created Tolva Surface at index 3");

    ClearLines();
    API_AttributeIndex plain = {};
    ASSERT_EQ(MaterialManager::GetPlainSurface(plain), NoError);
    EXPECT_EQ(plain, surface->header.index) << "a created surface passes the plainness tests";
}

TEST_F(Materials, ReusesATolvaSurfaceTheSearchDidNotTake) {
    KeepOnlyUnplainSurfaces();
    const API_AttributeIndex textured = AddSurface("Tolva Surface", 0, true);
    API_AttributeIndex index = {};
    ASSERT_EQ(MaterialManager::GetPlainSurface(index), NoError);
    EXPECT_EQ(index, textured);
    EXPECT_EQ(Lines().back(), "[INFO] MaterialManager: Tolva Surface already exists, reusing");
}

TEST_F(Materials, ReportsASurfaceThatCannotBeCreated) {
    KeepOnlyUnplainSurfaces();
    StandIn::Faults::Arm("ACAPI_Attribute_Create:Surface", APIERR_BADPARS);
    API_AttributeIndex index = {};
    EXPECT_EQ(MaterialManager::GetTolvaMaterial(index), APIERR_BADPARS);
    EXPECT_EQ(Lines(),
              (std::vector<std::string>{
                  "[INFO] MaterialManager: Tolva Material not found, creating new material",
                  "[INFO] MaterialManager: Found solid fill: Background (index 2)",
                  "[INFO] MaterialManager: No plain surface material found, creating Tolva Surface",
                  "[ERROR] MaterialManager: Failed to create Tolva Surface: error -2130313112",
                  "[ERROR] MaterialManager: Failed to get plain surface material",
                  "[ERROR] MaterialManager: Failed to get reference attributes for material creation"}));
}

TEST_F(Materials, RetrievesAMaterialThatAppearedBetweenLookupAndCreation) {
    API_AttributeIndex first = {};
    ASSERT_EQ(MaterialManager::GetTolvaMaterial(first), NoError);
    MaterialManager::InvalidateCache();
    ClearLines();
    StandIn::Faults::Arm("ACAPI_Attribute_Get:BuildingMaterial:Tolva Material", APIERR_MEMFULL);
    API_AttributeIndex index = {};
    ASSERT_EQ(MaterialManager::GetTolvaMaterial(index), NoError);
    EXPECT_EQ(index, first);
    EXPECT_EQ(StandIn::Attributes().byType[API_BuildingMaterialID].size(), 2u);
    EXPECT_EQ(Lines().front(),
              "[WARNING] MaterialManager: Material existence check failed with error -2130313214, "
              "will attempt creation");
    EXPECT_EQ(Lines().back(),
              "[INFO] MaterialManager: Material already exists (created by another call), retrieving index");

    MaterialManager::InvalidateCache();
    ClearLines();
    StandIn::Faults::Arm("ACAPI_Attribute_Get:BuildingMaterial:Tolva Material", APIERR_MEMFULL, 2);
    EXPECT_EQ(MaterialManager::GetTolvaMaterial(index), APIERR_GENERAL);
    EXPECT_EQ(Lines().back(), "[ERROR] MaterialManager: Material exists but could not retrieve index");
}

TEST_F(Materials, PassesAMaterialCreationFailureOn) {
    StandIn::Faults::Arm("ACAPI_Attribute_Create:BuildingMaterial", APIERR_BADPARS);
    API_AttributeIndex index = {};
    EXPECT_EQ(MaterialManager::GetTolvaMaterial(index), APIERR_BADPARS);
    EXPECT_EQ(Lines().back(),
              "[ERROR] MaterialManager: Failed to create Tolva Material: error code -2130313112");
}

} // namespace
