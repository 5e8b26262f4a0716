#pragma once

#include "Geometry/MeshData.hpp"

#include <rapidjson/document.h>

#include <array>
#include <cmath>
#include <map>
#include <string>
#include <utility>
#include <vector>

// Checks of exported meshes that do not trust the code under test: indices, closedness, and whether a
// face points out of its body, told by a ray from the face's front.
namespace MeshChecks {

using Point = std::array<double, 3>;

struct Mesh {
    std::vector<Point> vertices;
    std::vector<std::vector<int>> faces;
};

inline Mesh Of(const JSCommands::MeshData& data) {
    Mesh mesh;
    for (const JSCommands::Vertex3D& v : data.vertices) {
        mesh.vertices.push_back({v.x, v.y, v.z});
    }
    for (const GS::Array<int>& face : data.faces) {
        mesh.faces.emplace_back(face.begin(), face.end());
    }
    return mesh;
}

// Every mesh ("type": "mesh") anywhere in a JSON value, depth first.
inline void CollectMeshes(const rapidjson::Value& value, std::vector<Mesh>& meshes) {
    if (value.IsArray()) {
        for (const auto& item : value.GetArray()) {
            CollectMeshes(item, meshes);
        }
        return;
    }
    if (!value.IsObject()) {
        return;
    }
    if (value.HasMember("type") && value["type"] == "mesh") {
        Mesh& mesh = meshes.emplace_back();
        for (const auto& v : value["vertices"].GetArray()) {
            mesh.vertices.push_back({v[0].GetDouble(), v[1].GetDouble(), v[2].GetDouble()});
        }
        for (const auto& face : value["faces"].GetArray()) {
            std::vector<int>& indices = mesh.faces.emplace_back();
            for (const auto& index : face.GetArray()) {
                indices.push_back(index.GetInt());
            }
        }
        return;
    }
    for (const auto& member : value.GetObject()) {
        CollectMeshes(member.value, meshes);
    }
}

inline std::vector<Mesh> MeshesIn(const std::string& json) {
    rapidjson::Document document;
    document.Parse(json.c_str());
    std::vector<Mesh> meshes;
    if (!document.HasParseError()) {
        CollectMeshes(document, meshes);
    }
    return meshes;
}

inline bool AllTrianglesInRange(const Mesh& mesh) {
    for (const std::vector<int>& face : mesh.faces) {
        if (face.size() != 3) {
            return false;
        }
        for (const int index : face) {
            if (index < 0 || static_cast<size_t>(index) >= mesh.vertices.size()) {
                return false;
            }
        }
    }
    return true;
}

// Every edge is used by exactly two faces; vertices at one position count as one, so that an edge of
// no length (a terrain touching its base) does not open the body.
inline bool IsClosed(const Mesh& mesh) {
    std::map<Point, int> places;
    std::vector<int> place;
    for (const Point& v : mesh.vertices) {
        place.push_back(
            places.try_emplace({v[0] + 0.0, v[1] + 0.0, v[2] + 0.0}, static_cast<int>(places.size()))
                .first->second);
    }
    std::map<std::pair<int, int>, int> uses;
    for (const std::vector<int>& face : mesh.faces) {
        for (size_t k = 0; k < face.size(); ++k) {
            const int a = place[face[k]], b = place[face[(k + 1) % face.size()]];
            if (a != b) {
                ++uses[{std::min(a, b), std::max(a, b)}];
            }
        }
    }
    for (const auto& [edge, count] : uses) {
        if (count != 2) {
            return false;
        }
    }
    return !uses.empty();
}

inline Point Minus(const Point& a, const Point& b) {
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}
inline Point Cross(const Point& a, const Point& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
inline double Dot(const Point& a, const Point& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// Whether the ray from the origin along the direction crosses the triangle (Moeller and Trumbore).
inline bool RayHits(const Point& origin, const Point& direction, const Point& a, const Point& b,
                    const Point& c) {
    const Point ab = Minus(b, a), ac = Minus(c, a);
    const Point p = Cross(direction, ac);
    const double determinant = Dot(ab, p);
    if (std::fabs(determinant) < 1e-18) {
        return false;
    }
    const Point s = Minus(origin, a);
    const double u = Dot(s, p) / determinant;
    const Point q = Cross(s, ab);
    const double v = Dot(direction, q) / determinant;
    const double t = Dot(ac, q) / determinant;
    return u >= 0 && v >= 0 && u + v <= 1 && t > 0;
}

// The faces of a closed mesh whose front (the side their winding's normal points to) is inside the
// body: a ray from just in front of the face, slightly tilted so it misses edges, crosses the body's
// surface an odd number of times.
inline std::vector<size_t> InwardFaces(const Mesh& mesh) {
    Point low = mesh.vertices.front(), high = low;
    for (const Point& v : mesh.vertices) {
        for (int i = 0; i < 3; ++i) {
            low[i] = std::min(low[i], v[i]);
            high[i] = std::max(high[i], v[i]);
        }
    }
    const double step = 1e-6 * std::sqrt(Dot(Minus(high, low), Minus(high, low)));
    std::vector<size_t> inward;
    for (size_t f = 0; f < mesh.faces.size(); ++f) {
        const Point& a = mesh.vertices[mesh.faces[f][0]];
        const Point& b = mesh.vertices[mesh.faces[f][1]];
        const Point& c = mesh.vertices[mesh.faces[f][2]];
        Point normal = Cross(Minus(b, a), Minus(c, a));
        const double length = std::sqrt(Dot(normal, normal));
        if (length < 1e-12) {
            continue;
        }
        normal = {normal[0] / length, normal[1] / length, normal[2] / length};
        const Point origin = {(a[0] + b[0] + c[0]) / 3 + step * normal[0],
                              (a[1] + b[1] + c[1]) / 3 + step * normal[1],
                              (a[2] + b[2] + c[2]) / 3 + step * normal[2]};
        const Point direction = {normal[0] + 0.0123, normal[1] + 0.0456, normal[2] + 0.0789};
        int crossings = 0;
        for (size_t g = 0; g < mesh.faces.size(); ++g) {
            crossings += RayHits(origin, direction, mesh.vertices[mesh.faces[g][0]],
                                 mesh.vertices[mesh.faces[g][1]], mesh.vertices[mesh.faces[g][2]])
                             ? 1
                             : 0;
        }
        if (crossings % 2 == 1) {
            inward.push_back(f);
        }
    }
    return inward;
}

// The area the triangles cover, measured across the given axis (0 x, 1 y, 2 z) as a plan would.
inline double ProjectedArea(const Mesh& mesh, int axis) {
    double area = 0;
    for (const std::vector<int>& face : mesh.faces) {
        const Point n = Cross(Minus(mesh.vertices[face[1]], mesh.vertices[face[0]]),
                              Minus(mesh.vertices[face[2]], mesh.vertices[face[0]]));
        area += std::fabs(n[axis]) / 2;
    }
    return area;
}

} // namespace MeshChecks
