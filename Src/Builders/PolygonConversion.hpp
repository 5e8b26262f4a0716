#pragma once

#include "ACAPinc.h"
#include "Model/Geometry.hpp"

#include <functional>

namespace Tolva::Builders {

// Maps a plan point (mm) before it is converted; empty for none.
using PointTransform = std::function<TolvaPoint3D(const TolvaPoint3D&)>;

// Turns a plan polygon (mm; the first polyline the outer contour, the others holes) into the host's
// polygon header and memo handles (m, Z dropped). A ring whose raw first and last points are 1 µm
// apart or more gets a copy of its first coordinate at its end when closeOpenRings is set. The arc
// handle is allocated (empty) only when asked for. Handles the memo already holds are released when
// replaced; on failure the memo keeps what it held and nothing allocated here stays behind. Errors
// are logged under the caller's category.
GSErrCode ConvertToHostPolygon(const TolvaPolygon& polygon, API_Polygon& poly, API_ElementMemo& memo,
                               const char* logCategory, bool allocateArcs, PointTransform transform,
                               bool closeOpenRings);

} // namespace Tolva::Builders
