#include "Builders/MaterialManager.hpp"

#include "Logging/Logger.hpp"

#include <optional>

namespace Tolva::Builders {

namespace {

constexpr const char* Category = "MaterialManager";
constexpr const char* MaterialName = "Tolva Material";
constexpr const char* SurfaceName = "Tolva Surface";
constexpr const char* ReferenceAttributesMissing = "Failed to get reference attributes for material creation";
constexpr const char* PlainSurfaceNames[] = {"White", "Gray", "Grey", "Generic", "Plain"};
// Fills and surfaces are looked for among these indices.
constexpr Int32 LastScannedIndex = 1000;
constexpr Int32 MaterialIntersectionPriority = 100;
constexpr short CutFillPen = 91;
constexpr double SurfaceGrey = 0.7;

struct MaterialCache {
    bool valid = false;
    API_AttributeIndex index = {};
};

MaterialCache& Cache() {
    static MaterialCache cache;
    return cache;
}

// An attribute to read or create by the name; the name must outlive the record's use.
API_Attribute Named(API_AttrTypeID type, GS::UniString& name) {
    API_Attribute attribute = {};
    attribute.header.typeID = type;
    attribute.header.uniStringNamePtr = &name;
    return attribute;
}

// An attribute read by its index, with its name beside it (the record keeps no pointer to it).
struct IndexedAttribute {
    API_Attribute attribute = {};
    GS::UniString name;
};

std::optional<IndexedAttribute> ReadByIndex(API_AttrTypeID type, Int32 index) {
    IndexedAttribute read;
    read.attribute.header.typeID = type;
    read.attribute.header.index = ACAPI_CreateAttributeIndex(index);
    read.attribute.header.uniStringNamePtr = &read.name;
    const GSErrCode err = ACAPI_Attribute_Get(&read.attribute);
    read.attribute.header.uniStringNamePtr = nullptr;
    if (err != NoError) {
        return std::nullopt;
    }
    return read;
}

std::optional<IndexedAttribute> FirstSolidFill() {
    for (Int32 index = 1; index <= LastScannedIndex; ++index) {
        std::optional<IndexedAttribute> fill = ReadByIndex(API_FilltypeID, index);
        if (fill && fill->attribute.filltype.subType == APIFill_Solid) {
            return fill;
        }
    }
    return std::nullopt;
}

bool HasTexture(const API_Attribute& surface) {
    return surface.material.texture.fileLoc != nullptr;
}

} // namespace

GSErrCode MaterialManager::GetTolvaMaterial(API_AttributeIndex& index) {
    MaterialCache& cache = Cache();
    if (cache.valid && cache.index.IsPositive()) {
        index = cache.index;
        return NoError;
    }
    if (FindTolvaMaterial(index)) {
        Logger::Info(Category, GS::UniString::Printf("Found existing Tolva Material at index %d",
                                                     index.ToInt32_Deprecated()));
        cache = {true, index};
        return NoError;
    }
    Logger::Info(Category, "Tolva Material not found, creating new material");
    const GSErrCode err = CreateTolvaMaterial(index);
    if (err == NoError) {
        cache = {true, index};
    }
    return err;
}

bool MaterialManager::FindTolvaMaterial(API_AttributeIndex& index) {
    GS::UniString name = MaterialName;
    API_Attribute material = Named(API_BuildingMaterialID, name);
    const GSErrCode err = ACAPI_Attribute_Get(&material);
    if (err == NoError) {
        index = material.header.index;
        return true;
    }
    if (err != APIERR_BADNAME) {
        Logger::Warning(Category,
                        GS::UniString::Printf(
                            "Material existence check failed with error %d, will attempt creation", err));
    }
    return false;
}

GSErrCode MaterialManager::CreateTolvaMaterial(API_AttributeIndex& index) {
    const std::optional<IndexedAttribute> fill = FirstSolidFill();
    if (!fill) {
        Logger::Error(Category, "No valid fill pattern found in project");
        Logger::Error(Category, ReferenceAttributesMissing);
        return APIERR_GENERAL;
    }
    Logger::Info(Category, GS::UniString::Printf("Found solid fill: %s (index %d)", fill->name.ToCStr().Get(),
                                                 fill->attribute.header.index.ToInt32_Deprecated()));
    API_AttributeIndex surface = {};
    if (const GSErrCode err = GetPlainSurface(surface); err != NoError) {
        Logger::Error(Category, "Failed to get plain surface material");
        Logger::Error(Category, ReferenceAttributesMissing);
        return err;
    }

    GS::UniString name = MaterialName;
    API_Attribute material = Named(API_BuildingMaterialID, name);
    material.buildingMaterial.connPriority = MaterialIntersectionPriority;
    material.buildingMaterial.cutFill = fill->attribute.header.index;
    material.buildingMaterial.cutFillPen = CutFillPen;
    material.buildingMaterial.cutFillBackgroundPen = 0;
    material.buildingMaterial.cutMaterial = surface;
    material.buildingMaterial.showUncutLines = true;
    const GSErrCode err = ACAPI_Attribute_Create(&material, nullptr);
    if (err == APIERR_ATTREXIST) {
        Logger::Info(Category, "Material already exists (created by another call), retrieving index");
        if (FindTolvaMaterial(index)) {
            return NoError;
        }
        Logger::Error(Category, "Material exists but could not retrieve index");
        return APIERR_GENERAL;
    }
    if (err != NoError) {
        Logger::Error(Category, GS::UniString::Printf("Failed to create Tolva Material: error code %d", err));
        return err;
    }
    index = material.header.index;
    Logger::Info(Category,
                 GS::UniString::Printf("Created Tolva Material at index %d", index.ToInt32_Deprecated()));
    return NoError;
}

GSErrCode MaterialManager::GetPlainSurface(API_AttributeIndex& index) {
    for (const char* plainName : PlainSurfaceNames) {
        GS::UniString name = plainName;
        API_Attribute surface = Named(API_MaterialID, name);
        if (ACAPI_Attribute_Get(&surface) == NoError && !HasTexture(surface)) {
            index = surface.header.index;
            Logger::Info(Category,
                         GS::UniString::Printf("Found plain surface material by name: %s (index %d)",
                                               plainName, index.ToInt32_Deprecated()));
            return NoError;
        }
    }
    for (Int32 candidate = 1; candidate <= LastScannedIndex; ++candidate) {
        std::optional<IndexedAttribute> surface = ReadByIndex(API_MaterialID, candidate);
        if (surface && !HasTexture(surface->attribute) && surface->attribute.material.transpPc == 0) {
            index = surface->attribute.header.index;
            Logger::Info(Category,
                         GS::UniString::Printf("Found plain surface material: %s (index %d)",
                                               surface->name.ToCStr().Get(), index.ToInt32_Deprecated()));
            return NoError;
        }
    }
    Logger::Info(Category, "No plain surface material found, creating Tolva Surface");
    return CreateTolvaSurface(index);
}

GSErrCode MaterialManager::CreateTolvaSurface(API_AttributeIndex& index) {
    GS::UniString name = SurfaceName;
    API_Attribute surface = Named(API_MaterialID, name);
    surface.material.mtype = APIMater_MatteID;
    surface.material.surfaceRGB = {SurfaceGrey, SurfaceGrey, SurfaceGrey};
    // Every other field stays cleared: no texture and opaque, so the surface passes both plainness tests.
    const GSErrCode err = ACAPI_Attribute_Create(&surface, nullptr);
    if (err == NoError) {
        index = surface.header.index;
        Logger::Info(Category,
                     GS::UniString::Printf("Created Tolva Surface at index %d", index.ToInt32_Deprecated()));
        return NoError;
    }
    if (err == APIERR_ATTREXIST) {
        API_Attribute existing = Named(API_MaterialID, name);
        if (ACAPI_Attribute_Get(&existing) == NoError) {
            index = existing.header.index;
            Logger::Info(Category, "Tolva Surface already exists, reusing");
            return NoError;
        }
    }
    Logger::Error(Category, GS::UniString::Printf("Failed to create Tolva Surface: error %d", err));
    return err;
}

void MaterialManager::ForgetIndices() {
    Cache() = {};
}

void MaterialManager::InvalidateCache() {
    ForgetIndices();
    Logger::Info(Category, "Cache invalidated due to project change");
}

} // namespace Tolva::Builders
