#pragma once

#include "ACAPinc.h"

#include <map>
#include <memory>
#include <vector>

// The project's attribute tables. Indices start at 1 per type; names are unique per type and
// looked up exactly (case-sensitive).
namespace StandIn {

// The record keeps no pointer to a caller's text: its name is also here as given, its narrow name in
// the default code page; a building material's texts are here alone.
struct StoredAttribute {
    API_Attribute attribute = {};
    GS::UniString name;
    GS::UniString id;
    GS::UniString manufacturer;
    GS::UniString description;
    // The texture file a surface refers to, owned here so the record's pointer stays valid.
    std::shared_ptr<IO::Location> textureFile;
};

struct AttributeTables {
    std::map<API_AttrTypeID, std::vector<StoredAttribute>> byType;
};

HOST_API AttributeTables& Attributes();
// What a new project has: a default layer, solid and vector fills, named surfaces (some textured),
// a general building material and the usual zone categories.
HOST_API AttributeTables NewProjectAttributes();
// The attribute of the type at the index, or null.
HOST_API const StoredAttribute* FindAttribute(API_AttrTypeID type, API_AttributeIndex index);
// Adds an attribute as a project file or a test does, named as creation takes the name (the header's
// uniStringNamePtr, else its narrow name); returns its index.
HOST_API API_AttributeIndex AddAttribute(const API_Attribute& attribute,
                                         const IO::Location* textureFile = nullptr);

} // namespace StandIn
