#pragma once

#include "Array.hpp"
#include "Builders/WallSegments.hpp"

namespace Tolva::Builders::BuildingOrchestrator {

// Grid cells are this many match radii wide (chosen by measurement): a match lies at most one cell
// away per coordinate, and only a segment whose midpoint lies near a border looks beyond its cell.
constexpr double CellsPerTolerance = 16.0;

// A copy's ends may lie at most this fraction of the shorter segment's length from the kept one's,
// so two walls that only share an end, or continue one another, are never copies.
constexpr double CopyLengthFraction = 0.5;

// How far apart the corresponding ends of a and b may be for one to be a copy of the other (mm):
// min(tolerance, CopyLengthFraction x the shorter length).
double CopyRadius(const WallSegment& a, const WallSegment& b, double tolerance);

// Whether b is a copy of a: on the same floor, with each end of b less than CopyRadius from the
// corresponding end of a, in either direction.
bool IsDuplicateWall(const WallSegment& a, const WallSegment& b, double tolerance);

// The segments without copies, in their order: a segment that is a copy of an earlier kept one is
// dropped, every other one is kept. One pass; each segment looks only into the grid cells within its
// match radius, in the grids of the few length classes a copy can have.
GS::Array<WallSegment> DeduplicateWallSegments(const GS::Array<WallSegment>& segments, double tolerance);

} // namespace Tolva::Builders::BuildingOrchestrator
