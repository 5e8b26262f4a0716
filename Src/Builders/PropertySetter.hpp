#pragma once

#include "ACAPinc.h"

namespace Tolva::Builders {

// Marks walls as exterior through the built-in "Position" property, whose definition it keeps
// until the project changes. Main thread only; writing needs an open undo step.
class PropertySetter {
public:
    static GSErrCode SetPositionExterior(const API_Guid& elementGuid);
    static GSErrCode FindPositionProperty(const API_Guid& elementGuid);
    static void InvalidateCache();
};

} // namespace Tolva::Builders
