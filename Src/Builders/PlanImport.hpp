#pragma once

#include "ACAPinc.h"
#include "Model/PlanTemplate.hpp"

// Drives a whole import; the plan import places one generated plan into an existing room.
namespace Tolva::Builders::BuildingOrchestrator {

// Walls, one zone per container, the unit zone of a unit plan, doors and furniture, all on the
// floor of the room's zone. Doors may sit in the new walls or in the room's boundary walls.
// Writes the summary in every case; 0 when anything was created, else 0x81060068.
GSErrCode ImportPlan(const PlanTemplate& plan, const GS::Array<API_Guid>& boundaryWalls,
                     const API_Guid& zoneGuid, GS::UniString& summary);

} // namespace Tolva::Builders::BuildingOrchestrator
