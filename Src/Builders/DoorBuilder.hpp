#pragma once

#include "ACAPinc.h"
#include "Builders/WallIndex.hpp"
#include "Model/Transition.hpp"

namespace Tolva::Builders {

// Places a door transition in the nearest of the candidate walls (at most 0.5 m away), with the
// add-on's door part, else the host's default or any door part, else as an opening without a part.
class DoorBuilder {
public:
    // 0 with the new door's GUID; 0x81060068 when no wall qualifies.
    static GSErrCode CreateDoor(const Transition& transition, const GS::Array<API_Guid>& walls,
                                API_Guid& door);
    // The same with the candidate walls read beforehand, for many doors among the same walls.
    static GSErrCode CreateDoor(const Transition& transition, const WallIndex& walls, API_Guid& door);
    // 0: doors are created without a library part.
    static Int32 GetDoorLibraryPart();
};

// The door width in millimetres when the host gives no door defaults.
double FallbackDoorWidth(const GS::UniString& definitionId);

} // namespace Tolva::Builders
