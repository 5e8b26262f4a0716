#include "BuiltElements.hpp"

#include "Builders/SpacesImport.hpp"
#include "StandIn/Faults.hpp"
#include "StandIn/Stories.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace {

using Tolva::BuildingData;
using Tolva::SpacesData;
using Tolva::SpaceType;
using Tolva::TolvaSpace;
using Tolva::TolvaStory;
namespace Orchestrator = Tolva::Builders::BuildingOrchestrator;

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

// A 2 m square room whose lower left corner is at x (mm), with its label in the middle at height z.
TolvaSpace Room(const char* spaceTypeId, double x, double z = 0.0) {
    TolvaSpace space;
    space.spaceTypeId = spaceTypeId;
    space.labelPosition = {x + 1000, 1000, z};
    space.polygon.polylines.Push(Ring({{x, 0}, {x + 2000, 0}, {x + 2000, 2000}, {x, 2000}}));
    return space;
}

TolvaSpace Unit(const char* spaceTypeId, Int32 storyLevel) {
    TolvaSpace space = Room(spaceTypeId, 0.0);
    space.labelPosition.z = 0.0;
    space.storyLevel = storyLevel;
    return space;
}

SpaceType Type(const char* id, const char* className, const char* displayName) {
    SpaceType type;
    type.id = id;
    type.className = className;
    type.displayName = displayName;
    return type;
}

BuildingData Stories(std::initializer_list<std::pair<const char*, double>> stories) {
    BuildingData building;
    for (auto [id, heightOffset] : stories) {
        TolvaStory story;
        story.id = id;
        story.heightOffset = heightOffset;
        building.stories.Push(story);
    }
    return building;
}

class SpacesImport : public BuiltElements {
protected:
    void SetUp() override {
        BuiltElements::SetUp();
        data.spaceTypes.Push(Type("st-bed", "Bedroom", "Bedroom"));
        data.spaceTypes.Push(Type("st-kitchen", "Kitchen", "Kitchen"));
    }

    // Host stories of these heights (m) from story 0 at level 0.
    static void HostStories(std::vector<double> heights) {
        StandIn::Settings().stories.clear();
        for (double height : heights) {
            StandIn::Settings().stories.push_back({"Story", height});
        }
    }

    GSErrCode Import(const BuildingData* stories = nullptr) {
        return InStep([&] { return Orchestrator::ImportSpaces(data, summary, stories); });
    }

    struct Zone {
        std::u16string name;
        short floor;
        API_AttributeIndex category;
        bool labelled;
    };

    static std::vector<Zone> Zones() {
        std::vector<Zone> zones;
        for (const StandIn::StoredElement* zone : OfType(API_ZoneID)) {
            bool labelled = false;
            for (const StandIn::StoredElement* label : OfType(API_LabelID)) {
                labelled = labelled || label->element.label.parent == zone->element.header.guid;
            }
            std::u16string name;
            for (const GS::uchar_t* unit = zone->element.zone.roomName; *unit != 0; ++unit) {
                name += static_cast<char16_t>(*unit);
            }
            zones.push_back({name, zone->element.header.floorInd, zone->element.zone.catInd, labelled});
        }
        return zones;
    }

    static API_AttributeIndex DefaultCategory() {
        API_Element zone = {};
        zone.header.type = API_ZoneID;
        EXPECT_EQ(ACAPI_Element_GetDefaults(&zone, nullptr), NoError);
        return zone.zone.catInd;
    }

    static bool HasLine(const std::string& line) {
        const std::vector<std::string> lines = Lines();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }

    SpacesData data;
    GS::UniString summary;
};

TEST_F(SpacesImport, AUnitLandsOnTheFloorOfItsStoryWithoutALabel) {
    HostStories({3.0, 3.0});
    data.spaces.Push(Unit("UNIT:b1-1-u1:b1-1", 0));
    data.spaces.Push(Room("st-kitchen", 3000, 3000));
    const BuildingData building = Stories({{"b1-0", 0.0}, {"b1-1", 3000.0}});
    ASSERT_EQ(Import(&building), NoError);
    const std::vector<Zone> zones = Zones();
    ASSERT_EQ(zones.size(), 2u);
    EXPECT_EQ(zones[0].name, u"b1-1-u1");
    EXPECT_EQ(zones[0].floor, 1) << "the story id wins over the space's own level";
    EXPECT_EQ(zones[0].category, DefaultCategory());
    EXPECT_FALSE(zones[0].labelled);
    EXPECT_EQ(zones[1].name, u"Kitchen");
    EXPECT_EQ(zones[1].floor, 1);
    EXPECT_EQ(zones[1].category, AttributeNamed(API_ZoneCatID, "Kitchen"));
    EXPECT_TRUE(zones[1].labelled);
    EXPECT_EQ(summary, GS::UniString("Successfully created all 2 zones"));
}

