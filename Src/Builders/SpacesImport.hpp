#pragma once

#include "ACAPinc.h"
#include "Model/BuildingData.hpp"
#include "Model/SpacesData.hpp"

namespace Tolva::Builders::BuildingOrchestrator {

// One zone per space on the project's story at the space's height (relative to the lowest story of
// the building, or to the lowest space without one). Rooms are named after their space type and
// labelled; units ("UNIT:" ids) get no label. Must run inside an undoable step. Returns 0 once the
// spaces were walked, also when some failed (the summary counts them), else the failing preparation
// step's code with nothing created.
GSErrCode ImportSpaces(const SpacesData& data, GS::UniString& summary, const BuildingData* storyData);

// The elevation (mm) taken as the project's 0: the lowest finite story height offset, or without
// those the lowest finite space height; 0x81060068 when spaces are given and none is finite.
GSErrCode ComputeBaseElevation(const GS::Array<TolvaSpace>& spaces, const GS::Array<TolvaStory>* stories,
                               double& baseMm);

} // namespace Tolva::Builders::BuildingOrchestrator
