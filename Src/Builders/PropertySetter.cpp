#include "Builders/PropertySetter.hpp"

#include "Logging/Logger.hpp"

namespace Tolva::Builders {

namespace {

constexpr const char* Category = "PropertySetter";
const GS::UniString PositionName = "Position";
const GS::UniString ExteriorValue = "Exterior";

struct PositionCache {
    bool valid = false;
    API_PropertyDefinition definition = {};
};

PositionCache& Cache() {
    static PositionCache cache;
    return cache;
}

// The display text or, for localised projects, the non-localised value names "Exterior".
bool IsExterior(const API_SingleEnumerationVariant& value) {
    if (value.displayVariant.uniStringValue.IsEqual(ExteriorValue, GS::CaseInsensitive)) {
        return true;
    }
    return value.nonLocalizedValue.HasValue() &&
           value.nonLocalizedValue.Get().IsEqual(ExteriorValue, GS::CaseInsensitive);
}

} // namespace

GSErrCode PropertySetter::FindPositionProperty(const API_Guid& elementGuid) {
    PositionCache& cache = Cache();
    if (cache.valid) {
        return NoError;
    }
    GS::Array<API_PropertyDefinition> definitions;
    const GSErrCode err =
        ACAPI_Element_GetPropertyDefinitions(elementGuid, API_PropertyDefinitionFilter_BuiltIn, definitions);
    if (err != NoError) {
        Logger::Warning(Category, GS::UniString::Printf("Failed to get property definitions: %d", err));
        return err;
    }
    for (const API_PropertyDefinition& definition : definitions) {
        if (definition.name.IsEqual(PositionName, GS::CaseInsensitive)) {
            cache.definition = definition;
            cache.valid = true;
            Logger::Debug(Category, "Position property found and cached");
            return NoError;
        }
    }
    Logger::Warning(Category, "Position property not found in built-in properties");
    return APIERR_GENERAL;
}

GSErrCode PropertySetter::SetPositionExterior(const API_Guid& elementGuid) {
    if (const GSErrCode err = FindPositionProperty(elementGuid); err != NoError) {
        return err;
    }
    const API_PropertyDefinition& definition = Cache().definition;
    if (definition.collectionType != API_PropertySingleChoiceEnumerationCollectionType) {
        Logger::Warning(
            Category, GS::UniString::Printf("Position property is not a single choice enumeration (type: %d)",
                                            static_cast<Int32>(definition.collectionType)));
        return APIERR_GENERAL;
    }
    const API_SingleEnumerationVariant* exterior = nullptr;
    for (const API_SingleEnumerationVariant& value : definition.possibleEnumValues) {
        if (IsExterior(value)) {
            exterior = &value;
            break;
        }
    }
    if (exterior == nullptr) {
        Logger::Warning(Category, "Exterior enumeration value not found in Position property");
        return APIERR_GENERAL;
    }
    Logger::Debug(Category, GS::UniString::Printf("Found Exterior enum: display='%s', key='%s'",
                                                  exterior->displayVariant.uniStringValue.ToCStr().Get(),
                                                  exterior->keyVariant.uniStringValue.ToCStr().Get()));

    API_Property property = {};
    if (const GSErrCode err = ACAPI_Element_GetPropertyValue(elementGuid, definition.guid, property);
        err != NoError) {
        Logger::Warning(Category, GS::UniString::Printf("Failed to get Position property value: %d", err));
        return err;
    }
    property.value.variantStatus = API_VariantStatusNormal;
    property.isDefault = false;
    property.value.singleVariant.variant = exterior->keyVariant;
    if (const GSErrCode err = ACAPI_Element_SetProperty(elementGuid, property); err != NoError) {
        Logger::Warning(Category, GS::UniString::Printf("Failed to set Position property: %d", err));
        return err;
    }
    Logger::Debug(Category, "Position property set to Exterior");
    return NoError;
}

void PropertySetter::InvalidateCache() {
    Cache() = {};
    Logger::Debug(Category, "Property cache invalidated");
}

} // namespace Tolva::Builders
