#include "Parsers/BuildingDataParser.hpp"

#include "AllocationPeak.hpp"
#include "ReportLog.hpp"

#include <gtest/gtest.h>

#include <string>

using namespace Tolva;
using namespace Tolva::Parsers;

namespace {

class BuildingDataParserTest : public ::testing::Test {
protected:
    void SetUp() override { ClearReport(); }

    bool Parse(const char* stories, const char* units = "", const char* transitions = "",
               const char* instances = "", const char* templates = "") {
        return ParseBuildingData(stories, units, transitions, instances, templates, data, errorText);
    }

    BuildingData data;
    GS::UniString errorText;
};

} // namespace

TEST_F(BuildingDataParserTest, StoriesShapes) {
    EXPECT_TRUE(Parse("[]"));
    EXPECT_FALSE(Parse(""));
    EXPECT_EQ(errorText, "Stories JSON parse error: The document is empty. at offset 0");
    EXPECT_FALSE(Parse("x"));
    EXPECT_EQ(errorText, "Stories JSON parse error: Unspecific syntax error. at offset 0");
    EXPECT_FALSE(Parse(R"({"value": 3})"));
    EXPECT_EQ(errorText, "Stories JSON must be an array or an object with a 'value' array property");
}

TEST_F(BuildingDataParserTest, WrappedStoriesGetDefaultsAndStoriesWithoutIdAreDropped) {
    ASSERT_TRUE(
        Parse(R"({"value": [{"id": "b1-0", "level": 0}, {"level": 1}, {"id": "b1-2", "height": 2800}]})"));
    ASSERT_EQ(data.stories.GetSize(), 2u);
    EXPECT_EQ(data.stories[0].height, 3000.0);
    EXPECT_EQ(data.stories[1].height, 2800.0);
}

TEST_F(BuildingDataParserTest, UnitsObjectFailsEvenWithValidStories) {
    EXPECT_FALSE(Parse("[]", "{}"));
    EXPECT_EQ(errorText, "Units JSON must be an array or an object with a 'value' array property");
    EXPECT_FALSE(Parse("[]", "", "[1,"));
    EXPECT_EQ(errorText, "Transitions JSON parse error: Invalid value. at offset 3");
}

TEST_F(BuildingDataParserTest, WrappedTemplatesAreRefusedButTheParseSucceeds) {
    ASSERT_TRUE(Parse("[]", "", "", "", R"({"value": []})"));
    EXPECT_EQ(ReportLines(),
              std::vector<std::string>{"[WARNING] PlanTemplateParser: Failed to parse furniture "
                                       "templates: Furniture templates JSON must be an array"});
}

TEST_F(BuildingDataParserTest, DuplicateTemplateIdsKeepTheFirst) {
    ASSERT_TRUE(
        Parse("[]", "", "", "",
              R"([{"id": "a", "name": "first"}, {"id": "b", "name": "other"}, {"id": "a", "name": "second"},
                          {"id": "c", "name": "lamp", "objectType": "lighting"}])"));
    ASSERT_EQ(data.furnitureTemplates.GetSize(), 2u);
    EXPECT_EQ(data.furnitureTemplates[0].name, "first");
    EXPECT_EQ(data.furnitureTemplates[1].id, "b");
    EXPECT_EQ(ReportLines(),
              std::vector<std::string>{"[INFO] PlanTemplateParser: Parsed 2 furniture templates"});
}

TEST_F(BuildingDataParserTest, FurnitureInstancesOfAnotherTypeAreDroppedSilently) {
    ASSERT_TRUE(
        Parse("[]", "", "",
              R"({"value": [{"id": "a", "type": "plan_object", "location": [0,0,0], "direction": [0,1,0]},
                                    {"id": "b", "type": "chair", "location": [0,0,0], "direction": [0,1,0]}]})"));
    ASSERT_EQ(data.furnitureInstances.GetSize(), 1u);
    EXPECT_EQ(ReportLines(),
              std::vector<std::string>{"[INFO] PlanTemplateParser: Parsed 1 furniture instances"});
}

namespace {

// A hostile list of 16 MB: eight million items, none of which is kept.
std::string SixteenMegabytesOfZeros() {
    std::string items;
    const size_t count = 8u << 20;
    items.reserve(2 * count);
    for (size_t i = 0; i < count; ++i) {
        items += "0,";
    }
    items.pop_back();
    return items;
}

} // namespace

TEST_F(BuildingDataParserTest, MemoryFollowsWhatIsKeptNotHowManyItemsAListHas) {
    const std::string zeros = SixteenMegabytesOfZeros();
    struct Case {
        const char* what;
        GS::UniString stories;
        GS::UniString units;
    };
    const Case cases[] = {
        {"stories", GS::UniString(("[" + zeros + "]").c_str()), GS::UniString()},
        {"units", GS::UniString("[]"), GS::UniString(("[" + zeros + "]").c_str())},
        {"points",
         GS::UniString((R"([{"id": "s", "polygon": {"type": "polygon", "polylines": [)"
                        R"({"type": "polyline", "points": [)" +
                        zeros + "]}]}}]")
                           .c_str()),
         GS::UniString()},
    };
    for (const Case& c : cases) {
        BuildingData parsed;
        AllocationPeak::Start();
        EXPECT_TRUE(ParseBuildingData(c.stories, c.units, "", "", "", parsed, errorText)) << c.what;
        const size_t peak = AllocationPeak::Stop();
        EXPECT_LT(peak, 3 * zeros.size()) << c.what << ": " << peak << " bytes held at once";
    }
}
