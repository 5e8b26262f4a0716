#pragma once

#include "ACAPinc.h"

namespace WallPropertyAnalyzer {

// Whether the wall's built-in "Position" property says it is on the building envelope. The property
// is looked up until found, then kept until the next project; without it every wall counts as interior.
bool IsExteriorWall(const API_Guid& wall);

// Empties the found "Position" definition: another project may define it differently.
void ForgetPositionProperty();

} // namespace WallPropertyAnalyzer
