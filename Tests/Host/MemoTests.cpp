#include "ModelTestSupport.hpp"

#include "StandIn/Attributes.hpp"
#include "StandIn/Faults.hpp"

#include <functional>

namespace {

class Memos : public FreshModel {
protected:
    static bool IsEmpty(const API_ElementMemo& memo) {
        return memo.coords == nullptr && memo.pends == nullptr && memo.parcs == nullptr &&
               memo.params == nullptr && memo.textContent == nullptr && memo.paragraphs == nullptr &&
               memo.elemInfoString == nullptr && memo.meshPolyZ == nullptr && memo.morphBody == nullptr;
    }

    // Fails each memory handle the call allocates, one at a time: every failure must give
    // APIERR_MEMFULL, an empty memo and no handle left behind. Returns how many handles it allocates.
    static Int32 FailEachAllocation(const std::function<GSErrCode(API_ElementMemo*)>& call) {
        StandIn::Faults::Clear();
        API_ElementMemo memo = {};
        EXPECT_EQ(call(&memo), NoError);
        ACAPI_DisposeElemMemoHdls(&memo);
        Int32 allocations = StandIn::Faults::CallCount("BMAllocateHandle");
        for (Int32 k = 0; k < allocations; ++k) {
            Int32 live = StandIn::HandleLedger::LiveCount();
            StandIn::Faults::Arm("BMAllocateHandle", APIERR_MEMFULL, 1, k);
            API_ElementMemo failed = {};
            EXPECT_EQ(call(&failed), APIERR_MEMFULL) << "allocation " << k;
            EXPECT_TRUE(IsEmpty(failed)) << "allocation " << k;
            EXPECT_EQ(StandIn::HandleLedger::LiveCount(), live) << "allocation " << k;
            StandIn::Faults::Clear();
        }
        return allocations;
    }

