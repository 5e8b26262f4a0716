#include "StandIn/Attributes.hpp"

#include "StandIn/Faults.hpp"
#include "StandIn/Model3D.hpp"
#include "StandIn/Project.hpp"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace StandIn {

AttributeTables& Attributes() {
    static AttributeTables tables = NewProjectAttributes();
    return tables;
}

namespace {

std::string TypeName(API_AttrTypeID type) {
    switch (type) {
    case API_LayerID:
        return "Layer";
    case API_FilltypeID:
        return "Fill";
    case API_MaterialID:
        return "Surface";
    case API_ZoneCatID:
        return "ZoneCategory";
    case API_BuildingMaterialID:
        return "BuildingMaterial";
    default:
        return std::to_string(static_cast<Int32>(type));
    }
}

bool KnownType(API_AttrTypeID type) {
    return type == API_LayerID || type == API_FilltypeID || type == API_MaterialID || type == API_ZoneCatID ||
           type == API_BuildingMaterialID;
}

// The name a caller gives: the UniString the header points to, else the narrow name, which the host
// reads in the default code page.
GS::UniString GivenName(const API_Attr_Head& head) {
    return head.uniStringNamePtr != nullptr ? *head.uniStringNamePtr : GS::UniString(head.name);
}

// Fills a header's names as the host does: the narrow one, cut to fit, and the caller's UniString.
void FillName(API_Attr_Head* head, const GS::UniString& name) {
    std::snprintf(head->name, sizeof(head->name), "%s", name.ToCStr().Get());
    if (head->uniStringNamePtr != nullptr) {
        *head->uniStringNamePtr = name;
    }
}

// A building material's texts go to the strings the caller's record points to.
void FillTexts(const StoredAttribute& stored, API_Attribute* attribute) {
    API_BuildingMaterialType& material = attribute->buildingMaterial;
    for (auto [target, text] :
         {std::pair{material.id, &stored.id}, std::pair{material.manufacturer, &stored.manufacturer},
          std::pair{material.description, &stored.description}}) {
        if (target != nullptr) {
            *target = *text;
        }
    }
}

// A failure armed for the call, narrowed by attribute type, or by type and name.
std::optional<GSErrCode> FaultFor(const std::string& call, const API_Attr_Head& head) {
    std::string typed = call + ":" + TypeName(head.typeID);
    for (const std::string& name : {call, typed, typed + ":" + GivenName(head).ToCStr().Get()}) {
        if (auto code = Faults::Take(name)) {
            return code;
        }
    }
    return std::nullopt;
}

// With a name instead, an attribute is read by its name.
const API_AttributeIndex NoIndex = ACAPI_CreateAttributeIndex(0);

StoredAttribute* Find(AttributeTables& tables, const API_Attr_Head& head) {
    auto& table = tables.byType[head.typeID];
    const GS::UniString name = head.index != NoIndex ? GS::UniString() : GivenName(head);
    auto found = std::find_if(table.begin(), table.end(), [&](const StoredAttribute& stored) {
        return head.index != NoIndex ? stored.attribute.header.index == head.index : stored.name == name;
    });
    return found == table.end() ? nullptr : &*found;
}

// Takes the record with the name and texts; the stored record points to none of the caller's.
void Keep(StoredAttribute* stored, const API_Attribute& attribute, const GS::UniString& name) {
    stored->attribute = attribute;
    stored->name = name;
    stored->attribute.header.uniStringNamePtr = nullptr;
    FillName(&stored->attribute.header, stored->name);
    if (attribute.header.typeID == API_BuildingMaterialID) {
        const API_BuildingMaterialType& material = attribute.buildingMaterial;
        stored->id = material.id != nullptr ? *material.id : GS::UniString();
        stored->manufacturer = material.manufacturer != nullptr ? *material.manufacturer : GS::UniString();
        stored->description = material.description != nullptr ? *material.description : GS::UniString();
        stored->attribute.buildingMaterial.id = nullptr;
        stored->attribute.buildingMaterial.manufacturer = nullptr;
        stored->attribute.buildingMaterial.description = nullptr;
    }
}

API_AttributeIndex Add(AttributeTables& tables, const API_Attribute& attribute,
                       const IO::Location* textureFile) {
    auto& table = tables.byType[attribute.header.typeID];
    StoredAttribute stored;
    Keep(&stored, attribute, GivenName(attribute.header));
    stored.attribute.header.index = ACAPI_CreateAttributeIndex(static_cast<Int32>(table.size()) + 1);
    if (textureFile != nullptr) {
        stored.textureFile = std::make_shared<IO::Location>(*textureFile);
    }
    if (attribute.header.typeID == API_MaterialID) {
        stored.attribute.material.texture.fileLoc = stored.textureFile.get();
    }
    table.push_back(stored);
    Model3DChanged();
    return stored.attribute.header.index;
}

API_Attribute Named(API_AttrTypeID type, const char* name) {
    API_Attribute attribute = {};
    attribute.header.typeID = type;
    std::snprintf(attribute.header.name, sizeof(attribute.header.name), "%s", name);
    return attribute;
}

API_Attribute Fill(const char* name, API_FillSubtype subType) {
    API_Attribute fill = Named(API_FilltypeID, name);
    fill.filltype.subType = subType;
    return fill;
}

API_Attribute Surface(const char* name, double r, double g, double b, short transparency = 0) {
    API_Attribute surface = Named(API_MaterialID, name);
    surface.material.mtype = APIMater_MatteID;
    surface.material.surfaceRGB = {r, g, b};
    surface.material.transpPc = transparency;
    return surface;
}

} // namespace

