#pragma once

#include "ACAPinc.h"
#include "Geometry/MeshData.hpp"

// Context geometry out of the host: an element's meshes in millimetres and the colour it shows.
namespace JSCommands::ContextCommands {

// One mesh per 3D body of the element (placed by the body's matrix and the model offset), its
// visible polygons as triangles wound outwards, appended to meshes. False, with the error, when the
// element has no 3D body that gives a mesh.
bool ExtractModelMeshes(const API_Guid& element, GS::Array<MeshData>& meshes, GS::UniString& error);

// The morph's body as one mesh (placed by the morph's matrix), wound outwards, appended to meshes;
// faces that cannot be triangulated are left out. False, with the error, when the morph cannot be
// read or gives no face.
bool ExtractMorphMeshes(const API_Guid& morph, GS::Array<MeshData>& meshes, GS::UniString& error);

// "#rrggbb" of the surface the element's first 3D body shows; "#AAAAAA" when there is none or it
// cannot be read.
GS::UniString GetElementColor(const API_Guid& element);

} // namespace JSCommands::ContextCommands
