#include "BuildingSamples.hpp"
#include "LibraryTestSupport.hpp"

#include "Builders/BuildingDoorsAndFurniture.hpp"
#include "Builders/BuildingImport.hpp"
#include "Builders/BuildingSummary.hpp"
#include "StandIn/Stories.hpp"

#include <algorithm>
#include <cmath>
#include <set>
#include <string>

namespace {

using namespace BuildingSamples;
using namespace Tolva::Builders::BuildingOrchestrator;
using Tolva::BuildingData;
using Tolva::Builders::ElevationFloorMap;

class BuildingImport : public LibraryTest {
protected:
    // Two stories; one party wall listed by two units (once reversed, less thick) and once more
    // upstairs; a unit of no known story; three doors and two beds.
    static BuildingData TwoStories() {
        BuildingData building;
        building.stories.Push(Story("s0", 0, 0));
        building.stories.Push(Story("s1", 1, 3000));
        building.units.Push(Unit("u1", "s0", {5000, 0, 0}, {5000, 8000, 0}));
        building.units.Push(Unit("u2", "s0", {5000, 8000, 0}, {5000, 0, 0}, 150));
        building.units.Push(Unit("u3", "s1", {5000, 0, 0}, {5000, 8000, 0}));
        building.units.Push(Unit("lost", "nowhere", {2000, 1000, 0}, {2000, 3000, 0}));
        building.transitions.Push(Door("d0", "s0", 2500, 175));
        building.transitions.Push(Door("d1", "s1", 7500, 175));
        building.transitions.Push(Door("d2", "nowhere", 5000, 4000));
        building.furnitureInstances.Push(Furniture("bed-0", "s0", 2500, 4000, 0));
        building.furnitureInstances.Push(Furniture("bed-1", "", 2500, 4000, 3050));
        building.furnitureTemplates.Push(BedTemplate());
        return building;
    }

    static GSErrCode Import(const BuildingData& building, GS::UniString& summary) {
        return InStep([&] { return ImportBuilding(building, summary); });
    }

    static std::vector<const StandIn::StoredElement*> OfType(API_ElemTypeID type, short floor = -100) {
        std::vector<const StandIn::StoredElement*> found;
        for (const StandIn::StoredElement& stored : StandIn::TheModel().elements) {
            if (stored.element.header.type.typeID == type &&
                (floor == -100 || stored.element.header.floorInd == floor)) {
                found.push_back(&stored);
            }
        }
        return found;
    }

