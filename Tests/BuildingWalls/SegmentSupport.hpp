#pragma once

#include "Builders/WallSegments.hpp"

#include <ostream>

using Tolva::TolvaPoint3D;
using Tolva::Builders::WallLayerKind;
using Tolva::Builders::BuildingOrchestrator::WallSegment;

// A plan segment at z 0, in the order given.
inline WallSegment Segment(double x1, double y1, double x2, double y2, short floor = 0,
                           double thickness = 200.0) {
    WallSegment segment;
    segment.start = {x1, y1, 0};
    segment.end = {x2, y2, 0};
    segment.thickness = thickness;
    segment.height = 3000.0;
    segment.floorIndex = floor;
    return segment;
}

// Beside the records, where the tests' assertions look for them.
namespace Tolva {

inline bool operator==(const TolvaPoint3D& a, const TolvaPoint3D& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

inline std::ostream& operator<<(std::ostream& out, const TolvaPoint3D& p) {
    return out << "(" << p.x << ", " << p.y << ", " << p.z << ")";
}

} // namespace Tolva

namespace Tolva::Builders::BuildingOrchestrator {

inline std::ostream& operator<<(std::ostream& out, const WallSegment& s) {
    return out << s.start << "-" << s.end << " floor " << s.floorIndex << " thickness " << s.thickness;
}

} // namespace Tolva::Builders::BuildingOrchestrator
