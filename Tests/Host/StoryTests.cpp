#include "ModelTestSupport.hpp"

#include "ACAPinc.h"
#include "StandIn/Faults.hpp"
#include "StandIn/Stories.hpp"
#include "StandIn/TypedHandles.hpp"

#include <string>
#include <vector>

namespace {

struct StoryRow {
    short index;
    double level;
    std::string name;
    bool operator==(const StoryRow&) const = default;
};

std::vector<StoryRow> ReadStories() {
    API_StoryInfo info = {};
    EXPECT_EQ(ACAPI_ProjectSetting_GetStorySettings(&info), NoError);
    std::vector<StoryRow> rows;
    for (short i = 0; i <= info.lastStory - info.firstStory; ++i) {
        const API_StoryType& story = (*info.data)[i];
        rows.push_back({story.index, story.level, GS::UniString(story.uName).ToCStr().Get()});
    }
    EXPECT_EQ(BMGetHandleSize(info.data), GSSize(rows.size() * sizeof(API_StoryType)));
    BMKillHandle(&info.data);
    return rows;
}

API_StoryCmdType Command(API_StoryCmdID action, short index, double height, const char* name = "") {
    API_StoryCmdType cmd = {};
    cmd.action = action;
    cmd.index = index;
    cmd.height = height;
    GS::ucsncpy(cmd.uName, GS::UniString(name).ToUStr().Get(), API_UniLongNameLen);
    return cmd;
}

class Stories : public FreshModel {
protected:
    void SetUp() override {
        FreshModel::SetUp();
        auto& settings = StandIn::Settings();
        settings.firstStory = -1;
        settings.lowestLevel = -2.5;
        settings.stories = {{"Basement", 2.5}, {"Ground Floor", 3.0}, {"First Floor", 3.0}};
    }
};

TEST_F(Stories, ChainLevelsFromTheLowestStoryWithBasements) {
    EXPECT_EQ(ReadStories(), (std::vector<StoryRow>{
                                 {-1, -2.5, "Basement"}, {0, 0.0, "Ground Floor"}, {1, 3.0, "First Floor"}}));
}

TEST_F(Stories, InsertAboveTheTopAndSetHeightsMoveTheStoriesAbove) {
    API_StoryCmdType insert = Command(APIStory_InsAbove, 1, 2.8, "Floor 2");
    ASSERT_EQ(ACAPI_ProjectSetting_ChangeStorySettings(&insert), NoError);
    API_StoryCmdType raise = Command(APIStory_SetHeight, 0, 3.5);
    ASSERT_EQ(ACAPI_ProjectSetting_ChangeStorySettings(&raise), NoError);
    EXPECT_EQ(
        ReadStories(),
        (std::vector<StoryRow>{
            {-1, -2.5, "Basement"}, {0, 0.0, "Ground Floor"}, {1, 3.5, "First Floor"}, {2, 6.5, "Floor 2"}}));
    EXPECT_EQ(StandIn::Settings().storyCommands.size(), 2u);
}

TEST_F(Stories, InsertingInTheMiddleRaisesTheStoriesAndTheirElements) {
    StandIn::TheModel().activeStory = 1;
    API_Element upstairs = Wall(0, 0, 1, 0);
    StandIn::PlantElement(&upstairs, nullptr);
    API_StoryCmdType insert = Command(APIStory_InsAbove, 0, 2.0, "Mezzanine");
    ASSERT_EQ(ACAPI_ProjectSetting_ChangeStorySettings(&insert), NoError);
    EXPECT_EQ(ReadStories().back(), (StoryRow{2, 5.0, "First Floor"}));
    ASSERT_EQ(ACAPI_Element_GetHeader(&upstairs.header), NoError);
    EXPECT_EQ(upstairs.header.floorInd, 2);
}

TEST_F(Stories, AFailedStepTakesItsStoryChangesBackAndUndoAndRedoFollowThem) {
    const std::vector<StoryRow> before = ReadStories();
    EXPECT_EQ(InStep([] {
                  API_StoryCmdType insert = Command(APIStory_InsAbove, 1, 3.0, "Floor 2");
                  EXPECT_EQ(ACAPI_ProjectSetting_ChangeStorySettings(&insert), NoError);
                  return APIERR_GENERAL;
              }),
              APIERR_GENERAL);
    EXPECT_EQ(ReadStories(), before);
    ASSERT_EQ(InStep([] {
                  API_StoryCmdType raise = Command(APIStory_SetHeight, 0, 4.0);
                  return ACAPI_ProjectSetting_ChangeStorySettings(&raise);
              }),
              NoError);
    const std::vector<StoryRow> after = ReadStories();
    EXPECT_EQ(after[2].level, 4.0);
    ASSERT_TRUE(StandIn::UndoLastStep());
    EXPECT_EQ(ReadStories(), before);
    ASSERT_TRUE(StandIn::RedoStep());
    EXPECT_EQ(ReadStories(), after);
    API_StoryCmdType outside = Command(APIStory_SetHeight, 0, 5.0);
    EXPECT_EQ(ACAPI_ProjectSetting_ChangeStorySettings(&outside), NoError) << "outside steps as well";
}

TEST_F(Stories, RefuseBadCommandsAndFailOnDemand) {
    API_StoryCmdType outside = Command(APIStory_InsAbove, 7, 3.0);
    API_StoryCmdType flat = Command(APIStory_SetHeight, 0, 0.0);
    API_StoryCmdType other = Command(APIStory_InsBelow, 0, 3.0);
    EXPECT_EQ(ACAPI_ProjectSetting_ChangeStorySettings(&outside), APIERR_BADPARS);
    EXPECT_EQ(ACAPI_ProjectSetting_ChangeStorySettings(&flat), APIERR_BADPARS);
    EXPECT_EQ(ACAPI_ProjectSetting_ChangeStorySettings(&other), APIERR_BADPARS);
    StandIn::Faults::Arm("ACAPI_ProjectSetting_ChangeStorySettings:4", APIERR_GENERAL);
    API_StoryCmdType raise = Command(APIStory_SetHeight, 0, 4.0);
    API_StoryCmdType insert = Command(APIStory_InsAbove, 1, 3.0);
    EXPECT_EQ(ACAPI_ProjectSetting_ChangeStorySettings(&raise), APIERR_GENERAL);
    EXPECT_EQ(ACAPI_ProjectSetting_ChangeStorySettings(&insert), NoError);
    EXPECT_EQ(ReadStories()[2].level, 3.0);
    StandIn::Faults::Arm("ACAPI_ProjectSetting_GetStorySettings", APIERR_MEMFULL);
    API_StoryInfo info = {};
    EXPECT_EQ(ACAPI_ProjectSetting_GetStorySettings(&info), APIERR_MEMFULL);
    EXPECT_EQ(info.data, nullptr);
}

TEST_F(Stories, PreferencesAndPlacementAreWhatTheProjectSays) {
    StandIn::Settings().workingUnits = {API_LengthTypeID(12), 3, 2};
    StandIn::Settings().geoLocation.surveyPointPosition = {100.0, 200.0, 0.0};
    API_WorkingUnitPrefs units = {};
    ASSERT_EQ(ACAPI_ProjectSetting_GetPreferences(&units, APIPrefs_WorkingUnitsID), NoError);
    EXPECT_EQ(units.lengthUnit, API_LengthTypeID(12));
    EXPECT_EQ(units.lenDecimals, 3);
    API_GeoLocation geo = {};
    ASSERT_EQ(ACAPI_GeoLocation_GetGeoLocation(&geo), NoError);
    EXPECT_EQ(geo.surveyPointPosition.y, 200.0);
    StandIn::NewProject();
    ASSERT_EQ(ACAPI_ProjectSetting_GetPreferences(&units, APIPrefs_WorkingUnitsID), NoError);
    EXPECT_EQ(units.lengthUnit, API_LengthTypeID::Millimeter);
    EXPECT_EQ(ReadStories(), (std::vector<StoryRow>{{0, 0.0, "Ground Floor"}}));
}

} // namespace
