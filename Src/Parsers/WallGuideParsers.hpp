#pragma once

#include "Model/WallGuides.hpp"

#include <rapidjson/document.h>

namespace Tolva::Parsers {

// Skips edges and guides that are malformed; false only when value is not an object.
bool ParseWallGuides(const rapidjson::Value& value, WallGuides& wallGuides);
bool ParseBoundsWallGuideSegment(const rapidjson::Value& value, BoundsWallGuideSegment& segment);

} // namespace Tolva::Parsers
