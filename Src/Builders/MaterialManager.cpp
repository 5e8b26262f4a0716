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
constexpr short MaterialIntersectionPriority = 100;
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

API_Attribute Named(API_AttrTypeID type, const GS::UniString& name) {
    API_Attribute attribute = {};
    attribute.header.typeID = type;
    attribute.header.name = name;
    return attribute;
}

std::optional<API_Attribute> ReadByIndex(API_AttrTypeID type, Int32 index) {
    API_Attribute attribute = {};
    attribute.header.typeID = type;
    attribute.header.index = ACAPI_CreateAttributeIndex(index);
    if (ACAPI_Attribute_Get(&attribute) != NoError) {
        return std::nullopt;
    }
    return attribute;
}

std::optional<API_Attribute> FirstSolidFill() {
    for (Int32 index = 1; index <= LastScannedIndex; ++index) {
        std::optional<API_Attribute> fill = ReadByIndex(API_FilltypeID, index);
        if (fill && fill->filltype.subType == APIFill_Solid) {
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
    API_Attribute material = Named(API_BuildingMaterialID, MaterialName);
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
    const std::optional<API_Attribute> fill = FirstSolidFill();
    if (!fill) {
        Logger::Error(Category, "No valid fill pattern found in project");
        Logger::Error(Category, ReferenceAttributesMissing);
        return APIERR_GENERAL;
    }
    Logger::Info(Category,
                 GS::UniString::Printf("Found solid fill: %s (index %d)", fill->header.name.ToCStr().Get(),
                                       fill->header.index.ToInt32_Deprecated()));
    API_AttributeIndex surface = {};
    if (const GSErrCode err = GetPlainSurface(surface); err != NoError) {
        Logger::Error(Category, "Failed to get plain surface material");
        Logger::Error(Category, ReferenceAttributesMissing);
        return err;
    }

    API_Attribute material = Named(API_BuildingMaterialID, MaterialName);
    material.buildingMaterial.connPriority = MaterialIntersectionPriority;
    material.buildingMaterial.cutFill = fill->header.index;
    material.buildingMaterial.cutFillPen = CutFillPen;
    material.buildingMaterial.cutFillBackgroundPen = 0;
    material.buildingMaterial.cutSurface = surface;
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
    for (const char* name : PlainSurfaceNames) {
        API_Attribute surface = Named(API_MaterialID, name);
        if (ACAPI_Attribute_Get(&surface) == NoError && !HasTexture(surface)) {
            index = surface.header.index;
            Logger::Info(Category,
                         GS::UniString::Printf("Found plain surface material by name: %s (index %d)", name,
                                               index.ToInt32_Deprecated()));
            return NoError;
        }
    }
    for (Int32 candidate = 1; candidate <= LastScannedIndex; ++candidate) {
        std::optional<API_Attribute> surface = ReadByIndex(API_MaterialID, candidate);
        if (surface && !HasTexture(*surface) && surface->material.transpPc == 0) {
            index = surface->header.index;
            Logger::Info(Category, GS::UniString::Printf("Found plain surface material: %s (index %d)",
                                                         surface->header.name.ToCStr().Get(),
                                                         index.ToInt32_Deprecated()));
            return NoError;
        }
    }
    Logger::Info(Category, "No plain surface material found, creating Tolva Surface");
    return CreateTolvaSurface(index);
}

GSErrCode MaterialManager::CreateTolvaSurface(API_AttributeIndex& index) {
    API_Attribute surface = Named(API_MaterialID, SurfaceName);
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
        API_Attribute existing = Named(API_MaterialID, SurfaceName);
        if (ACAPI_Attribute_Get(&existing) == NoError) {
            index = existing.header.index;
            Logger::Info(Category, "Tolva Surface already exists, reusing");
            return NoError;
        }
    }
    Logger::Error(Category, GS::UniString::Printf("Failed to create Tolva Surface: error %d", err));
    return err;
}

void MaterialManager::InvalidateCache() {
    Cache() = {};
    Logger::Info(Category, "Cache invalidated due to project change");
}

} // namespace Tolva::Builders
