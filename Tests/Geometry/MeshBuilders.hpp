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

// A plan outline, counter-clockwise, and its area as counter-clockwise triangles over its corners.
struct Outline {
    std::vector<std::array<double, 2>> corners;
    std::vector<std::array<int, 3>> triangles;
};

// The triangles of a fan from corner 0, for outlines that corner sees whole.
inline std::vector<std::array<int, 3>> Fan(int corners) {
    std::vector<std::array<int, 3>> triangles;
    for (int i = 1; i + 1 < corners; ++i) {
        triangles.push_back({0, i, i + 1});
    }
    return triangles;
}

// A closed prism over the outline from z0 to z1 (moved by dx): the bottom, the top and two triangles
// per side; the triangles are wound at random (by a scramble number), not outwards.
inline JSCommands::MeshData ScrambledPrism(const Outline& outline, double z0, double z1, unsigned scramble,
                                           double dx = 0) {
    JSCommands::MeshData mesh = {};
    const int n = static_cast<int>(outline.corners.size());
    for (double z : {z0, z1}) {
        for (const auto& [x, y] : outline.corners) {
            mesh.vertices.Push({x + dx, y, z});
        }
    }
    std::vector<std::array<int, 3>> triangles;
    for (const auto& [a, b, c] : outline.triangles) {
        triangles.push_back({a, c, b});
        triangles.push_back({n + a, n + b, n + c});
    }
    for (int i = 0; i < n; ++i) {
        const int j = (i + 1) % n;
        triangles.push_back({i, j, n + j});
        triangles.push_back({i, n + j, n + i});
    }
    for (const auto& [a, b, c] : triangles) {
        scramble = scramble * 1103515245u + 12345u;
        mesh.faces.Push((scramble >> 16) & 1 ? Face({a, c, b}) : Face({a, b, c}));
    }
    return mesh;
}

} // namespace MeshBuilders
