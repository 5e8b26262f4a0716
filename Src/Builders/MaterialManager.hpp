#pragma once

#include "ACAPinc.h"

namespace Tolva::Builders {

// Finds or creates the building material "Tolva Material" (cut with the project's first solid fill,
// over a plain surface) and keeps its index until the project changes. Main thread only.
class MaterialManager {
public:
    static GSErrCode GetTolvaMaterial(API_AttributeIndex& index);
    static bool FindTolvaMaterial(API_AttributeIndex& index);
    static GSErrCode CreateTolvaMaterial(API_AttributeIndex& index);
    // A texture-less surface: a usual name first, then any opaque one, else "Tolva Surface".
    static GSErrCode GetPlainSurface(API_AttributeIndex& index);
    static GSErrCode CreateTolvaSurface(API_AttributeIndex& index);
    static void InvalidateCache();
    // Forgets the material's and surface's indices without a word.
    static void ForgetIndices();
};

} // namespace Tolva::Builders
