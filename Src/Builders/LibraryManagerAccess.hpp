#pragma once

#include "ACAPI/LibraryManager.hpp"
#include "ACAPinc.h"

namespace Tolva::Builders {

// The host's library manager of the open project; an error result (0x810600CB) when no project is
// open, so that unwrapping it goes through the host's unwrap failure.
ACAPI::Result<ACAPI::Library::LibraryManager> GetLibraryManager();

} // namespace Tolva::Builders
