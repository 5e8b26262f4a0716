#pragma once

#include "ACAPinc.h"
#include "ZoneBoundary/ZoneBoundaryTypes.hpp"

// Which walls run along a zone's boundary: one matcher for the boundary JSON and the plan import.
namespace WallBoundaryMatcher {

// The walls that may run along the boundary (the zone's outline, mm): those on the zone's story whose
// box overlaps the boundary's box widened by 5 m, each read once, in host order; isExterior is left
// false. Failures are logged and their code returned.
GSErrCode CandidateWalls(const API_Guid& zone, const GS::Array<Tolva::ZoneBoundary::Point3D>& boundary,
                         GS::Array<JSCommands::WallGeometry>& walls);

// Whether the wall runs along the edge from a to b (500 mm tolerance).
bool RunsAlong(const JSCommands::WallGeometry& wall, const Tolva::ZoneBoundary::Point3D& a,
               const Tolva::ZoneBoundary::Point3D& b);

// Appends, once each, the walls on the zone's story that run along an edge of its outline.
GSErrCode FindBoundaryWalls(const API_Guid& zone, GS::Array<API_Guid>& walls);

} // namespace WallBoundaryMatcher
