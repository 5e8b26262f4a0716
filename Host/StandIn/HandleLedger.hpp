#pragma once

#include "Definitions.hpp"

// What tests read back about memory handles: leaks and releases of handles that are not live.
namespace StandIn::HandleLedger {

HOST_API Int32 LiveCount();
HOST_API Int32 DoubleReleaseCount();
HOST_API void ResetDoubleReleaseCount();

} // namespace StandIn::HandleLedger
