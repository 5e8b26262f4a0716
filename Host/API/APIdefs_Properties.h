#pragma once

#include "APIdefs_Elements.h"

#include "Optional.hpp"

typedef enum {
    API_PropertyUndefinedValueType,
    API_PropertyIntegerValueType,
    API_PropertyRealValueType,
    API_PropertyStringValueType,
    API_PropertyBooleanValueType,
    API_PropertyGuidValueType
} API_VariantType;

typedef enum {
    API_VariantStatusNull,
    API_VariantStatusUserUndefined,
    API_VariantStatusNormal
} API_VariantStatus;

typedef enum {
    API_PropertyUndefinedCollectionType,
    API_PropertySingleCollectionType,
    API_PropertyListCollectionType,
    API_PropertySingleChoiceEnumerationCollectionType,
    API_PropertyMultipleChoiceEnumerationCollectionType
} API_PropertyCollectionType;

typedef enum {
    API_PropertyUndefinedMeasureType,
    API_PropertyDefaultMeasureType,
    API_PropertyLengthMeasureType,
    API_PropertyAreaMeasureType,
    API_PropertyVolumeMeasureType,
    API_PropertyAngleMeasureType
} API_PropertyMeasureType;

typedef enum {
    API_PropertyDefinitionFilter_UserDefined,
    API_PropertyDefinitionFilter_BuiltIn,
    API_PropertyDefinitionFilter_All
} API_PropertyDefinitionFilter;

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
