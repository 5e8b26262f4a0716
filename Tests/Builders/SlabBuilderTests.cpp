#include "BuiltElements.hpp"

#include "Builders/SlabBuilder.hpp"
#include "StandIn/Faults.hpp"

namespace {

using Tolva::TolvaPolygon;
using Tolva::TolvaPolyline;
using Tolva::Builders::SlabBuilder;

class Slabs : public BuiltElements {
protected:
    GSErrCode Create(const TolvaPolygon& polygon) {
        return InStep([&] { return SlabBuilder::CreateSlab(polygon, 250, 0, slabGuid); });
    }

    static TolvaPolygon WithHoles(size_t holes) {
        TolvaPolygon polygon;
        polygon.polylines.Push(Ring({{0, 0}, {10000, 0}, {10000, 8000}, {0, 8000}}));
        for (size_t h = 0; h < holes; ++h) {
            const double x = 1000 + 4000.0 * static_cast<double>(h);
            polygon.polylines.Push(Ring({{x, 1000}, {x, 3000}, {x + 2000, 3000}, {x + 2000, 1000}}));
        }
        return polygon;
    }

    API_Guid slabGuid = {};
};

TEST_F(Slabs, MakesATolvaMaterialSlabOfThePolygonWithItsHole) {
    ASSERT_EQ(Create(WithHoles(1)), NoError);
    const auto slabs = OfType(API_SlabID);
    ASSERT_EQ(slabs.size(), 1u);
    const API_Element& slab = slabs[0]->element;
    EXPECT_EQ(slab.header.guid, slabGuid);
    EXPECT_EQ(slab.slab.modelElemStructureType, API_BasicStructure);
    EXPECT_EQ(slab.slab.buildingMaterial, AttributeNamed(API_BuildingMaterialID, "Tolva Material"));
    EXPECT_EQ(slab.slab.composite, ACAPI_CreateAttributeIndex(0));
    EXPECT_DOUBLE_EQ(slab.slab.thickness, 0.25);
    EXPECT_EQ(slab.slab.level, 0.0);
    EXPECT_EQ(slab.header.floorInd, 0);
    EXPECT_EQ(Contours(*slabs[0]->memo),
              (std::vector<std::vector<API_Coord>>{{{0, 0}, {10, 0}, {10, 8}, {0, 8}, {0, 0}},
                                                   {{1, 1}, {1, 3}, {3, 3}, {3, 1}, {1, 1}}}));
    EXPECT_TRUE(slabs[0]->memo->parcs.empty());
    EXPECT_EQ(Lines().back(), "[INFO] SlabBuilder: Slab created with 2 sub-polygons (1 hole)");
}

TEST_F(Slabs, TellsTheHolesOnlyWhenThereAreAny) {
    ASSERT_EQ(Create(WithHoles(2)), NoError);
    EXPECT_EQ(Lines().back(), "[INFO] SlabBuilder: Slab created with 3 sub-polygons (2 holes)");
    ClearLines();
    ASSERT_EQ(Create(WithHoles(0)), NoError);
    EXPECT_TRUE(Lines().empty()) << "the material is cached and a slab without holes logs nothing";
    EXPECT_EQ(OfType(API_SlabID).size(), 2u);
}

TEST_F(Slabs, RefusesAPolygonWithoutPolylines) {
    EXPECT_EQ(Create(TolvaPolygon()), APIERR_BADPARS);
    EXPECT_EQ(Lines().back(), "[ERROR] SlabBuilder: Polygon has no polylines");
    EXPECT_TRUE(OfType(API_SlabID).empty());
}

TEST_F(Slabs, ReturnsTheHostsCodeForEachFailingStep) {
    StandIn::Faults::Arm("ACAPI_Element_GetDefaults:Slab", APIERR_MEMFULL);
    EXPECT_EQ(Create(WithHoles(0)), APIERR_MEMFULL);
    EXPECT_EQ(Lines().back(), "[ERROR] SlabBuilder: Slab GetDefaults failed: -2130313214");
    StandIn::Faults::Arm("ACAPI_Element_Create:Slab", APIERR_BADPOLY);
    EXPECT_EQ(Create(WithHoles(0)), APIERR_BADPOLY);
    EXPECT_EQ(Lines().back(),
              "[ERROR] SlabBuilder: Slab creation failed: error code -2130313111 (0x81060069)");
    TolvaPolygon dot;
    dot.polylines.Push(Ring({{0, 0}}));
    EXPECT_EQ(Create(dot), APIERR_BADPARS);
    EXPECT_TRUE(OfType(API_SlabID).empty());
}

TEST_F(Slabs, FailsWithoutASolidFill) {
    RemoveSolidFills();
    EXPECT_EQ(Create(WithHoles(0)), APIERR_GENERAL);
    EXPECT_EQ(Lines().back(), "[ERROR] SlabBuilder: Failed to get Tolva material for slab creation");
    EXPECT_TRUE(OfType(API_SlabID).empty());
}

} // namespace