    static bool Logged(const std::string& line) {
        const std::vector<std::string> lines = Lines();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
};

TEST_F(BuildingImport, BuildsWhatTheSummarySaysAndTrimsTheFacadeBelowTheTopSlab) {
    GS::UniString summary;
    ASSERT_EQ(Import(TwoStories(), summary), NoError) << summary.ToCStr().Get();
    EXPECT_EQ(
        summary,
        GS::UniString("Building Import Complete\n\nBuildings: 1\nTotal Stories Imported: 2\nUnique "
                      "Elevations (Archicad Floors): 2 (1 new floors created)\n\nFloor Elevation "
                      "Mapping:\n  - Floor 0: elevation 0.00 m\n  - Floor 1: elevation 3.00 m\n\nUnits: "
                      "4\nTransitions: 3\n\nCreated:\n  - Slabs: 2\n  - GFA Zones: 2\n  - Walls: 11\n  - "
                      "Doors: 3\n  - Furniture: 2\n\nFailed:\n  - Slabs: 0\n  - GFA Zones: 0\n  - Walls: "
                      "0\n  - Doors: 0"));
    EXPECT_EQ(OfType(API_SlabID).size(), 2u);
    EXPECT_EQ(OfType(API_ZoneID).size(), 2u);
    EXPECT_EQ(OfType(API_WallID).size(), 11u);
    EXPECT_EQ(OfType(API_WallID, 0).size(), 6u)
        << "4 facade walls, the party wall once, the lost unit's wall";
    EXPECT_EQ(OfType(API_DoorID).size(), 3u);
    EXPECT_EQ(OfType(API_ObjectID, 0).size(), 1u);
    EXPECT_EQ(OfType(API_ObjectID, 1).size(), 1u) << "the second bed found its floor by its height";
    EXPECT_EQ(StandIn::LastStory(), 1);

    const API_Guid upperSlab = OfType(API_SlabID, 1)[0]->element.header.guid;
    Int32 trimmed = 0;
    for (const StandIn::StoredElement* wall : OfType(API_WallID)) {
        for (const StandIn::SolidLink& link : wall->solidLinks) {
            EXPECT_EQ(wall->element.header.floorInd, 0) << "nothing lies above the top floor";
            EXPECT_EQ(link.operatorGuid, upperSlab);
            ++trimmed;
        }
    }
    EXPECT_EQ(trimmed, 4);
    for (const StandIn::StoredElement* wall : OfType(API_WallID, 0)) {
        if (wall->element.wall.begC.x == 5.0) {
            EXPECT_DOUBLE_EQ(wall->element.wall.thickness, 0.2) << "the first listed copy stays";
        }
    }
    EXPECT_TRUE(
        Logged("[WARNING] BuildingOrchestrator: Door 'd2': Story ID 'nowhere' not found in story levels, "
               "using all walls"));
}

// The project levels (m) of the elements of a type, one per element, sorted.
std::multiset<double> LevelsOf(const std::vector<const StandIn::StoredElement*>& elements) {
    std::multiset<double> levels;
    for (const StandIn::StoredElement* stored : elements) {
        levels.insert(std::round(StandIn::LevelOf(stored->element.header.floorInd) * 1000.0) / 1000.0);
    }
    return levels;
}

// The count after "  - <what>: " in the summary's part from `part` on.
Int32 Counted(const GS::UniString& summary, const std::string& part, const std::string& what) {
    const std::string text = summary.ToCStr().Get();
    const size_t at = text.find("  - " + what + ": ", text.find(part));
    return at == std::string::npos ? -1 : std::stoi(text.substr(at + what.size() + 6));
}

TEST_F(BuildingImport, StoriesLandAtTheirLevelsWhateverTheNumberingOrTheGroundLevel) {
    struct Case {
        const char* name;
        bool skipNullFloor;
        double groundLevel; // m
        const char* floorList;
    };
    for (const Case& c :
         {Case{"plain", false, 0.0, "  - Floor 0: elevation 0.00 m\n  - Floor 1: elevation 3.00 m\n"},
          Case{"skipNullFloor", true, 0.0, "  - Floor 1: elevation 0.00 m\n  - Floor 2: elevation 3.00 m\n"},
          Case{"ground at 0.5 m", false, 0.5,
               "  - Floor 0: elevation 0.00 m\n  - Floor 1: elevation 3.00 m\n"}}) {
        StandIn::TheModel().elements.clear();
        StandIn::Settings().stories = {{"Ground Floor", 3.0}};
        StandIn::Settings().firstStory = 0;
        StandIn::Settings().lowestLevel = c.groundLevel;
        StandIn::Settings().skipNullFloor = c.skipNullFloor;
        GS::UniString summary;
        ASSERT_EQ(Import(TwoStories(), summary), NoError) << c.name;
        const double g = c.groundLevel;
        EXPECT_EQ(LevelsOf(OfType(API_SlabID)), (std::multiset<double>{g, g + 3})) << c.name;
        EXPECT_EQ(LevelsOf(OfType(API_ZoneID)), (std::multiset<double>{g, g + 3})) << c.name;
        EXPECT_EQ(LevelsOf(OfType(API_WallID)),
                  (std::multiset<double>{g, g, g, g, g, g, g + 3, g + 3, g + 3, g + 3, g + 3}))
            << c.name;
        EXPECT_EQ(StandIn::LastStory(), 1) << c.name << ": story 0 holds the ground";
        EXPECT_NE(std::string(summary.ToCStr().Get()).find(c.floorList), std::string::npos) << c.name;
        EXPECT_EQ(Counted(summary, "Created:", "Slabs"), static_cast<Int32>(OfType(API_SlabID).size()));
        EXPECT_EQ(Counted(summary, "Created:", "GFA Zones"), static_cast<Int32>(OfType(API_ZoneID).size()));
        EXPECT_EQ(Counted(summary, "Created:", "Walls"), static_cast<Int32>(OfType(API_WallID).size()));
        EXPECT_EQ(Counted(summary, "Created:", "Doors"), static_cast<Int32>(OfType(API_DoorID).size()));
        for (const std::string& line : Lines()) {
            EXPECT_EQ(line.find("Ground floor elevation"), std::string::npos) << c.name << ": " << line;
        }
    }
}

TEST_F(BuildingImport, KeepsEverySideOfARoundFacadeAndCollapsesTheUnitsCopiesOfAPartyWall) {
    for (const int sides : {36, 100}) {
        StandIn::TheModel().elements.clear();
        BuildingData building;
        building.stories.Push(Story("s0", 0, 0));
        const double radius = sides == 36 ? 2000.0 : 10000.0;
        Tolva::TolvaPolyline ring;
        for (int k = 0; k < sides; ++k) {
            const double angle = 2.0 * std::acos(-1.0) * k / sides;
            ring.points.Push({radius * std::cos(angle), radius * std::sin(angle), 0});
        }
        building.stories[0].centerPolygon.polylines = {ring};
        // One party wall from both units, offset across its thickness and reversed.
        building.units.Push(Unit("u1", "s0", {-100, -1000, 0}, {-100, 1000, 0}));
        building.units.Push(Unit("u2", "s0", {100, 1000, 0}, {100, -1000, 0}));
        GS::UniString summary;
        ASSERT_EQ(Import(building, summary), NoError);
        EXPECT_EQ(OfType(API_WallID).size(), static_cast<size_t>(sides + 1)) << sides << " sides";
        EXPECT_EQ(Counted(summary, "Created:", "Walls"), static_cast<Int32>(OfType(API_WallID).size()));
    }
}

TEST_F(BuildingImport, ADoorOnAFloorWithoutWallsFails) {
    BuildingData building;
    building.stories.Push(Story("s0", 0, 0));
    building.stories.Push(Story("s1", 1, 3000));
    building.stories[0].centerPolygon = {};
    building.stories[1].centerPolygon = {};
    building.units.Push(Unit("u1", "s0", {5000, 0, 0}, {5000, 8000, 0}));
    building.transitions.Push(Door("d1", "s1", 5000, 4000));
    GS::UniString summary;
    ASSERT_EQ(Import(building, summary), NoError);
    EXPECT_TRUE(
        Logged("[WARNING] BuildingOrchestrator: Door 'd1': Story ID 's1' maps to floor 1, but no walls "
               "exist on that floor"));
    EXPECT_NE(std::string(summary.ToCStr().Get())
                  .find("Failed:\n  - Slabs: 0\n  - GFA Zones: 0\n  - Walls: 0\n  - Doors: 1"),
              std::string::npos);
    EXPECT_TRUE(OfType(API_DoorID).empty());
}

TEST_F(BuildingImport, OnlyZonesAndFurnitureCountAsNothingBuilt) {
    BuildingData building;
    building.stories.Push(Story("s0", 0, 0));
    building.stories[0].centerPolygon = {};
    building.furnitureInstances.Push(Furniture("bed", "s0", 2500, 4000, 0));
    building.furnitureTemplates.Push(BedTemplate());
    StandIn::Faults::Arm("ACAPI_Element_Create:Slab", APIERR_GENERAL);
    GS::UniString summary;
    StandIn::TheModel().rollBackFailedSteps = false;
    EXPECT_EQ(Import(building, summary), APIERR_BADPARS);
    EXPECT_EQ(OfType(API_ZoneID).size(), 1u);
    EXPECT_EQ(OfType(API_ObjectID).size(), 1u);
    EXPECT_NE(std::string(summary.ToCStr().Get()).find("  - Furniture: 1\n\nFailed:\n  - Slabs: 1\n"),
              std::string::npos)
        << summary.ToCStr().Get();
}

TEST_F(BuildingImport, StoppedByTheStorySettingsWithTheReasonAsSummary) {
    StandIn::Faults::Arm("ACAPI_ProjectSetting_GetStorySettings", APIERR_MEMFULL);
    GS::UniString summary;
    EXPECT_EQ(Import(TwoStories(), summary), APIERR_MEMFULL);
    EXPECT_EQ(summary, GS::UniString("Failed to get story settings: error -2130313214"));
    StandIn::Faults::Arm("ACAPI_ProjectSetting_ChangeStorySettings:2", APIERR_GENERAL);
    EXPECT_EQ(Import(TwoStories(), summary), APIERR_GENERAL);
    EXPECT_EQ(summary, GS::UniString("Failed to create required stories: error -2130313215"));
    EXPECT_TRUE(StandIn::TheModel().elements.empty());
}

TEST_F(BuildingImport, FurnitureBelowZeroFallsBackToTheFirstStory) {
    BuildingData building;
    building.stories.Push(Story("basement", -1, -3000));
    building.stories.Push(Story("ground", 0, 0));
    ElevationFloorMap map;
    map.Add(-3000, 0);
    map.Add(0, 1);
    EXPECT_EQ(ResolveFurnitureFloor(Furniture("chair", "", 0, 0, -2500), building.stories, map, 0), 0);
    EXPECT_EQ(ResolveFurnitureFloor(Furniture("lamp", "attic", 0, 0, 400), building.stories, map, 1), 2);
    EXPECT_EQ(ResolveFurnitureFloor(Furniture("sofa", "", 0, 0, 0), {}, ElevationFloorMap{}, 1), 0);
    EXPECT_EQ(
        Lines(),
        (std::vector<std::string>{
            "[WARNING] BuildingOrchestrator: Furniture 'chair': Z-coordinate -2500 mm not within "
            "tolerance of any story elevation",
            "[WARNING] BuildingOrchestrator: Furniture 'chair': Using fallback to first story (floor 0 "
            "with offset)",
            "[WARNING] BuildingOrchestrator: Furniture 'lamp': storyId='attic' does not match any story",
            "[WARNING] BuildingOrchestrator: Furniture 'sofa': No stories available, using ground "
            "floor (0)"}));
}

TEST_F(BuildingImport, FurnitureWithoutTemplatesIsSkipped) {
    BuildingData building;
    building.stories.Push(Story("s0", 0, 0));
    building.furnitureInstances.Push(Furniture("bed", "s0", 2500, 4000, 0));
    Int32 created = 0;
    Int32 failed = 0;
    CreateBuildingFurniture(building, ElevationFloorMap{}, 0, created, failed);
    EXPECT_EQ(created + failed, 0);
    EXPECT_TRUE(Logged(
        "[WARNING] BuildingOrchestrator: Furniture instances provided but no templates found - skipping"));
}

TEST(BuildingSummary, ListsFiveFloorsThenHowManyMoreAndFurnitureOnlyWhenThereIsSome) {
    BuildingData building;
    building.stories.Push(Story("a", 0, 0));
    building.stories.Push(Story("b", 1, 3000));
    building.stories[1].buildingId = "";
    ElevationFloorMap map;
    for (short i = 6; i >= 0; --i) {
        map.Add(i * 3000.0, i);
    }
    BuildingImportCounts counts;
    counts.furnitureFailed = 1;
    const std::string text = FormatBuildingSummary(building, map, 1, counts).ToCStr().Get();
    EXPECT_NE(text.find("Buildings: 2\n"), std::string::npos) << "an empty building id counts as \"0\"";
    EXPECT_NE(
        text.find(
            "Unique Elevations (Archicad Floors): 7 (0 new floors created)\n\nFloor Elevation Mapping:\n"
            "  - Floor 1: elevation 0.00 m\n  - Floor 2: elevation 3.00 m\n  - Floor 3: elevation 6.00 m\n"
            "  - Floor 4: elevation 9.00 m\n  - Floor 5: elevation 12.00 m\n  - ... (2 more floors)\n\n"
            "Units: 0\n"),
        std::string::npos)
        << text;
    EXPECT_NE(text.find("  - Doors: 0\n  - Furniture: 0\n  (Failed: 1)\n\nFailed:\n"), std::string::npos)
        << text;
    counts.furnitureFailed = 0;
    EXPECT_EQ(std::string(FormatBuildingSummary(building, map, 1, counts).ToCStr().Get()).find("Furniture"),
              std::string::npos);
}

} // namespace
