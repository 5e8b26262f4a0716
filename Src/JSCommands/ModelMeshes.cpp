#include "JSCommands/ModelMeshes.hpp"

#include "ACAPinc.h"
#include "Geometry/FaceTriangulation.hpp"
#include "Geometry/MeshOrientation.hpp"
#include "JSCommands/MorphMesh.hpp"
#include "Logging/Logger.hpp"

#include <algorithm>
#include <cmath>

namespace JSCommands::ContextCommands {

namespace {

constexpr const char* Category = "ContextCommands";
constexpr double MillimetresPerMetre = 1000.0;
constexpr const char* DefaultColor = "#AAAAAA";

GSErrCode ReadComponent(API_3DTypeID type, Int32 index, API_Component3D& component) {
    component = {};
    component.header.typeID = type;
    component.header.index = index;
    return ACAPI_ModelAccess_GetComponent(&component);
}

// The polygon's contours (the outer one first, then its holes) as zero-based vertex indices: a polygon
// edge e > 0 starts at the first vertex of edge e, e < 0 at the second vertex of edge -e, and 0 closes a
// contour. False when a polygon edge or an edge cannot be read or names a vertex the body lacks: the
// polygon is then left out whole, as a polygon that cannot be read is, rather than drawn misshapen.
bool ReadContours(const API_PgonType& polygon, Int32 vertexCount, MeshToolkit::FaceContours& contours) {
    contours.Push(GS::Array<int>());
    API_Component3D component = {};
    for (Int32 j = polygon.fpedg; j <= polygon.lpedg; ++j) {
        if (ReadComponent(API_PedgID, j, component) != NoError) {
            return false;
        }
        const Int64 reference = component.pedg.pedg;
        if (reference == 0) {
            contours.Push(GS::Array<int>());
            continue;
        }
        if (ReadComponent(API_EdgeID, static_cast<Int32>(reference > 0 ? reference : -reference),
                          component) != NoError) {
            return false;
        }
        const Int32 vertex = reference > 0 ? component.edge.vert1 : component.edge.vert2;
        if (vertex < 1 || vertex > vertexCount) {
            return false;
        }
        contours.GetLast().Push(vertex - 1);
    }
    return true;
}

JSCommands::Vertex3D Placed(const API_VertType& v, const API_Tranmat& placement, const API_Coord& offset) {
    const double* m = placement.tmx;
    return {(m[0] * v.x + m[1] * v.y + m[2] * v.z + m[3] + offset.x) * MillimetresPerMetre,
            (m[4] * v.x + m[5] * v.y + m[6] * v.z + m[7] + offset.y) * MillimetresPerMetre,
            (m[8] * v.x + m[9] * v.y + m[10] * v.z + m[11]) * MillimetresPerMetre};
}

// One body as a mesh, its visible polygons as triangles (not yet wound outwards). False when the body
// cannot be read, or one of its vertices cannot: a vertex put anywhere would distort the mesh.
bool ReadBody(Int32 bodyIndex, const API_Coord& offset, MeshData& mesh) {
    API_Component3D component = {};
    if (const GSErrCode err = ReadComponent(API_BodyID, bodyIndex, component); err != NoError) {
        Logger::Warning(Category,
                        GS::UniString::Printf("3D body %d left out: it cannot be read (%d)", bodyIndex, err));
        return false;
    }
    const API_BodyType body = component.body;
    mesh.vertices.SetCapacity(static_cast<USize>(std::max(body.nVert, 0)));
    for (Int32 v = 1; v <= body.nVert; ++v) {
        if (const GSErrCode err = ReadComponent(API_VertID, v, component); err != NoError) {
            Logger::Warning(Category,
                            GS::UniString::Printf("3D body %d left out: its vertex %d cannot be read (%d)",
                                                  bodyIndex, v, err));
            return false;
        }
        const JSCommands::Vertex3D vertex = Placed(component.vert, body.tranmat, offset);
        // The page's JSON has no infinity or NaN.
        if (!std::isfinite(vertex.x) || !std::isfinite(vertex.y) || !std::isfinite(vertex.z)) {
            Logger::Warning(Category,
                            GS::UniString::Printf("3D body %d left out: its vertex %d is not a finite point",
                                                  bodyIndex, v));
            return false;
        }
        mesh.vertices.Push(vertex);
    }
    for (Int32 p = 1; p <= body.nPgon; ++p) {
        if (const GSErrCode err = ReadComponent(API_PgonID, p, component); err != NoError) {
            Logger::Warning(Category,
                            GS::UniString::Printf("3D polygon %d of body %d left out: it cannot be read (%d)",
                                                  p, bodyIndex, err));
            continue;
        }
        if ((component.pgon.status & APIPgon_Invis) != 0 || component.pgon.fpedg > component.pgon.lpedg) {
            continue;
        }
        MeshToolkit::FaceContours contours;
        if (!ReadContours(component.pgon, body.nVert, contours)) {
            Logger::Warning(Category, GS::UniString::Printf(
                                          "3D polygon %d of body %d left out: a part of it cannot be read", p,
                                          bodyIndex));
            continue;
        }
        // A face that cannot be triangulated is reported there and left out.
        MeshToolkit::AddPolygonFaces(contours, mesh, static_cast<UInt32>(p), Category);
    }
    return true;
}

GSErrCode Read3DInfo(const API_Guid& element, API_ElemInfo3D& info) {
    API_Elem_Head head = {};
    head.guid = element;
    return ACAPI_ModelAccess_Get3DInfo(head, &info);
}

int ColorChannel(double value) {
    const double scaled = value * 255 + 0.5;
    // Written so that NaN lands on 0.
    return scaled >= 0 ? static_cast<int>(std::min(scaled, 255.0)) : 0;
}

} // namespace

bool ExtractModelMeshes(const API_Guid& element, GS::Array<MeshData>& meshes, GS::UniString& error) {
    API_ElemInfo3D info = {};
    if (const GSErrCode err = Read3DInfo(element, info); err != NoError) {
        error = GS::UniString::Printf("Failed to get 3D info: %d", err);
        return false;
    }
    // Without the offset every vertex would be off by it: better no mesh than a misplaced one. It is
    // in plan only: heights are not offset.
    API_Coord offset = {};
    if (const GSErrCode err = ACAPI_ProjectSetting_GetOffset(&offset); err != NoError) {
        error = GS::UniString::Printf("Failed to get model offset: %d", err);
        return false;
    }
    bool found = false;
    for (Int32 body = info.fbody; body <= info.lbody; ++body) {
        MeshData mesh = {};
        if (!ReadBody(body, offset, mesh)) {
            continue;
        }
        MeshToolkit::OrientFacesOutward(mesh);
        if (!mesh.vertices.IsEmpty() && !mesh.faces.IsEmpty()) {
            meshes.Push(std::move(mesh));
            found = true;
        }
    }
    if (!found) {
        error = "No 3D bodies found for element";
        return false;
    }
    return true;
}

bool ExtractMorphMeshes(const API_Guid& morph, GS::Array<MeshData>& meshes, GS::UniString& error) {
    MeshData mesh = {};
    MorphMesh::FaceCount count = {};
    if (!MorphMesh::Read(morph, Category, mesh, count, error)) {
        return false;
    }
    MeshToolkit::OrientFacesOutward(mesh);
    if (mesh.vertices.IsEmpty() || mesh.faces.IsEmpty()) {
        error = "Morph body has no faces";
        return false;
    }
    meshes.Push(std::move(mesh));
    return true;
}

GS::UniString GetElementColor(const API_Guid& element) {
    API_ElemInfo3D info = {};
    API_Component3D component = {};
    if (Read3DInfo(element, info) != NoError || ReadComponent(API_BodyID, info.fbody, component) != NoError) {
        return DefaultColor;
    }
    const Int32 material = component.body.iumat;
    if (material <= 0 || ReadComponent(API_UmatID, material, component) != NoError) {
        return DefaultColor;
    }
    const API_RGBColor& rgb = component.umat.mater.surfaceRGB;
    return GS::UniString::Printf("#%02x%02x%02x", ColorChannel(rgb.f_red), ColorChannel(rgb.f_green),
                                 ColorChannel(rgb.f_blue));
}

} // namespace JSCommands::ContextCommands
