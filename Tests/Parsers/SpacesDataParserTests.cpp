#include "Parsers/SpacesDataParser.hpp"

#include "ReportLog.hpp"

#include <gtest/gtest.h>

#include <string>

using namespace Tolva;
using namespace Tolva::Parsers;

namespace {

class SpacesDataParserTest : public ::testing::Test {
protected:
    void SetUp() override { ClearReport(); }

    bool Parse(const std::string& spaces, const std::string& project, const std::string& units) {
        return ParseSpacesData(spaces.c_str(), project.c_str(), units.c_str(), data, errorText);
    }

    SpacesData data;
    GS::UniString errorText;
};

std::string Outline(const std::string& points) {
    return R"({"type": "polygon", "polylines": [{"type": "polyline", "points": [)" + points + "]}]}";
}

const std::string Square = Outline("[0,0,0],[10,0,0],[10,10,0],[0,10,0]");

} // namespace

TEST_F(SpacesDataParserTest, StoryLevelFromIdentifiers) {
    EXPECT_EQ(ExtractStoryLevelFromSpaceId("b1-3-u2-s5"), 3);
    EXPECT_EQ(ExtractStoryLevelFromSpaceId("b1-03"), 3);
    EXPECT_TRUE(ReportLines().empty());
    EXPECT_EQ(ExtractStoryLevelFromSpaceId("b1-x-u2"), -1);
    EXPECT_EQ(ExtractStoryLevelFromSpaceId("b1"), -1);
    EXPECT_EQ(ExtractStoryLevelFromSpaceId(""), -1);
    EXPECT_EQ(ReportLines(),
              (std::vector<std::string>{
                  "[WARNING] ExtractStoryLevelFromSpaceId: Failed to parse story level from: x",
                  "[WARNING] ExtractStoryLevelFromSpaceId: Invalid space ID format (expected "
                  "'building-story-unit-space'): b1"}));
}

TEST_F(SpacesDataParserTest, AStoryLevelBeyond32BitsIsNotReadable) {
    EXPECT_EQ(ExtractStoryLevelFromSpaceId("b1-2147483647-u1"), 2147483647);
    EXPECT_EQ(ExtractStoryLevelFromSpaceId("b1- +7x"), 7) << "read as a decimal scan reads it";
    EXPECT_TRUE(ReportLines().empty());
    EXPECT_EQ(ExtractStoryLevelFromSpaceId("b0-99999999999-s2"), -1);
    EXPECT_EQ(ExtractStoryLevelFromSpaceId("b0-2147483648"), -1);
    EXPECT_EQ(ExtractStoryLevelFromSpaceId("b0-+-3"), -1);
    EXPECT_EQ(ReportLines(),
              (std::vector<std::string>{
                  "[WARNING] ExtractStoryLevelFromSpaceId: Failed to parse story level from: 99999999999",
                  "[WARNING] ExtractStoryLevelFromSpaceId: Failed to parse story level from: 2147483648",
                  "[WARNING] ExtractStoryLevelFromSpaceId: Failed to parse story level from: +"}));

    ASSERT_TRUE(
        Parse(R"([{"id": "b0-99999999999-s2", "polygon": )" + Square + R"(, "labelPosition": [1, 2, 0]}])",
              "", ""));
    ASSERT_EQ(data.spaces.GetSize(), 1u);
    EXPECT_EQ(data.spaces[0].storyLevel, 0) << "the ground floor, with the warning";
}

TEST_F(SpacesDataParserTest, AnEmptyIdGivesWayToTheUnitId) {
    ASSERT_TRUE(Parse(R"([{"id": "", "unitId": "b0-3-u1", "polygon": )" + Square +
                          R"(, "labelPosition": [1, 2, 0]}])",
                      "", ""));
    ASSERT_EQ(data.spaces.GetSize(), 1u);
    EXPECT_EQ(data.spaces[0].storyLevel, 3);
}