const StoredAttribute* FindAttribute(API_AttrTypeID type, API_AttributeIndex index) {
    const auto& table = Attributes().byType[type];
    const Int32 number = index.ToInt32_Deprecated();
    return number >= 1 && static_cast<size_t>(number) <= table.size()
               ? &table[static_cast<size_t>(number) - 1]
               : nullptr;
}

API_AttributeIndex AddAttribute(const API_Attribute& attribute, const IO::Location* textureFile) {
    return Add(Attributes(), attribute, textureFile);
}

AttributeTables NewProjectAttributes() {
    AttributeTables tables;
    Add(tables, Named(API_LayerID, "Archicad Layer"), nullptr);
    Add(tables, Named(API_LayerID, "Structural - Bearing"), nullptr);
    Add(tables, Named(API_LayerID, "Interior - Furniture"), nullptr);
    for (const API_Attribute& fill :
         {Fill("Empty Fill", APIFill_Empty), Fill("Background", APIFill_Solid), Fill("Brick", APIFill_Vector),
          Fill("Solid Fill", APIFill_Solid), Fill("Concrete", APIFill_Symbol)}) {
        Add(tables, fill, nullptr);
    }
    IO::Location oak("Textures/Wood - Oak.jpg");
    Add(tables, Surface("Wood - Oak", 0.6, 0.45, 0.3), &oak);
    Add(tables, Surface("Glass - Clear", 0.8, 0.9, 0.95, 80), nullptr);
    Add(tables, Surface("White", 1.0, 1.0, 1.0), nullptr);
    Add(tables, Surface("Gray", 0.5, 0.5, 0.5), nullptr);
    API_Attribute general = Named(API_BuildingMaterialID, "General");
    general.buildingMaterial.cutFill = ACAPI_CreateAttributeIndex(3);
    general.buildingMaterial.cutMaterial = ACAPI_CreateAttributeIndex(3);
    general.buildingMaterial.connPriority = 50;
    Add(tables, general, nullptr);
    const std::pair<const char*, API_RGBColor> categories[] = {
        {"Living Area", {0.96, 0.89, 0.71}}, {"Kitchen", {0.95, 0.84, 0.77}},
        {"Bathroom", {0.79, 0.87, 0.95}},    {"Bedroom", {0.81, 0.91, 0.79}},
        {"Circulation", {0.89, 0.89, 0.89}}, {"Storage", {0.85, 0.82, 0.93}},
        {"Technical", {0.94, 0.82, 0.88}}};
    for (const auto& [name, colour] : categories) {
        API_Attribute category = Named(API_ZoneCatID, name);
        category.zoneCat.rgb = colour;
        Add(tables, category, nullptr);
    }
    return tables;
}

} // namespace StandIn

