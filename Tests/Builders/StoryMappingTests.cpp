#include "BuilderTestSupport.hpp"

#include "Builders/StoryMappingUtils.hpp"
#include "StandIn/Faults.hpp"
#include "StandIn/Stories.hpp"

#include <cmath>
#include <limits>
#include <utility>

namespace {

using Tolva::Builders::ElevationFloorMap;
namespace StoryMappingUtils = Tolva::Builders::StoryMappingUtils;

std::vector<std::pair<double, short>> Entries(const ElevationFloorMap& map) {
    std::vector<std::pair<double, short>> entries;
    for (const auto& [elevation, floor] : map) {
        entries.emplace_back(elevation, floor);
    }
    return entries;
}

using Entry = std::pair<double, short>;

class StoryMapping : public BuilderTest {
protected:
    // Stories from `first` upwards with these heights (m), the lowest at `lowest` (m).
    static void SetStories(short first, double lowest, std::vector<double> heights) {
        StandIn::ProjectSettings& settings = StandIn::Settings();
        settings.firstStory = first;
        settings.lowestLevel = lowest;
        settings.stories.clear();
        for (double height : heights) {
            settings.stories.push_back({"Story", height});
        }
    }
};

TEST_F(StoryMapping, StoriesLessThanAMillimetreApartShareTheLowerIndex) {
    SetStories(0, 0.0, {3.0, 0.0004, 3.0});
    ElevationFloorMap map;
    short offset = -1;
    ASSERT_EQ(StoryMappingUtils::BuildElevationMapping(map, offset), NoError);
    EXPECT_EQ(offset, 0);
    const auto entries = Entries(map);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0], Entry(0.0, 0));
    EXPECT_EQ(entries[1].second, 1);
    EXPECT_NEAR(entries[1].first, 3000.0, 1e-9);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"[INFO] StoryMappingUtils: Built elevation-to-floor mapping "
                                                 "with 2 unique elevations (floorOffset=0)"}));
}

TEST_F(StoryMapping, MapsBasementsFromTheirOwnRecords) {
    SetStories(-2, -6.0, {3.0, 3.0, 3.5, 3.0});
    ElevationFloorMap map;
    short offset = -1;
    ASSERT_EQ(StoryMappingUtils::BuildElevationMapping(map, offset), NoError);
    EXPECT_EQ(Entries(map), (std::vector<Entry>{{-6000, -2}, {-3000, -1}, {0, 0}, {3500, 1}}));
}

TEST_F(StoryMapping, HandsBackTheOffsetOfASkippedNullFloorAndKeepsPlainIndices) {
    SetStories(0, 0.0, {3.0, 3.0});
    StandIn::Settings().skipNullFloor = true;
    ElevationFloorMap map;
    short offset = -1;
    ASSERT_EQ(StoryMappingUtils::BuildElevationMapping(map, offset), NoError);
    EXPECT_EQ(offset, 1);
    EXPECT_EQ(Entries(map), (std::vector<Entry>{{0, 0}, {3000, 1}}));
    EXPECT_EQ(Lines(), (std::vector<std::string>{"[INFO] StoryMappingUtils: Built elevation-to-floor mapping "
                                                 "with 2 unique elevations (floorOffset=1)"}));
}

TEST_F(StoryMapping, PassesAStorySettingsFailureThroughAndLeavesTheMapAsGiven) {
    StandIn::Faults::Arm("ACAPI_ProjectSetting_GetStorySettings", APIERR_MEMFULL);
    ElevationFloorMap map;
    map.Add(42.0, 7);
    short offset = -1;
    EXPECT_EQ(StoryMappingUtils::BuildElevationMapping(map, offset), APIERR_MEMFULL);
    EXPECT_EQ(offset, -1);
    EXPECT_EQ(Entries(map), (std::vector<Entry>{{42.0, 7}}));
    EXPECT_EQ(Lines(), (std::vector<std::string>{
                           "[ERROR] StoryMappingUtils: Failed to get story settings: error -2130313214"}));
}

class FloorLookup : public StoryMapping {
protected:
    void SetUp() override {
        StoryMapping::SetUp();
        map.Add(0.0, 0);
        map.Add(3000.0, 1);
        map.Add(6000.0, 2);
    }
    ElevationFloorMap map;
};

TEST_F(FloorLookup, TakesAFloorWithinAMillimetreSilently) {
    EXPECT_EQ(StoryMappingUtils::FindFloorForElevation(3000.9, map), 1);
    EXPECT_EQ(StoryMappingUtils::FindFloorForElevation(5999.0, map), 2);
    EXPECT_TRUE(Lines().empty());
}

TEST_F(FloorLookup, WarnsWhenTheNearestFloorIsFurther) {
    EXPECT_EQ(StoryMappingUtils::FindFloorForElevation(3001.5, map), 1);
    EXPECT_EQ(StoryMappingUtils::FindFloorForElevation(-250.0, map), 0);
    EXPECT_EQ(Lines(), (std::vector<std::string>{
                           "[WARNING] StoryMappingUtils: No exact floor mapping found for elevation 3002 mm "
                           "(closest is 2 mm away), using floor 1",
                           "[WARNING] StoryMappingUtils: No exact floor mapping found for elevation -250 mm "
                           "(closest is 250 mm away), using floor 0"}));
}

TEST_F(FloorLookup, TakesTheEarlierEntryOnEqualDistances) {
    EXPECT_EQ(StoryMappingUtils::FindFloorForElevation(1500.0, map), 0);
    ElevationFloorMap reversed;
    reversed.Add(3000.0, 1);
    reversed.Add(0.0, 0);
    EXPECT_EQ(StoryMappingUtils::FindFloorForElevation(1500.0, reversed), 1);
}

TEST_F(FloorLookup, FallsBackToFloorZeroWithoutAnyMapping) {
    EXPECT_EQ(StoryMappingUtils::FindFloorForElevation(3000.0, ElevationFloorMap()), 0);
    EXPECT_EQ(StoryMappingUtils::FindFloorForElevation(std::numeric_limits<double>::quiet_NaN(), map), 0);
    EXPECT_EQ(StoryMappingUtils::FindFloorForElevation(std::numeric_limits<double>::infinity(), map), 0);
    EXPECT_EQ(Lines(), (std::vector<std::string>{
                           "[WARNING] StoryMappingUtils: No floor mapping found for elevation 3000 mm, "
                           "defaulting to floor 0",
                           "[WARNING] StoryMappingUtils: No floor mapping found for elevation nan mm, "
                           "defaulting to floor 0",
                           "[WARNING] StoryMappingUtils: No floor mapping found for elevation inf mm, "
                           "defaulting to floor 0"}));
}

} // namespace
