#include "ZoneTestSupport.hpp"

#include "StandIn/Attributes.hpp"
#include "StandIn/Faults.hpp"

namespace {

class ZoneSearch : public AutomaticZones {
protected:
    void SetUp() override {
        AutomaticZones::SetUp();
        PlantLoop({{0, 0}, {6, 0}, {6, 6}, {0, 6}});
        PlantLoop({{2.8, 2.8}, {3.2, 2.8}, {3.2, 3.2}, {2.8, 3.2}}, 0.1);
        ASSERT_EQ(CreateZone({1, 1}, true, &room), NoError);
    }

    static GSErrCode Search(API_Coord at, API_Guid* found,
                            GSFlags filter = APIFilt_OnVisLayer | APIFilt_OnActFloor) {
        API_ElemSearchPars pars = {};
        pars.type = API_ZoneID;
        pars.filterBits = filter;
        pars.loc = at;
        return ACAPI_Element_SearchElementByCoord(&pars, found);
    }

    API_Guid room = {};
};

TEST_F(ZoneSearch, FindsTheAutomaticZoneAroundThePoint) {
    API_Guid found = {};
    EXPECT_EQ(Search({5, 5}, &found), NoError);
    EXPECT_EQ(found, room);
}

TEST_F(ZoneSearch, APointInAHoleOrOutsideFindsNothing) {
    API_Guid found = room;
    EXPECT_EQ(Search({3, 3}, &found), APIERR_BADPARS);
    EXPECT_EQ(found, APINULLGuid);
    EXPECT_EQ(Search({7, 3}, &found), APIERR_BADPARS);
}

TEST_F(ZoneSearch, FindsZonesOnlyOnTheActiveStoryWhenTheFilterSaysSo) {
    StandIn::TheModel().activeStory = 1;
    API_Guid found = {};
    EXPECT_EQ(Search({5, 5}, &found), APIERR_BADPARS);
    EXPECT_EQ(Search({5, 5}, &found, APIFilt_OnVisLayer), NoError);
    EXPECT_EQ(found, room);
}

TEST_F(ZoneSearch, ZonesOnHiddenLayersAreNotOnAVisibleLayer) {
    StandIn::Attributes().byType[API_LayerID][0].attribute.header.flags |= APILay_Hidden;
    API_Guid found = {};
    EXPECT_EQ(Search({5, 5}, &found), APIERR_BADPARS);
    EXPECT_EQ(Search({5, 5}, &found, APIFilt_OnActFloor), NoError);
}

TEST_F(ZoneSearch, FailsOnDemandWithOrWithoutTheZone) {
    API_Guid found = {};
    StandIn::Faults::Arm("ACAPI_Element_SearchElementByCoord", APIERR_GENERAL);
    EXPECT_EQ(Search({5, 5}, &found), APIERR_GENERAL);
    EXPECT_EQ(found, APINULLGuid);
    StandIn::Faults::Arm("ACAPI_Element_SearchElementByCoord:FoundWithError", APIERR_GENERAL);
    EXPECT_EQ(Search({5, 5}, &found), APIERR_GENERAL);
    EXPECT_EQ(found, room);
    EXPECT_EQ(Search({5, 5}, &found), NoError);
}

TEST_F(ZoneSearch, OnlyZonesCanBeSearched) {
    API_ElemSearchPars pars = {};
    pars.type = API_WallID;
    API_Guid found = {};
    EXPECT_EQ(ACAPI_Element_SearchElementByCoord(&pars, &found), APIERR_BADPARS);
}

} // namespace
