#pragma once

#include "GSRoot/Definitions.hpp"

#include <string>

namespace StandIn {

// A plan view of one story as SVG, north up: slabs, zones filled by category with their names,
// walls as footprints (exterior walls dark), lines and polylines, a scale bar and a north arrow.
HOST_API std::string DrawStory(short story);

} // namespace StandIn