using namespace StandIn;

GSErrCode ACAPI_Attribute_Get(API_Attribute* attribute) {
    if (auto code = FaultFor("ACAPI_Attribute_Get", attribute->header)) {
        return *code;
    }
    if (!KnownType(attribute->header.typeID)) {
        return APIERR_BADPARS;
    }
    StoredAttribute* stored = Find(Attributes(), attribute->header);
    if (stored == nullptr) {
        return attribute->header.index != NoIndex ? APIERR_BADINDEX : APIERR_BADNAME;
    }
    GS::UniString* namePtr = attribute->header.uniStringNamePtr;
    const API_BuildingMaterialType texts = attribute->buildingMaterial;
    *attribute = stored->attribute;
    attribute->header.uniStringNamePtr = namePtr;
    FillName(&attribute->header, stored->name);
    if (stored->attribute.header.typeID == API_BuildingMaterialID) {
        attribute->buildingMaterial.id = texts.id;
        attribute->buildingMaterial.manufacturer = texts.manufacturer;
        attribute->buildingMaterial.description = texts.description;
        FillTexts(*stored, attribute);
    }
    return NoError;
}

GSErrCode ACAPI_Attribute_Create(API_Attribute* attribute, API_AttributeDef*) {
    if (auto code = FaultFor("ACAPI_Attribute_Create", attribute->header)) {
        return *code;
    }
    if (!KnownType(attribute->header.typeID) || GivenName(attribute->header).IsEmpty()) {
        return APIERR_BADPARS;
    }
    API_Attr_Head byName = attribute->header;
    byName.index = NoIndex;
    if (Find(Attributes(), byName) != nullptr) {
        return APIERR_ATTREXIST;
    }
    BeforeAttributeChange();
    attribute->header.index =
        Add(Attributes(), *attribute,
            attribute->header.typeID == API_MaterialID ? attribute->material.texture.fileLoc : nullptr);
    return NoError;
}

GSErrCode ACAPI_Attribute_Modify(API_Attribute* attribute, API_AttributeDef*) {
    if (auto code = FaultFor("ACAPI_Attribute_Modify", attribute->header)) {
        return *code;
    }
    if (attribute->header.index == NoIndex) {
        return APIERR_BADINDEX;
    }
    StoredAttribute* stored = Find(Attributes(), attribute->header);
    if (stored == nullptr) {
        return APIERR_BADINDEX;
    }
    API_Attr_Head byName = attribute->header;
    byName.index = NoIndex;
    StoredAttribute* sameName = Find(Attributes(), byName);
    if (sameName != nullptr && sameName != stored) {
        return APIERR_ATTREXIST;
    }
    BeforeAttributeChange();
    if (attribute->header.typeID == API_MaterialID) {
        IO::Location* texture = attribute->material.texture.fileLoc;
        stored->textureFile = texture != nullptr ? std::make_shared<IO::Location>(*texture) : nullptr;
    }
    // A record read without a UniString name keeps the stored name while its narrow name is unchanged.
    const bool sameNarrowName = attribute->header.uniStringNamePtr == nullptr &&
                                std::strcmp(attribute->header.name, stored->attribute.header.name) == 0;
    Keep(stored, *attribute, sameNarrowName ? GS::UniString(stored->name) : GivenName(attribute->header));
    if (attribute->header.typeID == API_MaterialID) {
        stored->attribute.material.texture.fileLoc = stored->textureFile.get();
    }
    return NoError;
}
