#pragma once

#include "Array.hpp"
#include "Builders/WallSegments.hpp"

namespace Tolva::Builders::BuildingOrchestrator {

// Grid cells are this many tolerances wide (chosen by measurement): wide enough that a match lies at
// most one cell away per coordinate, narrow enough that few distinct walls share a cell.
constexpr double CellsPerTolerance = 4.0;

// Whether b is a copy of a: on the same floor, with all six coordinates less than the tolerance apart.
bool IsDuplicateWall(const WallSegment& a, const WallSegment& b, double tolerance);

// The segments without copies, in their order: a segment that is a copy of an earlier kept one is
// dropped, every other one is kept. One pass; each segment looks only into the grid cells within the
// tolerance of its end points.
GS::Array<WallSegment> DeduplicateWallSegments(const GS::Array<WallSegment>& segments, double tolerance);

} // namespace Tolva::Builders::BuildingOrchestrator
