#include "BuiltElements.hpp"

#include "Builders/ImportStep.hpp"
#include "Builders/WallBuilder.hpp"
#include "Parsers/WallGuideParsers.hpp"
#include "StandIn/Faults.hpp"
#include "StandIn/Properties.hpp"

#include <rapidjson/document.h>

namespace {

using Tolva::TolvaPoint3D;
using Tolva::WallGuide;
using Tolva::WallGuides;
using Tolva::Builders::WallBuilder;

class Walls : public BuiltElements {
protected:
    GSErrCode Create(double height, API_AttributeIndex layer, bool exterior = false) {
        return InStep([&] {
            return WallBuilder::CreateWall({0, 0, 900}, {4000, 0, 900}, 200, 0, 0.0, wallGuid, height, layer,
                                           exterior);
        });
    }

    static const API_WallType& OnlyWall() { return OnlyWallElement().element.wall; }
    static const StandIn::StoredElement& OnlyWallElement() {
        auto walls = OfType(API_WallID);
        EXPECT_EQ(walls.size(), 1u);
        return *walls.at(0);
    }

    static WallGuides Parsed(const char* json) {
        rapidjson::Document document;
        document.Parse(json);
        WallGuides guides;
        EXPECT_TRUE(Tolva::Parsers::ParseWallGuides(document, guides));
        return guides;
    }

    GSErrCode FromGraph(const WallGuides& guides, bool skipStoryPlan = true) {
        return Tolva::Builders::RunImportStep("WallBuilderTests", "Import Tolva Plan", [&] {
            return WallBuilder::CreateWallsFromGraph(guides, 0, created, skipStoryPlan);
        });
    }

