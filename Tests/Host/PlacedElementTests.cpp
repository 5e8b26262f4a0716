#include "ModelTestSupport.hpp"
#include "StandIn/TypedHandles.hpp"

#include <cstring>

namespace {

class PlacedElements : public FreshModel {
protected:
    void SetUp() override {
        FreshModel::SetUp();
        wall = Wall(0, 0, 4, 0);
        ASSERT_EQ(StandIn::PlantElement(&wall, nullptr), NoError);
    }
    API_Element wall = {};
};

TEST_F(PlacedElements, DoorsNeedAnExistingWallAndAPlaceOnIt) {
    API_Element door = {};
    door.header.type = API_DoorID;
    ASSERT_EQ(ACAPI_Element_GetDefaults(&door, nullptr), NoError);
    EXPECT_EQ(door.door.openingBase.width, 0.9);
    EXPECT_EQ(door.door.openingBase.libInd, 0);
    door.door.owner = wall.header.guid;
    door.door.objLoc = 2.0;
    API_Element offTheWall = door;
    offTheWall.door.objLoc = 4.5;
    API_Element ownerless = door;
    ownerless.door.owner = APINULLGuid;
    InStep([&] {
        EXPECT_EQ(ACAPI_Element_Create(&door, nullptr), NoError);
        EXPECT_EQ(ACAPI_Element_Create(&offTheWall, nullptr), APIERR_BADPARS);
        EXPECT_EQ(ACAPI_Element_Create(&ownerless, nullptr), APIERR_BADPARS);
        return NoError;
    });
    API_Element read = {};
    read.header.guid = door.header.guid;
    ASSERT_EQ(ACAPI_Element_Get(&read), NoError);
    EXPECT_EQ(read.door.owner, wall.header.guid);
    EXPECT_EQ(read.door.objLoc, 2.0);
}

TEST_F(PlacedElements, LabelsKeepTheirTextAndParagraphsAndNeedAZoneParent) {
    API_Element label = {};
    label.header.type = API_LabelID;
    API_ElementMemo memo = {};
    ASSERT_EQ(ACAPI_Element_GetDefaults(&label, &memo), NoError);
    ASSERT_NE(memo.textContent, nullptr);
    delete memo.textContent;
    memo.textContent = new GS::UniString("Küche");
    label.label.parent = wall.header.guid;
    label.label.parentType = API_ZoneID;
    EXPECT_EQ(InStep([&] { return ACAPI_Element_Create(&label, &memo); }), APIERR_BADPARS);

    API_Element zone = {};
    zone.header.type = API_ZoneID;
    API_ElementMemo zoneMemo = {};
    ASSERT_EQ(ACAPI_Element_GetDefaults(&zone, &zoneMemo), NoError);
    ASSERT_EQ(InStep([&] { return ACAPI_Element_Create(&zone, &zoneMemo); }), NoError);
    ACAPI_DisposeElemMemoHdls(&zoneMemo);
    label.label.parent = zone.header.guid;
    ASSERT_EQ(InStep([&] { return ACAPI_Element_Create(&label, &memo); }), NoError);
    ACAPI_DisposeElemMemoHdls(&memo);

    API_ElementMemo read = {};
    ASSERT_EQ(
        ACAPI_Element_GetMemo(label.header.guid, &read, APIMemoMask_TextContent | APIMemoMask_Paragraph),
        NoError);
    ASSERT_NE(read.textContent, nullptr);
    EXPECT_EQ(*read.textContent, GS::UniString("Küche"));
    ASSERT_NE(read.paragraphs, nullptr);
    EXPECT_EQ(BMGetHandleSize(reinterpret_cast<GSConstHandle>(read.paragraphs)),
              static_cast<GSSize>(sizeof(API_ParagraphType)));
    ACAPI_DisposeElemMemoHdls(&read);
}

TEST_F(PlacedElements, ObjectsKeepParametersAndAnswerWithTheirPlacementPoint) {
    API_Element object = {};
    object.header.type = API_ObjectID;
    API_ElementMemo memo = {};
    ASSERT_EQ(ACAPI_Element_GetDefaults(&object, &memo), NoError);
    ASSERT_EQ(BMGetHandleSize(memo.params), GSSize(3 * sizeof(API_AddParType)));
    EXPECT_STREQ((*memo.params)[2].name, "ZZYZX");
    (*memo.params)[0].value.real = 0.8;
    memo.elemInfoString = new GS::UniString("Sofa");
    object.object.pos = {1.0, 2.0};
    object.object.level = 0.4;
    ASSERT_EQ(InStep([&] { return ACAPI_Element_Create(&object, &memo); }), NoError);
    ACAPI_DisposeElemMemoHdls(&memo);

    API_ElementMemo read = {};
    ASSERT_EQ(
        ACAPI_Element_GetMemo(object.header.guid, &read, APIMemoMask_AddPars | APIMemoMask_ElemInfoString),
        NoError);
    EXPECT_EQ((*read.params)[0].value.real, 0.8);
    EXPECT_EQ(*read.elemInfoString, GS::UniString("Sofa"));
    ACAPI_DisposeElemMemoHdls(&read);

    API_Neig neig = {};
    neig.guid = object.header.guid;
    API_Coord3D c1 = {};
    API_Coord3D c2 = {};
    ASSERT_EQ(ACAPI_Element_NeigToCoord(&neig, &c1, &c2), NoError);
    EXPECT_EQ(c2.y, 2.0);
    EXPECT_EQ(c2.z, 0.4);
    neig.guid = wall.header.guid;
    EXPECT_NE(ACAPI_Element_NeigToCoord(&neig, &c1, &c2), NoError);
}

TEST_F(PlacedElements, GroupsListTheirMembersInHostOrder) {
    API_Element other = Wall(0, 1, 4, 1);
    API_Element loner = Wall(0, 2, 4, 2);
    StandIn::PlantElement(&other, nullptr);
    StandIn::PlantElement(&loner, nullptr);
    API_Guid group = StandIn::GroupElements({other.header.guid, wall.header.guid});
    GS::Array<API_Guid> members;
    ASSERT_EQ(ACAPI_Grouping_GetAllGroupedElems(group, &members), NoError);
    EXPECT_EQ(members, (GS::Array<API_Guid>{wall.header.guid, other.header.guid}));
    API_Guid found = {};
    ASSERT_EQ(ACAPI_Grouping_GetRootGroup(loner.header.guid, &found), NoError);
    EXPECT_EQ(found, APINULLGuid);
    ASSERT_EQ(ACAPI_Grouping_GetRootGroup(other.header.guid, &found), NoError);
    EXPECT_EQ(found, group);
}

} // namespace
