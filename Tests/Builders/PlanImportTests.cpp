#include "BuiltElements.hpp"
#include "LibraryTestSupport.hpp"

#include "Builders/PlanImport.hpp"
#include "Builders/ZoneBuilder.hpp"
#include "StandIn/Stories.hpp"

#include <algorithm>
#include <array>
#include <string>

namespace {

using Tolva::PlanContainer;
using Tolva::PlanTemplate;
using Tolva::SpaceType;
using Tolva::Transition;
using Tolva::Builders::BuildingOrchestrator::ImportPlan;

std::string Summary(int walls, int zones, int doors, int furniture, int wallsFailed, int zonesFailed,
                    int doorsFailed, int furnitureFailed) {
    return "Plan Import Complete\n\nCreated:\n  - Walls: " + std::to_string(walls) +
           "\n  - Zones: " + std::to_string(zones) + "\n  - Doors: " + std::to_string(doors) +
           "\n  - Furniture: " + std::to_string(furniture) +
           "\n\nFailed:\n  - Walls: " + std::to_string(wallsFailed) +
           "\n  - Zones: " + std::to_string(zonesFailed) + "\n  - Doors: " + std::to_string(doorsFailed) +
           "\n  - Furniture: " + std::to_string(furnitureFailed);
}

// A room of 4 x 3 m between four walls of the project, into which plans are imported.
class PlanImport : public LibraryTest {
protected:
    void SetUp() override {
        LibraryTest::SetUp();
        ForgetAttributes();
        for (auto [x1, y1, x2, y2] :
             {std::array{0., 0., 4., 0.}, {4., 0., 4., 3.}, {4., 3., 0., 3.}, {0., 3., 0., 0.}}) {
            roomWalls.Push(PlantWall(x1, y1, x2, y2));
        }
        API_Element zone = {};
        zone.header.type = API_ZoneID;
        ASSERT_EQ(ACAPI_Element_GetDefaults(&zone, nullptr), NoError);
        StandIn::StoredMemo memo;
        memo.coords = {{}, {0, 0}, {4, 0}, {4, 3}, {0, 3}, {0, 0}};
        memo.pends = {0, 5};
        ASSERT_EQ(StandIn::PlantElement(&zone, &memo), NoError);
        roomZone = zone.header.guid;
        ClearLines();
    }

    // The attribute caches would otherwise point the next test's project at this one's attributes.
    void TearDown() override {
        ForgetAttributes();
        LibraryTest::TearDown();
    }
    static void ForgetAttributes() {
        Tolva::Builders::LayerManager::InvalidateCache();
        Tolva::Builders::MaterialManager::InvalidateCache();
        Tolva::Builders::PropertySetter::InvalidateCache();
        Tolva::Builders::ZoneBuilder::InvalidateCategoryCache();
    }

    GSErrCode Import(const PlanTemplate& plan, const API_Guid& zone) {
        return InStep([&] { return ImportPlan(plan, roomWalls, zone, summary); });
    }
    GSErrCode Import(const PlanTemplate& plan) { return Import(plan, roomZone); }

    static size_t Count(API_ElemTypeID type) {
        return static_cast<size_t>(std::count_if(StandIn::TheModel().elements.begin(),
                                                 StandIn::TheModel().elements.end(),
                                                 [type](const StandIn::StoredElement& stored) {
                                                     return stored.element.header.type.typeID == type;
                                                 }));
    }
    static std::vector<const StandIn::StoredElement*> ZonesNamed(const char* name) {
        std::vector<const StandIn::StoredElement*> found;
        for (const StandIn::StoredElement& stored : StandIn::TheModel().elements) {
            if (stored.element.header.type.typeID == API_ZoneID &&
                GS::UniString(stored.element.zone.roomName) == GS::UniString(name)) {
                found.push_back(&stored);
            }
        }
        return found;
    }
    static bool Logged(const std::string& line) {
        const std::vector<std::string> lines = Lines();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }

