#pragma once

#include "StandIn/Project.hpp"

namespace StandIn {

// The element's bodies: the explicit ones it was given, or those the host generates (walls and
// slabs as prisms, zones as prisms of their polygon and height, objects as boxes of A, B and ZZYZX).
HOST_API std::vector<Body3D> BodiesOf(const StoredElement& stored);

// The 3D model is kept, as Archicad keeps it, and made again only after a change: every call that
// changes elements, stories or attributes says so here. A test that changes a stored element in place
// after a 3D read says so too.
HOST_API void Model3DChanged();

} // namespace StandIn
