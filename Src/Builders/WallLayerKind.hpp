#pragma once

#include "Definitions.hpp"

namespace Tolva::Builders {

// Which of the add-on's layers a wall goes on; Default keeps the host's default layer.
enum class WallLayerKind : Int32 { Default = 0, StoryWalls = 1, UnitWalls = 2, FacadeWalls = 3 };

} // namespace Tolva::Builders
