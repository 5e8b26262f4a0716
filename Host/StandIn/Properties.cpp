#include "StandIn/Properties.hpp"

#include "StandIn/Faults.hpp"
#include "StandIn/Project.hpp"

#include <algorithm>
#include <cstring>

namespace StandIn {

PropertySettings& Properties() {
    static PropertySettings settings;
    return settings;
}

API_Guid PositionValueKey(const char* nonLocalizedValue) {
    if (std::strcmp(nonLocalizedValue, "Interior") == 0) {
        return APIGuidFromString("{4D8E6B0A-2F1C-4C3B-9A5E-7B6D1E0F2A33}");
    }
    if (std::strcmp(nonLocalizedValue, "Exterior") == 0) {
        return APIGuidFromString("{4D8E6B0A-2F1C-4C3B-9A5E-7B6D1E0F2A34}");
    }
    return APIGuidFromString("{4D8E6B0A-2F1C-4C3B-9A5E-7B6D1E0F2A32}");
}

namespace {

API_Variant GuidVariant(const API_Guid& guid) {
    API_Variant variant;
    variant.type = API_PropertyGuidValueType;
    variant.guidValue = guid;
    return variant;
}

API_Variant TextVariant(const char* text) {
    API_Variant variant;
    variant.type = API_PropertyStringValueType;
    variant.uniStringValue = text;
    return variant;
}

API_PropertyValue NormalValue(const API_Variant& variant) {
    API_PropertyValue value;
    value.variantStatus = API_VariantStatusNormal;
    value.singleVariant.variant = variant;
    return value;
}

const char* Localized(const char* value, ProjectLanguage language) {
    if (language == ProjectLanguage::English) {
        return value;
    }
    if (std::strcmp(value, "Interior") == 0) {
        return "Innen";
    }
    if (std::strcmp(value, "Exterior") == 0) {
        return "Außen";
    }
    return "Undefiniert";
}

// An enumeration's value names its choice by the key's GUID.
bool IsChoice(const API_SingleEnumerationVariant& choice, const API_Variant& value) {
    return choice.keyVariant.guidValue == value.guidValue;
}

bool AppliesTo(const API_PropertyDefinition& definition, const StoredElement& element) {
    return element.element.header.type.typeID == API_WallID && definition.guid != APINULLGuid;
}

std::optional<API_PropertyDefinition> DefinitionFor(const API_Guid& guid) {
    API_PropertyDefinition position = PositionDefinitionOf(Properties().language, Properties().position);
    if (Properties().position == PositionDefinition::Missing || position.guid != guid) {
        return std::nullopt;
    }
    return position;
}

} // namespace

API_PropertyDefinition PositionDefinitionOf(ProjectLanguage language, PositionDefinition kind) {
    API_PropertyDefinition definition = {};
    definition.guid = APIGuidFromString(PositionPropertyGuid);
    definition.groupGuid = APIGuidFromString("{4D8E6B0A-2F1C-4C3B-9A5E-7B6D1E0F2A30}");
    definition.name = "Position";
    definition.description = "Position of the element relative to the building envelope";
    definition.measureType = API_PropertyDefaultMeasureType;
    definition.canValueBeEditable = true;
    if (kind == PositionDefinition::NotEnumeration) {
        definition.collectionType = API_PropertySingleCollectionType;
        definition.valueType = API_PropertyStringValueType;
        definition.defaultValue.basicValue = NormalValue(TextVariant(Localized("Undefined", language)));
        return definition;
    }
    definition.collectionType = API_PropertySingleChoiceEnumerationCollectionType;
    definition.valueType = API_PropertyStringValueType;
    for (const char* value : {"Undefined", "Interior", "Exterior"}) {
        API_SingleEnumerationVariant choice = {};
        choice.keyVariant = GuidVariant(PositionValueKey(value));
        choice.displayVariant = TextVariant(Localized(value, language));
        choice.nonLocalizedValue = GS::UniString(value);
        definition.possibleEnumValues.Push(choice);
    }
    definition.defaultValue.basicValue = NormalValue(GuidVariant(PositionValueKey("Undefined")));
    return definition;
}

} // namespace StandIn

using namespace StandIn;

