#pragma once

#include "ACAPinc.h"
#include "Model/BuildingData.hpp"

namespace Tolva::Builders::BuildingOrchestrator {

// Places a whole building variant into the project: its stories (created or moved), a slab and a
// gross-floor-area zone per story, the de-duplicated walls with the facade trimmed, the doors and
// the furniture. 0 when a slab, a wall or a door was created, else 0x81060068; a failure to read or
// create the stories stops the import with its code. The summary text tells what was done.
GSErrCode ImportBuilding(const BuildingData& building, GS::UniString& summary);

} // namespace Tolva::Builders::BuildingOrchestrator
