#pragma once

#include "ACAPinc.h"

namespace WallPropertyAnalyzer {

// Whether the wall's built-in "Position" property says it is on the building envelope. The property
// is looked up once per run; without it every wall counts as interior.
bool IsExteriorWall(const API_Guid& wall);

} // namespace WallPropertyAnalyzer
