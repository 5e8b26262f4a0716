#include "ModelTestSupport.hpp"

#include "ACAPinc.h"
#include "StandIn/Faults.hpp"
#include "StandIn/Properties.hpp"

namespace {

class Properties : public FreshModel {
protected:
    void SetUp() override {
        FreshModel::SetUp();
        wall = Wall(0, 0, 4, 0);
        ASSERT_EQ(StandIn::PlantElement(&wall, nullptr), NoError);
    }

    API_Property Position() {
        GS::Array<API_PropertyDefinition> definitions;
        EXPECT_EQ(ACAPI_Element_GetPropertyDefinitions(wall.header.guid, API_PropertyDefinitionFilter_BuiltIn,
                                                       definitions),
                  NoError);
        EXPECT_EQ(definitions.GetSize(), 1u);
        API_Property property = {};
        EXPECT_EQ(ACAPI_Element_GetPropertyValue(wall.header.guid, definitions[0].guid, property), NoError);
        return property;
    }

    GS::UniString DisplayText(const API_Property& property) {
        GS::UniString text;
        EXPECT_EQ(ACAPI_Property_GetPropertyValueString(property, &text), NoError);
        return text;
    }

    // Writes the choice whose non-localised value is given, as the add-on matches it.
    GSErrCode SetPosition(const char* nonLocalized) {
        API_Property property = Position();
        for (const API_SingleEnumerationVariant& choice : property.definition.possibleEnumValues) {
            if (choice.nonLocalizedValue.HasValue() &&
                choice.nonLocalizedValue->IsEqual(nonLocalized, GS::CaseInsensitive)) {
                property.value.singleVariant.variant = choice.keyVariant;
            }
        }
        property.value.variantStatus = API_VariantStatusNormal;
        property.isDefault = false;
        return InStep([&] { return ACAPI_Element_SetProperty(wall.header.guid, property); });
    }

    API_Element wall = {};
};

TEST_F(Properties, PositionIsASingleChoiceWithTheSameGuidInEveryProject) {
    API_Property position = Position();
    EXPECT_EQ(position.definition.name, GS::UniString("Position"));
    EXPECT_EQ(position.definition.collectionType, API_PropertySingleChoiceEnumerationCollectionType);
    EXPECT_EQ(APIGuidToString(position.definition.guid),
              GS::Guid(StandIn::PositionPropertyGuid).ToUniString());
    EXPECT_TRUE(position.isDefault);
    EXPECT_EQ(position.value.variantStatus, API_VariantStatusNormal);
    EXPECT_EQ(DisplayText(position), GS::UniString("Undefined"));
}

TEST_F(Properties, ExteriorIsWrittenAndReadBackInEnglishAndGerman) {
    ASSERT_EQ(SetPosition("Exterior"), NoError);
    EXPECT_FALSE(Position().isDefault);
    EXPECT_EQ(DisplayText(Position()), GS::UniString("Exterior"));
    StandIn::Properties().language = StandIn::ProjectLanguage::German;
    EXPECT_EQ(DisplayText(Position()), GS::UniString("Außen"));
    ASSERT_EQ(SetPosition("interior"), NoError);
    EXPECT_EQ(DisplayText(Position()), GS::UniString("Innen"));
}

TEST_F(Properties, AValueWrittenInAFailedStepIsRolledBack) {
    API_Property property = Position();
    property.value.singleVariant.variant.guidValue = StandIn::PositionValueKey("Exterior");
    EXPECT_EQ(ACAPI_Element_SetProperty(wall.header.guid, property), APIERR_NEEDSUNDOSCOPE);
    EXPECT_EQ(InStep([&] {
                  EXPECT_EQ(ACAPI_Element_SetProperty(wall.header.guid, property), NoError);
                  return APIERR_GENERAL;
              }),
              APIERR_GENERAL);
    EXPECT_TRUE(Position().isDefault);
    property.value.singleVariant.variant.guidValue = APINULLGuid;
    EXPECT_EQ(InStep([&] { return ACAPI_Element_SetProperty(wall.header.guid, property); }), APIERR_BADPARS);
}

TEST_F(Properties, FixturesCoverMissingAndOddDefinitionsAndStatuses) {
    StandIn::Properties().forcedStatus = API_VariantStatusUserUndefined;
    EXPECT_EQ(Position().value.variantStatus, API_VariantStatusUserUndefined);
    StandIn::Properties().position = StandIn::PositionDefinition::NotEnumeration;
    EXPECT_EQ(Position().definition.collectionType, API_PropertySingleCollectionType);
    StandIn::Properties().position = StandIn::PositionDefinition::Missing;
    GS::Array<API_PropertyDefinition> definitions;
    EXPECT_EQ(
        ACAPI_Element_GetPropertyDefinitions(wall.header.guid, API_PropertyDefinitionFilter_All, definitions),
        NoError);
    EXPECT_TRUE(definitions.IsEmpty());
    StandIn::Faults::Arm("ACAPI_Element_GetPropertyDefinitions", APIERR_GENERAL);
    EXPECT_EQ(
        ACAPI_Element_GetPropertyDefinitions(wall.header.guid, API_PropertyDefinitionFilter_All, definitions),
        APIERR_GENERAL);
}

} // namespace