    // A partition across the room at x = 2 m, unit walls of 100 mm.
    static void AddPartition(PlanTemplate& plan) {
        plan.wallGuides.vertices.Push({2000, 0, 0});
        plan.wallGuides.vertices.Push({2000, 3000, 0});
        GS::Array<Int32> edge;
        edge.Push(0);
        edge.Push(1);
        plan.wallGuides.edges.Push(edge);
        plan.wallGuides.guides.Add("0", {"unit-plan", "simple", 100});
    }
    static PlanContainer Container(const char* id, const char* spaceTypeId, double x0, double x1) {
        PlanContainer container;
        container.id = id;
        container.spaceTypeId = spaceTypeId;
        container.bounds.polylines.Push(Ring({{x0, 0}, {x1, 0}, {x1, 3000}, {x0, 3000}}));
        container.referencePoint = {(x0 + x1) / 2, 1500, 0};
        return container;
    }
    static SpaceType Space(const char* id, const char* name) {
        SpaceType space;
        space.id = id;
        space.className = "residential";
        space.displayName = name;
        return space;
    }
    static Transition Door(const char* id, const char* type, double x, double y) {
        Transition door;
        door.id = id;
        door.type = type;
        door.location = {x, y, 0};
        door.direction = {1, 0, 0};
        door.definitionId = "door";
        return door;
    }
    static PlanTemplate UnitPlan() {
        PlanTemplate plan;
        plan.planType = "unit";
        plan.id = "plan-1";
        plan.bounds.polylines.Push(Ring({{0, 0}, {4000, 0}, {4000, 3000}, {0, 3000}}));
        return plan;
    }

