#pragma once

#include "JSValues.hpp"

namespace JSCommands::PlanImportCommands {

// Imports a building variant given as an array of 3 or 5 JSON texts (stories, units, transitions,
// and optionally furniture instances and templates) in one undoable step "Import Tolva Building";
// answers the import summary or an error envelope.
GS::Ref<JS::Base> ImportBuildingFromVariantData(GS::Ref<JS::Base> argument);

} // namespace JSCommands::PlanImportCommands
