#pragma once

#include <string>

// The meshes the page received, as a Wavefront OBJ file that any 3D viewer opens.

// From now on, each answer of getContext or getBuildingMassAsJson that holds meshes is written to
// path (the last one wins), with the groups' colours in a material file beside it (path with ".mtl").
void WriteMeshAnswersTo(const std::string& path);

// Called with every fulfilled answer; writes it when it is a mesh answer and a path was given.
// Throws GS::Exception when the file cannot be written.
void ExportMeshAnswer(const std::string& command, const std::string& answer);