    GS::Array<API_Guid> roomWalls;
    API_Guid roomZone = {};
    GS::UniString summary;
};

TEST_F(PlanImport, APlanThatCreatesNothingCountsItsFailuresAndSaysSo) {
    PlanTemplate plan;
    plan.planType = "floor";
    plan.subContainers.Push(Container("a", "st-none", 0, 2000));
    plan.subContainers.Push(Container("b", "st-other", 2000, 4000));
    EXPECT_EQ(Import(plan), APIERR_BADPARS);
    EXPECT_EQ(summary.ToCStr().Get(), Summary(0, 0, 0, 0, 0, 2, 0, 0));
    EXPECT_TRUE(
        Logged("[WARNING] BuildingOrchestrator: SpaceType not found for container a (spaceTypeId: st-none)"));
    EXPECT_TRUE(Logged("[INFO] BuildingOrchestrator: " + Summary(0, 0, 0, 0, 0, 2, 0, 0)));
}

TEST_F(PlanImport, AUnitPlanAddsItsUnitZoneNamedUnitWhenNamelessAndOnlyAUnitPlanDoes) {
    GS::UniString unitName = "Unit";
    API_Attribute unitCategory = {};
    unitCategory.header.typeID = API_ZoneCatID;
    unitCategory.header.uniStringNamePtr = &unitName;
    const API_AttributeIndex unit = StandIn::AddAttribute(unitCategory);
    PlanTemplate plan = UnitPlan();
    plan.subContainers.Push(Container("a", "st-bed", 0, 4000));
    plan.spaceTypes.Push(Space("st-other", "Other"));
    plan.spaceTypes.Push(Space("st-bed", "Bedroom"));
    ASSERT_EQ(Import(plan), NoError);
    EXPECT_EQ(summary.ToCStr().Get(), Summary(0, 2, 0, 0, 0, 0, 0, 0));
    ASSERT_EQ(ZonesNamed("Unit").size(), 1u);
    EXPECT_EQ(ZonesNamed("Unit")[0]->element.zone.catInd, unit);
    EXPECT_EQ(ZonesNamed("Bedroom").size(), 1u) << "the first space type of the container's id";
    EXPECT_TRUE(Logged("[INFO] BuildingOrchestrator: Created unit zone 'Unit'"));

    plan.name = "Flat 3";
    ASSERT_EQ(Import(plan), NoError);
    EXPECT_EQ(ZonesNamed("Flat 3").size(), 1u);

    plan.planType = "floor";
    ASSERT_EQ(Import(plan), NoError);
    EXPECT_EQ(summary.ToCStr().Get(), Summary(0, 1, 0, 0, 0, 0, 0, 0)) << "bounds alone make no unit zone";
}

// The new walls come before the room's own ones: a door as near to both goes into the new wall.
TEST_F(PlanImport, DoorsFindNewWallsFirstThenTheRoomsWallsAndOnlyDoorsCount) {
    PlanTemplate plan = UnitPlan();
    plan.planType = "floor";
    AddPartition(plan);
    plan.transitions.Push(Door("in-partition", "door", 2000, 1500));
    plan.transitions.Push(Door("in-room-wall", "door", 1000, 0));
    plan.transitions.Push(Door("between", "door", 2000, 0));
    plan.transitions.Push(Door("arch", "opening", 3000, 3000));
    plan.transitions.Push(Door("far", "door", 1000, 1500));
    ASSERT_EQ(Import(plan), NoError);
    EXPECT_EQ(summary.ToCStr().Get(), Summary(1, 0, 3, 0, 0, 0, 1, 0));
    std::vector<API_Guid> owners;
    for (const StandIn::StoredElement& stored : StandIn::TheModel().elements) {
        if (stored.element.header.type.typeID == API_DoorID) {
            owners.push_back(stored.element.door.owner);
        }
    }
    const API_Guid partition = StandIn::TheModel().elements[5].element.header.guid;
    ASSERT_EQ(StandIn::TheModel().elements[5].element.header.type.typeID, API_WallID);
    EXPECT_EQ(owners, (std::vector<API_Guid>{partition, roomWalls[0], partition}));
}

TEST_F(PlanImport, EverythingGoesOnTheZonesStoryOrOnTheGroundFloorWhenTheZoneCannotBeRead) {
    StandIn::Settings().stories.push_back({"First Floor", 3.0});
    StandIn::FindElement(roomZone)->element.header.floorInd = 1;
    PlanTemplate plan = UnitPlan();
    AddPartition(plan);
    ASSERT_EQ(Import(plan), NoError);
    EXPECT_EQ(summary.ToCStr().Get(), Summary(1, 1, 0, 0, 0, 0, 0, 0));
    for (size_t i = 6; i < StandIn::TheModel().elements.size(); ++i) {
        EXPECT_EQ(StandIn::TheModel().elements[i].element.header.floorInd, 1) << i;
    }

    const size_t before = StandIn::TheModel().elements.size();
    ASSERT_EQ(Import(plan, APINULLGuid), NoError);
    EXPECT_TRUE(
        Logged("[WARNING] BuildingOrchestrator: Failed to get zone floor index (error -2130313115), using "
               "ground floor"));
    for (size_t i = before; i < StandIn::TheModel().elements.size(); ++i) {
        EXPECT_EQ(StandIn::TheModel().elements[i].element.header.floorInd, 0) << i;
    }
}

TEST_F(PlanImport, AFailedWallStepCountsOneFailedWallAndFurnitureIsCountedPerItem) {
    PlanTemplate plan = UnitPlan();
    plan.planType = "floor";
    AddPartition(plan);
    Tolva::FurnitureTemplate chair;
    chair.id = "tpl-chair";
    chair.name = "Chair";
    chair.bounds.polylines.Push(Ring({{-250, -250}, {250, -250}, {250, 250}, {-250, 250}}));
    Tolva::FurnitureShape outline;
    outline.points = Ring({{-250, -250}, {250, -250}, {250, 250}, {-250, 250}, {-250, -250}}).points;
    chair.shape2d.Push(outline);
    plan.planObjectTemplates.Push(chair);
    for (const char* templateId : {"tpl-chair", "tpl-missing", "tpl-chair"}) {
        Tolva::FurnitureObject item;
        item.id = "item";
        item.planObjectTemplateId = templateId;
        item.location = {1000, 1000, 0};
        item.direction = {0, 1, 0};
        plan.planObjects.Push(item);
    }
    StandIn::Faults::Arm("ACAPI_Element_Create", APIERR_GENERAL);
    ASSERT_EQ(Import(plan), NoError);
    EXPECT_EQ(summary.ToCStr().Get(), Summary(0, 0, 0, 2, 1, 0, 0, 1));
    EXPECT_TRUE(Logged("[INFO] BuildingOrchestrator: Creating 3 furniture items..."));
    EXPECT_EQ(Count(API_ObjectID), 2u);
}

} // namespace
