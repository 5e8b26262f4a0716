#include "Geometry/FaceNormal.hpp"

#include <cmath>

namespace MeshToolkit {

bool ComputeFaceNormal(const GS::Array<int>& face, const JSCommands::MeshData& mesh, double& nx, double& ny,
                       double& nz) {
    nx = ny = nz = 0;
    const USize count = face.GetSize();
    if (count < 3) {
        return false;
    }
    // Each vertex with the one after it, the last with the first.
    const JSCommands::Vertex3D* a = &mesh.vertices[static_cast<USize>(face.GetLast())];
    for (const int index : face) {
        const JSCommands::Vertex3D* b = &mesh.vertices[static_cast<USize>(index)];
        nx += (a->y - b->y) * (a->z + b->z);
        ny += (a->z - b->z) * (a->x + b->x);
        nz += (a->x - b->x) * (a->y + b->y);
        a = b;
    }
    const double length = std::sqrt(nx * nx + ny * ny + nz * nz);
    // A non-finite length (a vertex far out or not a number) gives no direction either.
    if (!std::isfinite(length) || length < DegenerateNormalLength) {
        return false;
    }
    nx /= length;
    ny /= length;
    nz /= length;
    return true;
}

} // namespace MeshToolkit
