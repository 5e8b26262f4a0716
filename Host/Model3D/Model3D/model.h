#pragma once

#include "MeshBrep.hpp"

// The 3D data's records by their model names.
typedef Brep::MeshBrep::Vertex VERT;
typedef Brep::MeshBrep::Edge EDGE;
namespace Modeler {
typedef Brep::MeshBrep::Polygon PGON;
}
