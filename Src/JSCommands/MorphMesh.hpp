#pragma once

#include "ACAPinc.h"
#include "Geometry/MeshData.hpp"

// A morph's body as a mesh, shared by the building mass and the context exports.
namespace JSCommands::MorphMesh {

struct FaceCount {
    Int32 failed = 0;   // polygons that could not be triangulated (left out of the mesh)
    Int32 polygons = 0; // polygons of the body
};

// Into an empty mesh: the body's vertices placed by the morph's matrix, in millimetres, and its polygons as
// triangles; the triangles are wound as the polygons are (not yet outwards). Triangulation failures are
// logged under the category and counted. False, with the error, when the morph, its memo or its body cannot
// be read.
bool Read(const API_Guid& morph, const char* category, MeshData& mesh, FaceCount& count,
          GS::UniString& error);

} // namespace JSCommands::MorphMesh