    API_Guid wallGuid = {};
    GS::Array<API_Guid> created;
};

TEST_F(Walls, OverridesOnlyWhatThePlanDecidesOnTopOfTheDefaults) {
    ASSERT_EQ(Create(2700, ACAPI_CreateAttributeIndex(0)), NoError);
    const StandIn::StoredElement& stored = OnlyWallElement();
    EXPECT_EQ(stored.element.header.guid, wallGuid);
    EXPECT_FALSE(stored.memo.has_value()) << "walls are made without a memo";
    EXPECT_EQ(stored.element.header.layer, ACAPI_CreateAttributeIndex(1))
        << "layer 0 keeps the defaults' layer";
    const API_WallType& wall = OnlyWall();
    EXPECT_EQ(wall.begC, (API_Coord{0, 0}));
    EXPECT_EQ(wall.endC, (API_Coord{4, 0}));
    EXPECT_DOUBLE_EQ(wall.thickness, 0.2);
    EXPECT_DOUBLE_EQ(wall.height, 2.7);
    EXPECT_EQ(wall.bottomOffset, 0.0);
    EXPECT_EQ(wall.modelElemStructureType, API_BasicStructure);
    EXPECT_EQ(wall.buildingMaterial, AttributeNamed(API_BuildingMaterialID, "Tolva Material"));
    EXPECT_EQ(wall.composite, ACAPI_CreateAttributeIndex(0));
    EXPECT_EQ(wall.profileAttr, ACAPI_CreateAttributeIndex(0));
    EXPECT_EQ(wall.referenceLineLocation, APIWallRefLine_Center);
    EXPECT_FALSE(wall.flipped || wall.polyCanChange);
    EXPECT_EQ(wall.offset, 0.0);
    EXPECT_EQ(wall.topOffset, 0.0);
    EXPECT_TRUE(stored.propertyValues.empty()) << "not marked exterior";
}

TEST_F(Walls, MakesWallsWithoutAPositiveHeightThreeMetresHigh) {
    for (double height : {0.0, -500.0}) {
        StandIn::TheModel().elements.clear();
        ASSERT_EQ(Create(height, ACAPI_CreateAttributeIndex(0)), NoError);
        EXPECT_EQ(OnlyWall().height, 3.0) << "height " << height;
    }
}

TEST_F(Walls, PutsTheWallOnAGivenLayerAndMarksItExterior) {
    API_AttributeIndex facade = {};
    ASSERT_EQ(
        Tolva::Builders::LayerManager::GetWallLayer(Tolva::Builders::WallLayerKind::FacadeWalls, facade),
        NoError);
    ASSERT_EQ(Create(3000, facade, true), NoError);
    const StandIn::StoredElement& stored = OnlyWallElement();
    EXPECT_EQ(stored.element.header.layer, facade);
    ASSERT_EQ(stored.propertyValues.size(), 1u);
    EXPECT_EQ(stored.propertyValues[0].value.singleVariant.variant.guidValue,
              StandIn::PositionValueKey("Exterior"));
}

TEST_F(Walls, KeepsTheWallWhenThePositionCannotBeWritten) {
    StandIn::Faults::Arm("ACAPI_Element_SetProperty", APIERR_GENERAL);
    ASSERT_EQ(Create(3000, ACAPI_CreateAttributeIndex(0), true), NoError);
    EXPECT_TRUE(OnlyWallElement().propertyValues.empty());
    EXPECT_EQ(Lines().back(), "[WARNING] WallBuilder: Failed to set Position property: -2130313215");
}

TEST_F(Walls, ReturnsTheHostsCodeWhenDefaultsOrCreationFail) {
    StandIn::Faults::Arm("ACAPI_Element_GetDefaults:Wall", APIERR_MEMFULL);
    EXPECT_EQ(Create(3000, ACAPI_CreateAttributeIndex(0)), APIERR_MEMFULL);
    EXPECT_EQ(Lines().back(), "[ERROR] WallBuilder: Failed to get wall defaults: -2130313214");
    StandIn::Faults::Arm("ACAPI_Element_Create:Wall", APIERR_BADPARS);
    EXPECT_EQ(Create(3000, ACAPI_CreateAttributeIndex(0)), APIERR_BADPARS);
    EXPECT_EQ(Lines().back(), "[ERROR] WallBuilder: Failed to create wall: -2130313112");
    EXPECT_TRUE(OfType(API_WallID).empty());
}

TEST_F(Walls, FailsEveryWallAndSlabInAProjectWithoutASolidFill) {
    RemoveSolidFills();
    EXPECT_EQ(Create(3000, ACAPI_CreateAttributeIndex(0)), APIERR_GENERAL);
    EXPECT_EQ(Create(3000, ACAPI_CreateAttributeIndex(0)), APIERR_GENERAL);
    EXPECT_EQ(Lines().back(), "[ERROR] WallBuilder: Failed to get Tolva material for wall creation");
    EXPECT_TRUE(OfType(API_WallID).empty());
}

TEST_F(Walls, BuildsOnlySimpleGuidedEdgesAndCountsTheSkips) {
    WallGuides guides;
    for (Int32 v = 0; v < 10; ++v) {
        guides.vertices.Push({v * 1000.0, 0, 0});
    }
    guides.edges = {{0, 1, 2}, {0, 99}, {2, 3}, {3, 4}, {5, 7}};
    guides.guides.Add("0", {"", "simple", 100});
    guides.guides.Add("1", {"", "simple", 100});
    guides.guides.Add("3", {"story-plan", "simple", 300});
    guides.guides.Add("4", {"unit", "simple", 200});
    ASSERT_EQ(FromGraph(guides), NoError);
    ASSERT_EQ(created.GetSize(), 1u);
    const StandIn::StoredElement& stored = OnlyWallElement();
    EXPECT_EQ(stored.element.header.guid, created[0]);
    EXPECT_DOUBLE_EQ(stored.element.wall.thickness, 0.2);
    EXPECT_EQ(stored.element.wall.begC, (API_Coord{5, 0}));
    EXPECT_EQ(stored.element.wall.endC, (API_Coord{7, 0}));
    EXPECT_EQ(stored.element.wall.height, 3.0);
    EXPECT_EQ(stored.element.header.layer, AttributeNamed(API_LayerID, "Tolva Unit Walls"));
    EXPECT_EQ(Lines().back(),
              "[INFO] WallBuilder: Wall creation from 5 edges: 1 created, 0 failed, 3 skipped");
}

TEST_F(Walls, KeepsStoryPlanWallsWhenNotAskedToSkipThemAndIgnoresOtherGuides) {
    WallGuides guides;
    guides.vertices = {{0, 0, 0}, {3000, 0, 0}, {3000, 3000, 0}};
    guides.edges = {{0, 1}, {1, 2}, {2, 0}};
    guides.guides.Add("0", {"story-plan", "simple", 300});
    guides.guides.Add("1", {"unit", "simple", 0});
    guides.guides.Add("2", {"unit", "curved", 150});
    ASSERT_EQ(FromGraph(guides, false), NoError);
    ASSERT_EQ(created.GetSize(), 1u);
    EXPECT_DOUBLE_EQ(OnlyWall().thickness, 0.3);
    EXPECT_EQ(Lines().back(),
              "[INFO] WallBuilder: Wall creation from 3 edges: 1 created, 0 failed, 0 skipped");
}

TEST_F(Walls, GuidesStayWithTheirEdgesAfterAMalformedFirstEdge) {
    const WallGuides guides = Parsed(R"({"edgeGraph": {
        "edges": [[0, 1.5], [0, 1], [1, 2], [2, 3]],
        "vertices": [[0, 0, 0], [4000, 0, 0], [4000, 3000, 0], [0, 3000, 0]]},
        "guides": {"0": {"geometry": {"type": "simple", "width": 400}},
                   "1": {"source": "unit", "geometry": {"type": "simple", "width": 100}},
                   "2": {"source": "unit", "geometry": {"type": "simple", "width": 200}},
                   "3": {"source": "unit", "geometry": {"type": "simple", "width": 300}}}})");
    ASSERT_EQ(FromGraph(guides), NoError);
    const auto walls = OfType(API_WallID);
    ASSERT_EQ(walls.size(), 3u);
    const std::vector<std::pair<API_Coord, double>> expected = {{{0, 0}, 0.1}, {{4, 0}, 0.2}, {{4, 3}, 0.3}};
    for (size_t i = 0; i < walls.size(); ++i) {
        EXPECT_EQ(walls[i]->element.wall.begC, expected[i].first) << "wall " << i;
        EXPECT_DOUBLE_EQ(walls[i]->element.wall.thickness, expected[i].second) << "wall " << i;
    }
    EXPECT_EQ(Lines().back(),
              "[INFO] WallBuilder: Wall creation from 4 edges: 3 created, 0 failed, 1 skipped");
}