TEST_F(SpacesDataParserTest, SpacesTakeTheirLevelFromIdOrUnitId) {
    ASSERT_TRUE(Parse(R"([{"id": "b0-2-u1-s4", "polygon": )" + Square +
                          R"(, "labelPosition": [1, 2, 0], "spaceTypeId": "st-a"},
        {"unitId": "b0-1-u7", "polygon": )" +
                          Square + R"(, "labelPosition": [1, 2, 0], "spaceTypeId": null},
        {"polygon": )" + Square +
                          R"(, "labelPosition": [1, 2, 0]},
        {"polygon": )" + Square +
                          R"(}])",
                      "", ""));
    ASSERT_EQ(data.spaces.GetSize(), 3u);
    EXPECT_EQ(data.spaces[0].storyLevel, 2);
    EXPECT_EQ(data.spaces[0].spaceTypeId, "st-a");
    EXPECT_EQ(data.spaces[1].storyLevel, 1);
    EXPECT_TRUE(data.spaces[1].spaceTypeId.IsEmpty());
    EXPECT_EQ(data.spaces[2].storyLevel, 0);
    EXPECT_EQ(ReportLines(),
              (std::vector<std::string>{
                  "[INFO] ParseSpacesData: No project.json provided - skipping space types (unit zones only)",
                  "[WARNING] ParseSpace: Space missing required 'labelPosition' field",
                  "[WARNING] ParseSpacesData: Failed to parse space at index 3"}));
}

TEST_F(SpacesDataParserTest, UnitsBecomeSpaces) {
    ASSERT_TRUE(Parse("", "",
                      R"([{"id": "b0-2-u7", "polygon": )" + Square + R"(},
        {"id": "b0-2-u8", "storyId": "b0-4", "polygon": )" +
                          Outline("[0,0,0],[10,0,0],[10,10,0],[0,10,0],[0,0,0]") + "}]"));
    ASSERT_EQ(data.spaces.GetSize(), 2u);
    const TolvaSpace& first = data.spaces[0];
    EXPECT_EQ(first.storyLevel, 2);
    EXPECT_EQ(first.spaceTypeId, "UNIT:b0-2-u7:b0-2");
    EXPECT_EQ(first.labelPosition.x, 5.0);
    EXPECT_EQ(first.labelPosition.y, 5.0);
    const TolvaSpace& second = data.spaces[1];
    EXPECT_EQ(second.storyLevel, 4);
    EXPECT_EQ(second.labelPosition.x, 4.0);
    EXPECT_EQ(second.labelPosition.y, 4.0);
    EXPECT_EQ(ReportLines().back(), "[INFO] ParseSpacesData: Parsed 2 units from units.json for zone import");
}

TEST_F(SpacesDataParserTest, TheUnitLabelOfHugeCoordinatesIsTheirMean) {
    ASSERT_TRUE(Parse("", "",
                      R"([{"id": "b0-2-u7", "polygon": )" +
                          Outline("[1e308,1e308,0],[1e308,-1e308,0],[-1e308,-1e308,0],[-1e308,1e308,0]") +
                          R"(}, {"id": "b0-2-u8", "polygon": )" +
                          Outline("[1.7e308,0,0],[1.7e308,1.7e308,0],[1.6e308,1.7e308,0]") + "}]"));
    ASSERT_EQ(data.spaces.GetSize(), 2u);
    EXPECT_EQ(data.spaces[0].labelPosition.x, 0.0);
    EXPECT_EQ(data.spaces[0].labelPosition.y, 0.0);
    EXPECT_DOUBLE_EQ(data.spaces[1].labelPosition.x, 1.7e308 / 3 * 2 + 1.6e308 / 3);
    EXPECT_DOUBLE_EQ(data.spaces[1].labelPosition.y, 1.7e308 / 3 * 2);
}

TEST_F(SpacesDataParserTest, EmptyProjectObjectOnlyWhenWrittenExactly) {
    ASSERT_TRUE(Parse("", "{}", ""));
    EXPECT_EQ(ReportLines(),
              std::vector<std::string>{"[INFO] ParseSpacesData: No project.json provided - skipping "
                                       "space types (unit zones only)"});
    ClearReport();
    ASSERT_TRUE(Parse("", "{ }", ""));
    EXPECT_EQ(ReportLines(),
              std::vector<std::string>{"[WARNING] ParseSpacesData: project.json missing 'spaceTypes' array"});
}

TEST_F(SpacesDataParserTest, FailuresOfEachText) {
    EXPECT_FALSE(Parse("", "nope", ""));
    EXPECT_EQ(errorText, "Failed to parse project.json: Unspecific syntax error.");
    EXPECT_FALSE(Parse("{}", "", ""));
    EXPECT_EQ(errorText, "spaces.json must be an array or an object with a 'value' array property");

    SpacesData kept;
    ClearReport();
    ASSERT_TRUE(ParseSpacesData(("[{\"polygon\": " + Square + ", \"labelPosition\": [0,0,0]}]").c_str(), "",
                                "not json", kept, errorText));
    EXPECT_EQ(kept.spaces.GetSize(), 1u);
    EXPECT_EQ(ReportLines().back(),
              "[WARNING] ParseSpacesData: Failed to parse units.json: Unspecific syntax error.");
}
