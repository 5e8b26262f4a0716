#include "Model/BuildingData.hpp"
#include "Model/PlanTemplate.hpp"

#include <gtest/gtest.h>

using namespace Tolva;

TEST(PlanRecords, DefaultsAreThoseTheBuildersRelyOn) {
    TolvaTransform identity;
    TolvaPoint3D moved = identity.Apply({12.5, -3, 7});
    EXPECT_EQ(moved.x, 12.5);
    EXPECT_EQ(moved.y, -3);
    EXPECT_EQ(moved.z, 7);

    Transition transition;
    EXPECT_EQ(transition.scale, 1.0);
    EXPECT_FALSE(transition.hasTransforms);
    EXPECT_EQ(transition.center.m[15], 1.0);
    EXPECT_EQ(Divider().edgeIndex, -1);
    EXPECT_EQ(TolvaStory().height, 3000.0);
    EXPECT_EQ(TolvaStory().level, 0);
    EXPECT_EQ(WallGuide().geometryType, "simple");
    EXPECT_EQ(BoundsWallGuideSegment().geometryType, "simple");
    EXPECT_EQ(FurnitureObject().type, "plan_object");
    EXPECT_EQ(FurnitureObject().objectType, "furniture");
    EXPECT_EQ(FurnitureTemplate().visibility, "public");
    EXPECT_EQ(FurnitureShape().type, "polyline");
}

TEST(PlanRecords, CopiesAreDeep) {
    PlanTemplate plan;
    plan.subContainers.Push(PlanContainer());
    plan.subContainers[0].bounds.polylines.Push(TolvaPolyline());
    plan.wallGuides.guides.Add("0", WallGuide());

    PlanTemplate copy = plan;
    copy.subContainers[0].bounds.polylines[0].points.Push({1, 2, 3});
    copy.wallGuides.guides.Get("0").width = 250;

    EXPECT_TRUE(plan.subContainers[0].bounds.polylines[0].points.IsEmpty());
    EXPECT_EQ(plan.wallGuides.guides.Get("0").width, 0.0);
}
