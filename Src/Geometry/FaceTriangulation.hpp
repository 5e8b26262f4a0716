#pragma once

#include "Geometry/MeshData.hpp"

#include <span>

// Polygon faces of a mesh made into triangles that keep the face's winding.
namespace MeshToolkit {

// A polygon face: its outer contour first, then its holes; indices into the mesh's vertices.
using FaceContours = GS::Array<GS::Array<int>>;

// Triangulates the face (at least 3 vertex indices) in the plane it mostly lies in and appends the
// triangles to the mesh's faces, each wound like the face. A face without area or one earcut cannot
// do is reported, with its number, under the category and in the host's report, and gives false.
bool TriangulateFace(const GS::Array<int>& face, JSCommands::MeshData& mesh, UInt32 faceNumber,
                     const char* category);

// The same for a face with holes (the outer contour first): the triangles leave the holes open.
bool TriangulateFace(std::span<const GS::Array<int>> contours, JSCommands::MeshData& mesh, UInt32 faceNumber,
                     const char* category);

// Appends the faces of one polygon: holes with fewer than 3 vertices are dropped, and a polygon whose
// outer contour has fewer gives nothing; a lone triangle is taken as it is, anything else is
// triangulated. False only when triangulation failed.
bool AddPolygonFaces(const FaceContours& contours, JSCommands::MeshData& mesh, UInt32 faceNumber,
                     const char* category);

} // namespace MeshToolkit
