#include "Builders/BuildingWalls.hpp"
#include "Builders/BuiltElements.hpp"
#include "Builders/SlabBuilder.hpp"
#include "SegmentSupport.hpp"
#include "StandIn/Faults.hpp"
#include "StandIn/Stories.hpp"

#include <gmock/gmock.h>

namespace {

using namespace Tolva::Builders::BuildingOrchestrator;
using ::testing::Contains;

WallSegment OfKind(WallSegment segment, WallLayerKind kind) {
    segment.layerKind = kind;
    segment.isExterior = kind == WallLayerKind::FacadeWalls;
    return segment;
}

class BuildingWalls : public BuiltElements {
protected:
    void SetUp() override {
        BuiltElements::SetUp();
        StandIn::Settings().stories = {{"Ground", 3.0}, {"First", 3.0}, {"Second", 3.0}};
    }

    GSErrCode Create(const GS::Array<WallSegment>& segments) {
        return InStep([&] { return CreateWallsFromSegments(segments, walls, pairs, created, failed); });
    }

    // The step keeps what was made even when a trim fails, so the test can look at it.
    GSErrCode Trim(const FloorSlabTable& slabs) {
        GSErrCode result = NoError;
        EXPECT_EQ(InStep([&] {
                      result = ApplySeoTrimming(pairs, slabs);
                      return NoError;
                  }),
                  NoError);
        return result;
    }

    API_Guid Slab(short floor) {
        Tolva::TolvaPolygon outline;
        outline.polylines.Push(Ring({{0, 0}, {9000, 0}, {9000, 9000}, {0, 9000}}));
        API_Guid slab = {};
        EXPECT_EQ(InStep([&] { return Tolva::Builders::SlabBuilder::CreateSlab(outline, 500, floor, slab); }),
                  NoError);
        return slab;
    }

    static std::string LayerName(API_AttributeIndex index) {
        for (const StandIn::StoredAttribute& stored : StandIn::Attributes().byType[API_LayerID]) {
            if (stored.attribute.header.index == index) {
                return stored.name.ToCStr(CC_UTF8).Get();
            }
        }
        return "none";
    }

    static const StandIn::StoredElement& Stored(const API_Guid& guid) { return *StandIn::FindElement(guid); }

