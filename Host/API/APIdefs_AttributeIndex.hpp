#pragma once

#include "UniString.hpp"

// A reference to an attribute of one type by its index. Not a number: arithmetic on indices does not
// compile, and an index is made from a number only through ACAPI_CreateAttributeIndex.
class API_AttributeIndex {
public:
    API_AttributeIndex() = default;

    bool operator==(const API_AttributeIndex& rightOp) const { return index == rightOp.index; }
    bool operator!=(const API_AttributeIndex& rightOp) const { return index != rightOp.index; }

    Int32 ToInt32_Deprecated() const { return index; }
    UInt32 GenerateHashValue() const { return static_cast<UInt32>(index); }
    GS::UniString ToUniString() const { return GS::UniString::Printf("%d", index); }
    bool IsPositive() const { return index > 0; }
    bool IsNegative() const { return index < 0; }

    friend API_AttributeIndex ACAPI_CreateAttributeIndex(Int32 index);

private:
    Int32 index;
};

inline API_AttributeIndex ACAPI_CreateAttributeIndex(Int32 index) {
    API_AttributeIndex created;
    created.index = index;
    return created;
}