TEST_F(Walls, ReturnsTheFailureOfTheOnlyCreatableEdgeAndGoesOnAfterFailures) {
    WallGuides guides;
    guides.vertices = {{0, 0, 0}, {3000, 0, 0}, {3000, 3000, 0}};
    guides.edges = {{0, 1}, {1, 2}};
    guides.guides.Add("0", {"unit", "simple", 200});
    StandIn::Faults::Arm("ACAPI_Element_Create:Wall", APIERR_BADPARS);
    EXPECT_EQ(FromGraph(guides), APIERR_BADPARS);
    EXPECT_TRUE(created.IsEmpty());
    EXPECT_EQ(Lines(),
              (std::vector<std::string>{
                  "[INFO] LayerManager: Layer 'Tolva Unit Walls' not found, creating new layer",
                  "[INFO] LayerManager: Created layer 'Tolva Unit Walls' at index 4",
                  "[INFO] MaterialManager: Tolva Material not found, creating new material",
                  "[INFO] MaterialManager: Found solid fill: Background (index 2)",
                  "[INFO] MaterialManager: Found plain surface material by name: White (index 3)",
                  "[INFO] MaterialManager: Created Tolva Material at index 2",
                  "[ERROR] WallBuilder: Failed to create wall: -2130313112",
                  "[ERROR] WallBuilder: Edge 0: Wall creation FAILED with error -2130313112",
                  "[INFO] WallBuilder: Wall creation from 2 edges: 0 created, 1 failed, 0 skipped"}));

    guides.guides.Add("1", {"unit", "simple", 200});
    StandIn::Faults::Arm("ACAPI_Element_Create:Wall", APIERR_BADPARS);
    EXPECT_EQ(FromGraph(guides), NoError) << "one wall made is success";
    EXPECT_EQ(created.GetSize(), 1u);
}

TEST_F(Walls, ReturnsZeroAndNoWallsForAGraphWithoutCreatableEdges) {
    WallGuides guides;
    guides.vertices = {{0, 0, 0}, {3000, 0, 0}};
    guides.edges = {{0, 1}};
    guides.guides.Add("0", {"unit", "simple", 0});
    EXPECT_EQ(FromGraph(guides), NoError);
    EXPECT_TRUE(created.IsEmpty());
    EXPECT_TRUE(OfType(API_WallID).empty());
    EXPECT_EQ(Lines(),
              (std::vector<std::string>{
                  "[INFO] WallBuilder: Wall creation from 1 edges: 0 created, 0 failed, 0 skipped"}));
}

TEST_F(Walls, FailsEveryGraphWallWithoutASolidFill) {
    RemoveSolidFills();
    WallGuides guides;
    guides.vertices = {{0, 0, 0}, {3000, 0, 0}, {3000, 3000, 0}};
    guides.edges = {{0, 1}, {1, 2}};
    guides.guides.Add("0", {"unit", "simple", 200});
    guides.guides.Add("1", {"unit", "simple", 200});
    EXPECT_EQ(FromGraph(guides), APIERR_GENERAL);
    EXPECT_TRUE(OfType(API_WallID).empty());
    EXPECT_EQ(Lines().back(),
              "[INFO] WallBuilder: Wall creation from 2 edges: 0 created, 2 failed, 0 skipped");
}

} // namespace
