#pragma once

#include "ACAPinc.h"

namespace Tolva::ZoneBoundary {

// Millimetres; boundary vertices always have z = 0.
struct Point3D {
    double x = 0;
    double y = 0;
    double z = 0;
};

} // namespace Tolva::ZoneBoundary

namespace JSCommands {

// One wall that may run along the zone's boundary; millimetres, z = the wall's bottom offset.
struct WallGeometry {
    API_Guid guid = {};
    Tolva::ZoneBoundary::Point3D begin;
    Tolva::ZoneBoundary::Point3D end;
    bool isExterior = false;
};

} // namespace JSCommands

// How the host detects an automatic zone's boundary from the walls around its point.
enum class ZoneCreationMethod : Int32 { InnerEdge = 0, ReferenceLine = 1 };

const char* ZoneCreationMethodName(ZoneCreationMethod method);
