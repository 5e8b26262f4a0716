#pragma once

#include "Array.hpp"

// A triangle mesh as the page receives it, in millimetres.
namespace JSCommands {

struct Vertex3D {
    double x = 0;
    double y = 0;
    double z = 0;
};

struct MeshData {
    GS::Array<Vertex3D> vertices;
    // Zero-based vertex indices; every face an extraction hands out has three.
    GS::Array<GS::Array<int>> faces;
};

} // namespace JSCommands
