#pragma once

#include "JSValues.hpp"

namespace JSCommands::PlanImportCommands {

// importZonesFromSpaces: the argument is JSON text {"files": [{"name", "content"}, ...]} with the
// project's spaces.json, project.json, stories.json and units.json; creates one zone per space and
// unit in one undoable step "Import Tolva Zones" and answers the import's summary.
GS::Ref<JS::Base> ImportZonesFromSpaces(GS::Ref<JS::Base> argument);

} // namespace JSCommands::PlanImportCommands
