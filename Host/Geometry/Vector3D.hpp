#pragma once

// Geometry's 3D vector: a body's vertices are these.
namespace Geometry {

template <typename Coordinate>
class Vector3 {
public:
    Coordinate x{};
    Coordinate y{};
    Coordinate z{};

    Vector3() = default;
    constexpr Vector3(const Coordinate& x, const Coordinate& y, const Coordinate& z) : x(x), y(y), z(z) {}

    bool operator==(const Vector3&) const = default;
};

typedef Vector3<double> Coord3D, Vector3D, Vector3d, COORD3, Point3D;
typedef Vector3<float> F_Coord3D;

} // namespace Geometry

using Geometry::COORD3;
using Geometry::Coord3D;
using Geometry::F_Coord3D;
using Geometry::Point3D;
using Geometry::Vector3d;
using Geometry::Vector3D;
