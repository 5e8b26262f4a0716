#include "BuilderTestSupport.hpp"
#include "BuildingSamples.hpp"

#include "Builders/BuildingStories.hpp"
#include "StandIn/Faults.hpp"
#include "StandIn/Stories.hpp"

#include <cmath>
#include <limits>

namespace {

using namespace Tolva::Builders::BuildingOrchestrator;
using BuildingSamples::Story;
using Tolva::BuildingData;
using Tolva::Builders::ElevationFloorMap;

using Entry = std::pair<double, short>;

std::vector<Entry> Entries(const ElevationFloorMap& map) {
    std::vector<Entry> entries;
    for (const auto& [elevation, floor] : map) {
        entries.emplace_back(elevation, floor);
    }
    return entries;
}

struct StoryRow {
    std::string name;
    double level;
    double height;
    bool operator==(const StoryRow&) const = default;
};

std::ostream& operator<<(std::ostream& out, const StoryRow& row) {
    return out << row.name << " at " << row.level << " m, " << row.height << " m high";
}

class BuildingStories : public BuilderTest {
protected:
    // Stories from 0 upwards with these heights (m), the lowest at `lowest` (m).
    static void SetStories(std::vector<double> heights, double lowest = 0.0) {
        StandIn::ProjectSettings& settings = StandIn::Settings();
        settings.firstStory = 0;
        settings.lowestLevel = lowest;
        settings.stories.clear();
        for (size_t i = 0; i < heights.size(); ++i) {
            settings.stories.push_back(
                {GS::UniString::Printf("Story %d", static_cast<Int32>(i)), heights[i]});
        }
    }

    static std::vector<StoryRow> Rows() {
        std::vector<StoryRow> rows;
        for (short s = 0; s <= StandIn::LastStory(); ++s) {
            const StandIn::Story& story = StandIn::Settings().stories[static_cast<size_t>(s)];
            rows.push_back({story.name.ToCStr().Get(), std::round(StandIn::LevelOf(s) * 1e6) / 1e6,
                            std::round(story.height * 1e6) / 1e6});
        }
        return rows;
    }

    static BuildingData Building(std::vector<Tolva::TolvaStory> stories) {
        BuildingData building;
        for (const Tolva::TolvaStory& story : stories) {
            building.stories.Push(story);
        }
        return building;
    }

