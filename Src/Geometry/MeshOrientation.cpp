#include "Geometry/MeshOrientation.hpp"

#include "Geometry/FaceNormal.hpp"

#include <array>
#include <cmath>
#include <functional>
#include <unordered_map>
#include <vector>

namespace MeshToolkit {

namespace {

using JSCommands::MeshData;
using JSCommands::Vertex3D;

struct Vector {
    double x = 0;
    double y = 0;
    double z = 0;
};

Vector Minus(const Vertex3D& a, const Vector& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

Vector Cross(const Vector& a, const Vector& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

double Dot(const Vector& a, const Vector& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

// The faces that are proper triangles: three different vertices of the mesh. Corners name vertices by
// their position, so that vertices the body repeats at one place (the ends of an edge of no length)
// join the faces around them as one vertex does.
struct Triangles {
    std::vector<USize> faces;
    std::vector<std::array<UInt32, 3>> corners;
};

struct PositionHash {
    size_t operator()(const std::array<double, 3>& p) const {
        size_t hash = 0;
        for (const double coordinate : p) {
            hash = hash * 1000003u ^ std::hash<double>{}(coordinate);
        }
        return hash;
    }
};

std::vector<UInt32> PlaceNumbers(const MeshData& mesh) {
    std::unordered_map<std::array<double, 3>, UInt32, PositionHash> places;
    places.reserve(mesh.vertices.GetSize());
    std::vector<UInt32> numbers;
    numbers.reserve(mesh.vertices.GetSize());
    for (const Vertex3D& v : mesh.vertices) {
        // + 0.0 makes -0 and 0 one place.
        numbers.push_back(
            places.try_emplace({v.x + 0.0, v.y + 0.0, v.z + 0.0}, static_cast<UInt32>(places.size()))
                .first->second);
    }
    return numbers;
}

Triangles CollectTriangles(const MeshData& mesh, const std::vector<UInt32>& places) {
    Triangles triangles;
    const USize vertexCount = mesh.vertices.GetSize();
    auto inRange = [vertexCount](int index) { return index >= 0 && static_cast<USize>(index) < vertexCount; };
    USize faceNumber = 0;
    for (const GS::Array<int>& face : mesh.faces) {
        if (face.GetSize() == 3 && inRange(face[0]) && inRange(face[1]) && inRange(face[2])) {
            const UInt32 a = places[face[0]], b = places[face[1]], c = places[face[2]];
            if (a != b && b != c && a != c) {
                triangles.faces.push_back(faceNumber);
                triangles.corners.push_back({a, b, c});
            }
        }
        ++faceNumber;
    }
    return triangles;
}

// Across each of a triangle's three edges (corner k to corner k + 1): the one other triangle using that
// edge, or none when the edge is on the border or shared by more than two.
struct Neighbours {
    static constexpr Int32 Border = -1;
    static constexpr Int32 Branching = -2;
    std::vector<std::array<Int32, 3>> across;
    // Whether the neighbour runs the shared edge in the same direction, so its winding is the opposite.
    std::vector<std::array<bool, 3>> sameDirection;
};

Neighbours FindNeighbours(const Triangles& triangles, USize vertexCount) {
    const size_t count = triangles.corners.size();
    // The triangles at each vertex, as one list cut into runs.
    std::vector<UInt32> start(static_cast<size_t>(vertexCount) + 1, 0);
    for (const auto& corners : triangles.corners) {
        for (const UInt32 v : corners) {
            ++start[v + 1];
        }
    }
    for (size_t v = 0; v < vertexCount; ++v) {
        start[v + 1] += start[v];
    }
    std::vector<UInt32> atVertex(start.back());
    std::vector<UInt32> filled(start.begin(), start.end() - 1);
    for (UInt32 t = 0; t < count; ++t) {
        for (const UInt32 v : triangles.corners[t]) {
            atVertex[filled[v]++] = t;
        }
    }
    Neighbours neighbours;
    neighbours.across.resize(count);
    neighbours.sameDirection.resize(count);
    for (UInt32 t = 0; t < count; ++t) {
        const auto& corners = triangles.corners[t];
        for (int k = 0; k < 3; ++k) {
            const UInt32 a = corners[k], b = corners[(k + 1) % 3];
            Int32 found = Neighbours::Border;
            bool same = false;
            for (UInt32 i = start[a]; i < start[a + 1]; ++i) {
                const UInt32 u = atVertex[i];
                const auto& other = triangles.corners[u];
                const int at = other[0] == b ? 0 : other[1] == b ? 1 : other[2] == b ? 2 : -1;
                if (u == t || at < 0) {
                    continue;
                }
                if (found != Neighbours::Border) {
                    found = Neighbours::Branching;
                    break;
                }
                found = static_cast<Int32>(u);
                // The other runs a -> b when a comes just before b in it.
                same = other[(at + 2) % 3] == a;
            }
            neighbours.across[t][k] = found;
            neighbours.sameDirection[t][k] = same;
        }
    }
    return neighbours;
}

// A connected piece of triangles wound alike where possible.
struct Piece {
    std::vector<UInt32> triangles;
    bool consistent = true;
    bool closed = true;
};

std::vector<Piece> WindPiecesAlike(const Neighbours& neighbours, std::vector<char>& flipped) {
    const size_t count = neighbours.across.size();
    std::vector<char> seen(count, 0);
    std::vector<Piece> pieces;
    std::vector<UInt32> queue;
    for (UInt32 first = 0; first < count; ++first) {
        if (seen[first]) {
            continue;
        }
        Piece& piece = pieces.emplace_back();
        seen[first] = 1;
        queue.assign(1, first);
        for (size_t next = 0; next < queue.size(); ++next) {
            const UInt32 t = queue[next];
            piece.triangles.push_back(t);
            for (int k = 0; k < 3; ++k) {
                const Int32 u = neighbours.across[t][k];
                if (u < 0) {
                    piece.closed = false;
                    continue;
                }
                const char wanted = static_cast<char>(flipped[t] ^ neighbours.sameDirection[t][k]);
                if (!seen[u]) {
                    seen[u] = 1;
                    flipped[u] = wanted;
                    queue.push_back(static_cast<UInt32>(u));
                } else if (flipped[u] != wanted) {
                    piece.consistent = false;
                }
            }
        }
    }
    return pieces;
}

// The triangle's vertices as wound: its face's indices, the second and third swapped when flipped.
std::array<USize, 3> WoundVertices(const MeshData& mesh, const Triangles& triangles, UInt32 t, bool flipped) {
    const GS::Array<int>& face = mesh.faces[triangles.faces[t]];
    const auto a = static_cast<USize>(face[0]), b = static_cast<USize>(face[1]),
               c = static_cast<USize>(face[2]);
    return flipped ? std::array<USize, 3>{a, c, b} : std::array<USize, 3>{a, b, c};
}

// Six times the piece's signed volume as wound, and the sum of its terms' sizes to judge it by.
std::pair<double, double> Volume(const MeshData& mesh, const Triangles& triangles, const Piece& piece,
                                 const std::vector<char>& flipped, const Vector& centre) {
    double volume = 0, size = 0;
    for (const UInt32 t : piece.triangles) {
        const auto c = WoundVertices(mesh, triangles, t, flipped[t]);
        const double term =
            Dot(Minus(mesh.vertices[c[0]], centre),
                Cross(Minus(mesh.vertices[c[1]], centre), Minus(mesh.vertices[c[2]], centre)));
        volume += term;
        size += std::fabs(term);
    }
    return {volume, size};
}

// How much the piece as wound faces away from the centre: its area-weighted normals against the
// directions from the centre to its triangles.
double Outwardness(const MeshData& mesh, const Triangles& triangles, const Piece& piece,
                   const std::vector<char>& flipped, const Vector& centre) {
    double sum = 0;
    for (const UInt32 t : piece.triangles) {
        const auto c = WoundVertices(mesh, triangles, t, flipped[t]);
        const Vertex3D& a = mesh.vertices[c[0]];
        const Vertex3D& b = mesh.vertices[c[1]];
        const Vertex3D& d = mesh.vertices[c[2]];
        const Vector middle = {(a.x + b.x + d.x) / 3 - centre.x, (a.y + b.y + d.y) / 3 - centre.y,
                               (a.z + b.z + d.z) / 3 - centre.z};
        const Vector normal = Cross(Minus(b, {a.x, a.y, a.z}), Minus(d, {a.x, a.y, a.z}));
        sum += Dot(middle, normal);
    }
    return sum;
}

// The face's own normal against the direction to the centre: true when it points inwards.
bool FacesCentre(const MeshData& mesh, const GS::Array<int>& face, const Vector& centre) {
    double nx = 0, ny = 0, nz = 0;
    if (!ComputeFaceNormal(face, mesh, nx, ny, nz)) {
        return false;
    }
    Vector middle;
    for (const int index : face) {
        const Vertex3D& v = mesh.vertices[static_cast<USize>(index)];
        middle = {middle.x + v.x / 3, middle.y + v.y / 3, middle.z + v.z / 3};
    }
    return Dot({centre.x - middle.x, centre.y - middle.y, centre.z - middle.z}, {nx, ny, nz}) > 0;
}

Vector Centroid(const MeshData& mesh) {
    Vector sum;
    for (const Vertex3D& v : mesh.vertices) {
        sum = {sum.x + v.x, sum.y + v.y, sum.z + v.z};
    }
    const double count = mesh.vertices.GetSize();
    return {sum.x / count, sum.y / count, sum.z / count};
}

// A closed piece's volume is trusted once it stands out from the rounding of its terms.
constexpr double VolumeTolerance = 1e-9;

} // namespace

void OrientFacesOutward(MeshData& mesh) {
    if (mesh.vertices.IsEmpty()) {
        return;
    }
    const Vector centre = Centroid(mesh);
    const std::vector<UInt32> places = PlaceNumbers(mesh);
    const Triangles triangles = CollectTriangles(mesh, places);
    const Neighbours neighbours = FindNeighbours(triangles, mesh.vertices.GetSize());
    std::vector<char> flipped(triangles.corners.size(), 0);
    for (const Piece& piece : WindPiecesAlike(neighbours, flipped)) {
        if (!piece.consistent) {
            for (const UInt32 t : piece.triangles) {
                flipped[t] = FacesCentre(mesh, mesh.faces[triangles.faces[t]], centre);
            }
            continue;
        }
        double outwards = 0;
        if (piece.closed) {
            const auto [volume, size] = Volume(mesh, triangles, piece, flipped, centre);
            outwards = std::fabs(volume) > VolumeTolerance * size ? volume : 0;
        }
        if (outwards == 0) {
            outwards = Outwardness(mesh, triangles, piece, flipped, centre);
        }
        if (outwards < 0) {
            for (const UInt32 t : piece.triangles) {
                flipped[t] = !flipped[t];
            }
        }
    }
    for (size_t t = 0; t < triangles.faces.size(); ++t) {
        if (flipped[t]) {
            GS::Array<int>& face = mesh.faces[triangles.faces[t]];
            std::swap(face[1], face[2]);
        }
    }
}

} // namespace MeshToolkit
