#pragma once

#include "UniString.hpp"

namespace VersionCheck {

// True when version ("major.minor.patch") is not older than reference. The parts compare as numbers,
// read as std::stoi reads them; a text without exactly three parts, or a part that is no number,
// logs a warning and counts as new enough. Never throws.
bool IsVersionAtLeast(const GS::UniString& version, const GS::UniString& reference);

} // namespace VersionCheck
