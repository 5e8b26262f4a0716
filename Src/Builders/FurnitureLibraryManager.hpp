#pragma once

#include "ACAPinc.h"
#include "Model/Furniture.hpp"

namespace Tolva::Builders {

// One generated library part per furniture template (a box in 3D, the template's outline in 2D),
// saved into the project's embedded library, and the shipped "Tolva Furniture.gsm" as the fallback.
// Both are kept until the project changes, failures too. Main thread only.
class FurnitureLibraryManager {
public:
    // 0 when the template's part cannot be made.
    static Int32 GetLibraryPartForTemplate(const FurnitureTemplate& furniture);
    static Int32 CreateTemplateLibraryPart(const FurnitureTemplate& furniture);
    static Int32 GetFallbackLibraryPart();
    static void InvalidateCache();
    // Forgets the parts' indices without a word.
    static void ForgetIndices();
};

} // namespace Tolva::Builders
