#include "ZoneBoundary/WallPropertyAnalyzer.hpp"

#include "ACAPinc.h"
#include "Logging/Logger.hpp"

namespace WallPropertyAnalyzer {

namespace {

constexpr const char* Category = "WallPropertyAnalyzer";

// The "Position" definition once a search found it; a failed search is made again on the next call,
// so one transient host failure does not make every later wall interior.
API_Guid& PositionDefinition() {
    static API_Guid definition = APINULLGuid;
    return definition;
}

void SearchPositionDefinition(const API_Guid& wall) {
    GS::Array<API_PropertyDefinition> definitions;
    const GSErrCode err =
        ACAPI_Element_GetPropertyDefinitions(wall, API_PropertyDefinitionFilter_BuiltIn, definitions);
    if (err != NoError) {
        Logger::Debug(Category,
                      GS::UniString::Printf("Failed to get built-in property definitions: %d", err));
        return;
    }
    Logger::Debug(Category, GS::UniString::Printf("Searching %d built-in properties for Position",
                                                  static_cast<int>(definitions.GetSize())));
    for (const API_PropertyDefinition& definition : definitions) {
        if (definition.name.IsEqual("Position", GS::CaseInsensitive)) {
            Logger::Debug(Category, "Found Position property, caching GUID");
            PositionDefinition() = definition.guid;
            return;
        }
    }
    Logger::Debug(Category, "Position property not found in built-in properties");
}

// The display text is localised ("Außen" in German), so the choice's non-localised value is the
// reliable sign of an exterior wall. The value names its choice by the key's GUID.
bool IsExteriorChoice(const API_Property& property) {
    for (const API_SingleEnumerationVariant& choice : property.definition.possibleEnumValues) {
        if (choice.keyVariant.guidValue == property.value.singleVariant.variant.guidValue) {
            return choice.nonLocalizedValue.HasValue() &&
                   choice.nonLocalizedValue.Get().IsEqual("Exterior", GS::CaseInsensitive);
        }
    }
    return false;
}

} // namespace

bool IsExteriorWall(const API_Guid& wall) {
    if (PositionDefinition() == APINULLGuid) {
        SearchPositionDefinition(wall);
    }
    if (PositionDefinition() == APINULLGuid) {
        return false;
    }
    API_Property property = {};
    const GSErrCode err = ACAPI_Element_GetPropertyValue(wall, PositionDefinition(), property);
    if (err != NoError || property.value.variantStatus != API_VariantStatusNormal) {
        Logger::Debug(Category,
                      GS::UniString::Printf("Failed to get Position property value: err=%d, status=%d", err,
                                            static_cast<int>(property.value.variantStatus)));
        return false;
    }
    if (property.definition.collectionType == API_PropertySingleChoiceEnumerationCollectionType &&
        IsExteriorChoice(property)) {
        return true;
    }
    GS::UniString display;
    if (ACAPI_Property_GetPropertyValueString(property, &display) != NoError) {
        Logger::Debug(Category, "Failed to convert Position property to string");
        return false;
    }
    display.SetToLowerCase();
    return display.Contains("exterior") || display.Contains("external");
}

void ForgetPositionProperty() {
    PositionDefinition() = APINULLGuid;
    Logger::Debug(Category, "Position property cache emptied");
}

} // namespace WallPropertyAnalyzer