TEST_F(SpacesImport, AUnitWithoutAKnownStoryFallsBackToItsOwnLevel) {
    HostStories({3.0, 3.0, 3.0});
    data.spaces.Push(Unit("UNIT:b1-2-u4", 2));
    data.spaces.Push(Unit("UNIT:b1-1-u2:b9-7", 1));
    data.spaces.Push(Unit("UNIT:b1-0-u3:", 0));
    const BuildingData building = Stories({{"b1-0", 0.0}});
    ASSERT_EQ(Import(&building), NoError);
    const std::vector<Zone> zones = Zones();
    ASSERT_EQ(zones.size(), 3u);
    EXPECT_EQ(zones[0].name, u"b1-2-u4") << "the whole rest names a unit without a second colon";
    EXPECT_EQ(zones[0].floor, 2);
    EXPECT_EQ(zones[1].name, u"b1-1-u2");
    EXPECT_EQ(zones[1].floor, 1);
    EXPECT_EQ(zones[2].name, u"b1-0-u3");
    EXPECT_EQ(zones[2].floor, 0);
    EXPECT_TRUE(HasLine("[WARNING] BuildingOrchestrator: Unit zone: Story 'b9-7' not found in building data, "
                        "using storyLevel fallback"));
    EXPECT_EQ(OfType(API_LabelID).size(), 0u);
}

TEST_F(SpacesImport, StoryHeightsAreTakenRelativeToTheLowestStoryOfTheBuilding) {
    HostStories({3.0, 3.0});
    data.spaces.Push(Room("st-bed", 0, 1500));
    data.spaces.Push(Room("st-bed", 3000, 4500));
    data.spaces.Push(Unit("UNIT:b1-1-u1:b1-1", 0));
    const BuildingData building = Stories({{"b1-1", 4500.0}, {"b1-0", 1500.0}});
    ASSERT_EQ(Import(&building), NoError);
    const std::vector<Zone> zones = Zones();
    ASSERT_EQ(zones.size(), 3u);
    EXPECT_EQ(zones[0].floor, 0);
    EXPECT_EQ(zones[1].floor, 1) << "4500 mm is 3000 mm above the building's lowest story";
    EXPECT_EQ(zones[2].floor, 1);
    EXPECT_TRUE(HasLine("[INFO] BuildingOrchestrator: Using base elevation 1500 mm from building data"));
    for (const std::string& line : Lines()) {
        EXPECT_EQ(line.find("No exact floor mapping"), std::string::npos) << line;
    }
}

TEST_F(SpacesImport, SkipNullFloorMovesRoomsByTheOffsetButUnitsKeepTheirLevel) {
    HostStories({3.0, 3.0, 3.0});
    StandIn::Settings().skipNullFloor = true;
    data.spaces.Push(Room("st-bed", 0, 3000));
    data.spaces.Push(Unit("UNIT:b1-1-u1", 1));
    ASSERT_EQ(Import(), NoError);
    const std::vector<Zone> zones = Zones();
    ASSERT_EQ(zones.size(), 2u);
    EXPECT_EQ(zones[0].floor, 2);
    EXPECT_EQ(zones[1].floor, 1);
}

TEST_F(SpacesImport, TheBaseComesFromTheLowestFiniteHeight) {
    GS::Array<TolvaSpace> spaces;
    spaces.Push(Room("st-bed", 0, 3300));
    spaces.Push(Room("st-bed", 0, NaN));
    spaces.Push(Room("st-bed", 0, 300));
    double base = -1;
    EXPECT_EQ(Orchestrator::ComputeBaseElevation(spaces, nullptr, base), NoError);
    EXPECT_EQ(base, 300.0);
    EXPECT_EQ(Lines().back(),
              "[INFO] BuildingOrchestrator: Calculated base elevation 300 mm from spaces.json");

    const BuildingData unusable = Stories({{"b1-0", NaN}, {"b1-1", std::numeric_limits<double>::infinity()}});
    EXPECT_EQ(Orchestrator::ComputeBaseElevation(spaces, &unusable.stories, base), NoError);
    EXPECT_EQ(base, 300.0);
    EXPECT_TRUE(
        HasLine("[WARNING] BuildingOrchestrator: Building data provided but no valid elevations found, "
                "falling back to spaces.json"));

    const BuildingData building = Stories({{"b1-1", 3200.0}, {"b1-0", -400.0}, {"b1-2", NaN}});
    EXPECT_EQ(Orchestrator::ComputeBaseElevation(spaces, &building.stories, base), NoError);
    EXPECT_EQ(base, -400.0);

    EXPECT_EQ(Orchestrator::ComputeBaseElevation({}, nullptr, base), NoError);
    EXPECT_EQ(base, 0.0) << "no spaces, no base";
}

