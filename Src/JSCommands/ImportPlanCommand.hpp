#pragma once

#include "JSValues.hpp"

namespace JSCommands::PlanImportCommands {

// importPlan: JSON text {reference: {x, y}, planTemplate: {...}} (mm); the plan is built into the
// room at the reference as one undo step "Import Tolva Plan", answered with its summary.
GS::Ref<JS::Base> ImportPlanFromJSON(GS::Ref<JS::Base> argument);

} // namespace JSCommands::PlanImportCommands
