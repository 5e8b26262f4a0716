#include "Builders/WallSegments.hpp"

#include <cmath>
#include <limits>
#include <utility>

namespace Tolva::Builders::BuildingOrchestrator {

void PutInCanonicalOrder(WallSegment& segment) {
    const TolvaPoint3D& s = segment.start;
    const TolvaPoint3D& e = segment.end;
    const bool reversed = s.x > e.x || (s.x == e.x && s.y > e.y) || (s.x == e.x && s.y == e.y && s.z > e.z);
    if (reversed) {
        std::swap(segment.start, segment.end);
    }
}

UInt32 WallSegmentKey::GenerateHashValue() const {
    // Unsigned arithmetic wraps around where the signed products would overflow.
    const auto u = [](Int32 value) { return static_cast<UInt32>(value); };
    return (u(floorIndex) * 97u) ^ (u(endYCell) * 50331653u) ^ (u(endXCell) * 83492791u) ^
           (u(startXCell) * 73856093u) ^ (u(startYCell) * 19349663u);
}

Int32 CellOf(double coordinate, double cellSize) {
    const double cell = std::floor(coordinate / cellSize);
    if (std::isnan(cell)) {
        return 0;
    }
    // Converting a double outside the int32 range is undefined; compare before converting.
    if (cell <= static_cast<double>(std::numeric_limits<Int32>::min())) {
        return std::numeric_limits<Int32>::min();
    }
    if (cell >= static_cast<double>(std::numeric_limits<Int32>::max())) {
        return std::numeric_limits<Int32>::max();
    }
    return static_cast<Int32>(cell);
}

WallSegmentKey MakeWallSegmentKey(const WallSegment& segment, double cellSize) {
    return {CellOf(segment.start.x, cellSize), CellOf(segment.start.y, cellSize),
            CellOf(segment.end.x, cellSize), CellOf(segment.end.y, cellSize), segment.floorIndex};
}

} // namespace Tolva::Builders::BuildingOrchestrator
