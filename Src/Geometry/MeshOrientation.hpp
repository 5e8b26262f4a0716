#pragma once

#include "Geometry/MeshData.hpp"

namespace MeshToolkit {

// Winds the mesh's triangles so that their normals point out of the mesh. Triangles that share an
// edge are first wound alike, piece by connected piece. A closed piece then faces out by the sign of
// its volume, which also holds for concave bodies; an open piece (or one that cannot be wound alike)
// faces away from the centroid of all vertices, as a whole where it is wound alike and triangle by
// triangle where not. Faces with other than 3 indices keep their order.
void OrientFacesOutward(JSCommands::MeshData& mesh);

} // namespace MeshToolkit
