#include "ModelTestSupport.hpp"

#include "ACAPinc.h"
#include "StandIn/Attributes.hpp"
#include "StandIn/Faults.hpp"

#include <cstdio>

namespace {

// A header with the narrow name alone.
API_Attribute Head(API_AttrTypeID type, const char* name, Int32 index = 0) {
    API_Attribute attribute = {};
    attribute.header.typeID = type;
    std::snprintf(attribute.header.name, sizeof(attribute.header.name), "%s", name);
    attribute.header.index = ACAPI_CreateAttributeIndex(index);
    return attribute;
}

using Attributes = FreshModel;

TEST_F(Attributes, AreFoundByExactNameOrByIndex) {
    API_Attribute gray = Head(API_MaterialID, "Gray");
    ASSERT_EQ(ACAPI_Attribute_Get(&gray), NoError);
    EXPECT_TRUE(gray.header.index.IsPositive());
    EXPECT_EQ(gray.material.texture.fileLoc, nullptr);
    EXPECT_EQ(gray.material.transpPc, 0);

    API_Attribute lower = Head(API_MaterialID, "gray");
    EXPECT_EQ(ACAPI_Attribute_Get(&lower), APIERR_BADNAME);
    API_Attribute missing = Head(API_LayerID, "Tolva Story Walls");
    EXPECT_EQ(ACAPI_Attribute_Get(&missing), APIERR_BADNAME);

    API_Attribute byIndex = Head(API_MaterialID, "", gray.header.index.ToInt32_Deprecated());
    ASSERT_EQ(ACAPI_Attribute_Get(&byIndex), NoError);
    EXPECT_STREQ(byIndex.header.name, "Gray");
    API_Attribute pastTheEnd = Head(API_FilltypeID, "", 1001);
    EXPECT_NE(ACAPI_Attribute_Get(&pastTheEnd), NoError);
}

TEST_F(Attributes, NewProjectsHaveSolidFillsAndTexturedAndPlainSurfaces) {
    bool solid = false;
    bool textured = false;
    for (Int32 i = 1; i <= 1000; ++i) {
        API_Attribute fill = Head(API_FilltypeID, "", i);
        solid = solid || (ACAPI_Attribute_Get(&fill) == NoError && fill.filltype.subType == APIFill_Solid);
        API_Attribute surface = Head(API_MaterialID, "", i);
        textured = textured ||
                   (ACAPI_Attribute_Get(&surface) == NoError && surface.material.texture.fileLoc != nullptr);
    }
    EXPECT_TRUE(solid);
    EXPECT_TRUE(textured);
    API_Attribute kitchen = Head(API_ZoneCatID, "Kitchen");
    EXPECT_EQ(ACAPI_Attribute_Get(&kitchen), NoError);
}

TEST_F(Attributes, CreateRefusesATakenNameAndModifyWritesBack) {
    API_Attribute layer = Head(API_LayerID, "Tolva Story Walls");
    layer.layer.conClassId = 100;
    ASSERT_EQ(ACAPI_Attribute_Create(&layer, nullptr), NoError);
    API_Attribute again = Head(API_LayerID, "Tolva Story Walls");
    EXPECT_EQ(ACAPI_Attribute_Create(&again, nullptr), APIERR_ATTREXIST);

    API_Attribute read = Head(API_LayerID, "Tolva Story Walls");
    ASSERT_EQ(ACAPI_Attribute_Get(&read), NoError);
    EXPECT_EQ(read.header.index, layer.header.index);
    EXPECT_EQ(read.layer.conClassId, 100);
    read.layer.conClassId = 7;
    ASSERT_EQ(ACAPI_Attribute_Modify(&read, nullptr), NoError);
    API_Attribute reread = Head(API_LayerID, "", layer.header.index.ToInt32_Deprecated());
    ASSERT_EQ(ACAPI_Attribute_Get(&reread), NoError);
    EXPECT_EQ(reread.layer.conClassId, 7);

    std::snprintf(reread.header.name, sizeof(reread.header.name), "%s", "Archicad Layer");
    EXPECT_EQ(ACAPI_Attribute_Modify(&reread, nullptr), APIERR_ATTREXIST);
}

TEST_F(Attributes, TakeAndGiveTheNameThroughTheUniStringPointer) {
    GS::UniString name("\xCE\xA3 Walls", CC_UTF8);
    API_Attribute layer = {};
    layer.header.typeID = API_LayerID;
    layer.header.uniStringNamePtr = &name;
    ASSERT_EQ(ACAPI_Attribute_Create(&layer, nullptr), NoError);

    GS::UniString read;
    API_Attribute byIndex = Head(API_LayerID, "", layer.header.index.ToInt32_Deprecated());
    byIndex.header.uniStringNamePtr = &read;
    ASSERT_EQ(ACAPI_Attribute_Get(&byIndex), NoError);
    EXPECT_EQ(read, name);
    EXPECT_STREQ(byIndex.header.name, name.ToCStr().Get()) << "the narrow name is filled too";

    GS::UniString again = name;
    API_Attribute byName = {};
    byName.header.typeID = API_LayerID;
    byName.header.uniStringNamePtr = &again;
    ASSERT_EQ(ACAPI_Attribute_Get(&byName), NoError);
    EXPECT_EQ(byName.header.index, layer.header.index);
}

TEST_F(Attributes, GoBackWithAFailedOrUndoneStepAndComeBackWithRedo) {
    const auto create = [] {
        API_Attribute material = Head(API_BuildingMaterialID, "Tolva Material");
        EXPECT_EQ(ACAPI_Attribute_Create(&material, nullptr), NoError);
        API_Attribute layer = Head(API_LayerID, "Archicad Layer");
        EXPECT_EQ(ACAPI_Attribute_Get(&layer), NoError);
        layer.layer.conClassId = 100;
        EXPECT_EQ(ACAPI_Attribute_Modify(&layer, nullptr), NoError);
        return material.header.index;
    };
    const auto state = [] {
        API_Attribute material = Head(API_BuildingMaterialID, "Tolva Material");
        API_Attribute layer = Head(API_LayerID, "Archicad Layer");
        EXPECT_EQ(ACAPI_Attribute_Get(&layer), NoError);
        return std::pair{ACAPI_Attribute_Get(&material), layer.layer.conClassId};
    };
    const auto before = state();
    EXPECT_EQ(before.first, APIERR_BADNAME);
    EXPECT_EQ(InStep([&] {
                  create();
                  return APIERR_GENERAL;
              }),
              APIERR_GENERAL);
    EXPECT_EQ(state(), before) << "a failed step takes its attributes back";

    API_AttributeIndex made;
    ASSERT_EQ(InStep([&] {
                  made = create();
                  return NoError;
              }),
              NoError);
    const auto after = state();
    EXPECT_EQ(after, (std::pair{GSErrCode(NoError), Int32(100)}));
    ASSERT_TRUE(StandIn::UndoLastStep());
    EXPECT_EQ(state(), before);
    ASSERT_TRUE(StandIn::RedoStep());
    EXPECT_EQ(state(), after);
    API_Attribute material = Head(API_BuildingMaterialID, "Tolva Material");
    ASSERT_EQ(ACAPI_Attribute_Get(&material), NoError);
    EXPECT_EQ(material.header.index, made) << "redo gives the same index";
}

TEST_F(Attributes, FailPerNameOnDemand) {
    API_Attribute material = Head(API_MaterialID, "Gray");
    StandIn::Faults::Arm("ACAPI_Attribute_Get:Surface:Gray", APIERR_GENERAL);
    EXPECT_EQ(ACAPI_Attribute_Get(&material), APIERR_GENERAL);
    EXPECT_EQ(ACAPI_Attribute_Get(&material), NoError);
    EXPECT_EQ(StandIn::Faults::CallCount("ACAPI_Attribute_Get:Surface:Gray"), 2);
}

} // namespace