    static GSErrCode Create(const BuildingData& building, short floorOffset, ElevationFloorMap& map,
                            Int32& created) {
        return CreateRequiredStories(building, created, floorOffset, map);
    }
};

TEST_F(BuildingStories, ElevationsLessThanAMillimetreApartAreOneStory) {
    const BuildingData building =
        Building({Story("s0", 0, 0), Story("s1", 1, 3000), Story("s1b", 1, 3000.4), Story("nan", 9, NAN)});
    const GS::Array<double> elevations = CollectRequiredElevations(building.stories);
    ASSERT_EQ(elevations.GetSize(), 2u);
    EXPECT_EQ(elevations[0], 0.0);
    EXPECT_EQ(elevations[1], 3000.0) << "the first of the close ones wins";
    EXPECT_EQ(Lines(),
              (std::vector<std::string>{
                  "[WARNING] BuildingOrchestrator: Story 'nan' has no finite elevation, skipping it"}));

    ElevationFloorMap map;
    Int32 created = -1;
    ASSERT_EQ(Create(building, 0, map, created), NoError);
    EXPECT_EQ(Entries(map), (std::vector<Entry>{{0, 0}, {3000, 1}}));
    EXPECT_EQ(created, 1);
    EXPECT_EQ(Rows(), (std::vector<StoryRow>{{"Ground Floor", 0, 3}, {"Floor 1", 3, 3}}));
}

TEST_F(BuildingStories, SkipNullFloorRenumbersTheNewStoriesAndMovesNone) {
    for (const bool skip : {false, true}) {
        SetStories({3.0});
        StandIn::Settings().skipNullFloor = skip;
        const BuildingData building =
            Building({Story("s0", 0, 0), Story("s1", 1, 3000), Story("s1b", 1, 3000.4)});
        ElevationFloorMap map;
        Int32 created = -1;
        ASSERT_EQ(Create(building, skip ? 1 : 0, map, created), NoError);
        EXPECT_EQ(Entries(map), (std::vector<Entry>{{0, 0}, {3000, 1}}))
            << "the ground is story 0 either way";
        EXPECT_EQ(created, 1);
        EXPECT_EQ(Rows(), (std::vector<StoryRow>{{"Story 0", 0, 3}, {skip ? "Floor 2" : "Floor 1", 3, 3}}));
    }
}

TEST_F(BuildingStories, NewStoriesAreNamedAndAsHighAsTheDataAsks) {
    SetStories({3.0, 3.0});
    const BuildingData building =
        Building({Story("s0", 0, 0), Story("s1", 1, 3000), Story("s2", 2, 6000), Story("s3", 3, 9000, 4200)});
    ElevationFloorMap map;
    Int32 created = 0;
    ASSERT_EQ(Create(building, 0, map, created), NoError);
    EXPECT_EQ(created, 2);
    EXPECT_EQ(Rows(), (std::vector<StoryRow>{
                          {"Story 0", 0, 3}, {"Story 1", 3, 3}, {"Floor 2", 6, 3}, {"Floor 3", 9, 4.2}}));
    const std::vector<std::string> lines = Lines();
    EXPECT_NE(
        std::find(lines.begin(), lines.end(),
                  "[INFO] BuildingOrchestrator: Creating 2 new stories (Story 2 to Story 3) to accommodate 2 "
                  "required elevations"),
        lines.end());
    EXPECT_NE(
        std::find(lines.begin(), lines.end(),
                  "[INFO] BuildingOrchestrator: Mapping 4 required elevations to sequential floor indices "
                  "(0 to 3)"),
        lines.end());
}

TEST_F(BuildingStories, AnExistingStoryMovesThroughTheHeightOfTheOneBelow) {
    SetStories({3.2, 3.0});
    ElevationFloorMap map;
    Int32 created = -1;
    ASSERT_EQ(Create(Building({Story("s0", 0, 0), Story("s1", 1, 3000)}), 0, map, created), NoError);
    EXPECT_EQ(created, 0);
    EXPECT_EQ(Rows(), (std::vector<StoryRow>{{"Story 0", 0, 3}, {"Story 1", 3, 3}}));
    EXPECT_EQ(Lines(),
              (std::vector<std::string>{
                  "[INFO] BuildingOrchestrator: Mapping 2 required elevations to sequential floor indices "
                  "(0 to 1)",
                  "[INFO] BuildingOrchestrator: Existing stories: Adjusting elevations for stories 0 to 1",
                  "[INFO] BuildingOrchestrator: Adjusted story 1 to elevation 3.000 m",
                  "[INFO] BuildingOrchestrator: All required stories already exist"}));
}

TEST_F(BuildingStories, RefusesHeightsOfAMillimetreOrLessAndTheGroundStory) {
    SetStories({3.0, 3.0});
    EXPECT_EQ(SetStoryElevation(1, 0.001), APIERR_BADPARS);
    EXPECT_EQ(SetStoryElevation(0, 1.0), APIERR_BADPARS);
    EXPECT_EQ(SetStoryElevation(2, 7.0), static_cast<GSErrCode>(0x81060066));
    double level = -1;
    EXPECT_EQ(GetStoryElevation(-1, level), static_cast<GSErrCode>(0x81060066));
    EXPECT_EQ(level, -1);
    EXPECT_EQ(Lines(),
              (std::vector<std::string>{
                  "[WARNING] BuildingOrchestrator: Cannot set story 1 to 0.001 m - would result in invalid "
                  "height 0.001 m (story below is at 0.000 m)",
                  "[WARNING] BuildingOrchestrator: Cannot adjust elevation of story 0 - ground story has no "
                  "story below",
                  "[ERROR] BuildingOrchestrator: Story index 2 out of range [0, 1]",
                  "[ERROR] BuildingOrchestrator: Story index -1 out of range [0, 1]"}));
    EXPECT_TRUE(StandIn::Settings().storyCommands.empty());
    ASSERT_EQ(SetStoryElevation(1, 0.0015), NoError);
    EXPECT_EQ(Rows()[1].level, 0.0015);
}

TEST_F(BuildingStories, TheBuildingStandsOnAGroundStoryAboveZeroWithItsOwnHeights) {
    SetStories({3.0}, 0.5);
    ElevationFloorMap map;
    Int32 created = -1;
    ASSERT_EQ(Create(Building({Story("s0", 0, 0), Story("s1", 1, 3000)}), 0, map, created), NoError);
    EXPECT_EQ(Entries(map), (std::vector<Entry>{{0, 0}, {3000, 1}}));
    EXPECT_EQ(Rows(), (std::vector<StoryRow>{{"Story 0", 0.5, 3}, {"Floor 1", 3.5, 3}}))
        << "the ground story stays and the first story keeps its 3 m";
    for (const std::string& line : Lines()) {
        EXPECT_EQ(line.find("WARNING"), std::string::npos) << line;
    }
}

TEST_F(BuildingStories, AStoryThatCannotBeMovedStaysAndIsReported) {
    SetStories({3.2, 3.0});
    StandIn::Faults::Arm("ACAPI_ProjectSetting_ChangeStorySettings:4", APIERR_GENERAL);
    ElevationFloorMap map;
    Int32 created = -1;
    ASSERT_EQ(Create(Building({Story("s0", 0, 0), Story("s1", 1, 3000)}), 0, map, created), NoError);
    EXPECT_EQ(Rows()[1].level, 3.2);
    const std::vector<std::string> lines = Lines();
    EXPECT_NE(
        std::find(lines.begin(), lines.end(),
                  "[WARNING] BuildingOrchestrator: Failed to adjust story 1 elevation (error -2130313215, "
                  "0x81060001) - story remains at 3.200 m instead of required 3.000 m"),
        lines.end());
}

TEST_F(BuildingStories, FailuresStopWithTheirCodeAndHandNoMapOut) {
    ElevationFloorMap map;
    Int32 created = -1;
    EXPECT_EQ(Create(BuildingData{}, 0, map, created), APIERR_BADPARS);
    EXPECT_EQ(Create(Building({Story("nan", 0, NAN)}), 0, map, created), APIERR_BADPARS);
    StandIn::Faults::Arm("ACAPI_ProjectSetting_GetStorySettings", APIERR_MEMFULL);
    EXPECT_EQ(Create(Building({Story("s0", 0, 0)}), 0, map, created), APIERR_MEMFULL);
    StandIn::Faults::Arm("ACAPI_ProjectSetting_ChangeStorySettings:2", APIERR_GENERAL, 1, 1);
    EXPECT_EQ(
        Create(Building({Story("s0", 0, 0), Story("s1", 1, 3000), Story("s2", 2, 6000)}), 0, map, created),
        APIERR_GENERAL);
    EXPECT_EQ(created, 1) << "the first story was made before the second failed";
    EXPECT_TRUE(map.IsEmpty());
    const std::vector<std::string> lines = Lines();
    for (const char* line : {"[ERROR] BuildingOrchestrator: No stories found in building data",
                             "[ERROR] BuildingOrchestrator: Failed to create elevation-to-floor mapping",
                             "[ERROR] BuildingOrchestrator: Error getting story settings: -2130313214",
                             "[ERROR] BuildingOrchestrator: Failed to create story 2: error -2130313215"}) {
        EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
    }
}

} // namespace
