#pragma once

#include "ACAPinc.h"
#include "Model/Geometry.hpp"

namespace Tolva::Builders {

// Slabs in "Tolva Material" on top of the host's slab defaults, at the floor's level.
class SlabBuilder {
public:
    // The first polyline is the outline, the others holes; lengths in millimetres.
    static GSErrCode CreateSlab(const TolvaPolygon& polygon, double thickness, short floorInd,
                                API_Guid& slabGuid);
};

} // namespace Tolva::Builders
