#pragma once

#include "GSRoot.hpp"

namespace Tolva::ZoneBoundary {

// Millimetres; boundary vertices always have z = 0.
struct Point3D {
    double x = 0;
    double y = 0;
    double z = 0;
};

} // namespace Tolva::ZoneBoundary

// How the host detects an automatic zone's boundary from the walls around its point.
enum class ZoneCreationMethod : Int32 { InnerEdge = 0, ReferenceLine = 1 };

const char* ZoneCreationMethodName(ZoneCreationMethod method);
