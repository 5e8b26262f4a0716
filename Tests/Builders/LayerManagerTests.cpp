#include "BuilderTestSupport.hpp"

#include "Builders/LayerManager.hpp"
#include "StandIn/Attributes.hpp"
#include "StandIn/Faults.hpp"

namespace {

using Tolva::Builders::LayerManager;
using Tolva::Builders::WallLayerKind;

class Layers : public BuilderTest {
protected:
    void SetUp() override {
        BuilderTest::SetUp();
        LayerManager::InvalidateCache();
        ClearLines();
    }

    static std::vector<const API_Attribute*> LayersNamed(const char* name) {
        std::vector<const API_Attribute*> found;
        for (const StandIn::StoredAttribute& stored : StandIn::Attributes().byType[API_LayerID]) {
            if (stored.name == name) {
                found.push_back(&stored.attribute);
            }
        }
        return found;
    }

    static API_AttributeIndex AddLayer(const char* name, Int32 intersectionGroup) {
        GS::UniString layerName = name;
        API_Attribute layer = {};
        layer.header.typeID = API_LayerID;
        layer.header.uniStringNamePtr = &layerName;
        layer.layer.conClassId = intersectionGroup;
        return StandIn::AddAttribute(layer);
    }

    static Int32 LayerLookups() { return StandIn::Faults::CallCount("ACAPI_Attribute_Get:Layer"); }
};

TEST_F(Layers, CreatesAMissingLayerInGroup100AndKeepsItsIndex) {
    API_AttributeIndex index = {};
    ASSERT_EQ(LayerManager::GetWallLayer(WallLayerKind::StoryWalls, index), NoError);
    const auto created = LayersNamed("Tolva Story Walls");
    ASSERT_EQ(created.size(), 1u);
    EXPECT_EQ(index, created[0]->header.index);
    EXPECT_EQ(created[0]->layer.conClassId, 100);
    EXPECT_EQ(created[0]->header.flags, 0);
    const std::string at = std::to_string(index.ToInt32_Deprecated());
    EXPECT_EQ(Lines(), (std::vector<std::string>{
                           "[INFO] LayerManager: Layer 'Tolva Story Walls' not found, creating new layer",
                           "[INFO] LayerManager: Created layer 'Tolva Story Walls' at index " + at}));

    const Int32 lookups = LayerLookups();
    API_AttributeIndex again = {};
    ASSERT_EQ(LayerManager::GetWallLayer(WallLayerKind::StoryWalls, again), NoError);
    EXPECT_EQ(again, index);
    EXPECT_EQ(LayerLookups(), lookups) << "the second call is answered from the cache";
    EXPECT_EQ(Lines().size(), 2u);
}

TEST_F(Layers, MovesAnExistingLayerIntoGroup100WithoutDuplicatingIt) {
    const API_AttributeIndex existing = AddLayer("Tolva Unit Walls", 5);
    API_AttributeIndex index = {};
    ASSERT_EQ(LayerManager::GetWallLayer(WallLayerKind::UnitWalls, index), NoError);
    EXPECT_EQ(index, existing);
    const auto layers = LayersNamed("Tolva Unit Walls");
    ASSERT_EQ(layers.size(), 1u);
    EXPECT_EQ(layers[0]->layer.conClassId, 100);
    EXPECT_EQ(Lines(),
              (std::vector<std::string>{"[INFO] LayerManager: Found existing layer 'Tolva Unit Walls' at "
                                        "index " +
                                        std::to_string(existing.ToInt32_Deprecated())}));
    EXPECT_EQ(StandIn::Faults::CallCount("ACAPI_Attribute_Create"), 0);
}

TEST_F(Layers, KeepsTheHostsDefaultLayerAndRefusesUnknownKinds) {
    API_AttributeIndex index = {};
    ASSERT_EQ(LayerManager::GetWallLayer(WallLayerKind::Default, index), NoError);
    EXPECT_EQ(index.ToInt32_Deprecated(), 0);
    EXPECT_EQ(LayerLookups(), 0);
    EXPECT_EQ(LayerManager::GetWallLayer(static_cast<WallLayerKind>(4), index), APIERR_GENERAL);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"[ERROR] LayerManager: Unknown wall type"}));
    EXPECT_EQ(LayerLookups(), 0);
}

TEST_F(Layers, GivesEachKindAndTheFurnitureItsOwnLayer) {
    std::vector<API_AttributeIndex> indices(4);
    ASSERT_EQ(LayerManager::GetWallLayer(WallLayerKind::StoryWalls, indices[0]), NoError);
    ASSERT_EQ(LayerManager::GetWallLayer(WallLayerKind::UnitWalls, indices[1]), NoError);
    ASSERT_EQ(LayerManager::GetWallLayer(WallLayerKind::FacadeWalls, indices[2]), NoError);
    ASSERT_EQ(LayerManager::GetFurnitureLayer(indices[3]), NoError);
    for (const char* name :
         {"Tolva Story Walls", "Tolva Unit Walls", "Tolva Facade Walls", "Tolva Furniture"}) {
        EXPECT_EQ(LayersNamed(name).size(), 1u) << name;
    }
    const Int32 first = indices[0].ToInt32_Deprecated();
    for (Int32 k = 1; k < 4; ++k) {
        EXPECT_EQ(indices[k].ToInt32_Deprecated(), first + k) << "new layers take the next indices";
    }
}

