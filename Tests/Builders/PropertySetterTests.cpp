#include "BuilderTestSupport.hpp"

#include "Builders/PropertySetter.hpp"
#include "StandIn/Faults.hpp"
#include "StandIn/Properties.hpp"

namespace {

using Tolva::Builders::PropertySetter;

class ExteriorPosition : public BuilderTest {
protected:
    void SetUp() override {
        BuilderTest::SetUp();
        PropertySetter::InvalidateCache();
        wall = Wall(0, 0, 4, 0);
        ASSERT_EQ(StandIn::PlantElement(&wall, nullptr), NoError);
    }

    GSErrCode MarkExterior() const {
        return InStep([&] { return PropertySetter::SetPositionExterior(wall.header.guid); });
    }

    API_Property Position() const {
        API_Property property = {};
        EXPECT_EQ(ACAPI_Element_GetPropertyValue(wall.header.guid,
                                                 APIGuidFromString(StandIn::PositionPropertyGuid), property),
                  NoError);
        return property;
    }

    static Int32 DefinitionReads() {
        return StandIn::Faults::CallCount("ACAPI_Element_GetPropertyDefinitions");
    }

    API_Element wall = {};
};

TEST_F(ExteriorPosition, WritesTheExteriorChoiceAsANormalValue) {
    ASSERT_EQ(MarkExterior(), NoError);
    const API_Property position = Position();
    EXPECT_FALSE(position.isDefault);
    EXPECT_EQ(position.value.variantStatus, API_VariantStatusNormal);
    EXPECT_EQ(position.value.singleVariant.variant.type, API_PropertyGuidValueType);
    EXPECT_EQ(position.value.singleVariant.variant.guidValue, StandIn::PositionValueKey("Exterior"));
    EXPECT_TRUE(Lines().empty()) << "success is logged at debug level";
}

TEST_F(ExteriorPosition, MatchesTheNonLocalisedValueInALocalisedProject) {
    StandIn::Properties().language = StandIn::ProjectLanguage::German;
    ASSERT_EQ(MarkExterior(), NoError);
    EXPECT_EQ(Position().value.singleVariant.variant.guidValue, StandIn::PositionValueKey("Exterior"));
    GS::UniString display;
    ASSERT_EQ(ACAPI_Property_GetPropertyValueString(Position(), &display), NoError);
    EXPECT_EQ(display, GS::UniString("Außen"));
}

TEST_F(ExteriorPosition, KeepsTheDefinitionUntilTheProjectChanges) {
    ASSERT_EQ(MarkExterior(), NoError);
    API_Element other = Wall(0, 0, 0, 4);
    ASSERT_EQ(StandIn::PlantElement(&other, nullptr), NoError);
    const Int32 reads = DefinitionReads();
    ASSERT_EQ(InStep([&] { return PropertySetter::SetPositionExterior(other.header.guid); }), NoError);
    EXPECT_EQ(DefinitionReads(), reads);
    PropertySetter::InvalidateCache();
    ASSERT_EQ(MarkExterior(), NoError);
    EXPECT_EQ(DefinitionReads(), reads + 1);
    EXPECT_TRUE(Lines().empty()) << "the invalidation is logged at debug level";
}

TEST_F(ExteriorPosition, RefusesAProjectWithoutAUsablePositionProperty) {
    StandIn::Properties().position = StandIn::PositionDefinition::Missing;
    EXPECT_EQ(MarkExterior(), APIERR_GENERAL);
    PropertySetter::InvalidateCache();
    StandIn::Properties().position = StandIn::PositionDefinition::NotEnumeration;
    EXPECT_EQ(MarkExterior(), APIERR_GENERAL);
    EXPECT_EQ(
        Lines(),
        (std::vector<std::string>{
            "[WARNING] PropertySetter: Position property not found in built-in properties",
            "[WARNING] PropertySetter: Position property is not a single choice enumeration (type: 1)"}));
    EXPECT_TRUE(Position().isDefault);
}

TEST_F(ExteriorPosition, PassesHostFailuresOnWithAWarning) {
    StandIn::Faults::Arm("ACAPI_Element_GetPropertyDefinitions", APIERR_BADID);
    EXPECT_EQ(MarkExterior(), APIERR_BADID);
    StandIn::Faults::Arm("ACAPI_Element_GetPropertyValue", APIERR_BADPARS);
    EXPECT_EQ(MarkExterior(), APIERR_BADPARS);
    StandIn::Faults::Arm("ACAPI_Element_SetProperty", APIERR_MEMFULL);
    EXPECT_EQ(MarkExterior(), APIERR_MEMFULL);
    EXPECT_EQ(PropertySetter::SetPositionExterior(wall.header.guid), APIERR_NEEDSUNDOSCOPE);
    EXPECT_EQ(Lines(), (std::vector<std::string>{
                           "[WARNING] PropertySetter: Failed to get property definitions: -2130313115",
                           "[WARNING] PropertySetter: Failed to get Position property value: -2130313112",
                           "[WARNING] PropertySetter: Failed to set Position property: -2130313214",
                           "[WARNING] PropertySetter: Failed to set Position property: -2130312307"}));
    EXPECT_TRUE(Position().isDefault);
}

} // namespace
