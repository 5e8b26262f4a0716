#include "JSCommands/ContextCommands.hpp"

#include "ACAPinc.h"
#include "Geometry/ContextJson.hpp"
#include "HashSet.hpp"
#include "JSCommands/ModelMeshes.hpp"
#include "JSCommands/ResultEnvelope.hpp"
#include "JSCommands/SelectedElement.hpp"
#include "Logging/Logger.hpp"

#include <optional>
#include <string>

namespace JSCommands::ContextCommands {

namespace {

constexpr const char* Category = "ContextCommands";
constexpr const char* DefaultColor = "#AAAAAA";
constexpr const char* NothingSelected =
    R"({"success":false,"error":"No elements selected. Please select Morphs, Slabs, Zones, Meshes, or Objects."})";
constexpr const char* NothingExtracted =
    R"({"success":false,"error":"Failed to extract mesh data from any selected element."})";

struct Element {
    API_Guid guid = {};
    API_ElemTypeID kind = API_ZombieElemID;
};

// The selection as the context arranges it, each part in selection order.
struct Buckets {
    GS::Array<Element> direct;   // slabs, meshes, zones and morphs outside groups
    GS::Array<API_Guid> objects; // objects outside groups
    // Each group once, with all its members, selected or not; in the order they were first met.
    GS::Array<GS::Array<API_Guid>> groups;
};

// The element's type when it can be read and is one the context takes.
std::optional<API_ElemTypeID> ContextKind(const API_Guid& guid) {
    API_Element element = {};
    element.header.guid = guid;
    if (!ReadSelectedElement(element, Category)) {
        return std::nullopt;
    }
    switch (const API_ElemTypeID type = element.header.type.typeID) {
    case API_ObjectID:
    case API_SlabID:
    case API_MeshID:
    case API_ZoneID:
    case API_MorphID:
        return type;
    default:
        return std::nullopt;
    }
}

Buckets SortSelection(const GS::Array<API_Neig>& selection) {
    Buckets buckets;
    GS::HashSet<API_Guid> seenGroups;
    for (const API_Neig& neig : selection) {
        const std::optional<API_ElemTypeID> kind = ContextKind(neig.guid);
        if (!kind) {
            continue;
        }
        API_Guid group = {};
        // The outermost group, with every element below it: a nested group is part of its root's.
        if (ACAPI_Grouping_GetRootGroup(neig.guid, &group) == NoError && group != APINULLGuid) {
            if (seenGroups.Add(group)) {
                GS::Array<API_Guid> members;
                if (const GSErrCode err = ACAPI_Grouping_GetAllGroupedElems(group, &members);
                    err != NoError) {
                    Logger::Warning(Category,
                                    GS::UniString::Printf("Failed to get the elements of group %s: %d",
                                                          APIGuidToString(group).ToCStr().Get(), err));
                }
                buckets.groups.Push(std::move(members));
            }
        } else if (*kind == API_ObjectID) {
            buckets.objects.Push(neig.guid);
        } else {
            buckets.direct.Push({neig.guid, *kind});
        }
    }
    return buckets;
}

bool ExtractMeshes(const Element& element, GS::Array<MeshData>& meshes, GS::UniString& error) {
    return element.kind == API_MorphID ? ExtractMorphMeshes(element.guid, meshes, error)
                                       : ExtractModelMeshes(element.guid, meshes, error);
}

std::string Escaped(const GS::UniString& text) {
    return EscapeJsonString(text).ToCStr(CC_UTF8).Get();
}

// The context as it is written, and how many elements (for direct elements: meshes) gave it meshes.
struct Context {
    ContextJson::ContextWriter writer;
    Int32 extracted = 0;
};

void AddMeshes(const GS::Array<MeshData>& meshes, ContextJson::ContextWriter& writer) {
    for (const MeshData& mesh : meshes) {
        writer.AddMesh(mesh);
    }
}

void AddDirectElements(const GS::Array<Element>& direct, Context& context) {
    for (const Element& element : direct) {
        GS::Array<MeshData> meshes;
        GS::UniString error;
        if (!ExtractMeshes(element, meshes, error)) {
            Logger::Warning(Category, "Direct mesh extraction failed: " + error);
            continue;
        }
        AddMeshes(meshes, context.writer);
        context.extracted += static_cast<Int32>(meshes.GetSize());
    }
}

void AddObjects(const GS::Array<API_Guid>& objects, Context& context) {
    context.writer.OpenGroup();
    // Numbered over the objects that gave meshes.
    int number = 0;
    for (const API_Guid& object : objects) {
        GS::Array<MeshData> meshes;
        GS::UniString error;
        if (!ExtractModelMeshes(object, meshes, error)) {
            Logger::Warning(Category, "Object mesh extraction failed: " + error);
            continue;
        }
        ++context.extracted;
        context.writer.OpenGroup();
        AddMeshes(meshes, context.writer);
        context.writer.CloseGroup(GS::UniString::Printf("object%d", ++number).ToCStr().Get(),
                                  Escaped(GetElementColor(object)));
    }
    context.writer.CloseGroup("objects", DefaultColor);
}

void AddGroups(const GS::Array<GS::Array<API_Guid>>& groups, Context& context) {
    context.writer.OpenGroup();
    // Numbered over all groups, empty ones too.
    int number = 0;
    for (const GS::Array<API_Guid>& members : groups) {
        context.writer.OpenGroup();
        std::optional<GS::UniString> colour;
        for (const API_Guid& member : members) {
            const std::optional<API_ElemTypeID> kind = ContextKind(member);
            if (!kind) {
                continue;
            }
            GS::Array<MeshData> meshes;
            GS::UniString error;
            if (!ExtractMeshes({member, *kind}, meshes, error)) {
                Logger::Warning(Category, "Group member mesh extraction failed: " + error);
                continue;
            }
            AddMeshes(meshes, context.writer);
            ++context.extracted;
            if (!colour) {
                colour = GetElementColor(member);
            }
        }
        context.writer.CloseGroup(GS::UniString::Printf("group%d", ++number).ToCStr().Get(),
                                  Escaped(colour.value_or(DefaultColor)));
    }
    context.writer.CloseGroup("groups", DefaultColor);
}

} // namespace

GS::Ref<JS::Base> GetContext(GS::Ref<JS::Base>) {
    API_SelectionInfo info = {};
    GS::Array<API_Neig> selection;
    if (ACAPI_Selection_Get(&info, &selection, false) != NoError || selection.IsEmpty()) {
        return GS::NewRef<JS::Value>(NothingSelected);
    }
    const Buckets buckets = SortSelection(selection);
    Context context;
    AddDirectElements(buckets.direct, context);
    if (!buckets.objects.IsEmpty()) {
        AddObjects(buckets.objects, context);
    }
    if (!buckets.groups.IsEmpty()) {
        AddGroups(buckets.groups, context);
    }
    if (context.extracted == 0) {
        return GS::NewRef<JS::Value>(NothingExtracted);
    }
    const std::string hash = context.writer.Finish("custom geometry", DefaultColor);
    Logger::Info(Category, GS::UniString::Printf("Context JSON generated: %d elements extracted, hash=%s",
                                                 context.extracted, hash.c_str()));
    return GS::NewRef<JS::Value>(GS::UniString(context.writer.Text(), CC_UTF8));
}

} // namespace JSCommands::ContextCommands