TEST_F(SpacesImport, EveryHeightNotANumberFailsBeforeAnyZone) {
    data.spaces.Push(Room("st-bed", 0, NaN));
    data.spaces.Push(Room("st-kitchen", 3000, NaN));
    EXPECT_EQ(Import(), APIERR_BADPARS);
    EXPECT_EQ(APIERR_BADPARS, static_cast<GSErrCode>(0x81060068));
    EXPECT_TRUE(StandIn::TheModel().elements.empty());
    EXPECT_TRUE(
        HasLine("[ERROR] BuildingOrchestrator: No valid elevations found in spaces.json - all z-values "
                "are NaN or infinite"));
    EXPECT_TRUE(summary.IsEmpty());
}

TEST_F(SpacesImport, SkippedAndFailedSpacesAreCountedAndTheRestIsCreated) {
    for (int i = 0; i < 10; ++i) {
        data.spaces.Push(Room(i == 2 || i == 6 ? "" : "st-bed", i * 2000.0));
    }
    data.spaces[4].polygon.polylines.Clear();
    EXPECT_EQ(Import(), NoError);
    EXPECT_EQ(summary, GS::UniString("Created: 7 zones | Skipped: 2 | Failed: 1 (Total: 10 spaces)"));
    EXPECT_EQ(Zones().size(), 7u);
    EXPECT_EQ(OfType(API_LabelID).size(), 7u);
    EXPECT_TRUE(HasLine("[ERROR] BuildingOrchestrator: Failed to create zone 'Bedroom': error -2130313112"));
    EXPECT_EQ(Lines().back(),
              "[INFO] BuildingOrchestrator: Created: 7 zones | Skipped: 2 | Failed: 1 (Total: 10 spaces)");
}

TEST_F(SpacesImport, AnUnknownSpaceTypeIsSkippedWithAWarning) {
    data.spaces.Push(Room("st-attic", 0));
    data.spaces.Push(Room("st-kitchen", 3000));
    EXPECT_EQ(Import(), NoError);
    EXPECT_EQ(summary, GS::UniString("Created: 1 zones | Skipped: 1 (Total: 2 spaces)"));
    EXPECT_TRUE(HasLine("[WARNING] BuildingOrchestrator: Space has unknown spaceTypeId: st-attic"));
}

TEST_F(SpacesImport, TheFirstOfTwoSpaceTypesWithOneIdNamesTheZone) {
    data.spaceTypes.Push(Type("st-bed", "Storage", "Box room"));
    data.spaces.Push(Room("st-bed", 0));
    ASSERT_EQ(Import(), NoError);
    ASSERT_EQ(Zones().size(), 1u);
    EXPECT_EQ(Zones()[0].name, u"Bedroom");
}

TEST_F(SpacesImport, LabelDefaultsAreFetchedOnceAndEachCategoryOnce) {
    for (int i = 0; i < 6; ++i) {
        data.spaces.Push(Room(i % 2 == 0 ? "st-bed" : "st-kitchen", i * 2000.0));
    }
    ASSERT_EQ(Import(), NoError);
    EXPECT_EQ(OfType(API_LabelID).size(), 6u);
    EXPECT_EQ(StandIn::Faults::CallCount("ACAPI_Element_GetDefaults:Label"), 1);
    EXPECT_EQ(StandIn::Faults::CallCount("ACAPI_Attribute_Get:ZoneCategory"), 2);
    EXPECT_TRUE(HasLine("[INFO] BuildingOrchestrator: Pre-loaded label defaults (performance optimization - "
                        "saves 500 API calls)"));
}

TEST_F(SpacesImport, AFailedPreparationCreatesNothing) {
    data.spaces.Push(Room("st-bed", 0));
    StandIn::Faults::Arm("ACAPI_Element_GetDefaults:Label", APIERR_MEMFULL);
    EXPECT_EQ(Import(), APIERR_MEMFULL);
    EXPECT_TRUE(HasLine("[ERROR] BuildingOrchestrator: Failed to get label defaults"));

    StandIn::Faults::Arm("ACAPI_ProjectSetting_GetStorySettings", APIERR_GENERAL);
    EXPECT_EQ(Import(), APIERR_GENERAL);
    EXPECT_TRUE(HasLine("[ERROR] BuildingOrchestrator: Failed to query story mapping"));
    EXPECT_TRUE(StandIn::TheModel().elements.empty());
}

} // namespace
