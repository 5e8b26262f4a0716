#pragma once

#include "Model/Geometry.hpp"

namespace Tolva::Builders {

// "<what> with N sub-polygons (K hole[s])" for a polygon with holes.
GS::UniString SubPolygonMessage(const char* what, const TolvaPolygon& polygon);

} // namespace Tolva::Builders
