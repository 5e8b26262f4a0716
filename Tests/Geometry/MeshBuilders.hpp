#pragma once

#include "Geometry/MeshData.hpp"

#include <array>
#include <initializer_list>
#include <vector>

// Small meshes for the toolkit's tests, in millimetres.
namespace MeshBuilders {

inline JSCommands::MeshData Mesh(std::initializer_list<std::array<double, 3>> vertices,
                                 std::initializer_list<std::vector<int>> faces = {}) {
    JSCommands::MeshData mesh = {};
    for (const auto& [x, y, z] : vertices) {
        mesh.vertices.Push({x, y, z});
    }
    for (const std::vector<int>& face : faces) {
        GS::Array<int> indices;
        for (const int index : face) {
            indices.Push(index);
        }
        mesh.faces.Push(indices);
    }
    return mesh;
}

inline GS::Array<int> Face(std::initializer_list<int> indices) {
    GS::Array<int> face;
    for (const int index : indices) {
        face.Push(index);
    }
    return face;
}

// A closed prism over a counter-clockwise plan outline from z0 to z1: the bottom, the top and one
// quad per side, each as triangles; the triangles are wound at random (by seed), not outwards.
inline JSCommands::MeshData ScrambledPrism(const std::vector<std::array<double, 2>>& outline, double z0,
                                           double z1, unsigned seed, double dx = 0) {
    JSCommands::MeshData mesh = {};
    const int n = static_cast<int>(outline.size());
    for (double z : {z0, z1}) {
        for (const auto& [x, y] : outline) {
            mesh.vertices.Push({x + dx, y, z});
        }
    }
    std::vector<std::array<int, 3>> triangles;
    // Fans from corner 0 work for the outlines used here (star-shaped about corner 0).
    for (int i = 1; i + 1 < n; ++i) {
        triangles.push_back({0, i + 1, i});
        triangles.push_back({n, n + i, n + i + 1});
    }
    for (int i = 0; i < n; ++i) {
        const int j = (i + 1) % n;
        triangles.push_back({i, j, n + j});
        triangles.push_back({i, n + j, n + i});
    }
    for (const auto& [a, b, c] : triangles) {
        seed = seed * 1103515245u + 12345u;
        mesh.faces.Push((seed >> 16) & 1 ? Face({a, c, b}) : Face({a, b, c}));
    }
    return mesh;
}

} // namespace MeshBuilders
