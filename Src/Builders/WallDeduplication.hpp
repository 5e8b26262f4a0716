#pragma once

#include "Array.hpp"
#include "Builders/WallSegments.hpp"

namespace Tolva::Builders::BuildingOrchestrator {

// Grid cells are this many tolerances wide (chosen by measurement): a match lies at most one cell
// away per coordinate, and only a segment with an end within the tolerance of a border (about one
// in eight) looks beyond its own cell.
constexpr double CellsPerTolerance = 32.0;

// Whether b is a copy of a: on the same floor, with all six coordinates less than the tolerance apart.
bool IsDuplicateWall(const WallSegment& a, const WallSegment& b, double tolerance);

// The segments without copies, in their order: a segment that is a copy of an earlier kept one is
// dropped, every other one is kept. One pass; each segment looks only into the grid cells within the
// tolerance of its end points.
GS::Array<WallSegment> DeduplicateWallSegments(const GS::Array<WallSegment>& segments, double tolerance);

} // namespace Tolva::Builders::BuildingOrchestrator
