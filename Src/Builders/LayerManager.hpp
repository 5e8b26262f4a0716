#pragma once

#include "ACAPinc.h"
#include "Builders/WallLayerKind.hpp"

namespace Tolva::Builders {

// Finds or creates the add-on's layers and keeps their indices until the project changes. Every
// layer it hands out has intersection group 100. Main thread only.
class LayerManager {
public:
    // Index 0 for Default without asking the host; "Unknown wall type" for other values.
    static GSErrCode GetWallLayer(WallLayerKind kind, API_AttributeIndex& index);
    static GSErrCode GetFurnitureLayer(API_AttributeIndex& index);
    static GSErrCode GetOrCreateLayer(const GS::UniString& name, API_AttributeIndex& index);
    static bool FindLayer(const GS::UniString& name, API_AttributeIndex& index);
    static GSErrCode CreateLayer(const GS::UniString& name, API_AttributeIndex& index);
    static void InvalidateCache();
    // Forgets the layers' indices without a word.
    static void ForgetIndices();
};

} // namespace Tolva::Builders
