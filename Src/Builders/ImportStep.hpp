#pragma once

#include "ACAPinc.h"

#include <functional>

namespace Tolva::Builders {

// Runs an import as one undoable step that a throw inside still ends as a failure, so that the host
// takes it back. The indices the add-on remembers of its layers, material, surface, zone categories
// and library parts are forgotten first: since the last import, an undo, a failed step or the user
// may have taken any of them away, and the host may have given the index to another attribute.
GSErrCode RunImportStep(const char* category, const char* undoName, const std::function<GSErrCode()>& import);

} // namespace Tolva::Builders
