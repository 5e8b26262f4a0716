#pragma once

#include "ACAPinc.h"
#include "Geometry/MeshData.hpp"
#include "JSValues.hpp"

// The page's building masses: the selected morphs as triangle meshes.
namespace JSCommands::MorphCommands {

// {version: 1, type: "array<mesh>", value: [{vertices, faces, type: "mesh"}, ...]}, one mesh per
// selected morph in selection order; {success: 0, error} when no morph is selected or one cannot be
// exported. The argument is ignored.
GS::Ref<JS::Base> GetBuildingMassAsJson(GS::Ref<JS::Base> argument);

// The morph as one mesh in millimetres, its triangles wound outwards. False, with the error, when the
// morph cannot be read or one of its faces cannot be triangulated.
bool ExtractMorphMesh(const API_Guid& morph, MeshData& mesh, GS::UniString& error);

} // namespace JSCommands::MorphCommands
