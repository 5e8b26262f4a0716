#pragma once

#include "UniString.hpp"

#include <string>

namespace VersionCheck {

// What the version service answers with status 200.
struct VersionResponse {
    GS::UniString minimumVersionAllowed;
    // Empty when the service does not name one.
    GS::UniString latestVersion;
};

// True when body is JSON whose "minimumVersionAllowed" is a string; a member of the right name but
// another type counts as missing. Each failure logs a warning.
bool ParseVersionResponse(const std::string& body, VersionResponse& result);

} // namespace VersionCheck
