#pragma once

#include <chrono>

// Whether the maker's version service still allows this version of the add-on.
namespace VersionCheck {

// False only when the service refuses: status 426, or status 200 naming a minimum version newer than
// ours. Every failure to reach or understand the service allows, with a warning. Never throws.
bool CheckVersionAllowed();
// The same with another limit for the request than the add-on's own (tests).
bool CheckVersionAllowed(std::chrono::milliseconds requestDeadline);

} // namespace VersionCheck