    static API_Element Planted(API_ElemType type, const StandIn::StoredMemo& memo) {
        API_Element element = {};
        element.header.type = type.typeID;
        EXPECT_EQ(ACAPI_Element_GetDefaults(&element, nullptr), NoError);
        element.header.type = type;
        // The element is a union: the polygon goes into the member of its own type.
        const API_Polygon poly = {static_cast<Int32>(memo.coords.size() - 1), 1, 0};
        switch (type.typeID) {
        case API_SlabID:
            element.slab.poly = poly;
            break;
        case API_ZoneID:
            element.zone.poly = poly;
            break;
        case API_MeshID:
            element.mesh.poly = poly;
            break;
        default:
            element.polyLine.poly = poly;
            break;
        }
        EXPECT_EQ(StandIn::PlantElement(&element, &memo), NoError);
        return element;
    }
};

StandIn::StoredMemo Square() {
    StandIn::StoredMemo memo;
    memo.coords = {{0, 0}, {0, 0}, {2, 0}, {2, 2}, {0, 2}, {0, 0}};
    memo.pends = {0, 5};
    return memo;
}

TEST_F(Memos, DefaultsFailEachHandleAllocationCleanly) {
    for (API_ElemTypeID type : {API_SlabID, API_ZoneID, API_ObjectID}) {
        Int32 allocations = FailEachAllocation([&](API_ElementMemo* memo) {
            API_Element element = {};
            element.header.type = type;
            return ACAPI_Element_GetDefaults(&element, memo);
        });
        // Polygon coordinates, end indices and arcs; an object's parameters.
        EXPECT_EQ(allocations, type == API_ObjectID ? 1 : 3) << type;
    }
}

TEST_F(Memos, ReadsFailEachHandleAllocationCleanly) {
    StandIn::StoredMemo polyline;
    polyline.coords = {{0, 0}, {0, 0}, {3, 0}, {3, 1}};
    polyline.pends = {0, 3};
    StandIn::StoredMemo grid;
    grid.coords = {{0, 0}, {5, 0}, {5, 5}};
    grid.params = StandIn::StandardObjectParameters();
    StandIn::StoredMemo mesh = Square();
    mesh.meshPolyZ = {0, 0, 0.5, 1, 0.5, 0};
    std::vector<API_Element> elements = {
        Planted(API_SlabID, Square()), Planted(API_ZoneID, Square()), Planted(API_PolyLineID, polyline),
        Planted({API_ObjectID, APIVarId_GridElement}, grid), Planted(API_MeshID, mesh)};
    for (const API_Element& element : elements) {
        Int32 allocations = FailEachAllocation([&](API_ElementMemo* memo) {
            return ACAPI_Element_GetMemo(element.header.guid, memo, APIMemoMask_All);
        });
        // A grid object has its coordinate list, empty end indices and arcs, and its parameters; a
        // mesh its polygon and the heights of its points.
        const API_ElemTypeID type = element.header.type.typeID;
        EXPECT_EQ(allocations, type == API_ObjectID || type == API_MeshID ? 4 : 3) << type;
    }
}

TEST_F(Memos, AReadWritesOnlyTheMembersItsMaskNames) {
    const API_Element zone = Planted(API_ZoneID, Square());
    GS::UniString callersText("the caller's own");
    API_ElementMemo memo = {};
    memo.textContent = &callersText;
    ASSERT_EQ(ACAPI_Element_GetMemo(zone.header.guid, &memo, APIMemoMask_Polygon), NoError);
    EXPECT_NE(memo.coords, nullptr);
    EXPECT_EQ(memo.textContent, &callersText) << "a member outside the mask is the caller's";
    memo.textContent = nullptr;
    ACAPI_DisposeElemMemoHdls(&memo);
}

TEST_F(Memos, LabelDefaultsCarryTheirFontInTheTextAndTheParagraphRun) {
    API_Element label = {};
    label.header.type = API_LabelID;
    API_ElementMemo memo = {};
    ASSERT_EQ(ACAPI_Element_GetDefaults(&label, &memo), NoError);
    EXPECT_EQ(label.label.u.text.font, StandIn::LabelDefaultFont);
    ASSERT_NE(memo.paragraphs, nullptr);
    ASSERT_EQ(BMGetHandleSize(reinterpret_cast<GSConstHandle>(memo.paragraphs)),
              static_cast<GSSize>(sizeof(API_ParagraphType)));
    const API_ParagraphType& paragraph = (*memo.paragraphs)[0];
    EXPECT_EQ(paragraph.range, static_cast<Int32>(memo.textContent->GetLength()));
    ASSERT_EQ(BMGetPtrSize(reinterpret_cast<GSConstPtr>(paragraph.run)),
              static_cast<GSSize>(sizeof(API_RunType)));
    EXPECT_EQ(paragraph.run[0].font, StandIn::LabelDefaultFont);
    ACAPI_DisposeElemMemoHdls(&memo);
}

TEST_F(Memos, WallsAndSlabsNeedAnExistingBuildingMaterial) {
    API_Element wall = Wall(0, 0, 3, 0);
    API_Element slab = {};
    slab.header.type = API_SlabID;
    API_ElementMemo slabMemo = {};
    ASSERT_EQ(ACAPI_Element_GetDefaults(&slab, &slabMemo), NoError);
    size_t materials = StandIn::Attributes().byType[API_BuildingMaterialID].size();
    InStep([&] {
        for (Int32 bad : {0, static_cast<Int32>(materials) + 1}) {
            API_Element badWall = wall;
            badWall.wall.buildingMaterial = ACAPI_CreateAttributeIndex(bad);
            EXPECT_EQ(ACAPI_Element_Create(&badWall, nullptr), APIERR_BADPARS) << bad;
            API_Element badSlab = slab;
            badSlab.slab.buildingMaterial = ACAPI_CreateAttributeIndex(bad);
            EXPECT_EQ(ACAPI_Element_Create(&badSlab, &slabMemo), APIERR_BADPARS) << bad;
        }
        wall.wall.buildingMaterial = ACAPI_CreateAttributeIndex(static_cast<Int32>(materials));
        EXPECT_EQ(ACAPI_Element_Create(&wall, nullptr), NoError);
        EXPECT_EQ(ACAPI_Element_Create(&slab, &slabMemo), NoError);
        return NoError;
    });
    ACAPI_DisposeElemMemoHdls(&slabMemo);
    EXPECT_EQ(StandIn::TheModel().elements.size(), 2u);
}

} // namespace
