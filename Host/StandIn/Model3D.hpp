#pragma once

#include "StandIn/Project.hpp"

namespace StandIn {

// The element's bodies: the explicit ones it was given, or those the host generates (walls and
// slabs as prisms, zones as prisms of their polygon and height, objects as boxes of A, B and ZZYZX).
HOST_API std::vector<Body3D> BodiesOf(const StoredElement& stored);

} // namespace StandIn
