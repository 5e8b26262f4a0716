#include "JSCommands/MorphCommands.hpp"

#include "ACAPinc.h"
#include "Geometry/MeshOrientation.hpp"
#include "JSCommands/MorphMesh.hpp"
#include "JSCommands/ResultEnvelope.hpp"
#include "JSCommands/SelectedElement.hpp"
#include "Logging/HostReport.hpp"
#include "Logging/Logger.hpp"

namespace JSCommands::MorphCommands {

namespace {

constexpr const char* Category = "MorphCommands";

// The selected elements that can be read and are morphs, in selection order.
GS::Array<API_Guid> SelectedMorphs() {
    API_SelectionInfo info = {};
    GS::Array<API_Neig> selection;
    GS::Array<API_Guid> morphs;
    if (ACAPI_Selection_Get(&info, &selection, false) != NoError) {
        return morphs;
    }
    for (const API_Neig& neig : selection) {
        API_Element element = {};
        element.header.guid = neig.guid;
        if (ReadSelectedElement(element, Category) && element.header.type.typeID == API_MorphID) {
            morphs.Push(neig.guid);
        }
    }
    return morphs;
}

GS::Ref<JS::Base> MeshObject(const MeshData& mesh) {
    auto vertices = GS::NewRef<JS::Array>();
    for (const Vertex3D& vertex : mesh.vertices) {
        auto point = GS::NewRef<JS::Array>();
        point->AddItem(GS::NewRef<JS::Value>(vertex.x));
        point->AddItem(GS::NewRef<JS::Value>(vertex.y));
        point->AddItem(GS::NewRef<JS::Value>(vertex.z));
        vertices->AddItem(point);
    }
    auto faces = GS::NewRef<JS::Array>();
    for (const GS::Array<int>& face : mesh.faces) {
        auto indices = GS::NewRef<JS::Array>();
        for (const int index : face) {
            indices->AddItem(GS::NewRef<JS::Value>(Int32(index)));
        }
        faces->AddItem(indices);
    }
    auto object = GS::NewRef<JS::Object>();
    object->AddItem("vertices", vertices);
    object->AddItem("faces", faces);
    object->AddItem("type", GS::NewRef<JS::Value>("mesh"));
    return object;
}

} // namespace

GS::Ref<JS::Base> GetBuildingMassAsJson(GS::Ref<JS::Base>) {
    const GS::Array<API_Guid> morphs = SelectedMorphs();
    if (morphs.IsEmpty()) {
        return ErrorObject("No Morph elements selected. Please select at least one Morph.");
    }
    auto meshes = GS::NewRef<JS::Array>();
    for (const API_Guid& morph : morphs) {
        MeshData mesh = {};
        GS::UniString error;
        if (!ExtractMorphMesh(morph, mesh, error)) {
            Logger::Error(Category, error);
            return ErrorObject(error);
        }
        meshes->AddItem(MeshObject(mesh));
    }
    auto result = GS::NewRef<JS::Object>();
    result->AddItem("version", GS::NewRef<JS::Value>(Int32(1)));
    result->AddItem("type", GS::NewRef<JS::Value>("array<mesh>"));
    result->AddItem("value", meshes);
    return result;
}

bool ExtractMorphMesh(const API_Guid& morph, MeshData& mesh, GS::UniString& error) {
    MorphMesh::FaceCount count = {};
    if (!MorphMesh::Read(morph, Category, mesh, count, error)) {
        return false;
    }
    if (count.failed > 0) {
        error = GS::UniString::Printf("Failed to triangulate %d faces out of %d total faces.", count.failed,
                                      count.polygons);
        Logger::Warning(Category, error);
        HostReport::Write(error);
        return false;
    }
    MeshToolkit::OrientFacesOutward(mesh);
    return true;
}

} // namespace JSCommands::MorphCommands
