#include "ModelTestSupport.hpp"

#include "ACAPinc.h"
#include "StandIn/Faults.hpp"

namespace {

class SolidLinks : public FreshModel {
protected:
    void SetUp() override {
        FreshModel::SetUp();
        API_Element element = Wall(0, 0, 4, 0);
        ASSERT_EQ(StandIn::PlantElement(&element, nullptr), NoError);
        wall = element.header.guid;
        StandIn::ElementDefaults defaults = StandIn::DefaultsOf(API_SlabID);
        ASSERT_EQ(StandIn::PlantElement(&defaults.element, &defaults.memo), NoError);
        slab = defaults.element.header.guid;
        defaults = StandIn::DefaultsOf(API_ZoneID);
        ASSERT_EQ(StandIn::PlantElement(&defaults.element, &defaults.memo), NoError);
        zone = defaults.element.header.guid;
    }

    GSErrCode Link(const API_Guid& target, const API_Guid& op,
                   API_SolidOperationID oper = APISolid_Substract) {
        return InStep([&] { return ACAPI_Element_SolidLink_Create(target, op, oper, 0); });
    }

    const std::vector<StandIn::SolidLink>& LinksOf(const API_Guid& target) {
        return StandIn::FindElement(target)->solidLinks;
    }

    API_Guid wall = {};
    API_Guid slab = {};
    API_Guid zone = {};
};

TEST_F(SolidLinks, AWallTrimmedByASlabKeepsTheLink) {
    EXPECT_EQ(Link(wall, slab), NoError);
    ASSERT_EQ(LinksOf(wall).size(), 1u);
    EXPECT_EQ(LinksOf(wall)[0].operatorGuid, slab);
    EXPECT_EQ(LinksOf(wall)[0].operation, 0x53535542);
    EXPECT_EQ(LinksOf(wall)[0].flags, 0u);
}

TEST_F(SolidLinks, LinkingTwiceAnswersThatTheLinkExists) {
    EXPECT_EQ(Link(wall, slab), NoError);
    EXPECT_EQ(Link(wall, slab), APIERR_LINKEXIST);
    EXPECT_EQ(LinksOf(wall).size(), 1u);
}

TEST_F(SolidLinks, MissingElementsAndElementsWithoutSolidsAreRefused) {
    EXPECT_EQ(Link(wall, zone), APIERR_BADPARS);
    EXPECT_EQ(Link(zone, slab), APIERR_BADPARS);
    EXPECT_EQ(Link(wall, wall), APIERR_BADPARS);
    EXPECT_EQ(Link(wall, APINULLGuid), APIERR_BADPARS);
    EXPECT_EQ(Link(wall, slab, static_cast<API_SolidOperationID>(7)), APIERR_BADPARS);
    EXPECT_TRUE(LinksOf(wall).empty());
}

TEST_F(SolidLinks, NeedAnUndoStepAndGoWithAFailedOne) {
    EXPECT_EQ(ACAPI_Element_SolidLink_Create(wall, slab, APISolid_Substract, 0), APIERR_NEEDSUNDOSCOPE);
    EXPECT_EQ(InStep([&] {
                  ACAPI_Element_SolidLink_Create(wall, slab, APISolid_Substract, 0);
                  return APIERR_GENERAL;
              }),
              APIERR_GENERAL);
    EXPECT_TRUE(LinksOf(wall).empty());
    EXPECT_EQ(Link(wall, slab), NoError);
    EXPECT_TRUE(StandIn::UndoLastStep());
    EXPECT_TRUE(LinksOf(wall).empty());
}

TEST_F(SolidLinks, DeletingTheOperatorEndsTheLink) {
    EXPECT_EQ(Link(wall, slab), NoError);
    EXPECT_EQ(InStep([&] { return ACAPI_Element_Delete({slab}); }), NoError);
    EXPECT_TRUE(LinksOf(wall).empty());
}

TEST_F(SolidLinks, FailOnDemandWithoutLinking) {
    StandIn::Faults::Arm("ACAPI_Element_SolidLink_Create", APIERR_LINKEXIST);
    EXPECT_EQ(Link(wall, slab), APIERR_LINKEXIST);
    EXPECT_TRUE(LinksOf(wall).empty());
}

} // namespace
