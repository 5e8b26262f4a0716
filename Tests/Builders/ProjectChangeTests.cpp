#include "BuilderTestSupport.hpp"

#include "Builders/LayerManager.hpp"
#include "Builders/MaterialManager.hpp"
#include "Builders/PropertySetter.hpp"
#include "Main/ProjectEvents.hpp"
#include "StandIn/Faults.hpp"

namespace {

using Tolva::Builders::LayerManager;
using Tolva::Builders::MaterialManager;
using Tolva::Builders::PropertySetter;

// The add-on's project-event handler over managers that have filled their caches.
class ProjectChange : public BuilderTest {
protected:
    void SetUp() override {
        BuilderTest::SetUp();
        API_AttributeIndex layer = {};
        ASSERT_EQ(LayerManager::GetFurnitureLayer(layer), NoError);
        API_AttributeIndex material = {};
        ASSERT_EQ(MaterialManager::GetTolvaMaterial(material), NoError);
        wall = Wall(0, 0, 4, 0);
        ASSERT_EQ(StandIn::PlantElement(&wall, nullptr), NoError);
        ASSERT_EQ(MarkExterior(), NoError);
        ClearLines();
    }

    void TearDown() override {
        // No manager may carry this model's indices into the next test's.
        LayerManager::InvalidateCache();
        MaterialManager::InvalidateCache();
        PropertySetter::InvalidateCache();
        BuilderTest::TearDown();
    }

    GSErrCode MarkExterior() const {
        return InStep([&] { return PropertySetter::SetPositionExterior(wall.header.guid); });
    }

    // How often each manager asked the host: layers, building materials, property definitions.
    static std::vector<Int32> HostQuestions() {
        return {StandIn::Faults::CallCount("ACAPI_Attribute_Get:Layer"),
                StandIn::Faults::CallCount("ACAPI_Attribute_Get:BuildingMaterial"),
                StandIn::Faults::CallCount("ACAPI_Element_GetPropertyDefinitions")};
    }

    // Uses every manager once; each answers from its cache or asks the host again.
    void UseEveryManager() const {
        API_AttributeIndex index = {};
        ASSERT_EQ(LayerManager::GetFurnitureLayer(index), NoError);
        ASSERT_EQ(MaterialManager::GetTolvaMaterial(index), NoError);
        ASSERT_EQ(MarkExterior(), NoError);
    }

    API_Element wall = {};
};

TEST_F(ProjectChange, OpeningOrStartingAProjectEmptiesTheThreeCachesInOrder) {
    for (API_NotifyEventID event : {APINotify_Open, APINotify_New}) {
        const std::vector<Int32> before = HostQuestions();
        EXPECT_EQ(ProjectEventHandler(event, 0), NoError);
        // The property cache's line is at debug level, which the log never writes.
        EXPECT_EQ(Lines(), (std::vector<std::string>{
                               "[INFO] LayerManager: Cache invalidated due to project change",
                               "[INFO] MaterialManager: Cache invalidated due to project change"}));
        ClearLines();
        UseEveryManager();
        const std::vector<Int32> after = HostQuestions();
        for (size_t i = 0; i < after.size(); ++i) {
            EXPECT_EQ(after[i], before[i] + 1) << "manager " << i << " asked the host again";
        }
        ClearLines();
    }
}

TEST_F(ProjectChange, OtherEventsKeepTheCaches) {
    const std::vector<Int32> before = HostQuestions();
    for (Int32 event : {Int32(APINotify_NewAndReset), 8, 4096}) {
        EXPECT_EQ(ProjectEventHandler(static_cast<API_NotifyEventID>(event), 0), NoError);
    }
    UseEveryManager();
    EXPECT_EQ(HostQuestions(), before);
    EXPECT_TRUE(Lines().empty());
}

} // namespace
