#pragma once

#include "Geometry/MeshData.hpp"

namespace MeshToolkit {

// Shorter normals than this mean the face has no area to speak of.
constexpr double DegenerateNormalLength = 1e-10;

// The unit normal of the face by Newell's method, so it holds for non-planar faces too. False for a
// face with fewer than 3 vertices or a degenerate (collinear) one.
bool ComputeFaceNormal(const GS::Array<int>& face, const JSCommands::MeshData& mesh, double& nx, double& ny,
                       double& nz);

} // namespace MeshToolkit