TEST_F(Layers, LooksTheLayerUpAgainAfterAProjectChange) {
    API_AttributeIndex index = {};
    ASSERT_EQ(LayerManager::GetFurnitureLayer(index), NoError);
    LayerManager::InvalidateCache();
    const Int32 lookups = LayerLookups();
    API_AttributeIndex again = {};
    ASSERT_EQ(LayerManager::GetFurnitureLayer(again), NoError);
    EXPECT_EQ(again, index);
    EXPECT_EQ(LayerLookups(), lookups + 1);
    EXPECT_EQ(Lines()[2], "[INFO] LayerManager: Cache invalidated due to project change");
    EXPECT_EQ(Lines()[3], "[INFO] LayerManager: Found existing layer 'Tolva Furniture' at index " +
                              std::to_string(index.ToInt32_Deprecated()));
}

TEST_F(Layers, RetrievesALayerThatAppearedBetweenLookupAndCreation) {
    const API_AttributeIndex existing = AddLayer("Tolva Facade Walls", 100);
    StandIn::Faults::Arm("ACAPI_Attribute_Get:Layer:Tolva Facade Walls", APIERR_MEMFULL);
    API_AttributeIndex index = {};
    ASSERT_EQ(LayerManager::GetWallLayer(WallLayerKind::FacadeWalls, index), NoError);
    EXPECT_EQ(index, existing);
    EXPECT_EQ(LayersNamed("Tolva Facade Walls").size(), 1u);
    EXPECT_EQ(Lines(),
              (std::vector<std::string>{
                  "[WARNING] LayerManager: Layer existence check failed with error -2130313214, will "
                  "attempt creation",
                  "[INFO] LayerManager: Layer 'Tolva Facade Walls' not found, creating new layer",
                  "[INFO] LayerManager: Layer already exists (created by another call), retrieving index"}));
}

TEST_F(Layers, FailsWhenAnExistingLayerCannotBeRead) {
    AddLayer("Tolva Facade Walls", 100);
    StandIn::Faults::Arm("ACAPI_Attribute_Get:Layer:Tolva Facade Walls", APIERR_MEMFULL, 2);
    API_AttributeIndex index = {};
    EXPECT_EQ(LayerManager::GetWallLayer(WallLayerKind::FacadeWalls, index), APIERR_GENERAL);
    EXPECT_EQ(Lines().back(), "[ERROR] LayerManager: Layer exists but could not retrieve index");
    StandIn::Faults::Clear();
    ClearLines();
    ASSERT_EQ(LayerManager::GetWallLayer(WallLayerKind::FacadeWalls, index), NoError) << "nothing was cached";
    EXPECT_EQ(Lines().size(), 1u);
}

TEST_F(Layers, PassesACreationFailureOn) {
    StandIn::Faults::Arm("ACAPI_Attribute_Create:Layer", APIERR_BADPARS);
    API_AttributeIndex index = {};
    EXPECT_EQ(LayerManager::GetWallLayer(WallLayerKind::StoryWalls, index), APIERR_BADPARS);
    EXPECT_EQ(Lines().back(),
              "[ERROR] LayerManager: Failed to create layer 'Tolva Story Walls': error code -2130313112");
    EXPECT_TRUE(LayersNamed("Tolva Story Walls").empty());
}

TEST_F(Layers, GoesOnWithTheLayerWhenItsGroupCannotBeWritten) {
    const API_AttributeIndex existing = AddLayer("Tolva Unit Walls", 5);
    StandIn::Faults::Arm("ACAPI_Attribute_Modify:Layer", APIERR_BADPARS, 2);
    API_AttributeIndex index = {};
    ASSERT_EQ(LayerManager::GetWallLayer(WallLayerKind::UnitWalls, index), NoError);
    EXPECT_EQ(index, existing);
    EXPECT_EQ(LayersNamed("Tolva Unit Walls")[0]->layer.conClassId, 5);
    ASSERT_EQ(LayerManager::GetWallLayer(WallLayerKind::StoryWalls, index), NoError);
    EXPECT_EQ(LayersNamed("Tolva Story Walls")[0]->layer.conClassId, 0);
    EXPECT_EQ(
        Lines(),
        (std::vector<std::string>{
            "[WARNING] LayerManager: Failed to update intersection group for layer 'Tolva Unit Walls': error "
            "-2130313112",
            "[INFO] LayerManager: Found existing layer 'Tolva Unit Walls' at index " +
                std::to_string(existing.ToInt32_Deprecated()),
            "[INFO] LayerManager: Layer 'Tolva Story Walls' not found, creating new layer",
            "[WARNING] LayerManager: Failed to set intersection group for new layer 'Tolva Story Walls': "
            "error "
            "-2130313112",
            "[INFO] LayerManager: Created layer 'Tolva Story Walls' at index " +
                std::to_string(index.ToInt32_Deprecated())}));
}

} // namespace
