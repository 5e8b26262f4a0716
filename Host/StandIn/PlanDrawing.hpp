#pragma once

#include "Definitions.hpp"

#include "ACAPinc.h"

#include <string>
#include <vector>

namespace StandIn {

// A plan view of one story as SVG, north up: slabs, zones filled by category with their names,
// walls as footprints (exterior walls dark), lines and polylines, a scale bar and a north arrow.
// A segment drawn over the plan, e.g. a room boundary the add-on reported; emphasised ones in red.
struct PlanMark {
    API_Coord from = {};
    API_Coord to = {};
    bool emphasised = false;
};

HOST_API std::string DrawStory(short story, const std::vector<PlanMark>& marks = {});

} // namespace StandIn