    GS::Array<API_Guid> walls;
    GS::Array<WallSlabPair> pairs;
    Int32 created = 2;
    Int32 failed = 1;
};

TEST_F(BuildingWalls, MakeOneWallPerSegmentOnItsLayerAndPairEachFacadeWallWithTheFloorAbove) {
    GS::Array<WallSegment> segments{OfKind(Segment(0, 0, 4000, 0, 0, 120), WallLayerKind::StoryWalls),
                                    OfKind(Segment(0, 0, 0, 4000, 1, 100), WallLayerKind::UnitWalls),
                                    OfKind(Segment(0, 0, 9000, 0, 1, 350), WallLayerKind::FacadeWalls),
                                    Segment(0, 4000, 4000, 4000, 2, 90)};
    segments[1].height = 2700.0;
    ASSERT_EQ(Create(segments), NoError);

    ASSERT_EQ(walls.GetSize(), 4u);
    EXPECT_EQ(created, 6) << "counted on top of what the caller had";
    EXPECT_EQ(failed, 1);
    EXPECT_EQ(LayerName(Stored(walls[0]).element.header.layer), "Tolva Story Walls");
    EXPECT_EQ(LayerName(Stored(walls[1]).element.header.layer), "Tolva Unit Walls");
    EXPECT_EQ(LayerName(Stored(walls[2]).element.header.layer), "Tolva Facade Walls");
    EXPECT_EQ(Stored(walls[3]).element.header.layer, ACAPI_CreateAttributeIndex(1)) << "the defaults' layer";
    const API_WallType& unitWall = Stored(walls[1]).element.wall;
    EXPECT_EQ(Stored(walls[1]).element.header.floorInd, 1);
    EXPECT_DOUBLE_EQ(unitWall.height, 2.7);
    EXPECT_DOUBLE_EQ(unitWall.thickness, 0.1);
    EXPECT_EQ(Stored(walls[2]).propertyValues.size(), 1u) << "the facade wall is marked exterior";
    EXPECT_TRUE(Stored(walls[0]).propertyValues.empty());
    ASSERT_EQ(pairs.GetSize(), 1u);
    EXPECT_EQ(pairs[0].wallGuid, walls[2]);
    EXPECT_EQ(pairs[0].slabFloorIndex, 2);
}

TEST_F(BuildingWalls, CountAWallTheHostRefusesAndGoOn) {
    StandIn::Faults::Arm("ACAPI_Element_Create:Wall", APIERR_BADPARS, 1, 1);
    GS::Array<WallSegment> segments{Segment(0, 0, 4000, 0),
                                    OfKind(Segment(0, 0, 0, 4000), WallLayerKind::FacadeWalls),
                                    Segment(0, 4000, 4000, 4000)};
    ASSERT_EQ(Create(segments), NoError);
    EXPECT_EQ(walls.GetSize(), 2u);
    EXPECT_EQ(created, 4);
    EXPECT_EQ(failed, 2);
    EXPECT_TRUE(pairs.IsEmpty()) << "no pair for the refused facade wall";
    EXPECT_THAT(Lines(),
                Contains("[ERROR] BuildingOrchestrator: Failed to create wall 1: error -2130313112"));
}

TEST_F(BuildingWalls, PutAWallOnTheDefaultLayerWhenItsLayerCannotBeMade) {
    StandIn::Faults::Arm("ACAPI_Attribute_Create:Layer", APIERR_BADPARS);
    ASSERT_EQ(Create({OfKind(Segment(0, 0, 4000, 0), WallLayerKind::UnitWalls)}), NoError);
    ASSERT_EQ(walls.GetSize(), 1u);
    EXPECT_EQ(Stored(walls[0]).element.header.layer, ACAPI_CreateAttributeIndex(1));
    EXPECT_THAT(
        Lines(),
        Contains("[WARNING] BuildingOrchestrator: Failed to get layer for wall type, using default layer"));
}

TEST_F(BuildingWalls, TrimFacadeWallsByTheSlabAboveAndLeaveTheTopFloorAlone) {
    GS::Array<WallSegment> segments{OfKind(Segment(0, 0, 9000, 0, 0), WallLayerKind::FacadeWalls),
                                    OfKind(Segment(0, 0, 9000, 0, 1), WallLayerKind::FacadeWalls)};
    ASSERT_EQ(Create(segments), NoError);
    FloorSlabTable slabs;
    slabs.Add(0, Slab(0));
    slabs.Add(1, Slab(1));
    ClearLines();

    ASSERT_EQ(Trim(slabs), NoError);
    const std::vector<StandIn::SolidLink>& links = Stored(walls[0]).solidLinks;
    ASSERT_EQ(links.size(), 1u);
    EXPECT_EQ(links[0].operatorGuid, slabs.Get(1));
    EXPECT_EQ(links[0].operation, APISolid_Substract);
    EXPECT_EQ(links[0].flags, 0);
    EXPECT_TRUE(Stored(walls[1]).solidLinks.empty()) << "no slab above the top floor";
    EXPECT_EQ(Lines(), (std::vector<std::string>{
                           "[INFO] BuildingOrchestrator: SEO trimming: 1 successful, 0 failed"}));

    ClearLines();
    ASSERT_EQ(Trim(slabs), NoError) << "a link that exists already counts as made";
    EXPECT_EQ(Stored(walls[0]).solidLinks.size(), 1u);
    EXPECT_EQ(Lines(), (std::vector<std::string>{
                           "[INFO] BuildingOrchestrator: SEO trimming: 1 successful, 0 failed"}));
}

TEST_F(BuildingWalls, ReportAFailedTrimAndStillTrimTheOthers) {
    GS::Array<WallSegment> segments{OfKind(Segment(0, 0, 9000, 0, 0), WallLayerKind::FacadeWalls),
                                    OfKind(Segment(0, 0, 9000, 0, 1), WallLayerKind::FacadeWalls)};
    ASSERT_EQ(Create(segments), NoError);
    FloorSlabTable slabs;
    slabs.Add(1, API_Guid{});
    slabs.Add(2, Slab(2));
    ClearLines();

    EXPECT_EQ(Trim(slabs), APIERR_BADPARS) << "the link to no slab fails";
    EXPECT_TRUE(Stored(walls[0]).solidLinks.empty());
    EXPECT_EQ(Stored(walls[1]).solidLinks.size(), 1u);
    EXPECT_EQ(Lines(), (std::vector<std::string>{
                           "[WARNING] BuildingOrchestrator: Failed to apply SEO: error -2130313112",
                           "[INFO] BuildingOrchestrator: SEO trimming: 1 successful, 1 failed"}));
}

} // namespace
