#pragma once

#include "UniString.hpp"

// A line in the host's report window as it is, without the logger's level and category, for texts
// the user must read word for word. Nothing here throws.
namespace HostReport {

void Write(const GS::UniString& text);

} // namespace HostReport