GSErrCode ACAPI_Element_GetPropertyDefinitions(const API_Guid& elemGuid, API_PropertyDefinitionFilter filter,
                                               GS::Array<API_PropertyDefinition>& definitions) {
    if (auto code = Faults::Take("ACAPI_Element_GetPropertyDefinitions")) {
        return *code;
    }
    const StoredElement* element = FindElement(elemGuid);
    if (element == nullptr) {
        return APIERR_BADID;
    }
    definitions.Clear();
    bool builtIns =
        filter == API_PropertyDefinitionFilter_BuiltIn || filter == API_PropertyDefinitionFilter_All;
    if (builtIns && Properties().position != PositionDefinition::Missing) {
        API_PropertyDefinition position = PositionDefinitionOf(Properties().language, Properties().position);
        if (AppliesTo(position, *element)) {
            definitions.Push(position);
        }
    }
    return NoError;
}

GSErrCode ACAPI_Element_GetPropertyValue(const API_Guid& elemGuid, const API_Guid& propertyDefinitionGuid,
                                         API_Property& property) {
    if (auto code = Faults::Take("ACAPI_Element_GetPropertyValue")) {
        return *code;
    }
    const StoredElement* element = FindElement(elemGuid);
    std::optional<API_PropertyDefinition> definition = DefinitionFor(propertyDefinitionGuid);
    if (element == nullptr || !definition || !AppliesTo(*definition, *element)) {
        return APIERR_BADID;
    }
    property.definition = *definition;
    const auto& values = element->propertyValues;
    auto written = std::find_if(values.begin(), values.end(), [&](const StoredPropertyValue& v) {
        return v.definition == propertyDefinitionGuid;
    });
    property.isDefault = written == values.end();
    property.value = property.isDefault ? definition->defaultValue.basicValue : written->value;
    if (Properties().forcedStatus) {
        property.value.variantStatus = *Properties().forcedStatus;
    }
    return NoError;
}

GSErrCode ACAPI_Element_SetProperty(const API_Guid& elemGuid, const API_Property& property) {
    if (auto code = Faults::Take("ACAPI_Element_SetProperty")) {
        return *code;
    }
    if (!TheModel().undoStepOpen) {
        return APIERR_NEEDSUNDOSCOPE;
    }
    StoredElement* element = FindElement(elemGuid);
    std::optional<API_PropertyDefinition> definition = DefinitionFor(property.definition.guid);
    if (element == nullptr || !definition || !AppliesTo(*definition, *element)) {
        return APIERR_BADID;
    }
    if (definition->collectionType == API_PropertySingleChoiceEnumerationCollectionType) {
        const auto& choices = definition->possibleEnumValues;
        bool known =
            std::any_of(choices.begin(), choices.end(), [&](const API_SingleEnumerationVariant& choice) {
                return IsChoice(choice, property.value.singleVariant.variant);
            });
        if (!known) {
            return APIERR_BADPARS;
        }
    }
    BeforeElementChange(elemGuid);
    auto& values = element->propertyValues;
    std::erase_if(values, [&](const StoredPropertyValue& v) { return v.definition == definition->guid; });
    values.push_back({definition->guid, property.value});
    return NoError;
}

GSErrCode ACAPI_Property_GetPropertyValueString(const API_Property& property,
                                                GS::UniString* propertyValueString) {
    if (auto code = Faults::Take("ACAPI_Property_GetPropertyValueString")) {
        return *code;
    }
    const API_Variant& value = property.value.singleVariant.variant;
    if (property.definition.collectionType == API_PropertySingleChoiceEnumerationCollectionType) {
        for (const API_SingleEnumerationVariant& choice : property.definition.possibleEnumValues) {
            if (IsChoice(choice, value)) {
                *propertyValueString = choice.displayVariant.uniStringValue;
                return NoError;
            }
        }
        return APIERR_BADPARS;
    }
    switch (value.type) {
    case API_PropertyStringValueType:
        *propertyValueString = value.uniStringValue;
        return NoError;
    case API_PropertyIntegerValueType:
        *propertyValueString = GS::UniString::Printf("%d", value.intValue);
        return NoError;
    case API_PropertyRealValueType:
        *propertyValueString = GS::UniString::Printf("%g", value.doubleValue);
        return NoError;
    case API_PropertyBooleanValueType:
        *propertyValueString = value.boolValue ? "Yes" : "No";
        return NoError;
    default:
        return APIERR_BADPARS;
    }
}
