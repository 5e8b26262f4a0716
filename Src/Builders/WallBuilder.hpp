#pragma once

#include "ACAPinc.h"
#include "Model/WallGuides.hpp"

namespace Tolva::Builders {

// Straight walls in "Tolva Material" on top of the host's wall defaults. Lengths in millimetres.
class WallBuilder {
public:
    // A height of 0 or less makes a 3 m wall; layer index 0 keeps the defaults' layer. Marking a wall
    // exterior sets its "Position" property; a failure there only warns.
    static GSErrCode CreateWall(const TolvaPoint3D& begin, const TolvaPoint3D& end, double thickness,
                                short floorInd, double bottomOffset, API_Guid& wallGuid, double height,
                                API_AttributeIndex layer, bool markAsExterior);

    // One unit wall per usable edge with a "simple" guide of positive width, counted in a "Wall
    // Creation" aggregation scope. Returns 0 when a wall was made or nothing failed, else the last
    // failure's code.
    static GSErrCode CreateWallsFromGraph(const WallGuides& wallGuides, short floorInd,
                                          GS::Array<API_Guid>& createdWalls, bool skipStoryPlanWalls);
};

} // namespace Tolva::Builders
