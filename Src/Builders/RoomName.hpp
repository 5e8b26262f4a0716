#pragma once

#include "ACAPinc.h"

namespace Tolva::Builders {

// Copies the name into the zone's fixed-length room-name field, always terminated. A longer name is
// cut, never inside a character: a surrogate pair that does not fit is left out whole.
void SetRoomName(API_ZoneType& zone, const GS::UniString& name);

} // namespace Tolva::Builders
