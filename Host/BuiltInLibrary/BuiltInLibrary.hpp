#pragma once

#include "GSGuid.hpp"

// The library parts built into the host, identified by number.
namespace BL {

enum class BuiltInLibPartID : Int32 {
    // The general model element every object descends from.
    ModelElementLibPartID = 120,
};

class HOST_API BuiltInLibraryMainGuidContainer {
    BuiltInLibraryMainGuidContainer() = default;

public:
    static const BuiltInLibraryMainGuidContainer& GetInstance();
    // The part's main identifier; the null Guid for a number the host does not know.
    GS::Guid GetMainGuid(const BuiltInLibPartID& libPartID) const;
};

} // namespace BL
