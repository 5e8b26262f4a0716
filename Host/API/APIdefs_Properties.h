#pragma once

#include "APIdefs_Elements.h"

#include "Optional.hpp"

enum API_VariantType : Int32 {
    API_PropertyUndefinedValueType = 0,
    API_PropertyIntegerValueType = 1,
    API_PropertyRealValueType = 2,
    API_PropertyStringValueType = 3,
    API_PropertyBooleanValueType = 4,
    API_PropertyGuidValueType = 5,
};

enum API_VariantStatus : Int32 {
    API_VariantStatusNull = 0,
    API_VariantStatusUserUndefined = 1,
    API_VariantStatusNormal = 2,
};

enum API_PropertyCollectionType : Int32 {
    API_PropertyUndefinedCollectionType = 0,
    API_PropertySingleCollectionType = 1,
    API_PropertyListCollectionType = 2,
    API_PropertySingleChoiceEnumerationCollectionType = 3,
    API_PropertyMultipleChoiceEnumerationCollectionType = 4,
};

enum API_PropertyMeasureType : Int32 {
    API_PropertyUndefinedMeasureType = 0,
    API_PropertyDefaultMeasureType = 1
};

enum API_PropertyDefinitionFilter : Int32 {
    API_PropertyDefinitionFilter_UserDefined = 1,
    API_PropertyDefinitionFilter_BuiltIn = 2,
    API_PropertyDefinitionFilter_All = 3,
};

// Unlike the other records, a variant and a property value start empty: the host gives them
// constructors.
struct API_Variant {
    API_VariantType type;
    Int32 intValue;
    double doubleValue;
    bool boolValue;
    GS::UniString uniStringValue;
    API_Guid guidValue;

    API_Variant()
        : type(API_PropertyUndefinedValueType), intValue(0), doubleValue(0), boolValue(false), guidValue() {}
};

struct API_SingleVariant {
    API_Variant variant;
};

// The keys of an enumeration's choices are GUID variants.
struct API_SingleEnumerationVariant {
    API_Variant keyVariant;
    API_Variant displayVariant;
    GS::Optional<GS::UniString> nonLocalizedValue;
};

struct API_PropertyValue {
    API_SingleVariant singleVariant;
    API_VariantStatus variantStatus;

    API_PropertyValue() : variantStatus(API_VariantStatusNull) {}
};

struct API_PropertyDefaultValue {
    API_PropertyValue basicValue;
};

struct API_PropertyDefinition {
    API_Guid guid;
    API_Guid groupGuid;
    GS::UniString name;
    GS::UniString description;
    API_PropertyCollectionType collectionType;
    API_VariantType valueType;
    API_PropertyMeasureType measureType;
    API_PropertyDefaultValue defaultValue;
    GS::Array<API_SingleEnumerationVariant> possibleEnumValues;
    GS::Array<API_Guid> availability;
    bool canValueBeEditable;
};

struct API_Property {
    API_PropertyDefinition definition;
    bool isDefault;
    API_PropertyValue value;
};

HOST_API GSErrCode ACAPI_Element_GetPropertyDefinitions(const API_Guid& elemGuid,
                                                        API_PropertyDefinitionFilter filter,
                                                        GS::Array<API_PropertyDefinition>& definitions);
HOST_API GSErrCode ACAPI_Element_GetPropertyValue(const API_Guid& elemGuid,
                                                  const API_Guid& propertyDefinitionGuid,
                                                  API_Property& property);
HOST_API GSErrCode ACAPI_Element_SetProperty(const API_Guid& elemGuid, const API_Property& property);
HOST_API GSErrCode ACAPI_Property_GetPropertyValueString(const API_Property& property,
                                                         GS::UniString* propertyValueString);
