#include "JSCommands/MorphMesh.hpp"

#include "Geometry/FaceTriangulation.hpp"
#include "Model3D/MeshBody.hpp"

#include <cmath>

namespace JSCommands::MorphMesh {

namespace {

constexpr double MillimetresPerMetre = 1000.0;

// Releases the memo's handles on every way out.
struct MemoHolder {
    API_ElementMemo memo = {};
    ~MemoHolder() { ACAPI_DisposeElemMemoHdls(&memo); }
};

Vertex3D Placed(const Geometry::Vector3D& v, const API_Tranmat& placement) {
    const double* m = placement.tmx;
    return {(m[0] * v.x + m[1] * v.y + m[2] * v.z + m[3]) * MillimetresPerMetre,
            (m[4] * v.x + m[5] * v.y + m[6] * v.z + m[7]) * MillimetresPerMetre,
            (m[8] * v.x + m[9] * v.y + m[10] * v.z + m[11]) * MillimetresPerMetre};
}

// The polygon's contours as vertex indices: a polygon edge e > 0 starts at the first vertex of edge
// e - 1, e < 0 at the second vertex of edge -e - 1, and 0 closes a contour (the outer one comes first,
// holes after it). References to missing edges or vertices are passed over.
MeshToolkit::FaceContours Contours(const Modeler::MeshBody& body, const Brep::MeshBrep::Polygon& polygon) {
    MeshToolkit::FaceContours contours;
    contours.Push(GS::Array<int>());
    // Unsigned, so that a negative index lies past the end and is passed over.
    const UInt32 last = static_cast<UInt32>(polygon.lpedg);
    for (UInt32 j = static_cast<UInt32>(polygon.fpedg); j <= last && j < body.GetPolyEdgeCount(); ++j) {
        // Widened, so that negating the most negative reference cannot overflow.
        const Int64 reference = body.GetConstPolyEdge(j);
        if (reference == 0) {
            contours.Push(GS::Array<int>());
            continue;
        }
        const Int64 edgeIndex = reference > 0 ? reference - 1 : -reference - 1;
        if (edgeIndex >= body.GetEdgeCount()) {
            continue;
        }
        const Brep::MeshBrep::Edge& edge = body.GetConstEdge(static_cast<UInt32>(edgeIndex));
        const UInt32 vertex = static_cast<UInt32>(reference > 0 ? edge.vert1 : edge.vert2);
        if (vertex < body.GetVertexCount()) {
            contours.GetLast().Push(static_cast<int>(vertex));
        }
    }
    return contours;
}

} // namespace

bool Read(const API_Guid& morph, const char* category, MeshData& mesh, FaceCount& count,
          GS::UniString& error) {
    API_Element element = {};
    element.header.guid = morph;
    if (const GSErrCode err = ACAPI_Element_Get(&element); err != NoError) {
        error = GS::UniString::Printf("Failed to get Morph element: %d", err);
        return false;
    }
    MemoHolder holder;
    if (const GSErrCode err = ACAPI_Element_GetMemo(morph, &holder.memo, APIMemoMask_All); err != NoError) {
        error = GS::UniString::Printf("Failed to get element memo: %d", err);
        return false;
    }
    if (holder.memo.morphBody == nullptr) {
        error = "Morph body is null";
        return false;
    }
    const Modeler::MeshBody& body = *holder.memo.morphBody;
    mesh.vertices.SetCapacity(body.GetVertexCount());
    for (UInt32 i = 0; i < body.GetVertexCount(); ++i) {
        const Vertex3D vertex = Placed(body.GetConstVertex(i), element.morph.tranmat);
        // The page's JSON has no infinity or NaN; a face without this corner would be misshapen.
        if (!std::isfinite(vertex.x) || !std::isfinite(vertex.y) || !std::isfinite(vertex.z)) {
            error = GS::UniString::Printf("Morph vertex %u is not a finite point", static_cast<unsigned>(i));
            return false;
        }
        mesh.vertices.Push(vertex);
    }
    count.polygons = static_cast<Int32>(body.GetPolygonCount());
    for (UInt32 p = 0; p < body.GetPolygonCount(); ++p) {
        if (!MeshToolkit::AddPolygonFaces(Contours(body, body.GetConstPolygon(p)), mesh, p, category)) {
            ++count.failed;
        }
    }
    return true;
}

} // namespace JSCommands::MorphMesh
