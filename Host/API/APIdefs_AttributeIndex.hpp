#pragma once

#include "UniString.hpp"

class API_AttributeIndex;
API_AttributeIndex ACAPI_CreateAttributeIndex(Int32 index);

// A reference to an attribute of one type by its index. Not a number: arithmetic on indices does not
// compile, and an index is made from a number only through ACAPI_CreateAttributeIndex.
class API_AttributeIndex {
public:
    bool operator==(const API_AttributeIndex& rightOp) const { return index == rightOp.index; }
    bool operator!=(const API_AttributeIndex& rightOp) const { return index != rightOp.index; }

    Int32 ToInt32_Deprecated() const { return index; }
    ULong GenerateHashValue() const { return static_cast<ULong>(index); }
    GS::UniString ToUniString() const { return GS::UniString::Printf("%d", index); }
    bool IsPositive() const { return index > 0; }
    bool IsNegative() const { return index < 0; }

private:
    friend API_AttributeIndex ACAPI_CreateAttributeIndex(Int32 index);
    Int32 index;
};

inline API_AttributeIndex ACAPI_CreateAttributeIndex(Int32 index) {
    API_AttributeIndex created;
    created.index = index;
    return created;
}

static_assert(sizeof(API_AttributeIndex) == sizeof(Int32));

static const API_AttributeIndex APIInvalidAttributeIndex = ACAPI_CreateAttributeIndex(0);
static const API_AttributeIndex APIApplicationLayerAttributeIndex = ACAPI_CreateAttributeIndex(1);
static const API_AttributeIndex APISolidLineAttributeIndex = ACAPI_CreateAttributeIndex(1);
